#pragma once
// The viewing station's board: nothing is attached, nothing is ever in progress and reads
// deliver no samples, so every acquisition path finds an idle, empty instrument.

#include "instrument/board/Tesk32.h"

namespace velor {

class NoInstrument : public Tesk32 {
public:
    int Tesk32_InitCard(int unit, int ioAddress) override;
    int Tesk32_GetHeadType(int unit, int* headVariant) override;
    int Tesk32_SetSignalGain(int unit, int gainCode) override;
    int Tesk32_SetFine(int unit, int value) override;
    int Tesk32_IsPulsedSystem(int unit) override;
    int Tesk32_TriggerData(int unit) override;
    int Tesk32_IsScanReady(int unit) override;
    int Tesk32_DaqInProgress(int unit) override;
    int Tesk32_ReadData(int unit, uint16_t* buffer, int count) override;
    int Tesk32_CapReadData(int unit, uint16_t* buffer, int count) override;
};

}  // namespace velor
