// The speeds command on the line: the set chosen by head variant and program, its exact bytes,
// and values out of range sent as their low byte.

#include <gtest/gtest.h>

#include "tests/instrument/motion/MotionRig.h"

namespace velor::test {
namespace {

TEST(MotionSpeeds, HeadVariant0FineStepSendsTheSlowSet) {
    MotionRig rig;
    rig.controller.SelectSpeeds(0, 340);
    EXPECT_EQ(rig.Sent(), "R 100\rS 100\rF 10\r");
    EXPECT_EQ(rig.simulated.Speeds(), (SpeedSet{100, 100, 10}));
    EXPECT_EQ(rig.simulated.Reads(), 0) << "no reply is read after speeds";
    EXPECT_EQ(rig.sleeper.slept, 0u);
}

TEST(MotionSpeeds, HeadVariant1CoarseStepSendsTheFastSet) {
    MotionRig rig;
    rig.controller.SelectSpeeds(1, 540);
    EXPECT_EQ(rig.Sent(), "R 150\rS 150\rF 12\r");
}

TEST(MotionSpeeds, EachVariantHasItsOwnSets) {
    MotionRig rig;
    rig.controller.SelectSpeeds(0, 1200);
    EXPECT_EQ(rig.Sent(), "R 200\rS 200\rF 15\r");
    rig.controller.SelectSpeeds(1, 320);
    EXPECT_EQ(rig.Sent(), "R 100\rS 100\rF 8\r");
}

TEST(MotionSpeeds, UnknownHeadVariantsSendNothing) {
    MotionRig rig;
    for (int variant : {-1, 2, 9}) rig.controller.SelectSpeeds(variant, 340);
    EXPECT_EQ(rig.Sent(), "");
}

TEST(MotionSpeeds, ValuesOutOfByteRangeAreSentAsTheirLowByte) {
    MotionRig rig;
    rig.controller.SetSpeeds(256, 300, 511);
    EXPECT_EQ(rig.Sent(), "R 0\rS 44\rF 255\r");
    rig.controller.SetSpeeds(1000, 255, -1);
    EXPECT_EQ(rig.Sent(), "R 232\rS 255\rF 255\r");
}

}  // namespace
}  // namespace velor::test
