// The 3D analysis of the azimuth scans: centroid direction, principal axes and the power in
// cones about the centroid (through the 3D computation component), the beam's second-moment
// shape, the power in cones about the optical axis, and the thinned copy of the data the 3D
// views draw.

#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>

#include "document/DocumentMessages.h"
#include "document/Velor32Doc.h"
#include "document/analysis/PolarGrid.h"
#include "instrument/prelum/Prelum.h"

namespace velor {
namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// Counts at the detector to power at the source: the 3D gain undone, the sphere's radius
// (distance plus arm) squared.
double PowerScale(uint16_t gain3D, float storedDistance) {
    const double r = storedDistance + kRotationRadius;
    return std::pow(10.0, -gain3D / 20.0) * r * r;
}

double Length(const float vector[3]) {
    return std::sqrt(vector[0] * vector[0] + vector[1] * vector[1] + vector[2] * vector[2]);
}

// The data set's centroid vector as the component gives it; false when there is none or it
// points nowhere. The analysis takes nothing (the beam shape included) from a data set
// without one.
bool HasCentroid(const PolarGrid& grid, float centroid[3]) {
    return Prelum_ComputeCentroidPosition(grid.AzimuthCount(), kPolarCount, grid.polar.data(),
                                          grid.values.data(), centroid) &&
           Length(centroid) > 0.0;
}

}  // namespace

bool CVelor32Doc::Analyse3dData() {
    try {
        const PolarGrid grid =
            RegridScans(m_arrays.angleGrid.data(), m_arrays.data3D.data(), m_nScans3D);
        const int azimuths = grid.AzimuthCount();
        // Taken only with the rest of the analysis: a data set it refuses changes nothing.
        const BeamShape shape = ComputeBeamShape(grid);

        float centroid[3];
        if (!HasCentroid(grid, centroid)) return false;
        float r = centroid[0], theta = centroid[1], phi = centroid[2];
        Prelum_ChangeSystem(1, 1, 1, &r, &theta, &phi);
        float thetaC = static_cast<float>(theta * kDegreesPerRadian);
        float phiC = static_cast<float>(phi * kDegreesPerRadian);

        float axisA[3], axisB[3];
        Prelum_FindTwoAxis(kPolarCount, azimuths, grid.polar.data(), grid.values.data(),
                           centroid[0], centroid[1], centroid[2], axisA, axisB);

        const double length = Length(centroid);
        for (float& c : centroid) c = static_cast<float>(c / length);

        std::vector<float> power(kCentroidPowerCapacity, 0.0f);
        uint16_t count = 0;
        const auto threshold = static_cast<int16_t>(std::trunc(m_f3DNoiseMax));
        Prelum_ComputePower(azimuths, kPolarCount, grid.polar.data(), grid.values.data(),
                            static_cast<float>(thetaC / kDegreesPerRadian),
                            static_cast<float>(phiC / kDegreesPerRadian), threshold, &count,
                            power.data());
        count = std::min<uint16_t>(count, kCentroidPowerCapacity);
        const double scale = PowerScale(m_n3DGain, m_fDistance);
        m_arrays.centroidPower.assign(count, 0.0f);
        for (int i = 0; i < count; ++i) {
            m_arrays.centroidPower[i] = static_cast<float>(power[i] * scale);
        }
        m_nCentroidPowerCount = count;

        // Shown as a signed polar angle in a half plane of azimuths.
        if (phiC > 180.0f) {
            phiC -= 180.0f;
            thetaC = -thetaC;
        }
        std::copy(centroid, centroid + 3, m_fCentroid);
        std::copy(axisA, axisA + 3, m_fAxisA);
        std::copy(axisB, axisB + 3, m_fAxisB);
        m_fCentroidAngles[0] = thetaC;
        m_fCentroidAngles[1] = phiC;
        m_beamShape = shape;
        return true;
    } catch (const std::bad_alloc&) {
        m_env.prompt.FatalExit(msg::kNotEnoughMemory, kExitOutOfMemory);
    }
}

void CVelor32Doc::Ensure3DAnalysis() const {
    if (!m_b3DAnalysisPending) return;
    // Documents are never const objects: a const reader completes the document's own cache.
    auto* self = const_cast<CVelor32Doc*>(this);
    self->m_b3DAnalysisPending = false;
    self->Analyse3dData();
    self->ComputeConePower();
}

void CVelor32Doc::EnsureBeamShape() const {
    if (!PrepareBeamShape()) m_env.prompt.FatalExit(msg::kNotEnoughMemory, kExitOutOfMemory);
}

bool CVelor32Doc::PrepareBeamShape() const {
    if (!m_b3DAnalysisPending || m_bBeamShapeReady) return true;
    auto* self = const_cast<CVelor32Doc*>(this);
    try {
        const PolarGrid grid =
            RegridScans(m_arrays.angleGrid.data(), m_arrays.data3D.data(), m_nScans3D);
        float centroid[3];
        if (HasCentroid(grid, centroid)) self->m_beamShape = ComputeBeamShape(grid);
        self->m_bBeamShapeReady = true;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void CVelor32Doc::ComputeConePower() {
    const int n = m_nScans3D;
    const float* theta = m_arrays.angleGrid.data();
    std::vector<double> cone(kConePowerCount, 0.0);
    // What a sample's weight takes from its angle alone, the same for every scan: worked out
    // once, and used in the order the sum has always had, so the powers keep their last bit.
    std::vector<float> sine(kSamplesPerProfile);
    std::vector<double> span(kSamplesPerProfile);
    for (int j = 0; j < kSamplesPerProfile; ++j) {
        sine[j] = std::fabs(std::sin(theta[j]));
        if (j == 0) {
            span[j] = std::fabs(static_cast<double>(theta[1]) - theta[0]) / 2.0;
        } else if (j == kSamplesPerProfile - 1) {
            span[j] = std::fabs(static_cast<double>(theta[j]) - theta[j - 1]) / 2.0;
        } else {
            span[j] = std::fabs(static_cast<double>(theta[j + 1]) - theta[j - 1]) / 2.0;
        }
    }
    // The scan at 180° repeats the one at 0° seen from the other side: it is left out.
    for (int k = 0; k < n; ++k) {
        const float* scan = m_arrays.data3D.data() + static_cast<size_t>(k) * kSamplesPerProfile;
        for (int j = 0; j < kSamplesPerProfile; ++j) {
            const double v = std::max(0.0, static_cast<double>(scan[j]) - m_f3DNoiseMax);
            cone[std::abs(j - kCentreSample)] += sine[j] * v * span[j];
        }
    }
    const double scale = PowerScale(m_n3DGain, m_fDistance) * std::numbers::pi / n;
    double total = 0.0;
    for (int i = 0; i < kConePowerCount; ++i) {
        total += cone[i] * scale;
        m_arrays.conePower[i] = static_cast<float>(total);
    }
}

bool CVelor32Doc::GetSampled3dData(int resolution, Sampled3dData& out) const {
    int step;
    switch (resolution) {
        case 0: step = 27; break;
        case 1: step = 12; break;
        case 2: step = 6; break;
        default: return false;
    }
    const int n = m_nScans3D;
    const int thetaCount = (kSamplesPerProfile - 1) / step + 1;
    out.theta.resize(thetaCount);
    out.phi.resize(n + 1);
    out.values.resize(static_cast<size_t>(thetaCount) * (n + 1));
    for (int i = 0; i < thetaCount; ++i) {
        out.theta[i] = static_cast<float>(m_arrays.angleGrid[i * step] * kDegreesPerRadian);
    }
    for (int k = 0; k <= n; ++k) out.phi[k] = static_cast<float>(k * std::numbers::pi / n);
    for (int i = 0; i < thetaCount; ++i) {
        for (int k = 0; k <= n; ++k) {
            const float v = m_arrays.data3D[static_cast<size_t>(k) * kSamplesPerProfile + i * step];
            out.values[static_cast<size_t>(i) * (n + 1) + k] = std::max(v, 0.0f);
        }
    }
    return true;
}

}  // namespace velor
