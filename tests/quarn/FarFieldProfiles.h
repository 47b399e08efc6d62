#pragma once
// Analytic far-field intensity profiles in counts, sampled at given polar angles.

#include <cmath>
#include <numbers>
#include <vector>

namespace quarn::test {

constexpr float kFullScale = 65535.0f;

// Far field of a Gaussian mode of 1/e^2 intensity radius `waistUm` at `wavelengthNm`, tilted
// by `tilt` radians: P = peak exp(-2 (pi w0 sin(theta - tilt) / lambda)^2). Its Petermann II
// diameter is 2 w0, its near field has a 1/e^2 radius w0 and an effective area pi w0^2.
inline std::vector<float> GaussianFarField(const std::vector<float>& angles, double waistUm,
                                           double wavelengthNm, double tilt = 0.0,
                                           double peak = kFullScale) {
    const double lambdaUm = wavelengthNm / 1000.0;
    std::vector<float> profile(angles.size());
    for (std::size_t i = 0; i < angles.size(); ++i) {
        const double x = std::numbers::pi * waistUm * std::sin(angles[i] - tilt) / lambdaUm;
        profile[i] = static_cast<float>(peak * std::exp(-2.0 * x * x));
    }
    return profile;
}

// Field amplitude prod_k (1 - s^2/s_k^2) exp(-s^2/sa^2) of s = sin(theta): lobes of
// alternating sign separated by nulls at s = s_k. The profile is its square, scaled to `peak`.
struct LobedField {
    std::vector<double> nullSines;  // s_k
    double widthSine;               // sa

    double Amplitude(double theta) const {
        const double s = std::sin(theta);
        double a = std::exp(-s * s / (widthSine * widthSine));
        for (const double nullSine : nullSines) a *= 1.0 - s * s / (nullSine * nullSine);
        return a;
    }
    std::vector<float> Intensity(const std::vector<float>& angles, double peak = kFullScale) const {
        std::vector<float> profile(angles.size());
        for (std::size_t i = 0; i < angles.size(); ++i) {
            const double a = Amplitude(angles[i]);
            profile[i] = static_cast<float>(peak * a * a);
        }
        return profile;
    }
};

}  // namespace quarn::test
