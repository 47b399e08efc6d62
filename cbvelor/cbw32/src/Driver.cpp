// The driver's C entry points: each goes to the implementation in use.

#include "Backend.h"
#include "cbw32/cbw32.h"

namespace {

// C callers cannot take exceptions; the only one possible is running out of memory.
template <typename Body>
int Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return CBW32_ERR_INTERNAL;
    }
}

}  // namespace

extern "C" int cbGetConfig(int infoType, int boardNum, int devNum, int configItem, int* configVal) {
    return Guarded([&] {
        return cbw32::ActiveBackend().GetConfig(infoType, boardNum, devNum, configItem, configVal);
    });
}

extern "C" int cbDConfigPort(int boardNum, int portNum, int direction) {
    return Guarded([&] { return cbw32::ActiveBackend().ConfigPort(boardNum, portNum, direction); });
}

extern "C" int cbDOut(int boardNum, int portNum, unsigned short dataValue) {
    return Guarded([&] { return cbw32::ActiveBackend().Out(boardNum, portNum, dataValue); });
}

extern "C" int cbDIn(int boardNum, int portNum, unsigned short* dataValue) {
    return Guarded([&] { return cbw32::ActiveBackend().In(boardNum, portNum, dataValue); });
}
