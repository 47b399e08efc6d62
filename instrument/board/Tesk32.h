#pragma once
// The board access component: the ten calls through which the document reaches the
// acquisition board. Every call takes the board unit first; results are 32-bit integers.
// Which implementation sits behind it (none, simulated, real) is decided at start-up.

#include <cstdint>

#include "instrument/geometry/SweepGeometry.h"

namespace velor {

class Tesk32 {
public:
    virtual ~Tesk32() = default;

    // Afterwards the board is ready for settings and captures; the result is not used.
    virtual int Tesk32_InitCard(int unit, int ioAddress) = 0;
    // Head type 0 InGaAs, 1 Si, other unknown; the variant selects the motion speed set.
    virtual int Tesk32_GetHeadType(int unit, int* headVariant) = 0;
    virtual int Tesk32_SetSignalGain(int unit, int gainCode) = 0;
    virtual int Tesk32_SetFine(int unit, int value) = 0;
    virtual int Tesk32_IsPulsedSystem(int unit) = 0;
    virtual int Tesk32_TriggerData(int unit) = 0;
    virtual int Tesk32_IsScanReady(int unit) = 0;
    virtual int Tesk32_DaqInProgress(int unit) = 0;
    // Number of samples delivered; 0 or less means none.
    virtual int Tesk32_ReadData(int unit, uint16_t* buffer, int count) = 0;
    // Triggers, waits for and reads one capture.
    virtual int Tesk32_CapReadData(int unit, uint16_t* buffer, int count) = 0;
};

// I/O address handed to the board's initialisation.
inline constexpr int kBoardIoAddress = 768;

}  // namespace velor
