# Fails unless the library's dynamic symbol table defines exactly the C interface.
# Usage: cmake -DNM=<nm> -DLIBRARY=<libCbVelor.so> -P CheckExports.cmake
execute_process(COMMAND "${NM}" -D --defined-only "${LIBRARY}"
  OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()

string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(exported)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^.* " "" name "${line}")
  list(APPEND exported "${name}")
endforeach()
list(SORT exported)

set(expected CbVelorInitCard CbVelorSetSlit CbVelorSetFine CbVelorSetGain CbVelorSetMemory
  CbVelorSetFrequency CbVelorWriteData CbVelorGetHead CbVelorGetBoardVer CbVelorSpinMotor
  CbVelorIsReady CbVelorArmCard CbVelorReadData CbVelorGetOverScale CbVelorResetOverScale)
list(SORT expected)
if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "exported: ${exported}\nexpected: ${expected}")
endif()
list(LENGTH exported count)
message(STATUS "${count} exports: ${exported}")
