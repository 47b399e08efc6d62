/* Quarn: fiber-parameter numerics on far-field and near-field intensity profiles.
 *
 * Usable from C and C++. Angles are in radians, wavelengths in nanometres, lengths derived
 * from them in micrometres and areas in square micrometres. Boolean results are true on
 * success; pointer parameters that the routines write through are outputs.
 *
 * Arrays handed out by Quarn_FoldData and Quarn_NearField belong to the library and stay
 * valid until Quarn_ReleaseMemory, which frees every one of them at once. The library keeps
 * that bookkeeping in process-wide state without locks: call the array routines from one
 * thread at a time. Quarn_ComputeMFD and Quarn_ComputeEffArea touch no shared state.
 */
#ifndef QUARN_QUARN_H
#define QUARN_QUARN_H

#include <stdint.h>

#ifndef __cplusplus
#include <stdbool.h>
#endif

#if defined(__GNUC__)
#define QUARN_API __attribute__((visibility("default")))
#else
#define QUARN_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Petermann II mode-field diameter (micrometres) of the far-field intensity samples
 * first..last (inclusive, first < last < count) at or above threshold, with angles taken
 * relative to centre. False, with *mfd = 0, when nothing usable remains. */
QUARN_API bool Quarn_ComputeMFD(uint16_t count, const float* intensity, const float* angle,
                                uint16_t threshold, uint16_t first, uint16_t last, float centre,
                                float wavelength, float* mfd);

/* Effective area 2*pi*(int I r dr)^2 / int I^2 r dr of a near-field intensity sampled at
 * radii i * step; in the square of the step's unit. 0 when it cannot be formed. */
QUARN_API float Quarn_ComputeEffArea(uint16_t count, const float* nearField, float step);

/* Folds a two-sided profile about the sample(s) equal to peak into a one-sided profile
 * against the angle from the fold centre. The two arrays are library-owned. */
QUARN_API bool Quarn_FoldData(uint16_t count, const float* intensity, const float* angle,
                              float peak, float** foldedIntensity, float** foldedAngle,
                              uint16_t* foldedCount);

/* Gives each lobe of a far-field intensity profile a sign (+1, -1, +1, ...), flipping at the
 * nulls between lobes. *signs is the caller's array of count elements; window < count. */
QUARN_API bool Quarn_SignData(uint16_t count, const float* intensity, uint16_t threshold,
                              uint16_t window, int16_t** signs);

/* Near-field intensity at radii k * step (micrometres) from a signed one-sided far field, out
 * to 40 dB below its maximum. *nearField may hold an earlier result of this library, which is
 * reused; the result is library-owned. Needs count >= 2. */
QUARN_API bool Quarn_NearField(uint16_t count, const float* intensity, const float* angle,
                               const int16_t* signs, float step, float wavelength,
                               float** nearField, uint16_t* nearFieldCount);

/* Merges scans of one sweep taken at rangeCount gain ranges, each ten times the previous,
 * into out (count elements, caller-owned) in the units of the highest range. levels[r] is
 * the value at which range r clips; levels[0] is unused. */
QUARN_API bool Quarn_StitchDataTogether(uint16_t count, uint16_t rangeCount,
                                        const float* const* scans, const float* levels,
                                        float* out);

/* Frees every array that Quarn_FoldData and Quarn_NearField have handed out. */
QUARN_API void Quarn_ReleaseMemory(void);

#ifdef __cplusplus
}
#endif

#endif /* QUARN_QUARN_H */
