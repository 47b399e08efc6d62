#pragma once
// Control of the simulated boards behind the cbw32 stand-in: their configuration, the captures
// the acquisition units hold, their registers as the board logic sees them, and a log of every
// driver call. Meant for tests and simulations; like the driver calls, not thread-safe.
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

// Power-on of both boards with the default configuration; empties the call log.
CBW32SIM_API void Reset();
// Applies a configuration and power-cycles the acquisition board; the digital I/O board, being
// in the PC, keeps its ports. Loaded samples are dropped; the call log is emptied.
CBW32SIM_API void Configure(const BoardConfig& config);
CBW32SIM_API const BoardConfig& Configuration();

CBW32SIM_API const std::vector<DriverCall>& CallLog();
CBW32SIM_API void ClearCallLog();

// The capture a unit reads out, one sample per read of +0 after a read-start pulse. A version-0
// unit delivers the low 8 bits of each sample; reads past the end give 0.
CBW32SIM_API void LoadSamples(int unit, std::vector<std::uint16_t> samples);
// Ends a capture in progress: status bit 0 clears.
CBW32SIM_API void FinishCapture(int unit);
// Sets the unit's over-scale latch, as a signal above full scale would.
CBW32SIM_API void RaiseOverScale(int unit);

CBW32SIM_API UnitState Unit(int unit);
CBW32SIM_API PortState Ports();

// "cbDOut(0, 12, 3) = 0": for failure messages.
CBW32SIM_API std::string Describe(const DriverCall& call);
CBW32SIM_API std::ostream& operator<<(std::ostream& out, const DriverCall& call);

}  // namespace cbw32sim
