#pragma once
// The zero-order Hankel sum of the near field at radii 0, Δr, 2Δr, … in turn:
//   E(k) = Σ_i amplitude_i · J0(k · Δr · frequency_i),  accumulated in double precision.
// A transform is some 10^5 Bessel functions, and the maths library's J0 (two trigonometric
// functions and two rational approximations a call) was all of its cost. Here J0 is
//   below x = 16: cubic Hermite interpolation in a table of the maths library's J0 and J1 at
//                 points 1/256 apart (within 3e-13);
//   from 16 up:   Hankel's asymptotic expansion to eight terms (within 4e-14), whose cosine and
//                 sine of x − π/4 advance from one radius to the next by a rotation, since x
//                 grows by the same amount each time;
// so a term costs a few multiply-adds, and every value stays far inside single precision.

#include <cstddef>
#include <vector>

namespace quarn {

struct HankelTerm {
    double amplitude;
    double frequency;  // per unit of radius
};

class RadialField {
public:
    // Terms and radial step must be finite.
    RadialField(const std::vector<HankelTerm>& terms, double radialStep);

    // E at the next radius, the first call giving radius 0.
    double Next();

private:
    struct Ray {
        double amplitude;
        double delta;          // x gained per radius: |radial step × frequency|
        double inverseDelta;   // 1/delta and √(2/(π delta)), so that 1/x and √(2/(πx)) are
        double rootDelta;      // products with the radius's own factors
        double turnCosine;     // cos(delta) and sin(delta): one radius's rotation
        double turnSine;
        double cosine;         // cos(x − π/4) and sin(x − π/4) at the last radius, once x ≥ 16
        double sine;
        bool asymptotic;
    };
    std::vector<Ray> m_rays;
    std::size_t m_radius = 0;
};

}  // namespace quarn
