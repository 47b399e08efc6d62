#include "instrument/board/SimulatedUnit.h"

#include <exception>

#include "instrument/board/BoardTables.h"

namespace velor {

SimulatedUnit::SimulatedUnit(std::shared_ptr<const sim::BeamModel> source,
                             const SimulatedBoardSettings& settings,
                             const MillisecondClock& clock, StageAzimuth stage)
    : m_source(std::move(source)),
      m_settings(settings),
      m_clock(clock),
      m_stage(std::move(stage)),
      m_rng(settings.sweep.seed) {}

cbw32sim::Capture SimulatedUnit::Sweep(const cbw32sim::CaptureSettings& settings) noexcept {
    ++m_captures;
    cbw32sim::Capture capture;
    capture.durationMs = sim::SweepTimeMs(board::HeadFromCode(static_cast<uint16_t>(settings.head)).pulsed);
    // The unit is inside a driver call: nothing may escape from here. A sweep that cannot be
    // had leaves the capture without samples, and the reason for the station to tell.
    try {
        const double phi = m_stage ? m_stage() : board::AzimuthFromFine(settings.fine);
        const sim::RawSweep sweep = sim::DetectorSweep(
            m_source.get(), phi, board::GainFromWord(settings.gainWord), m_settings, m_rng);
        capture.samples.assign(sweep.begin(), sweep.end());
        m_failure.clear();
    } catch (const std::exception& e) {
        capture.samples.clear();
        m_failure = e.what();
    } catch (...) {
        capture.samples.clear();
        m_failure = "unknown failure";
    }
    return capture;
}

}  // namespace velor
