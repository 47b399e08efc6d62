#include "document/analysis/NearFieldChain.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <mutex>
#include <new>
#include <optional>

#include "document/analysis/FarFieldTail.h"
#include "document/analysis/NearFieldReach.h"
#include "quarn/quarn.h"

namespace velor {
namespace {

// The library's thresholds are whole counts: the far field is scaled so that its floor
// stands at this many.
constexpr float kLibraryFloor = 16.0f;
constexpr int kSignWindow = 21;
constexpr float kStepsPerDiameter = 100.0f;
constexpr int kMostRadii = 4096;
constexpr int kReachStride = 16;
constexpr float kClearSideLobeDb = 10.0f;

// One lock for every call of the library's array routines, whose result slots are shared by
// the whole process; a call's arrays are copied out and released before it is let go.
std::mutex& LibraryLock() {
    static std::mutex lock;
    return lock;
}

// Releases the library's arrays however the copying ends.
struct ReleaseOnExit {
    ~ReleaseOnExit() { Quarn_ReleaseMemory(); }
};

struct Folded {
    std::vector<float> values;
    std::vector<float> angles;
};

std::optional<Folded> Fold(const std::vector<float>& p, std::span<const float> a, float peak) {
    const std::lock_guard<std::mutex> hold(LibraryLock());
    const ReleaseOnExit release;
    float* values = nullptr;
    float* angles = nullptr;
    uint16_t count = 0;
    if (!Quarn_FoldData(static_cast<uint16_t>(p.size()), p.data(), a.data(), peak, &values, &angles, &count)) {
        return std::nullopt;
    }
    return Folded{{values, values + count}, {angles, angles + count}};
}

std::optional<std::vector<int16_t>> Sign(const std::vector<float>& p, uint16_t window) {
    std::vector<int16_t> signs(p.size(), 1);
    int16_t* out = signs.data();
    const std::lock_guard<std::mutex> hold(LibraryLock());
    if (!Quarn_SignData(static_cast<uint16_t>(p.size()), p.data(), static_cast<uint16_t>(kLibraryFloor), window,
                        &out)) {
        return std::nullopt;
    }
    return signs;
}

std::optional<std::vector<float>> Transform(const Folded& f, const std::vector<int16_t>& signs, float step,
                                            float wavelength) {
    const std::lock_guard<std::mutex> hold(LibraryLock());
    const ReleaseOnExit release;
    float* field = nullptr;
    uint16_t radii = 0;
    if (!Quarn_NearField(static_cast<uint16_t>(f.values.size()), f.values.data(), f.angles.data(), signs.data(),
                         step, wavelength, &field, &radii)) {
        return std::nullopt;
    }
    return std::vector<float>(field, field + radii);
}

// The longest run of dark samples between two lit ones.
int LongestGap(const std::vector<float>& p) {
    int longest = 0;
    int lastLit = -1;
    for (int i = 0; i < static_cast<int>(p.size()); ++i) {
        if (!(p[i] > 0.0f)) continue;
        if (lastLit >= 0) longest = std::max(longest, i - lastLit - 1);
        lastLit = i;
    }
    return longest;
}

// Wide enough that the library's slope, taken over the window, turns from falling to rising
// across a dark gap: the half window must reach over a third of the gap and more.
uint16_t SignWindow(int gap, int count) {
    const int bridging = 2 * ((gap + 3) / 3) + 1;
    return static_cast<uint16_t>(std::min(std::max(kSignWindow, bridging), count - 1));
}

int SignChanges(const std::vector<int16_t>& signs) {
    int changes = 0;
    for (size_t i = 1; i < signs.size(); ++i) changes += signs[i] != signs[i - 1];
    return changes;
}

// The peak of the first lobe after the main one, in dB above the floor; 0 without one.
float FirstSideLobeDb(const std::vector<float>& p, const std::vector<int16_t>& signs) {
    size_t i = 1;
    while (i < signs.size() && signs[i] == signs[0]) ++i;
    float peak = 0.0f;
    for (; i < signs.size() && signs[i] != signs[0]; ++i) peak = std::max(peak, p[i]);
    return peak > kLibraryFloor ? static_cast<float>(10.0 * std::log10(double{peak} / kLibraryFloor)) : 0.0f;
}

bool AllFinite(std::span<const float> values) {
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

NearField Compute(const FarFieldScan& scan) {
    const int n = static_cast<int>(scan.profile.size());
    if (n == 0) return NoNearField(QStringLiteral("no profile on this axis"));
    if (n < 2 || static_cast<int>(scan.angles.size()) < n) {
        return NoNearField(QStringLiteral("a single sample holds no near field"));
    }
    if (n > std::numeric_limits<uint16_t>::max() || !AllFinite(scan.profile) || !AllFinite(scan.angles.first(n))) {
        return NoNearField(QStringLiteral("the profile holds a value that is not a number"));
    }

    // The samples that carry field, in the library's units.
    const float floor = scan.floor;
    std::vector<float> lit(static_cast<size_t>(n), 0.0f);
    bool anyLit = false;
    if (floor > 0.0f && std::isfinite(floor)) {
        const float scale = kLibraryFloor / floor;
        for (int i = std::max(0, scan.first); i <= std::min(n - 1, scan.last); ++i) {
            if (!(scan.profile[i] >= floor)) continue;
            lit[i] = scan.profile[i] * scale;
            anyLit = true;
        }
    }
    if (!anyLit) return NoNearField(QStringLiteral("no sample at or above the noise floor"));
    const float step = RadialStepFor(scan.modeFieldDiameterUm);
    if (!(step > 0.0f)) return NoNearField(QStringLiteral("no mode-field diameter to set the radial step"));

    const float peak = *std::max_element(lit.begin(), lit.end());
    std::optional<Folded> folded = Fold(lit, scan.angles, peak);
    if (!folded) return NoNearField(QStringLiteral("the profile could not be folded about its peak"));
    const int count = static_cast<int>(folded->values.size());
    if (count < 2) {
        return NoNearField(QStringLiteral("the peak lies at the edge of the scan: nothing to fold it onto"));
    }
    if (std::all_of(folded->values.begin() + 1, folded->values.end(), [](float v) { return !(v > 0.0f); })) {
        return NoNearField(QStringLiteral("no far-field sample off the axis: nothing to transform"));
    }

    const int gap = LongestGap(folded->values);
    const std::optional<std::vector<int16_t>> signs = Sign(folded->values, SignWindow(gap, count));
    if (!signs) return NoNearField(QStringLiteral("no sign could be given to the far field's lobes"));

    NearField result;
    result.signChanges = SignChanges(*signs);
    result.firstSideLobeDb = FirstSideLobeDb(folded->values, *signs);
    // One lobe: nothing signed, and no dark stretch wider than noise leaves at a ragged edge.
    if (result.signChanges == 0 && gap < kSignWindow) {
        result.tailContinued = ContinueLoneLobe(folded->values, folded->angles, kLibraryFloor);
    }

    const QString unreached = QStringLiteral("the near field does not fall 40 dB below its peak within %1 µm")
                                  .arg(static_cast<double>(kMostRadii * step), 0, 'g', 3);
    if (!NearFieldReach(folded->values, folded->angles, *signs, step, scan.wavelengthNm, kMostRadii, kReachStride)) {
        return NoNearField(unreached);
    }
    std::optional<std::vector<float>> field = Transform(*folded, *signs, step, scan.wavelengthNm);
    if (!field || field->empty()) return NoNearField(unreached);

    // Normalised, the intensity stays well inside the range of the library's single-precision sums.
    const float maximum = *std::max_element(field->begin(), field->end());
    if (!(maximum > 0.0f)) return NoNearField(QStringLiteral("the effective-area integral vanished"));
    for (float& v : *field) v /= maximum;
    result.effectiveAreaUm2 = Quarn_ComputeEffArea(static_cast<uint16_t>(field->size()), field->data(), step);
    if (!(result.effectiveAreaUm2 > 0.0f)) return NoNearField(QStringLiteral("the effective-area integral vanished"));
    result.valid = true;
    result.stepUm = step;
    result.intensity = std::move(*field);
    return result;
}

}  // namespace

NearField NoNearField(const QString& reason) {
    NearField none;
    none.reason = reason;
    return none;
}

float RadialStepFor(float modeFieldDiameterUm) {
    if (!(modeFieldDiameterUm > 0.0f) || !std::isfinite(modeFieldDiameterUm)) return 0.0f;
    const double target = modeFieldDiameterUm / double{kStepsPerDiameter};
    // 1-2-5 at or below the target; margins of single precision keep a diameter given as the
    // float nearest 10 from reading as 9.99999… and so a step of 0.05 instead of 0.1.
    constexpr double kMargin = 1e-6;
    const double decade = std::pow(10.0, std::floor(std::log10(target) + kMargin));
    const double mantissa = target / decade * (1.0 + kMargin);
    const double nice = mantissa >= 5.0 ? 5.0 : mantissa >= 2.0 ? 2.0 : 1.0;
    return static_cast<float>(nice * decade);
}

bool AreaMayReadLow(const NearField& field) {
    return field.valid && (field.signChanges == 0 || field.firstSideLobeDb < kClearSideLobeDb);
}

QString EffectiveAreaCaveat(const NearField& field, float dynamicRangeDb) {
    if (!AreaMayReadLow(field)) return QString();
    const QString range = QString::number(static_cast<double>(dynamicRangeDb), 'f', 1);
    if (field.signChanges == 0) {
        return QStringLiteral("no side lobe above the floor (dynamic range %1 dB): a step-index fiber's area may read "
                              "up to 3 % low")
            .arg(range);
    }
    return QStringLiteral("the first side lobe stands only %1 dB above the floor (dynamic range %2 dB): a step-index "
                          "fiber's area may read up to 2 % low")
        .arg(QString::number(static_cast<double>(field.firstSideLobeDb), 'f', 1), range);
}

NearField ComputeNearField(const FarFieldScan& scan) {
    try {
        return Compute(scan);
    } catch (const std::bad_alloc&) {
        return NoNearField(QStringLiteral("not enough memory for the near field"));
    }
}

}  // namespace velor
