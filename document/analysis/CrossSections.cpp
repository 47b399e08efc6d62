// Cross sections cut through the 3D data along two perpendicular great circles through a
// chosen direction: the 3D centroid, the brightest cell, or a direction the user gives.

#include <cmath>
#include <new>
#include <numbers>

#include "document/DocumentMessages.h"
#include "document/PeakFinder.h"
#include "document/Velor32Doc.h"
#include "document/analysis/PolarGrid.h"
#include "instrument/prelum/Prelum.h"

namespace velor {
namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

const QString kInvalidVector = QStringLiteral("Cross sections cannot be determined for this vector!");
const QString kInvalidVectorCaption = QStringLiteral("Invalid Vector Entry");

// (r, polar, azimuth) to a unit vector; false for a zero vector.
bool UnitVector(float r, float polar, float azimuth, float (&out)[3]) {
    float x = r, y = polar, z = azimuth;
    Prelum_ChangeSystem(0, 1, 1, &x, &y, &z);
    const double length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0.0)) return false;
    out[0] = static_cast<float>(x / length);
    out[1] = static_cast<float>(y / length);
    out[2] = static_cast<float>(z / length);
    return true;
}

}  // namespace

void CVelor32Doc::GetUserDirection(float* theta, float* phi) const {
    *theta = m_fUserTheta;
    *phi = m_fUserPhi;
}

void CVelor32Doc::SetUserDirection(float theta, float phi) {
    m_fUserTheta = theta;
    m_fUserPhi = phi;
}

bool CVelor32Doc::ComputeCrossSections(float offset) {
    Ensure3DAnalysis();
    const auto invalid = [this] {
        m_env.prompt.Message(kInvalidVector, kInvalidVectorCaption, PromptIcon::Exclamation);
        return false;
    };
    try {
        const PolarGrid grid =
            RegridScans(m_arrays.angleGrid.data(), m_arrays.data3D.data(), m_nScans3D);
        const float radius = m_fDistance + kRotationRadius;

        float direction[3] = {m_fCentroid[0], m_fCentroid[1], m_fCentroid[2]};
        bool valid = true;
        if (m_nCrossMode == 1) {
            // The brightest cell, the first of equal ones in storage order.
            size_t best = 0;
            float bestValue = 0.0f;
            for (size_t c = 0; c < grid.values.size(); ++c) {
                if (grid.values[c] > bestValue) {
                    bestValue = grid.values[c];
                    best = c;
                }
            }
            valid = UnitVector(radius, grid.polar[best % kPolarCount],
                               grid.azimuth[best / kPolarCount], direction);
        } else if (m_nCrossMode == 2) {
            valid = UnitVector(radius, static_cast<float>(m_fUserTheta / kDegreesPerRadian),
                               static_cast<float>(m_fUserPhi / kDegreesPerRadian), direction);
        } else {
            valid = direction[0] != 0.0f || direction[1] != 0.0f || direction[2] != 0.0f;
        }
        if (!valid) return invalid();

        float axes[2][3] = {{m_fAxisA[0], m_fAxisA[1], m_fAxisA[2]},
                            {m_fAxisB[0], m_fAxisB[1], m_fAxisB[2]}};
        if (offset != 0.0f) Prelum_RotateVectors(axes[0], axes[1], offset);

        std::vector<float> angles(2 * kSamplesPerProfile), values(2 * kSamplesPerProfile);
        for (int axis = 0; axis < 2; ++axis) {
            uint16_t count = 0;
            float planeAzimuth = 0.0f;
            if (!Prelum_ComputeIntersectionData(direction, axes[axis], grid.polar.data(),
                                                grid.values.data(), kPolarCount,
                                                grid.AzimuthCount(), kSamplesPerProfile, &count,
                                                angles.data(), values.data(), &planeAzimuth)) {
                return invalid();
            }
            count = std::min<uint16_t>(count, kSamplesPerProfile);
            std::copy_n(values.begin(), count, m_arrays.profile[axis].begin());
            std::copy_n(angles.begin(), count, m_arrays.profileAngles[axis].begin());
            m_nNumPoints[axis] = count;
            m_ranges.m_nAxisRanges[axis] = m_ranges.m_n3DRanges;
            m_fPhiAxis[axis] = static_cast<float>(planeAzimuth * kDegreesPerRadian);
            velor::FindPeak(m_arrays.profile[axis].data(), count, &m_fPeakValue[axis],
                            &m_nPeakIndex[axis]);
        }
        return true;
    } catch (const std::bad_alloc&) {
        m_env.prompt.FatalExit(msg::kNotEnoughMemory, kExitOutOfMemory);
    }
}

}  // namespace velor
