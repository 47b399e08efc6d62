#pragma once
// One sweep taken over several gain ranges, merged into one sweep of the base range.
//
// Range r is swept at the base gain + 20·r dB, ten times as sensitive as range r − 1, so the
// wings of the beam rise out of the noise in the higher ranges while its core clips there. The
// board clips at full scale (65535); after the range's own dark offset is subtracted, a clipped
// sample is exactly 65535 − offset, and that is the clip level the stitching library is given
// for the range. The library takes each sample from the highest range that is not saturated
// there (with a margin around every saturated run) and scales it into the highest range's
// units; dividing by 10^(R − 1) brings it back to the base range's counts, so a merged sweep
// shows the same amplitudes as a one-range sweep, only with more of the wings, fractions of a
// count included.
//
// A higher range that clips nowhere (a weak beam) holds the whole sweep below full scale and
// ten times finer than every range under it: the ranges below it are left out and it is taken
// unscaled, stitched only with the ranges above it that do clip. Should the library refuse all
// the same (a clip level at or below zero: the dark level itself at full scale), the base
// range's sweep is taken alone, exactly as a one-range sweep; its saturation is then reported as
// any one-range sweep's is. No sweep is dropped.

#include <span>

namespace velor {

struct RangeMergeResult {
    // The lowest range the merged samples come from: 0 when every range clips somewhere, r
    // when range r is the highest that clips nowhere.
    int lowestRange = 0;
    // False when the library refused and the base range was taken alone.
    bool stitched = true;
};

// sweeps[r]: the raw sweep of range r (4096 words as the board delivers them, as floats).
// merged: 4096 floats in the base range's counts with its dark offset, laid out as a raw sweep,
// so that averaging, smoothing and processing take it as they take any sweep. Base-range words
// at full scale stay exactly at full scale, so the saturation test speaks of the base range
// only. The dark words are the highest range's, scaled like the samples, so the noise level the
// sweep reports is the floor of the merged sweep. One range is copied unchanged.
RangeMergeResult MergeRangeSweeps(std::span<const float* const> sweeps, float* merged);

}  // namespace velor
