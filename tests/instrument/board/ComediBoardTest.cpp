// The driver calls on Comedi, with the Comedi library's calls recorded: the device of a board
// number, the port groups of its digital I/O subdevice, direction codes, port reads and writes,
// and the outputs written again after every direction change. A device that is not there is
// told with the system's reason.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cbw32/Cbw32Backend.h"
#include "cbw32/Cbw32Sim.h"
#include "cbw32/cbw32.h"
#include "instrument/board/ComediStation.h"
#include "tests/support/FakeClock.h"

namespace velor::test {
namespace {

// The recorded library: one device at /dev/comedi2 with a digital I/O subdevice at index 1.
struct Recorder {
    std::vector<std::string> calls;
    int lines = 24;
    unsigned int readBits = 0;  // what the lines show
    bool failConfig = false;
};
Recorder g_recorder;
int g_device;  // its address stands for the open device

comedi_t* Open(const char* path) {
    g_recorder.calls.push_back(std::string("open ") + path);
    return std::string(path) == "/dev/comedi2" ? reinterpret_cast<comedi_t*>(&g_device) : nullptr;
}
int Close(comedi_t*) {
    g_recorder.calls.push_back("close");
    return 0;
}
int FindSubdevice(comedi_t*, int type, unsigned int start) {
    g_recorder.calls.push_back("find " + std::to_string(type) + " " + std::to_string(start));
    return 1;
}
int Channels(comedi_t*, unsigned int subdevice) {
    g_recorder.calls.push_back("channels " + std::to_string(subdevice));
    return g_recorder.lines;
}
int DioConfig(comedi_t*, unsigned int subdevice, unsigned int channel, unsigned int direction) {
    g_recorder.calls.push_back("config " + std::to_string(subdevice) + " " + std::to_string(channel) +
                               " " + std::to_string(direction));
    return g_recorder.failConfig ? -1 : 1;
}
int Bitfield(comedi_t*, unsigned int subdevice, unsigned int mask, unsigned int* bits,
             unsigned int base) {
    g_recorder.calls.push_back("bits " + std::to_string(subdevice) + " mask " + std::to_string(mask) +
                               " value " + std::to_string(mask != 0 ? *bits : 0) + " base " +
                               std::to_string(base));
    if (mask == 0) *bits = g_recorder.readBits;
    return 0;
}
int LastError() { return 2; }
const char* ErrorText(int) { return "No such file or directory"; }

constexpr cbw32::ComediFunctions kRecorded{Open,     Close,   FindSubdevice, Channels,
                                           DioConfig, Bitfield, LastError,    ErrorText};

std::vector<std::string> Configs(unsigned int from, unsigned int to, unsigned int direction) {
    std::vector<std::string> calls;
    for (unsigned int channel = from; channel <= to; ++channel) {
        calls.push_back("config 1 " + std::to_string(channel) + " " + std::to_string(direction));
    }
    return calls;
}

std::vector<std::string> Then(std::vector<std::string> first, const std::vector<std::string>& rest) {
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

class ComediBoard : public ::testing::Test {
protected:
    void SetUp() override {
        g_recorder = Recorder{};
        ASSERT_EQ(cbw32::UseComedi(2, kRecorded), "");
        EXPECT_EQ(g_recorder.calls, (std::vector<std::string>{
                                        "open /dev/comedi2", "find " + std::to_string(COMEDI_SUBD_DIO) + " 0",
                                        "channels 1"}));
        g_recorder.calls.clear();
    }
    void TearDown() override { cbw32::UseSimulatedBoard(); }
};

TEST_F(ComediBoard, EachDriverCallBecomesItsComediCalls) {
    unsigned short value = 0;
    int type = 0;
    const struct {
        const char* what;
        std::function<int()> call;
        int result;
        std::vector<std::string> comedi;
    } cases[] = {
        {"board type", [&] { return cbGetConfig(CBW32_INFO_BOARD, 2, 0, CBW32_ITEM_BOARD_TYPE, &type); },
         CBW32_OK, {}},
        {"port A to output: channels 0-7", [] { return cbDConfigPort(2, CBW32_PORT_A, CBW32_OUTPUT); },
         CBW32_OK, Configs(0, 7, COMEDI_OUTPUT)},
        {"port C low to output: channels 16-19", [] { return cbDConfigPort(2, CBW32_PORT_C_LOW, CBW32_OUTPUT); },
         CBW32_OK, Configs(16, 19, COMEDI_OUTPUT)},
        {"write port C low", [] { return cbDOut(2, CBW32_PORT_C_LOW, 3); }, CBW32_OK,
         {"bits 1 mask 15 value 3 base 16"}},
        {"write port A", [] { return cbDOut(2, CBW32_PORT_A, 0x99); }, CBW32_OK,
         {"bits 1 mask 255 value 153 base 0"}},
        {"write port C high", [] { return cbDOut(2, CBW32_PORT_C_HIGH, 5); }, CBW32_OK,
         {"bits 1 mask 15 value 5 base 20"}},
        {"read port B: its lines only", [&] { return cbDIn(2, CBW32_PORT_B, &value); }, CBW32_OK,
         {"bits 1 mask 0 value 0 base 8"}},
        {"port A to input: the strobes, then the other outputs, written again",
         [] { return cbDConfigPort(2, CBW32_PORT_A, CBW32_INPUT); }, CBW32_OK,
         Then(Configs(0, 7, COMEDI_INPUT), {"bits 1 mask 15 value 3 base 16"})},
        {"port B to output: the outputs held are written again",
         [] { return cbDConfigPort(2, CBW32_PORT_B, CBW32_OUTPUT); }, CBW32_OK,
         Then(Configs(8, 15, COMEDI_OUTPUT), {"bits 1 mask 15 value 3 base 16"})},
        {"another board number", [] { return cbDOut(3, CBW32_PORT_A, 1); }, CBW32_ERR_BOARD, {}},
        {"a value wider than the port", [] { return cbDOut(2, CBW32_PORT_C_LOW, 16); }, CBW32_ERR_VALUE, {}},
        {"no such port", [] { return cbDConfigPort(2, 14, CBW32_OUTPUT); }, CBW32_ERR_PORT, {}},
    };
    g_recorder.readBits = 0x3A5;  // lines beyond port B's eight must not show
    for (const auto& c : cases) {
        g_recorder.calls.clear();
        EXPECT_EQ(c.call(), c.result) << c.what;
        EXPECT_EQ(g_recorder.calls, c.comedi) << c.what;
    }
    EXPECT_EQ(type, 40) << "24 lines carry the bus";
    EXPECT_EQ(value, 0xA5);
}

TEST_F(ComediBoard, OutputsComeBackAfterADirectionChangeStrobesFirst) {
    cbDConfigPort(2, CBW32_PORT_A, CBW32_OUTPUT);
    cbDConfigPort(2, CBW32_PORT_B, CBW32_OUTPUT);
    cbDConfigPort(2, CBW32_PORT_C_LOW, CBW32_OUTPUT);
    cbDOut(2, CBW32_PORT_A, 0x12);
    cbDOut(2, CBW32_PORT_B, 0x42);
    cbDOut(2, CBW32_PORT_C_LOW, 3);
    g_recorder.calls.clear();
    cbDConfigPort(2, CBW32_PORT_A, CBW32_OUTPUT);
    EXPECT_EQ(g_recorder.calls, Then(Configs(0, 7, COMEDI_OUTPUT), {"bits 1 mask 15 value 3 base 16",
                                                                     "bits 1 mask 255 value 18 base 0",
                                                                     "bits 1 mask 255 value 66 base 8"}));
}

TEST_F(ComediBoard, RefusalsOfTheDeviceAreDriverErrors) {
    g_recorder.failConfig = true;
    EXPECT_EQ(cbDConfigPort(2, CBW32_PORT_B, CBW32_OUTPUT), CBW32_ERR_DEVICE);
    EXPECT_EQ(g_recorder.calls.size(), 1u) << "the group's configuration stops at the first refusal";
    cbw32::UseSimulatedBoard();
    g_recorder = Recorder{};
    g_recorder.lines = 8;
    ASSERT_EQ(cbw32::UseComedi(2, kRecorded), "");
    int type = -1;
    EXPECT_EQ(cbGetConfig(CBW32_INFO_BOARD, 2, 0, CBW32_ITEM_BOARD_TYPE, &type), CBW32_OK);
    EXPECT_EQ(type, 0) << "too few lines for the bus: a type the library refuses";
}

TEST(ComediDevice, AMissingDeviceIsToldWithTheSystemsReason) {
    cbw32sim::Configure({});
    FakeClock clock;
    FakeSleeper sleeper(clock);
    QString error;
    // The real Comedi library, on a device number no machine here has.
    EXPECT_EQ(ComediStation::Open(97, clock, sleeper, &error), nullptr);
    EXPECT_EQ(error, "The acquisition board's device /dev/comedi97 could not be opened:\n"
                     "No such file or directory");
    int type = -1;
    EXPECT_EQ(cbGetConfig(CBW32_INFO_BOARD, 0, 0, CBW32_ITEM_BOARD_TYPE, &type), CBW32_OK);
    EXPECT_EQ(type, 40) << "the simulated board still answers";
}

}  // namespace
}  // namespace velor::test
