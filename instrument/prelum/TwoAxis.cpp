// Principal axes about the centroid. With P = I - c c^T the projector onto the plane
// perpendicular to c, the moments of the projected directions are P T P for the 3x3 moment
// tensor T = sum w I u u^T, and T separates into per-azimuth sums over polar angle.
// Since c is the centroid, the projections' first moment vanishes: these are central moments.

#include <cmath>
#include <cstddef>

#include "instrument/prelum/Prelum.h"
#include "instrument/prelum/SphereGrid.h"
#include "instrument/prelum/Vec3.h"

namespace velor {

namespace {

struct Tensor {
    double xx = 0.0, xy = 0.0, xz = 0.0, yy = 0.0, yz = 0.0, zz = 0.0;

    prelum::Vec3 Apply(prelum::Vec3 v) const {
        return {xx * v.x + xy * v.y + xz * v.z, xy * v.x + yy * v.y + yz * v.z,
                xz * v.x + yz * v.y + zz * v.z};
    }
};

Tensor MomentTensor(int azimuthCount, int polarCount, const float* polar, const float* grid) {
    const prelum::PolarTerms pt = prelum::MakePolarTerms(polar, polarCount);
    const prelum::AzimuthTerms at = prelum::MakeAzimuthTerms(azimuthCount);
    Tensor t;
    for (int i = 0; i < azimuthCount; ++i) {
        const float* row = grid + static_cast<std::size_t>(i) * polarCount;
        double sinSin = 0.0, sinCos = 0.0, cosCos = 0.0;
        for (int j = 1; j < polarCount; ++j) {
            const double wi = pt.weight[j] * row[j];
            const double s = pt.sinTheta[j];
            const double c = pt.cosTheta[j];
            sinSin += wi * s * s;
            sinCos += wi * s * c;
            cosCos += wi * c * c;
        }
        const double w = at.weight[i];
        const double cp = at.cosPhi[i];
        const double sp = at.sinPhi[i];
        t.xx += w * cp * cp * sinSin;
        t.xy += w * cp * sp * sinSin;
        t.yy += w * sp * sp * sinSin;
        t.xz += w * cp * sinCos;
        t.yz += w * sp * sinCos;
        t.zz += w * cosCos;
    }
    return t;
}

// A unit vector perpendicular to c: x (or y when c is close to x) with its c part removed.
prelum::Vec3 PerpendicularTo(prelum::Vec3 c) {
    const prelum::Vec3 seed =
        std::fabs(c.x) < 0.9 ? prelum::Vec3{1.0, 0.0, 0.0} : prelum::Vec3{0.0, 1.0, 0.0};
    const prelum::Vec3 p = seed - prelum::Dot(seed, c) * c;
    return (1.0 / prelum::Norm(p)) * p;
}

// The documented sign: azimuth of A in [0, pi).
prelum::Vec3 WithAzimuthSign(prelum::Vec3 a) {
    const bool flip = a.y < 0.0 || (a.y == 0.0 && (a.x < 0.0 || (a.x == 0.0 && a.z < 0.0)));
    return flip ? -1.0 * a : a;
}

}  // namespace

int Prelum_FindTwoAxis(int polarCount, int azimuthCount, const float* polar, const float* grid,
                       float x, float y, float z, float* axisA, float* axisB) {
    if (!polar || !grid || !axisA || !axisB) return 0;
    if (!prelum::ValidGridShape(azimuthCount, polarCount)) return 0;
    const prelum::Vec3 raw{x, y, z};
    const double length = prelum::Norm(raw);
    if (!(length > 0.0) || !std::isfinite(length)) return 0;
    const prelum::Vec3 c = (1.0 / length) * raw;

    const Tensor t = MomentTensor(azimuthCount, polarCount, polar, grid);
    const prelum::Vec3 e1 = PerpendicularTo(c);
    const prelum::Vec3 e2 = prelum::Cross(c, e1);
    const double m11 = prelum::Dot(e1, t.Apply(e1));
    const double m12 = prelum::Dot(e1, t.Apply(e2));
    const double m22 = prelum::Dot(e2, t.Apply(e2));
    // Orientation of the larger eigenvalue's eigenvector of [[m11, m12], [m12, m22]].
    const double psi = 0.5 * std::atan2(2.0 * m12, m11 - m22);
    const prelum::Vec3 a = WithAzimuthSign(std::cos(psi) * e1 + std::sin(psi) * e2);
    prelum::Store(a, axisA);
    prelum::Store(prelum::Cross(c, a), axisB);
    return 1;
}

}  // namespace velor
