// The document's section of a data or configuration file: the settings record, then (data
// files only) both profiles, the N + 1 azimuth scans and their noise levels.

#include <algorithm>
#include <array>
#include <cstring>

#include "document/SettingsLimits.h"
#include "document/Velor32Doc.h"
#include "document/file/FileHeader.h"
#include "document/file/FileMessages.h"

namespace velor {
namespace {

constexpr uint16_t kProfileBytes = kSamplesPerProfile * sizeof(float);
static_assert(kProfileBytes == 12964);

// Per-scan noise length as the format defines it: in 16-bit arithmetic.
uint16_t NoiseArrayBytes(uint16_t scans3D) {
    return static_cast<uint16_t>((scans3D + 1) * 4);
}

// Files from 4.0.2 on carry the per-scan noise array. Older major versions never wrote it.
bool CarriesScanNoise(uint32_t fileVersion) {
    return VersionMajor(fileVersion) >= 4 && VersionAtLeast(fileVersion, 4, 0, 2);
}

}  // namespace

int CVelor32Doc::WriteDocumentSection(SerializeContext& context) {
    Archive& archive = context.archive;
    const CVelor32DocLSData& settings = Settings();
    if (!WriteBlock(archive, &settings, sizeof settings)) return 0;
    if (context.fileType == kFileTypeConfig) return 1;

    for (int axis = 0; axis < 2; ++axis) {
        if (!WriteBlock(archive, m_arrays.profile[axis].data(), kProfileBytes)) return 0;
    }
    for (int k = 0; k <= m_nScans3D; ++k) {
        const float* scan = m_arrays.data3D.data() + static_cast<size_t>(k) * kSamplesPerProfile;
        if (!WriteBlock(archive, scan, kProfileBytes)) return 0;
    }
    const uint16_t noiseBytes = NoiseArrayBytes(m_nScans3D);
    if (WriteBlock(archive, m_arrays.scanNoise.data(), noiseBytes) != noiseBytes) return 0;
    SetModifiedFlag(false);
    return 1;
}

int CVelor32Doc::ReadDocumentSection(SerializeContext& context) {
    Archive& archive = context.archive;

    // 1. Settings, committed only when the block is sound.
    CVelor32DocLSData copy = Settings();
    if (ReadBlock(archive, &copy, sizeof copy) == 0) return 0;
    // Values no dialog or setter can produce are refused like damage: a scan count of 0 would
    // leave the 3D analysis dividing by it, a distance of NaN the whole angle grid undefined.
    if (!CheckLoadedSettings(copy)) return 0;
    Settings() = copy;

    // 2. Arrays and grid for the new settings. A data file's scans are read straight into
    // their place, so only a configuration file's are cleared.
    AllocateArrays(context.fileType == kFileTypeConfig ? ScanContents::Cleared : ScanContents::FilledByCaller);
    SetPhiPair(m_fPhi);
    StopCapture();
    SetModifiedFlag(false);
    RefreshStatusBar();

    // 3. A configuration file carries settings only.
    if (context.fileType == kFileTypeConfig) {
        if (m_nUnits == 2) m_nUnits = 0;
        m_bNeedsInit = 1;
        m_b3DValid = 0;
        return 1;
    }

    // 4. The two stored profiles go through the processing chain unchanged. They are read
    // into the raw sweep buffers, which processing takes them from.
    int result = 1;
    uint16_t lengths[2];
    for (int axis = 0; axis < 2; ++axis) {
        lengths[axis] = ReadBlock(archive, m_arrays.rawSweep[axis].data(), kProfileBytes);
    }
    if (lengths[0] == 0 || lengths[1] == 0) {
        m_env.prompt.Show(PromptMessage{filemsg::kCouldNotReadFile, filemsg::kFileErrorCaption,
                                        PromptIcon::Question, PromptButtons::Ok, true});
        result = 2;
    } else {
        // A longer block is cut to a profile's worth of samples; the bytes of a sample cut
        // short are not a sample, and the buffer stays clear beyond the whole ones.
        uint16_t counts[2];
        for (int axis = 0; axis < 2; ++axis) {
            counts[axis] = std::min<uint16_t>(lengths[axis] / 4, kSamplesPerProfile);
            const size_t whole = counts[axis] * sizeof(float);
            const size_t stored = std::min<size_t>(lengths[axis], kProfileBytes);
            std::memset(reinterpret_cast<char*>(m_arrays.rawSweep[axis].data()) + whole, 0, stored - whole);
        }
        ProcessStoredProfiles(counts[0], counts[1]);
    }

    // 5. The instrument is set up afresh before the next scan.
    if (result == 1) m_bNeedsInit = 1;

    // Once the reader has reported a failure, later failures add no second message.
    const int failure = result == 2 ? 2 : 0;

    // 6. The azimuth scans, each read into its place; what a short record leaves is cleared.
    for (int k = 0; k <= m_nScans3D; ++k) {
        float* scan = m_arrays.data3D.data() + static_cast<size_t>(k) * kSamplesPerProfile;
        const uint16_t length = ReadBlock(archive, scan, kProfileBytes);
        if (length == 0) return failure;
        if (length < kProfileBytes) std::memset(reinterpret_cast<char*>(scan) + length, 0, kProfileBytes - length);
    }

    // 7. Per-scan noise.
    if (CarriesScanNoise(context.fileVersion)) {
        if (ReadBlock(archive, m_arrays.scanNoise.data(), NoiseArrayBytes(m_nScans3D)) == 0) {
            return failure;
        }
        // Replay shows a scan with its own noise level as axis 0's: it must be one the
        // settings could hold.
        if (!std::all_of(m_arrays.scanNoise.begin(), m_arrays.scanNoise.end(),
                         [](float noise) { return kCountsRange.Allows(noise); })) {
            return failure;
        }
        m_f3DNoiseMax = std::max(0.0f, *std::max_element(m_arrays.scanNoise.begin(),
                                                         m_arrays.scanNoise.end()));
    } else {
        std::fill(m_arrays.scanNoise.begin(), m_arrays.scanNoise.end(), m_fNoise[0]);
        m_f3DNoiseMax = m_fNoise[0];
        m_n3DGain = m_nSignalGain;
    }

    // 8. Derived values; the 3D analysis and cone power when first asked for.
    m_b3DAnalysisPending = true;
    m_bBeamShapeReady = false;
    RecomputeIntensityFactor();
    SetModifiedFlag(false);
    return result;
}

bool CVelor32Doc::HasGainRangeSection(int fileType) const {
    return fileType == kFileTypeConfig ? m_ranges.m_nGainRanges != 1 : !m_ranges.IsSingleRange();
}

bool CVelor32Doc::WriteGainRangeSection(SerializeContext& context) const {
    // A configuration file carries the setting alone: it holds no data to rest on ranges.
    CGainRangeData record = m_ranges;
    if (context.fileType == kFileTypeConfig) {
        record = CGainRangeData{};
        record.m_nGainRanges = m_ranges.m_nGainRanges;
    }
    return WriteBlock(context.archive, &record, sizeof record) == sizeof record;
}

bool CVelor32Doc::ReadGainRangeSection(SerializeContext& context) {
    CGainRangeData record;
    if (ReadBlock(context.archive, &record, sizeof record) == 0) return false;
    const auto valid = [](uint16_t ranges) { return IsValidGainRanges(ranges); };
    if (!valid(record.m_nGainRanges) || !valid(record.m_nAxisRanges[0]) || !valid(record.m_nAxisRanges[1]) ||
        !valid(record.m_n3DRanges) || !IsValidGainCode(record.m_nProfileGain)) {
        return false;
    }
    if (context.fileType == kFileTypeConfig) {
        m_ranges = CGainRangeData{};
        m_ranges.m_nGainRanges = record.m_nGainRanges;
    } else {
        m_ranges = record;
    }
    return true;
}

}  // namespace velor
