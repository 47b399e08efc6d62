#pragma once
// The 3D computation component: turns the sweeps of a 3D measurement into a polar grid over
// the measured cap and derives from it the beam's centroid direction, its two principal axes,
// the power within cones about the centroid and cross sections along great circles.
//
// Grid: 2N + 1 azimuths i * pi / N (i = 0..2N; azimuth 2N is azimuth 0 again) by polarCount
// polar angles polar[0] = 0 < polar[1] < ..., stored azimuth-major, entry (i, j) at
// i * polarCount + j. Polar index 0 is the optical axis for every azimuth. Cell weights are solid
// angles: sin(theta) times the trapezoid width in theta times pi / N (half at azimuths 0 and 2N).
// Directions: u(theta, phi) = (sin theta cos phi, sin theta sin phi, cos theta).
// Intensities enter as measured, negative noise included, so that zero-mean noise averages out
// of the centroid and the moments instead of biasing them.
// Every call returns 1 on success and 0 on failure.

#include <cstdint>

namespace velor {

// Polar grid from N + 1 sweeps at azimuths phi[k]: polar[j] = theta[c + j] with c the centre
// sample; azimuth[i] = phi[i] for i <= N, phi[i - N] + pi above; grid(i, j) = sweep i at sample
// c + j for i <= N, and sweep i - N at sample c - j above (the far side of a sweep looks along
// the opposite azimuth). Sizes must satisfy polarCount = (thetaCount + 1) / 2 and
// azimuthCount = 2 scanCount - 1.
int Prelum_FlipData(int thetaCount, int scanCount, const float* theta, const float* phi,
                    const float* scans, int polarCount, int azimuthCount, float* polar,
                    float* azimuth, float* grid);

// vector = sum of w I u over the cells: the intensity-weighted mean direction, not normalised.
// Fails (vector set to zero) when the total sum of w I is not positive.
int Prelum_ComputeCentroidPosition(int azimuthCount, int polarCount, const float* polar,
                                   const float* grid, float* vector);

// direction 1: (x, y, z) -> (r, polar angle from +z, azimuth in [0, 2 pi)); the origin gives
// (0, 0, 0). direction 0: the reverse. In place on `count` points, element n of each array at
// n * stride.
int Prelum_ChangeSystem(int direction, int count, int stride, float* a, float* b, float* c);

// Principal axes of the beam about the centroid direction c = (x, y, z) / |(x, y, z)|: the
// eigenvectors of the weighted second moments of the cells' directions projected onto the plane
// perpendicular to c. axisA is the major axis, axisB = c x axisA; both unit vectors. Sign of
// axisA: its azimuth lies in [0, pi), i.e. A_y > 0, or A_y = 0 and A_x > 0, or A along +z.
// Fails when c is zero.
int Prelum_FindTwoAxis(int polarCount, int azimuthCount, const float* polar, const float* grid,
                       float x, float y, float z, float* axisA, float* axisB);

// power[k] = sum of w max(I - threshold, 0) over the cells within k * 0.1 degree of the direction
// (thetaC, phiC), for k = 0..count - 1, where count = 1 + the number of 0.1 degree steps up to
// the farthest cell (at most 1801). power[count - 1] is the whole power above the threshold.
int Prelum_ComputePower(int azimuthCount, int polarCount, const float* polar, const float* grid,
                        float thetaC, float phiC, int16_t threshold, uint16_t* count, float* power);

// Rotates axisA and axisB in place by `angle` radians, right-handed about axisA x axisB.
// Parallel or zero vectors are left as they are.
int Prelum_RotateVectors(float* axisA, float* axisB, float angle);

// Cross section along the great circle u(t) = cos t d + sin t a, d = unit direction, a = unit
// axis made perpendicular to d: samples t = n / 18 degree over the contiguous run of n around 0
// whose directions lie within polar[polarCount - 1], at most maxSamples of them (trimmed evenly
// about t = 0). angles[] = t in radians, increasing; values[] = the grid interpolated
// bilinearly in (azimuth, polar); planeAzimuth = azimuth of a folded into [0, pi).
// Fails (count 0) for a zero d or a, d parallel to a, or fewer than two samples.
int Prelum_ComputeIntersectionData(const float* direction, const float* axis, const float* polar,
                                   const float* grid, int polarCount, int azimuthCount,
                                   int maxSamples, uint16_t* count, float* angles, float* values,
                                   float* planeAzimuth);

}  // namespace velor
