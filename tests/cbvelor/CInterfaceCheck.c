/* Compiled as C: the public header must be plain C, and the library must link and run from a
 * C program, finding the driver library beside it. The driver answers with its default
 * simulated board (board 0, one version-0 unit per address block). Exit status 0 when every
 * check holds. */
#include <stdio.h>

#include "cbvelor/cbvelor.h"

static int failures = 0;

static void Check(int condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "failed: %s\n", what);
        ++failures;
    }
}

int main(void) {
    int16_t version = -1;
    uint16_t head = 99;
    int32_t ready = -1;
    int32_t overScale = -1;
    uint16_t samples[6] = {1, 1, 1, 1, 1, 1};

    Check(CbVelorInitCard(0, 250, 0) == 1, "initialisation on board 0");
    CbVelorSetSlit(0, 1);
    CbVelorSetFine(0, 2048);
    CbVelorSetGain(0, 0x1234);
    CbVelorSetMemory(0, 1);
    CbVelorSetFrequency(0, 2);
    CbVelorWriteData(0, 3);
    CbVelorSpinMotor(0, 1);
    CbVelorGetBoardVer(0, &version);
    CbVelorGetHead(0, &head);
    CbVelorArmCard(0);
    CbVelorIsReady(0, &ready);
    CbVelorResetOverScale(0);
    CbVelorGetOverScale(0, &overScale);
    CbVelorReadData(0, 6, samples);
    Check(version == 0, "board version");
    Check(head == 0, "head code");
    Check(ready == 1, "capture complete");
    Check(overScale == 0, "no over-scale");
    Check(samples[0] == 0 && samples[4] == 0 && samples[5] == 0, "an empty capture reads 0");
    return failures == 0 ? 0 : 1;
}
