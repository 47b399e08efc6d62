// Near-field intensity from a signed one-sided far field by a zero-order Hankel transform:
//   E(r) = sum_i w_i sqrt(P_i) sign_i J0(2 pi r sin(a_i) / lambda) sin(2 a_i),  N(r) = E(r)^2,
// evaluated at r = k * step until N falls 40 dB below its running maximum.

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <vector>

#include "NoThrow.h"
#include "RadialField.h"
#include "ResultStore.h"
#include "quarn/quarn.h"

namespace {

constexpr std::size_t kMaxRadii = 65535;  // the count is 16-bit
constexpr double kFloorRatio = 0.0001;    // -40 dB

// One far-field sample's share of the transform: E(r) += amplitude * J0(r * frequency), the
// frequency 2 pi sin(a) / lambda per nanometre of radius.
using Term = quarn::HankelTerm;

// Weights: half an interval at the ends, the full span to both neighbours inside.
double Weight(std::size_t n, const float* angle, std::size_t i) {
    if (i == 0) return (double{angle[1]} - angle[0]) / 2.0;
    if (i == n - 1) return (double{angle[n - 1]} - angle[n - 2]) / 2.0;
    return double{angle[i + 1]} - angle[i - 1];
}

// Samples without amplitude add nothing to any radius and are left out. Negative intensities
// (dark-level noise) carry no field: their root is taken as 0, not NaN.
std::vector<Term> TransformTerms(std::size_t n, const float* intensity, const float* angle,
                                 const int16_t* signs, double wavelength) {
    std::vector<Term> terms;
    for (std::size_t i = 0; i < n; ++i) {
        const float root = std::sqrt(std::fmax(intensity[i], 0.0f));
        const float sine = static_cast<float>(std::sin(double{angle[i]}));
        const float twice = 2.0f * angle[i];
        const float sineTwice = static_cast<float>(std::sin(double{twice}));
        const double amplitude = Weight(n, angle, i) * root * signs[i] * sineTwice;
        if (amplitude == 0.0) continue;
        terms.push_back({amplitude, 2.0 * std::numbers::pi * sine / wavelength});
    }
    return terms;
}

// Near-field samples up to and including the first one below the floor; empty when the field
// never falls that far within kMaxRadii radii.
std::vector<float> NearFieldProfile(const std::vector<Term>& terms, double step) {
    std::vector<float> profile;
    // A field without amplitude, or one whose radii do not advance, never falls below the floor.
    if (terms.empty() || step == 0.0 || !std::isfinite(step)) return profile;
    for (const Term& term : terms) {
        if (!std::isfinite(term.amplitude) || !std::isfinite(term.frequency)) return profile;
    }

    quarn::RadialField radial(terms, step * 1000.0);  // nm
    double maximum = 0.0;
    for (std::size_t k = 0; k < kMaxRadii; ++k) {
        const double field = radial.Next();
        const double intensity = field * field;
        maximum = std::fmax(maximum, intensity);
        profile.push_back(static_cast<float>(intensity));
        if (intensity < kFloorRatio * maximum) return profile;
    }
    profile.clear();
    return profile;
}

// Hands the result out in a new library array. When the caller passed in a live result of
// this library it is replaced (freed); any other pointer, e.g. one already released, is left
// alone rather than freed a second time.
bool HandOut(const std::vector<float>& profile, float** nearField, uint16_t* nearFieldCount) {
    quarn::ResultStore& store = quarn::Results();
    store.Reserve(1);
    const std::size_t bytes = profile.size() * sizeof(float);
    auto* array = static_cast<float*>(std::malloc(bytes));
    if (array == nullptr) {
        *nearField = nullptr;
        *nearFieldCount = 0;
        return false;
    }
    std::memcpy(array, profile.data(), bytes);
    float* previous = *nearField;
    if (store.Holds(previous)) {
        store.Forget(previous);
        std::free(previous);
    }
    store.Record(quarn::ResultStore::kPrimarySlot, array);
    *nearField = array;
    *nearFieldCount = static_cast<uint16_t>(profile.size());
    return true;
}

// The field never fell far enough: the caller's library array is freed, the outputs emptied.
bool GiveUp(float** nearField, uint16_t* nearFieldCount) {
    quarn::ResultStore& store = quarn::Results();
    if (store.Holds(*nearField)) {
        store.Forget(*nearField);
        std::free(*nearField);
    }
    *nearField = nullptr;
    *nearFieldCount = 0;
    return false;
}

}  // namespace

extern "C" bool Quarn_NearField(uint16_t count, const float* intensity, const float* angle,
                                const int16_t* signs, float step, float wavelength,
                                float** nearField, uint16_t* nearFieldCount) {
    if (intensity == nullptr || angle == nullptr || signs == nullptr || nearField == nullptr ||
        nearFieldCount == nullptr) {
        return false;
    }
    // The end weights need two samples.
    if (count < 2) return false;
    if (!(std::fabs(wavelength) >= FLT_MIN)) return false;

    return quarn::NoThrow(false, [&] {
        const std::vector<float> profile =
            NearFieldProfile(TransformTerms(count, intensity, angle, signs, wavelength), step);
        if (profile.empty()) return GiveUp(nearField, nearFieldCount);
        return HandOut(profile, nearField, nearFieldCount);
    });
}
