#include "AcquisitionUnit.h"

#include <utility>

namespace cbw32sim {

namespace {

constexpr int kSampleLow = 0;
constexpr int kStatus = 2;
constexpr int kModeFirst = 3;
constexpr int kSampleHigh = 6;
constexpr int kModeSecond = 7;
constexpr std::uint8_t kModeSet = 0x80;

// Control lines (register +1).
constexpr std::uint8_t kReadStart = 0x01;  // pulsed low
constexpr std::uint8_t kArm = 0x02;        // pulsed low
constexpr std::uint8_t kGainData = 0x10;
constexpr std::uint8_t kGainClock = 0x20;       // shifts on the rising edge
constexpr std::uint8_t kGainLoad = 0x40;        // latches on the rising edge
constexpr std::uint8_t kOverScaleReset = 0x80;  // clears on the rising edge

}  // namespace

void AcquisitionUnit::PowerOn(const UnitConfig& config, int index) {
    SweepSource* const source = m_source;
    *this = AcquisitionUnit{};
    m_source = source;
    m_index = index;
    m_config = config;
    m_first.PowerOn();
    m_second.PowerOn();
    m_controlLines = m_first.Lines(ParallelInterface::kPortB);
}

void AcquisitionUnit::Write(int offset, std::uint8_t value) {
    if (offset == kModeFirst || offset == kModeSecond) {
        // The bit set/reset form (bit 7 clear) is never used on this board: it changes nothing.
        if ((value & kModeSet) == 0) return;
        (offset == kModeFirst ? m_first : m_second).SetMode(value);
    } else if (offset < kModeFirst) {
        m_first.WriteLatch(offset, value);
    } else {
        m_second.WriteLatch(offset - 4, value);
    }
    // A mode word clears the control latch too, so its lines can move on either interface write.
    if (offset <= kModeFirst) ControlLinesChanged();
}

std::optional<std::uint8_t> AcquisitionUnit::StrobedRead(int offset) {
    if (offset == kModeFirst || offset == kModeSecond) return std::nullopt;
    Settle();
    if (offset < kModeFirst) {
        std::uint8_t inputs = 0xFF;
        if (!m_first.IsInput(offset)) return m_first.Read(offset, inputs);
        if (offset == kSampleLow) inputs = TakeSampleLow();
        if (offset == kStatus) inputs = Status();
        return m_first.Read(offset, inputs);
    }
    const int port = offset - 4;
    std::uint8_t inputs = 0xFF;
    if (offset == kSampleHigh && SampleHighWired() && m_second.IsInput(port)) {
        inputs = SampleHigh();
    }
    return m_second.Read(port, inputs);
}

std::optional<std::uint8_t> AcquisitionUnit::UnstrobedRead(int offset) {
    Settle();
    if (offset == kSampleLow && m_first.IsInput(ParallelInterface::kPortA)) {
        return TakeSampleLow();
    }
    if (offset == kSampleHigh && SampleHighWired() && m_second.IsInput(ParallelInterface::kPortC)) {
        return SampleHigh();
    }
    return std::nullopt;
}

void AcquisitionUnit::LoadSamples(std::vector<std::uint16_t> samples) {
    m_samples = std::move(samples);
    m_readPosition = 0;
}

void AcquisitionUnit::FinishCapture() {
    if (m_busy && m_source != nullptr) TakeCapture();
    m_busy = false;
}

void AcquisitionUnit::StartCapture() {
    m_busy = true;
    m_busyReadsLeft = m_config.busyStatusReads;
    ++m_armPulses;
    if (m_source == nullptr) return;
    // The sweep runs under the settings in force at the arm pulse. Until it ends the memory
    // holds nothing readable.
    CaptureSettings settings;
    settings.unit = m_index;
    settings.version = m_config.version;
    settings.head = m_config.head;
    settings.gainWord = m_gain;
    settings.fine = ((m_second.Lines(ParallelInterface::kPortB) & 0x0F) << 8) |
                    m_second.Lines(ParallelInterface::kPortA);
    settings.slitSelected = (m_second.Lines(ParallelInterface::kPortB) & 0x80) == 0;
    settings.option = m_second.Lines(ParallelInterface::kPortC);
    m_captureStart = m_source->NowMs();
    m_capture = m_source->Sweep(settings);
    m_samples.clear();
    m_readPosition = 0;
}

void AcquisitionUnit::Settle() {
    if (!m_busy || m_source == nullptr) return;
    // Unsigned difference: the clock may wrap during a capture.
    if (static_cast<std::uint32_t>(m_source->NowMs() - m_captureStart) < m_capture.durationMs) {
        return;
    }
    TakeCapture();
    m_busy = false;
}

void AcquisitionUnit::TakeCapture() {
    m_samples = std::move(m_capture.samples);
    m_capture = Capture{};
    // A version-0 unit converts to eight bits: the top ones of a 16-bit count.
    if (m_config.version == 0) {
        for (std::uint16_t& sample : m_samples) sample = static_cast<std::uint16_t>(sample / 257);
    }
    m_readPosition = 0;
}

UnitState AcquisitionUnit::State() const {
    UnitState state;
    state.modeA = m_first.Mode();
    state.modeB = m_second.Mode();
    state.control = m_controlLines;
    state.fineLow = m_second.Lines(ParallelInterface::kPortA);
    state.slit = m_second.Lines(ParallelInterface::kPortB);
    state.option = m_second.Lines(ParallelInterface::kPortC);
    state.gainShift = m_gainShift;
    state.gain = m_gain;
    state.busy = m_busy;
    state.overScale = m_overScale;
    state.armPulses = m_armPulses;
    state.readStarts = m_readStarts;
    state.gainLoads = m_gainLoads;
    state.readPosition = m_readPosition;
    state.sampleCount = m_samples.size();
    return state;
}

void AcquisitionUnit::ControlLinesChanged() {
    const std::uint8_t lines = m_first.Lines(ParallelInterface::kPortB);
    const std::uint8_t fell = m_controlLines & ~lines;
    const std::uint8_t rose = ~m_controlLines & lines;
    m_controlLines = lines;
    if (fell & kReadStart) {
        m_readPosition = 0;
        ++m_readStarts;
    }
    if (fell & kArm) StartCapture();
    if (rose & kGainClock) {
        m_gainShift =
            static_cast<std::uint16_t>((m_gainShift << 1) | ((lines & kGainData) ? 1 : 0));
    }
    if (rose & kGainLoad) {
        m_gain = m_gainShift;
        ++m_gainLoads;
    }
    if (rose & kOverScaleReset) m_overScale = false;
}

std::uint8_t AcquisitionUnit::Status() {
    // Without a source the capture ends after the configured number of status reads; negative
    // waits for FinishCapture.
    if (m_source != nullptr) {
        Settle();
    } else if (m_busy && m_busyReadsLeft == 0) {
        m_busy = false;
    } else if (m_busy && m_busyReadsLeft > 0) {
        --m_busyReadsLeft;
    }
    return static_cast<std::uint8_t>((m_busy ? 0x01 : 0x00) | ((m_config.version & 3) << 1) |
                                     (m_overScale ? 0x08 : 0x00) | ((m_config.head & 0xF) << 4));
}

std::uint8_t AcquisitionUnit::TakeSampleLow() {
    if (m_readPosition >= m_samples.size()) return 0;
    return static_cast<std::uint8_t>(m_samples[m_readPosition++] & 0xFF);
}

std::uint8_t AcquisitionUnit::SampleHigh() const {
    if (m_readPosition >= m_samples.size()) return 0;
    return static_cast<std::uint8_t>(m_samples[m_readPosition] >> 8);
}

}  // namespace cbw32sim
