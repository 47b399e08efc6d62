// Sample read-out for each board version and read mode: the call sequence, the five leading
// words, and the samples of a capture loaded into the simulated unit coming back.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "BusTrace.h"
#include "cbvelor/cbvelor.h"

namespace cbvelor::test {
namespace {

constexpr std::uint16_t kUntouched = 0xDEAD;

struct Mode {
    int version;
    bool direct;

    friend void PrintTo(const Mode& mode, std::ostream* out) {
        *out << "version " << mode.version << (mode.direct ? ", direct" : ", register");
    }
};

class CbVelorReadDataTest : public BoardTest, public ::testing::WithParamInterface<Mode> {
protected:
    void SetUp() override {
        Start(WithVersion(GetParam().version, 1), 1, GetParam().direct ? 1 : 0);
        for (int i = 0; i < 40; ++i) {
            m_samples.push_back(static_cast<std::uint16_t>(0x3C07 + i * 0x0111));
        }
        cbw32sim::LoadSamples(1, m_samples);
    }

    // The word the library delivers for the i-th sample of the capture.
    std::uint16_t Expected(std::size_t i) const {
        return GetParam().version == 0 ? m_samples[i] & 0xFF : m_samples[i];
    }

    static Trace Word() {
        const Mode mode = GetParam();
        if (mode.version == 0) return mode.direct ? DirectRead() : Read(0x48);
        if (mode.direct) return Join({Select(0x4E), DirectRead(), Select(0x48), DirectRead()});
        return Join({Read(0x4E), Read(0x48)});
    }

    // After a read the data port is an input and the read-start pulse turns it back first.
    static Trace ExpectedTrace(int count, bool afterRead = false) {
        return Join({afterRead ? Configure(1) : Trace{}, Write(0x49, 0x0E), Write(0x49, 0x0F),
                     Configure(2), Select(0x48), Repeat(Word(), 5), Select(0x48),
                     Repeat(Word(), std::max(count - 5, 0))});
    }

    std::vector<std::uint16_t> m_samples;
};

TEST_P(CbVelorReadDataTest, CallSequencePerCount) {
    bool afterRead = false;
    for (const int count : {0, 3, 5, 6, 9}) {
        SCOPED_TRACE(count);
        cbw32sim::ClearCallLog();
        std::vector<std::uint16_t> out(std::max(count, 5) + 1, kUntouched);
        CbVelorReadData(1, static_cast<std::uint16_t>(count), out.data());
        EXPECT_EQ(LoggedTrace(), ExpectedTrace(count, afterRead));
        afterRead = true;
        EXPECT_EQ(out.back(), kUntouched) << "nothing past max(count, 5)";
        // The first five words are all the fifth word read; later ones one read each.
        const std::vector<int> reads = ValuesRead();
        const std::size_t perWord = GetParam().version == 0 ? 1 : 2;
        ASSERT_EQ(reads.size(), perWord * (5 + std::max(count - 5, 0)));
        for (std::size_t i = 0; i + 1 < out.size(); ++i) {
            const std::size_t word = std::max<std::size_t>(i, 4);
            const int value =
                perWord == 1 ? reads[word] : reads[2 * word] * 256 + reads[2 * word + 1];
            EXPECT_EQ(out[i], value) << "word " << i;
        }
    }
}

TEST_P(CbVelorReadDataTest, CaptureComesBackFromTheFifthSampleOn) {
    std::vector<std::uint16_t> out(40, kUntouched);
    CbVelorReadData(1, 40, out.data());
    for (std::size_t i = 0; i < out.size(); ++i) {
        EXPECT_EQ(out[i], Expected(std::max<std::size_t>(i, 4))) << "word " << i;
    }
    // A second read starts over at the read-start pulse.
    std::vector<std::uint16_t> again(6, kUntouched);
    CbVelorReadData(1, 6, again.data());
    EXPECT_EQ(again[4], Expected(4));
    EXPECT_EQ(again[5], Expected(5));
}

TEST_P(CbVelorReadDataTest, ReadsWhatTheUnitHoldsWithoutLookingAtReady) {
    cbw32sim::BoardConfig config = WithVersion(GetParam().version, 1);
    config.units[1].busyStatusReads = -1;
    Start(config, 1, GetParam().direct ? 1 : 0);
    cbw32sim::LoadSamples(1, m_samples);
    CbVelorArmCard(1);
    cbw32sim::ClearCallLog();
    std::vector<std::uint16_t> out(6, kUntouched);
    CbVelorReadData(1, 6, out.data());
    EXPECT_EQ(LoggedTrace(), ExpectedTrace(6));
    EXPECT_EQ(out[5], Expected(5));
    EXPECT_TRUE(cbw32sim::Unit(1).busy);
}

INSTANTIATE_TEST_SUITE_P(Modes, CbVelorReadDataTest,
                         ::testing::Values(Mode{0, false}, Mode{0, true}, Mode{1, false},
                                           Mode{1, true}, Mode{3, false}, Mode{3, true}),
                         [](const ::testing::TestParamInfo<Mode>& info) {
                             return "Version" + std::to_string(info.param.version) +
                                    (info.param.direct ? "Direct" : "Register");
                         });

}  // namespace
}  // namespace cbvelor::test
