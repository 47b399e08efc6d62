/* CbVelor: the instrument's acquisition board, reached through the cbw32 digital I/O driver.
 *
 * Usable from C and C++. The first argument of every function is the acquisition unit, 0 to 3;
 * it is not checked. CbVelorInitCard comes before any other call for a unit. Between
 * CbVelorArmCard and the CbVelorIsReady call that reports 1 the unit is armed, and slit and fine
 * settings are ignored. No function waits: a caller waiting for a capture polls CbVelorIsReady.
 *
 * The library keeps process-wide state without locks (board number, board version, armed flag,
 * copies of the write-only registers): call it from one thread at a time. Driver errors are
 * ignored everywhere but in CbVelorInitCard and CbVelorIsReady. A null result pointer makes a query store nothing.
 */
#ifndef CBVELOR_CBVELOR_H
#define CBVELOR_CBVELOR_H

#include <stdint.h>

#if defined(__GNUC__)
#define CBVELOR_API __attribute__((visibility("default")))
#else
#define CBVELOR_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Checks the digital I/O board (board numbers above 99 become 0), programs the unit's two
 * interfaces and its defaults (fine value 1, slit not selected, motor on). directRead nonzero
 * selects the faster sample read. 1 when the unit is ready, 0 when the driver, the digital I/O
 * board's type or the unit's board version is refused. */
CBVELOR_API int32_t CbVelorInitCard(uint32_t unit, uint32_t boardNumber, int32_t directRead);

/* Selects the slit (nonzero) or not. Ignored while armed. */
CBVELOR_API void CbVelorSetSlit(uint32_t unit, uint16_t slit);

/* 12-bit fine value; 0 becomes 1 and anything above 4095 becomes 4095. Ignored while armed. */
CBVELOR_API void CbVelorSetFine(uint32_t unit, uint16_t fine);

/* Shifts a 16-bit gain word into the unit and loads it. */
CBVELOR_API void CbVelorSetGain(uint32_t unit, uint16_t gain);

/* Memory code (0 to 3), frequency code (0 to 3) and data nibble (0 to 15): version-0 boards
 * only, otherwise nothing happens. */
CBVELOR_API void CbVelorSetMemory(uint32_t unit, uint16_t code);
CBVELOR_API void CbVelorSetFrequency(uint32_t unit, uint16_t code);
CBVELOR_API void CbVelorWriteData(uint32_t unit, uint16_t value);

/* Head code (0 to 15) and the unit's board version (0 to 3), read from the unit's status. */
CBVELOR_API void CbVelorGetHead(uint32_t unit, uint16_t* head);
CBVELOR_API void CbVelorGetBoardVer(uint32_t unit, int16_t* version);

/* Turns the motor off (0) or on for this write of the control register only: any later write
 * of the control register puts the motor back to on. */
CBVELOR_API void CbVelorSpinMotor(uint32_t unit, int32_t on);

/* 1 when the capture is complete, else 0; a 1 ends the armed state. A status read that the
 * driver reports as failed gives 0. */
CBVELOR_API void CbVelorIsReady(uint32_t unit, int32_t* ready);

/* Starts a capture and enters the armed state. */
CBVELOR_API void CbVelorArmCard(uint32_t unit);

/* Reads count captured samples into samples, which holds at least max(count, 5) words: the
 * first five words all hold the fifth sample read. 8-bit samples on version-0 boards, 16-bit
 * on the others. Does not look at the ready state. */
CBVELOR_API void CbVelorReadData(uint32_t unit, uint16_t count, uint16_t* samples);

/* The over-scale latch (1 set), and clearing it. */
CBVELOR_API void CbVelorGetOverScale(uint32_t unit, int32_t* overScale);
CBVELOR_API void CbVelorResetOverScale(uint32_t unit);

#ifdef __cplusplus
}
#endif

#endif /* CBVELOR_CBVELOR_H */
