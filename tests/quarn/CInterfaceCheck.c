/* Compiled as C: the public header must be plain C, and the library must link and run from a
 * C program. Exit status 0 when every check holds. */
#include <math.h>
#include <stdio.h>

#include "quarn/quarn.h"

static int failures = 0;

static void Check(bool condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "failed: %s\n", what);
        ++failures;
    }
}

int main(void) {
    /* A flat near field of radius 2 steps: the disc's area. */
    const float flat[3] = {4.0f, 4.0f, 4.0f};
    const float pi = 3.14159265f;
    Check(fabsf(Quarn_ComputeEffArea(3, flat, 1.0f) - 4.0f * pi) < 1e-4f, "effective area");

    const float intensity[5] = {1.0f, 3.0f, 9.0f, 3.0f, 1.0f};
    const float angle[5] = {-0.2f, -0.1f, 0.0f, 0.1f, 0.2f};
    float* folded = NULL;
    float* foldedAngle = NULL;
    uint16_t foldedCount = 0;
    Check(Quarn_FoldData(5, intensity, angle, 9.0f, &folded, &foldedAngle, &foldedCount),
          "fold succeeds");
    Check(foldedCount == 3 && folded[2] == 1.0f && foldedAngle[1] == 0.1f, "fold result");

    int16_t signs[3] = {0, 0, 0};
    int16_t* signsOut = signs;
    Check(Quarn_SignData(3, folded, 1, 2, &signsOut) && signs[0] == 1, "signs");

    float mfd = -1.0f;
    Check(!Quarn_ComputeMFD(5, intensity, angle, 16, 0, 4, 0.0f, 1310.0f, &mfd) && mfd == 0.0f,
          "mode field below threshold");

    const float* scans[1] = {intensity};
    float stitched[5];
    Check(Quarn_StitchDataTogether(5, 1, scans, NULL, stitched) && stitched[2] == 9.0f, "stitch");

    Quarn_ReleaseMemory();
    return failures == 0 ? 0 : 1;
}
