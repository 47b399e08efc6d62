// The driver's C entry points on the simulated installation. Each call is logged, failed ones
// included, with the board number it was given.

#include "Simulation.h"
#include "cbw32/cbw32.h"

namespace cbw32sim {
namespace {

// C callers cannot take exceptions; the only one possible is the log running out of memory.
template <typename Body>
int Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return CBW32_ERR_INTERNAL;
    }
}

int Logged(Simulation& simulation, DriverCall call) {
    simulation.log.push_back(call);
    return call.result;
}

}  // namespace
}  // namespace cbw32sim

using cbw32sim::DriverCall;
using cbw32sim::Function;
using cbw32sim::Simulation;
using cbw32sim::TheSimulation;

extern "C" int cbGetConfig(int infoType, int boardNum, int devNum, int configItem, int* configVal) {
    return cbw32sim::Guarded([&] {
        Simulation& simulation = TheSimulation();
        DriverCall call{Function::GetConfig, boardNum, configItem, 0, CBW32_OK, infoType, devNum};
        if (simulation.config.configError != 0) {
            call.result = simulation.config.configError;
        } else if (boardNum != simulation.config.boardNumber) {
            call.result = CBW32_ERR_BOARD;
        } else if (configVal == nullptr) {
            call.result = CBW32_ERR_POINTER;
        } else if (infoType != CBW32_INFO_BOARD || configItem != CBW32_ITEM_BOARD_TYPE) {
            call.result = CBW32_ERR_CONFIG;
        } else {
            *configVal = simulation.config.boardType;
            call.value = *configVal;
        }
        return cbw32sim::Logged(simulation, call);
    });
}

extern "C" int cbDConfigPort(int boardNum, int portNum, int direction) {
    return cbw32sim::Guarded([&] {
        Simulation& simulation = TheSimulation();
        const int result = boardNum == simulation.config.boardNumber
                               ? simulation.board.ConfigPort(portNum, direction)
                               : CBW32_ERR_BOARD;
        return cbw32sim::Logged(simulation,
                                {Function::DConfigPort, boardNum, portNum, direction, result});
    });
}

extern "C" int cbDOut(int boardNum, int portNum, unsigned short dataValue) {
    return cbw32sim::Guarded([&] {
        Simulation& simulation = TheSimulation();
        const int result = boardNum == simulation.config.boardNumber
                               ? simulation.board.Out(portNum, dataValue)
                               : CBW32_ERR_BOARD;
        return cbw32sim::Logged(simulation, {Function::DOut, boardNum, portNum, dataValue, result});
    });
}

extern "C" int cbDIn(int boardNum, int portNum, unsigned short* dataValue) {
    return cbw32sim::Guarded([&] {
        Simulation& simulation = TheSimulation();
        unsigned short value = 0;
        const int result =
            boardNum == simulation.config.boardNumber
                ? simulation.board.In(portNum, dataValue != nullptr ? &value : nullptr)
                : CBW32_ERR_BOARD;
        if (result == CBW32_OK) *dataValue = value;
        return cbw32sim::Logged(simulation, {Function::DIn, boardNum, portNum, value, result});
    });
}
