#pragma once
// The near field and effective area of one measured axis: the far-field profile folded about
// its peak, its lobes signed, Hankel-transformed to the near-field intensity against radius
// and integrated, through the library's chain. Pure: no document, no widgets.
//
// The choices the library leaves to its caller:
// - Noise floor. Only the samples the mode-field diameter takes carry field: those within its
//   angular window at or above its floor. Everything below is set to 0; the square root of
//   dark noise would otherwise add a pedestal over every angle and a spike on the axis of the
//   near field.
// - Sign threshold: the same floor (the profile is scaled so that the floor is the library's
//   16 counts). Sign window: 21 samples, widened where a null lies below the floor so that
//   the window bridges the gap (a flat stretch longer than a third of the window hides the
//   valley from the library's slope test).
// - Tail. When the lit samples form one lobe (no sign change, no dark stretch as wide as the
//   sign window), the lobe is continued below the floor along the Gaussian (in sin θ) that its
//   last 10 dB follow, down to 40 dB under the floor. A hard edge instead would ring and read
//   a Gaussian mode 1.5 % high at 36 dB of dynamic range. What no continuation can know is a
//   side lobe hidden below the floor: a step-index fiber's area then reads low (see
//   EffectiveAreaCaveat).
// - Radial step: the largest 1-2-5 value at or below MFD / 100, so that every near field is
//   sampled about 100 to 250 times across its mode-field diameter.
// - Bound: the library stops 40 dB below the peak but may otherwise run to 65535 radii. The
//   chain first checks, every 16th radius up to 4096, where the transform has fallen that far;
//   without such a radius it gives up before calling the library, which then stops no later.
//
// The library's result slots are process-wide; every call of its array routines runs under
// one process-wide lock, and its arrays are copied out and released before the lock is freed,
// so documents on several threads (vnqtool params) may ask at once.

#include <QString>
#include <span>
#include <vector>

namespace velor {

struct FarFieldScan {
    std::span<const float> profile;  // counts
    std::span<const float> angles;   // radians, one per sample
    int first = 0;                   // the samples that may carry field (inclusive)
    int last = -1;
    float floor = 0.0f;              // counts; samples below carry no field
    float wavelengthNm = 0.0f;
    float modeFieldDiameterUm = 0.0f;  // sets the radial step
};

struct NearField {
    bool valid = false;
    QString reason;                 // why there is none; empty when valid
    float stepUm = 0.0f;
    std::vector<float> intensity;   // at radii k · stepUm, normalised to its maximum
    float effectiveAreaUm2 = 0.0f;
    int signChanges = 0;            // nulls found between the far field's lobes
    float firstSideLobeDb = 0.0f;   // the first side lobe's peak above the floor; 0 without one
    bool tailContinued = false;     // a lone lobe continued below the floor
};

NearField ComputeNearField(const FarFieldScan& scan);

// A step-index fiber's area reads low while its first side lobe is hidden below the floor or
// stands less than 10 dB above it (its tail then lies below the floor): 1 to 3 % over the
// single-mode range at 36 dB of dynamic range, a few tenths of a percent once the lobe is clear.
bool AreaMayReadLow(const NearField& field);

// What the reader of an effective area should know beside it: empty, or, while the area may
// read low, why, with the dynamic range the far field had.
QString EffectiveAreaCaveat(const NearField& field, float dynamicRangeDb);

// A near field that cannot be had, with the reason.
NearField NoNearField(const QString& reason);

// The radial step for a mode-field diameter: the largest 1-2-5 value at or below MFD / 100.
float RadialStepFor(float modeFieldDiameterUm);

}  // namespace velor
