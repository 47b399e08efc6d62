// The driver calls on the simulated installation. Each call is counted, and logged while
// logging is on, failed ones included, with the board number it was given.

#include "Simulation.h"
#include "cbw32/cbw32.h"

namespace cbw32sim {

int Simulation::Logged(const DriverCall& call) {
    ++calls;
    if (logging) log.push_back(call);
    return call.result;
}

int Simulation::GetConfig(int infoType, int boardNum, int devNum, int configItem,
                          int* configVal) {
    DriverCall call{Function::GetConfig, boardNum, configItem, 0, CBW32_OK, infoType, devNum};
    if (config.configError != 0) {
        call.result = config.configError;
    } else if (boardNum != config.boardNumber) {
        call.result = CBW32_ERR_BOARD;
    } else if (configVal == nullptr) {
        call.result = CBW32_ERR_POINTER;
    } else if (infoType != CBW32_INFO_BOARD || configItem != CBW32_ITEM_BOARD_TYPE) {
        call.result = CBW32_ERR_CONFIG;
    } else {
        *configVal = config.boardType;
        call.value = *configVal;
    }
    return Logged(call);
}

int Simulation::ConfigPort(int boardNum, int portNum, int direction) {
    const int result =
        boardNum == config.boardNumber ? board.ConfigPort(portNum, direction) : CBW32_ERR_BOARD;
    return Logged({Function::DConfigPort, boardNum, portNum, direction, result});
}

int Simulation::Out(int boardNum, int portNum, unsigned short dataValue) {
    const int result =
        boardNum == config.boardNumber ? board.Out(portNum, dataValue) : CBW32_ERR_BOARD;
    return Logged({Function::DOut, boardNum, portNum, dataValue, result});
}

int Simulation::In(int boardNum, int portNum, unsigned short* dataValue) {
    unsigned short value = 0;
    const int result = boardNum == config.boardNumber
                           ? board.In(portNum, dataValue != nullptr ? &value : nullptr)
                           : CBW32_ERR_BOARD;
    if (result == CBW32_OK) *dataValue = value;
    return Logged({Function::DIn, boardNum, portNum, value, result});
}

}  // namespace cbw32sim
