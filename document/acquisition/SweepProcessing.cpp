// Turning raw sweeps into profiles: dark offset and noise from the dark window, the sweep
// reversed onto the angle grid, the peak, the saturation test and the corrections. Profiles
// loaded from a file take the same path with the stored-profile flag set: they are already
// processed and are copied unchanged.

#include <algorithm>

#include "document/DocumentMessages.h"
#include "document/acquisition/DarkLevel.h"
#include "document/PeakFinder.h"
#include "document/Velor32Doc.h"

namespace velor {
namespace {

constexpr float kFullScale = 65535.0f;

}  // namespace

int CVelor32Doc::ProcessSweeps() {
    int result = 1;
    for (int axis = 0; axis < 2; ++axis) {
        const uint16_t count = m_nRawCount[axis];
        if (count == 0) continue;
        const float* raw = m_arrays.rawSweep[axis].data();
        float* profile = m_arrays.profile[axis].data();

        float offset = m_fOffset[axis];
        if (!m_bStoredProfile) {
            const DarkLevel dark = DarkLevelOf(raw);
            offset = dark.offset;
            m_fOffset[axis] = offset;
            m_fNoise[axis] = dark.noise;
            // The arm sweeps from +90° to −90°: reverse onto the grid.
            for (int j = 0; j < kSamplesPerProfile; ++j) {
                profile[j] = raw[kSamplesPerProfile - 1 - j] - offset;
            }
        } else {
            std::copy(raw, raw + kSamplesPerProfile, profile);
        }

        m_nNumPoints[axis] = std::min<uint16_t>(count, kSamplesPerProfile);
        m_nRawCount[axis] = 0;
        if (!m_bStoredProfile) {
            m_ranges.m_nAxisRanges[axis] = m_nRawRanges[axis];
            m_ranges.m_nProfileGain = m_nSignalGain;
        }
        velor::FindPeak(profile, m_nNumPoints[axis], &m_fPeakValue[axis], &m_nPeakIndex[axis]);

        m_bSaturated = (offset + m_fPeakValue[axis] >= kFullScale) ? 1 : 0;
        if (m_bSaturated) result = -1;

        if (!m_bStoredProfile) {
            if (m_bPulsed) ApplyPulsedEnvelope(profile, m_nNumPoints[axis], m_fSourceFreq);
            ApplyCorrections(axis, profile);
        }
        velor::FindPeak(profile, m_nNumPoints[axis], &m_fPeakValue[axis], &m_nPeakIndex[axis]);
    }
    if (result == -1) {
        m_env.prompt.ShowSaturationNotice(msg::kSignalSaturated);
        m_bShowsSaturationNotice = true;
    } else {
        m_env.prompt.CloseSaturationNotice();
        m_bShowsSaturationNotice = false;
    }
    // Sweeps from the board are a measurement the user has not saved yet.
    if (!m_bStoredProfile) {
        m_bMeasured = 1;
        SetModifiedFlag(true);
    }
    return result;
}

int CVelor32Doc::TakeSweeps(std::span<const uint16_t> axis0, std::span<const uint16_t> axis1) {
    const std::span<const uint16_t> sweeps[2] = {axis0, axis1};
    for (int axis = 0; axis < 2; ++axis) {
        const size_t count = std::min<size_t>(sweeps[axis].size(), kSamplesPerSweep);
        std::copy_n(sweeps[axis].begin(), count, m_arrays.rawSweep[axis].begin());
        m_nRawCount[axis] = static_cast<uint16_t>(count);
        m_nRawRanges[axis] = 1;
    }
    return ProcessSweeps();
}

int CVelor32Doc::StoreProfiles(std::span<const float> axis0, std::span<const float> axis1) {
    const std::span<const float> profiles[2] = {axis0, axis1};
    uint16_t counts[2];
    for (int axis = 0; axis < 2; ++axis) {
        counts[axis] = static_cast<uint16_t>(std::min<size_t>(profiles[axis].size(), kSamplesPerProfile));
        std::copy_n(profiles[axis].begin(), counts[axis], m_arrays.rawSweep[axis].begin());
    }
    return ProcessStoredProfiles(counts[0], counts[1]);
}

int CVelor32Doc::ProcessStoredProfiles(uint16_t count0, uint16_t count1) {
    m_nRawCount[0] = count0;
    m_nRawCount[1] = count1;
    m_bStoredProfile = 1;
    const int result = ProcessSweeps();
    m_bStoredProfile = 0;
    return result;
}

}  // namespace velor
