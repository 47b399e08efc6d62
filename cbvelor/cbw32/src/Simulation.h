#pragma once
// The one simulated installation of the process: configuration, boards, the driver calls on
// them and their log.

#include <cstdint>
#include <vector>

#include "Backend.h"
#include "DioBoard.h"
#include "cbw32/Cbw32Sim.h"

namespace cbw32sim {

struct Simulation final : cbw32::Backend {
    BoardConfig config;
    DioBoard board;
    bool logging = false;
    std::vector<DriverCall> log;
    std::uint64_t calls = 0;

    Simulation() {
        board.PowerOnPorts();
        board.PowerOnUnits(config);
    }

    // The four driver calls on the simulated boards.
    int GetConfig(int infoType, int boardNum, int devNum, int configItem, int* configVal) override;
    int ConfigPort(int boardNum, int portNum, int direction) override;
    int Out(int boardNum, int portNum, unsigned short dataValue) override;
    int In(int boardNum, int portNum, unsigned short* dataValue) override;

private:
    int Logged(const DriverCall& call);
};

Simulation& TheSimulation();

}  // namespace cbw32sim
