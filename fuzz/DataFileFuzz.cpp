// The data-file loader with every section reader, fed with any bytes at all: it must refuse
// what it cannot read without crashing, hanging or leaking, and keep the open measurement.

#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static velor::fuzz::FileSession session;
    session.Load(QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    return 0;
}
