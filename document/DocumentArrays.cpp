#include "document/DocumentArrays.h"

#include <cstddef>
#include <utility>

#include "instrument/geometry/SweepGeometry.h"

namespace velor {

void DocumentArrays::Allocate(uint16_t scans3D, ScanContents scans3DContents) {
    DocumentArrays fresh;
    const size_t scans = static_cast<size_t>(scans3D) + 1;
    for (int axis = 0; axis < 2; ++axis) {
        fresh.profile[axis].assign(kSamplesPerProfile, 0.0f);
        fresh.profileAngles[axis].assign(kSamplesPerProfile, 0.0f);
        fresh.rawSweep[axis].assign(kSamplesPerSweep, 0.0f);
        fresh.sumBuffer[axis].assign(kSamplesPerSweep, 0.0f);
    }
    fresh.readBuffer.assign(kSamplesPerSweep, 0);
    for (std::vector<float>& sweep : fresh.rangeSweep) sweep.assign(kSamplesPerSweep, 0.0f);
    fresh.angleGrid.assign(kSamplesPerProfile, 0.0f);
    fresh.gridWeight.assign(kSamplesPerProfile, 0.0f);
    // A file's scans overwrite every byte: clearing them first would only cost the time of
    // writing 2.6 MB twice (N = 200).
    if (scans3DContents == ScanContents::Cleared) {
        fresh.data3D.assign(scans * kSamplesPerProfile, 0.0f);
    } else {
        fresh.data3D.resize(scans * kSamplesPerProfile);
    }
    fresh.scanNoise.assign(scans, 0.0f);
    fresh.conePower.assign(kConePowerCount, 0.0f);
    fresh.centroidPower.assign(kCentroidPowerCapacity, 0.0f);
    *this = std::move(fresh);
}

void DocumentArrays::Free() { *this = DocumentArrays{}; }

}  // namespace velor
