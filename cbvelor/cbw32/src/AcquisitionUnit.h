#pragma once
// One acquisition unit: registers +0 to +3 on one parallel interface and +4 to +7 on another,
// and the board logic behind them: the control lines (read start, arm, motor, the gain shift
// register, over-scale reset), the status byte and the sample read-out.

#include <cstdint>
#include <optional>
#include <vector>

#include "ParallelInterface.h"
#include "cbw32/Cbw32Sim.h"

namespace cbw32sim {

class AcquisitionUnit {
public:
    static constexpr int kRegisterCount = 8;

    // Power-up with a new configuration; drops the loaded samples, keeps the sweep source.
    void PowerOn(const UnitConfig& config, int index);
    void AttachSource(SweepSource* source) { m_source = source; }
    bool Present() const { return m_config.present; }

    // A write strobe with the register offset and the byte on the data bus.
    void Write(int offset, std::uint8_t value);
    // A read strobe: the byte the register drives onto the bus, none for the mode registers.
    std::optional<std::uint8_t> StrobedRead(int offset);
    // A read of the data port without a strobe: only the sample read-out answers.
    std::optional<std::uint8_t> UnstrobedRead(int offset);

    void LoadSamples(std::vector<std::uint16_t> samples);
    void FinishCapture();
    void RaiseOverScale() { m_overScale = true; }
    UnitState State() const;

private:
    void ControlLinesChanged();
    void StartCapture();
    // Ends a source's capture once its time is up: its samples become the read-out.
    void Settle();
    void TakeCapture();
    std::uint8_t Status();
    std::uint8_t TakeSampleLow();
    std::uint8_t SampleHigh() const;
    bool SampleHighWired() const { return m_config.version != 0; }

    UnitConfig m_config;
    int m_index = 0;
    SweepSource* m_source = nullptr;
    Capture m_capture;  // taken at the arm pulse, read out once it ends
    std::uint32_t m_captureStart = 0;
    ParallelInterface m_first;   // +0 sample low, +1 control, +2 status, +3 mode
    ParallelInterface m_second;  // +4 fine low, +5 slit, +6 option or sample high, +7 mode
    std::uint8_t m_controlLines = 0xFF;
    std::uint16_t m_gainShift = 0;
    std::uint16_t m_gain = 0;
    bool m_busy = false;
    int m_busyReadsLeft = 0;
    bool m_overScale = false;
    int m_armPulses = 0;
    int m_readStarts = 0;
    int m_gainLoads = 0;
    std::vector<std::uint16_t> m_samples;
    std::size_t m_readPosition = 0;
};

}  // namespace cbw32sim
