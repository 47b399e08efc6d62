#include "document/simulation/SimulatedMeasurement.h"

#include <algorithm>
#include <random>

#include "document/Velor32Doc.h"

namespace velor {

bool SimulateMeasurement(CVelor32Doc& doc, const sim::BeamModel& model,
                         const SimulationOptions& options) {
    if (!IsAllowedScans3D(options.scans3D) || !(options.distanceCm >= 0.0f && options.distanceCm <= 100.0f) ||
        !(options.phiDeg >= 0.0f && options.phiDeg < 360.0f)) {
        return false;
    }
    doc.m_nScans3D = options.scans3D;
    doc.SetApertureSourceDistance(options.distanceCm);
    doc.SetWavelength(options.wavelengthNm);
    // The detector head a source of this wavelength needs: InGaAs beyond 1 µm, else silicon.
    doc.m_nHeadType = options.wavelengthNm >= 1000.0f ? 0 : 1;
    doc.m_nSignalGain = options.gain;
    std::mt19937 rng(options.sweep.seed);

    // The 3D run: scan k at azimuth k · 180 / N, each processed as axis 0.
    const int n = options.scans3D;
    float noiseMax = 0.0f;
    for (int k = 0; k <= n; ++k) {
        const double phi = k * 180.0 / n;
        doc.SetPhiPair(static_cast<float>(phi));
        const sim::RawSweep sweep = sim::SimulateSweep(model, phi, doc.m_fDistance, options.sweep, rng);
        doc.TakeSweeps(sweep, {});
        std::copy_n(doc.GetProfileData(0), kSamplesPerProfile,
                    doc.Get3DData() + static_cast<size_t>(k) * kSamplesPerProfile);
        doc.GetScanNoise()[k] = doc.m_fNoise[0];
        noiseMax = std::max(noiseMax, doc.m_fNoise[0]);
    }
    doc.SetMeasured3DNoise(noiseMax);
    doc.m_n3DGain = options.gain;
    doc.m_b3DValid = 1;

    // The axes themselves.
    doc.m_fPhi = options.phiDeg;
    doc.SetPhiPair(options.phiDeg);
    if (options.perpendicular) doc.OnPerpendicularAxes();
    const sim::RawSweep axis0 =
        sim::SimulateSweep(model, options.phiDeg, doc.m_fDistance, options.sweep, rng);
    if (options.perpendicular) {
        const sim::RawSweep axis1 =
            sim::SimulateSweep(model, options.phiDeg + 90.0, doc.m_fDistance, options.sweep, rng);
        doc.TakeSweeps(axis0, axis1);
    } else {
        doc.TakeSweeps(axis0, {});
    }

    // As a 3D acquisition ends: analysis, cone power, and the first calibration point.
    doc.Analyse3dData();
    doc.ComputeConePower();
    if (doc.m_fCalCounts == 0.0f) {
        doc.m_fCalCounts = doc.GetConePower()[kConePowerCount - 1];
        doc.m_nCalGain = doc.m_nSignalGain;
    }
    doc.RecomputeIntensityFactor();
    doc.SetModifiedFlag(true);
    return true;
}

}  // namespace velor
