#include "tools/vnqtool/SimulatedStationRun.h"

#include "document/Velor32Doc.h"
#include "instrument/motion/MotionConnection.h"

namespace vnqtool {

using namespace velor;

SimulatedStationRun::SimulatedStationRun(std::shared_ptr<const sim::BeamModel> source,
                                         const StationMeasurement& measurement)
    : m_measurement(measurement), m_motion(m_prompt, m_time, m_time) {
    ConnectSimulated(m_motion, m_stage);
    SimulatedBoardSettings board;
    // The detector head a source of this wavelength needs: InGaAs beyond 1 µm, else silicon.
    board.headType = measurement.wavelengthNm >= 1000.0f ? 0 : 1;
    board.storedDistanceCm = measurement.distanceCm + kApertureOffset;
    board.sweep = measurement.sweep;
    m_station = std::make_unique<SimulatedStation>(std::move(source), board, m_time, m_time, m_prompt,
                                                   [this] { return m_stage.Phi(); });
    m_instrument = std::make_unique<SessionInstrument>(
        SessionInstrument{m_station->Board(), m_motion, m_time, m_time});
    m_session = std::make_unique<ToolSession>(m_instrument.get());
}

SimulatedStationRun::~SimulatedStationRun() {
    m_session.reset();
    m_motion.Disconnect();
}

CVelor32Doc* SimulatedStationRun::Measure() {
    CVelor32Doc* doc = m_session->NewDocument();
    const StationMeasurement& m = m_measurement;
    doc->SetApertureSourceDistance(m.distanceCm);
    doc->SetWavelength(m.wavelengthNm);
    doc->ApplyScans3D(m.scans3D);
    doc->SetInstrumentFlag(true);
    if (!doc->InitInstrument()) return nullptr;
    doc->SetSignalGain(m.gain);
    doc->SetGainRanges(m.ranges);

    doc->Acquire3D();
    if (doc->m_b3DValid != 1) return nullptr;

    // The axes: the stage turned to phi by hand, the document told where it is.
    m_stage.SetPhi(m.phiDeg);
    doc->m_fPhi = m.phiDeg;
    doc->SetPhiPair(m.phiDeg);
    if (m.perpendicular) doc->OnPerpendicularAxes();
    doc->CaptureNow();
    return doc;
}

}  // namespace vnqtool
