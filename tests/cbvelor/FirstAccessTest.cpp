// The first register access of a process configures the bus ports. The library keeps its
// data-port direction from load to unload with no way to reset it, so this check has a process
// of its own and one test in it.

#include <gtest/gtest.h>

#include "BusTrace.h"
#include "cbvelor/cbvelor.h"

namespace cbvelor::test {
namespace {

TEST(CbVelorFirstAccess, ConfiguresAllThreePortsThenOnlyOnDirectionChanges) {
    cbw32sim::Reset();
    ASSERT_EQ(CbVelorInitCard(0, 0, 0), 1);
    const Trace expected = Join({
        {"getconfig 2 0 1"},
        Configure(1),
        Write(0x43, 0x99),
        Configure(2),
        Read(0x42),
        Configure(1),
        Write(0x47, 0x80),
        Write(0x41, 0x0F),
        Write(0x44, 0x01),
        Write(0x45, 0x80),
        Write(0x46, 0x30),
    });
    EXPECT_EQ(LoggedTrace(), expected);
    // Through the reconfigured ports every register landed.
    const cbw32sim::UnitState unit = cbw32sim::Unit(0);
    EXPECT_EQ(unit.modeA, 0x99);
    EXPECT_EQ(unit.modeB, 0x80);
    EXPECT_EQ(unit.option, 0x30);
}

}  // namespace
}  // namespace cbvelor::test
