#pragma once
// Control of the simulated boards behind the cbw32 stand-in: their configuration, the captures
// the acquisition units hold or take from a sweep source, their registers as the board logic
// sees them, and a log of the driver calls. Meant for tests and simulations; like the driver
// calls, not thread-safe.
//
// The acquisition board carries up to four units of eight registers at bus addresses 0x40, 0x48,
// 0x60 and 0x68. A register write happens when the write strobe falls (port C low going from 3
// to 1) and takes the data from port A; a read strobe (port C low going from 3 to 2) makes the
// addressed register drive the data bus, which keeps the last value driven on it. The sample
// read-out also answers a read of port A without a strobe while +0 (or +6 on versions 1 and 3)
// is addressed: that is what makes reading a sample a single driver call.

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#define CBW32SIM_API __attribute__((visibility("default")))

namespace cbw32sim {

inline constexpr int kUnitCount = 4;

struct UnitConfig {
    bool present = true;
    int version = 0;  // status bits 1-2, 0 to 3
    int head = 0;     // status bits 4-7, 0 to 15
    // Status reads that still report busy after an arm pulse; negative: busy until
    // FinishCapture. 0 completes a capture before the next status read.
    int busyStatusReads = 0;
};

struct BoardConfig {
    int boardNumber = 0;  // the only board number the driver answers to
    int boardType = 40;   // cbGetConfig's board type
    int configError = 0;  // nonzero: every cbGetConfig fails with this code
    std::array<UnitConfig, kUnitCount> units{};
};

enum class Function { GetConfig, DConfigPort, DOut, DIn };

struct DriverCall {
    Function function = Function::DOut;
    int board = 0;
    int port = 0;      // port number; for cbGetConfig the configuration item
    int value = 0;     // direction, value written, value read, or configuration value returned
    int result = 0;    // the call's return code
    int infoType = 0;  // cbGetConfig only
    int device = 0;    // cbGetConfig only

    bool operator==(const DriverCall&) const = default;
};

// What an armed unit's registers set up for its capture.
struct CaptureSettings {
    int unit = 0;
    int version = 0;
    int head = 0;
    std::uint16_t gainWord = 0;  // the gain shift register as last loaded
    int fine = 0;                // the 12-bit fine value of +4 and +5
    bool slitSelected = false;
    std::uint8_t option = 0;     // +6 on version 0
};

// One capture: the sweep in counts of a 16-bit converter (a version-0 unit keeps the top
// eight bits of each), and how long the unit stays busy taking it. No samples: the capture
// failed and the unit reads out nothing from it.
struct Capture {
    std::vector<std::uint16_t> samples;
    std::uint32_t durationMs = 0;
};

// The detector and the sweep mechanics behind a unit. A unit with a source takes a capture
// from it at each arm pulse and stays busy for the capture's duration on the source's clock;
// the samples become readable when it ends. A unit without one reads out what LoadSamples gave
// it and is busy for UnitConfig::busyStatusReads.
class SweepSource {
public:
    virtual ~SweepSource() = default;
    virtual std::uint32_t NowMs() const = 0;
    virtual Capture Sweep(const CaptureSettings& settings) noexcept = 0;
};

// The acquisition board's view of one unit: the lines its logic sees (an output latch, or
// pulled high where the port is an input) and its internal state.
struct UnitState {
    std::uint8_t modeA = 0;    // last mode word of registers +0 to +3
    std::uint8_t modeB = 0;    // last mode word of registers +4 to +7
    std::uint8_t control = 0;  // lines of +1
    std::uint8_t fineLow = 0;  // lines of +4
    std::uint8_t slit = 0;     // lines of +5
    std::uint8_t option = 0;   // lines of +6 (the option register on version 0)
    std::uint16_t gainShift = 0;
    std::uint16_t gain = 0;  // the shift register's value at the last load pulse
    bool busy = false;
    bool overScale = false;
    int armPulses = 0;
    int readStarts = 0;
    int gainLoads = 0;
    std::size_t readPosition = 0;  // next sample of the read-out
    std::size_t sampleCount = 0;

    int Fine() const { return ((slit & 0x0F) << 8) | fineLow; }
    bool SlitSelected() const { return (slit & 0x80) == 0; }
    bool MotorOn() const { return (control & 0x04) != 0; }
};

// The digital I/O board's ports A, B, C low and C high, and the data bus it shares.
struct PortState {
    std::array<int, 4> direction{};  // CBW32_OUTPUT or CBW32_INPUT
    std::array<std::uint8_t, 4> output{};
    std::uint8_t dataBus = 0;  // last value driven on the data lines
};

// Power-on of both boards with the default configuration; detaches the sweep sources and
// empties the call log. The board library keeps its own record of the port directions, which
// a power-on of the ports makes wrong until the library next changes the data direction: a
// program that keeps using the library configures instead.
CBW32SIM_API void Reset();
// Applies a configuration and power-cycles the acquisition board; the digital I/O board, being
// in the PC, keeps its ports, and the units keep their sweep sources. Loaded samples are
// dropped; the call log is emptied.
CBW32SIM_API void Configure(const BoardConfig& config);
CBW32SIM_API const BoardConfig& Configuration();

// The source a unit captures from; null detaches. The source must outlive its attachment.
CBW32SIM_API void AttachSource(int unit, SweepSource* source);

// The log of driver calls is kept only while logging is on (it is off at load): a sweep read
// out is tens of thousands of calls, which only a test wants to see one by one.
CBW32SIM_API void SetCallLogging(bool on);
CBW32SIM_API const std::vector<DriverCall>& CallLog();
CBW32SIM_API void ClearCallLog();
// Driver calls made since load, logged or not.
CBW32SIM_API std::uint64_t CallCount();

// The capture a unit reads out, one sample per read of +0 after a read-start pulse. A version-0
// unit delivers the low 8 bits of each sample; reads past the end give 0.
CBW32SIM_API void LoadSamples(int unit, std::vector<std::uint16_t> samples);
// Ends a capture in progress at once: status bit 0 clears and a source's samples are in.
CBW32SIM_API void FinishCapture(int unit);
// Sets the unit's over-scale latch, as a signal above full scale would.
CBW32SIM_API void RaiseOverScale(int unit);

CBW32SIM_API UnitState Unit(int unit);
CBW32SIM_API PortState Ports();

// "cbDOut(0, 12, 3) = 0": for failure messages.
CBW32SIM_API std::string Describe(const DriverCall& call);
CBW32SIM_API std::ostream& operator<<(std::ostream& out, const DriverCall& call);

}  // namespace cbw32sim
