#pragma once
// The one simulated installation of the process: configuration, boards and the driver call log.

#include <vector>

#include "DioBoard.h"
#include "cbw32/Cbw32Sim.h"

namespace cbw32sim {

struct Simulation {
    BoardConfig config;
    DioBoard board;
    std::vector<DriverCall> log;

    Simulation() {
        board.PowerOnPorts();
        board.PowerOnUnits(config);
    }
};

Simulation& TheSimulation();

}  // namespace cbw32sim
