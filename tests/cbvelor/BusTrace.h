#pragma once
// The driver call log as the tests read it, the call sequences the bus protocol prescribes, and a
// fixture that starts each test from an initialised unit on a freshly configured board.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cbw32/Cbw32Sim.h"

namespace cbvelor::test {

using Trace = std::vector<std::string>;

// The log as "getconfig 2 0 1", "config 10 1", "out 11 0x42", "in 10"; the values read and
// the board numbers are checked apart.
Trace LoggedTrace();
std::vector<int> ValuesRead();
std::set<int> BoardsUsed();
// Register writes (address, value) decoded from the log as the bus sees them.
std::vector<std::pair<int, int>> RegisterWrites();
std::vector<int> WritesTo(int address);

// Sequences of the bus protocol.
Trace Configure(int direction);  // the three port configurations
Trace Write(int address, int value);
Trace Read(int address);
Trace Select(int address);
Trace DirectRead();
Trace Join(std::initializer_list<Trace> parts);
Trace Repeat(const Trace& part, int times);

class BoardTest : public ::testing::Test {
protected:
    // Configures the simulated board and initialises the unit. The library's data-port
    // direction cache outlives the board's power cycle, so a first initialisation brings the
    // two into step and the second one starts from a known state; the log starts empty.
    void Start(const cbw32sim::BoardConfig& config = {}, std::uint32_t unit = 0,
               std::int32_t directRead = 0, std::int32_t expected = 1);

    static cbw32sim::BoardConfig WithVersion(int version, int unit = 0);
};

}  // namespace cbvelor::test
