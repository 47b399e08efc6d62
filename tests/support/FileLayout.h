#pragma once
// Where each block of a saved data file lies, computed from the file format alone, so tests
// can patch and flip bytes of a particular block. Every block is a 6-byte header + its bytes.

#include <cstdint>

namespace velor::test {

struct FileLayout {
    explicit FileLayout(int scans3D) : n(scans3D) {}

    static constexpr int kHeader = 40;
    static constexpr int kBlockHeader = 6;
    static constexpr int kProfileBytes = 12964;

    int frameMarker() const { return kHeader; }
    int frameBlock() const { return frameMarker() + kBlockHeader; }
    int documentMarker() const { return frameBlock() + kBlockHeader + 48; }
    int settingsBlock() const { return documentMarker() + kBlockHeader; }
    int profileBlock(int axis) const {
        return settingsBlock() + kBlockHeader + 144 + axis * (kBlockHeader + kProfileBytes);
    }
    int scanBlock(int k) const { return profileBlock(2) + k * (kBlockHeader + kProfileBytes); }
    int noiseBlock() const { return scanBlock(n + 1); }
    int configEnd() const { return settingsBlock() + kBlockHeader + 144; }
    int documentEnd() const { return noiseBlock() + kBlockHeader + (n + 1) * 4; }

    // First byte of a block's record (after its header).
    static int Data(int block) { return block + kBlockHeader; }

    int n;
};

}  // namespace velor::test
