// The board access over the board library, call by call: each of the ten calls must make
// exactly the driver calls of the library operations it stands for, as the driver stand-in's
// log shows them; and what the unit reports comes back through the head-code table.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

#include "cbvelor/cbvelor.h"
#include "cbw32/Cbw32Backend.h"
#include "cbw32/Cbw32Sim.h"
#include "instrument/board/CbVelorBoard.h"
#include "tests/support/FakeClock.h"

namespace velor::test {
namespace {

constexpr uint32_t kBoardNumber = 3;

cbw32sim::BoardConfig Installation(int head = 0, int busyStatusReads = 2) {
    cbw32sim::BoardConfig config;
    config.boardNumber = kBoardNumber;
    config.units[0].version = 1;
    config.units[0].head = head;
    config.units[0].busyStatusReads = busyStatusReads;
    return config;
}

class BoardMapping : public ::testing::Test {
protected:
    void SetUp() override {
        cbw32::UseSimulatedBoard();
        cbw32sim::SetCallLogging(true);
    }
    void TearDown() override { cbw32sim::SetCallLogging(false); }

    // The driver calls `calls` make on a freshly powered installation whose unit 0 the library
    // initialised and whose status was read (so the bus starts in the same state each time).
    static std::vector<cbw32sim::DriverCall> CallsOf(const std::function<void()>& setUp,
                                                     const std::function<void()>& calls) {
        cbw32sim::Configure(Installation());
        setUp();
        cbw32sim::ClearCallLog();
        calls();
        return cbw32sim::CallLog();
    }

    FakeClock clock;
    FakeSleeper sleeper{clock};
    CbVelorBoard board{BoardAccess{kBoardNumber, true}, clock, sleeper};
};

TEST_F(BoardMapping, EachCallMakesTheDriverCallsOfItsLibraryOperations) {
    std::array<uint16_t, 4096> words{};
    int variant = 0;
    const auto initBoard = [&] { ASSERT_EQ(board.Tesk32_InitCard(0, kBoardIoAddress), 1); };
    const auto initLibrary = [] {
        std::int16_t version = 0;
        ASSERT_EQ(CbVelorInitCard(0, kBoardNumber, 1), 1);
        CbVelorGetBoardVer(0, &version);
    };
    const auto ready = [](int polls) {
        for (int i = 0; i < polls; ++i) {
            std::int32_t r = 0;
            CbVelorIsReady(0, &r);
        }
    };
    const struct {
        const char* what;
        std::function<void()> tesk;
        std::function<void()> library;
    } cases[] = {
        {"InitCard: the station's board number, direct reads; the I/O address is not a board",
         [&] { board.Tesk32_InitCard(0, kBoardIoAddress); }, initLibrary},
        {"GetHeadType", [&] { board.Tesk32_GetHeadType(0, &variant); },
         [] { std::uint16_t head = 0; CbVelorGetHead(0, &head); }},
        {"SetSignalGain 139 dB: coarse 6, fine 19", [&] { board.Tesk32_SetSignalGain(0, 139); },
         [] { CbVelorSetGain(0, 0x0613); }},
        {"SetSignalGain beyond the table: 185 dB", [&] { board.Tesk32_SetSignalGain(0, 400); },
         [] { CbVelorSetGain(0, 0x0905); }},
        {"SetFine within the register", [&] { board.Tesk32_SetFine(0, 1621); },
         [] { CbVelorSetFine(0, 1621); }},
        {"SetFine above the register", [&] { board.Tesk32_SetFine(0, 6479); },
         [] { CbVelorSetFine(0, 4095); }},
        {"IsPulsedSystem reads the head code", [&] { board.Tesk32_IsPulsedSystem(0); },
         [] { std::uint16_t head = 0; CbVelorGetHead(0, &head); }},
        {"TriggerData arms", [&] { board.Tesk32_TriggerData(0); }, [] { CbVelorArmCard(0); }},
        {"IsScanReady", [&] { board.Tesk32_IsScanReady(0); }, [&] { ready(1); }},
        {"DaqInProgress asks nothing of the board", [&] { board.Tesk32_DaqInProgress(0); }, [] {}},
        {"ReadData reads 4096 words", [&] { board.Tesk32_ReadData(0, words.data(), 4096); },
         [&] { CbVelorReadData(0, 4096, words.data()); }},
        {"CapReadData: arm, poll until ready, read",
         [&] { board.Tesk32_CapReadData(0, words.data(), 4096); },
         [&] {
             CbVelorArmCard(0);
             ready(3);  // busy for two status reads
             CbVelorReadData(0, 4096, words.data());
         }},
    };
    for (const auto& c : cases) {
        const auto viaBoard = CallsOf(initBoard, c.tesk);
        const auto viaLibrary = CallsOf(initLibrary, c.library);
        ASSERT_EQ(viaBoard.size(), viaLibrary.size()) << c.what;
        EXPECT_TRUE(viaBoard == viaLibrary) << c.what;
        for (const cbw32sim::DriverCall& call : viaBoard) {
            ASSERT_EQ(call.board, static_cast<int>(kBoardNumber)) << c.what;
        }
    }
}

TEST_F(BoardMapping, HeadCodesGiveTypeVariantAndPulsedSystem) {
    const struct {
        int code;
        int type;
        int variant;
        int pulsed;
    } heads[] = {
        {0, 0, 0, 0}, {1, 1, 0, 0}, {2, 0, 1, 0}, {3, 1, 1, 0},
        {8, 0, 0, 1}, {11, 1, 1, 1}, {4, -1, -1, 0}, {15, -1, -1, 0},
    };
    for (const auto& h : heads) {
        cbw32sim::Configure(Installation(h.code));
        ASSERT_EQ(board.Tesk32_InitCard(0, kBoardIoAddress), 1);
        int variant = 99;
        EXPECT_EQ(board.Tesk32_GetHeadType(0, &variant), h.type) << h.code;
        EXPECT_EQ(variant, h.variant) << h.code;
        EXPECT_EQ(board.Tesk32_IsPulsedSystem(0), h.pulsed) << h.code;
    }
}

TEST_F(BoardMapping, CaptureStateIsTheBoardAccessOwn) {
    cbw32sim::Configure(Installation(0, -1));  // busy until the test ends the capture
    ASSERT_EQ(board.Tesk32_InitCard(0, kBoardIoAddress), 1);
    EXPECT_EQ(board.Tesk32_DaqInProgress(0), 0);
    board.Tesk32_TriggerData(0);
    EXPECT_EQ(board.Tesk32_DaqInProgress(0), 1);
    EXPECT_EQ(board.Tesk32_IsScanReady(0), 0);
    EXPECT_EQ(board.Tesk32_DaqInProgress(0), 1);
    cbw32sim::FinishCapture(0);
    EXPECT_EQ(board.Tesk32_IsScanReady(0), 1);
    EXPECT_EQ(board.Tesk32_DaqInProgress(0), 0);

    // A capture that never ends: after the time limit, no samples, and still in progress.
    std::array<uint16_t, 4096> words{};
    const uint32_t start = clock.now;
    EXPECT_EQ(board.Tesk32_CapReadData(0, words.data(), 4096), 0);
    EXPECT_EQ(clock.now - start, CbVelorBoard::kCaptureLimitMs);
    EXPECT_EQ(board.Tesk32_DaqInProgress(0), 1);
    board.Tesk32_InitCard(0, kBoardIoAddress);
    EXPECT_EQ(board.Tesk32_DaqInProgress(0), 0) << "initialising abandons the capture";
}

TEST_F(BoardMapping, ShortReadsDeliverWhatWasAskedAndNoMore) {
    cbw32sim::Configure(Installation());
    cbw32sim::LoadSamples(0, {0x0101, 0x0202, 0x0303, 0x0404, 0x0505, 0x0606, 0x0707});
    ASSERT_EQ(board.Tesk32_InitCard(0, kBoardIoAddress), 1);
    std::array<uint16_t, 8> words;
    for (const int count : {3, 6}) {
        words.fill(0xEEEE);
        EXPECT_EQ(board.Tesk32_ReadData(0, words.data(), count), count);
        // The library's read-out keeps the fifth word in the first five places.
        for (int i = 0; i < std::min(count, 5); ++i) EXPECT_EQ(words[i], 0x0505) << count;
        if (count == 6) {
            EXPECT_EQ(words[5], 0x0606);
        }
        EXPECT_EQ(words[count], 0xEEEE) << "nothing written past the count";
    }
}

TEST_F(BoardMapping, ARefusedBoardIsLeftAlone) {
    cbw32sim::BoardConfig wrongType = Installation();
    wrongType.boardType = 12;
    cbw32sim::Configure(wrongType);
    EXPECT_EQ(board.Tesk32_InitCard(0, kBoardIoAddress), 0);
    cbw32sim::ClearCallLog();
    std::array<uint16_t, 4096> words{};
    int variant = 0;
    EXPECT_EQ(board.Tesk32_GetHeadType(0, &variant), -1);
    EXPECT_EQ(variant, -1);
    board.Tesk32_SetSignalGain(0, 20);
    board.Tesk32_SetFine(0, 100);
    board.Tesk32_TriggerData(0);
    EXPECT_EQ(board.Tesk32_DaqInProgress(0), 0);
    EXPECT_EQ(board.Tesk32_IsScanReady(0), 1) << "nothing to wait for";
    EXPECT_EQ(board.Tesk32_ReadData(0, words.data(), 4096), 0);
    EXPECT_EQ(board.Tesk32_CapReadData(0, words.data(), 4096), 0);
    EXPECT_TRUE(cbw32sim::CallLog().empty()) << "no call after a refusal";
}

}  // namespace
}  // namespace velor::test
