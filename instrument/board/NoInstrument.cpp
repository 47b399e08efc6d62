#include "instrument/board/NoInstrument.h"

namespace velor {

int NoInstrument::Tesk32_InitCard(int, int) { return 0; }

int NoInstrument::Tesk32_GetHeadType(int, int* headVariant) {
    if (headVariant) *headVariant = -1;
    return -1;
}

int NoInstrument::Tesk32_SetSignalGain(int, int) { return 0; }
int NoInstrument::Tesk32_SetFine(int, int) { return 0; }
int NoInstrument::Tesk32_IsPulsedSystem(int) { return 0; }
int NoInstrument::Tesk32_TriggerData(int) { return 0; }
int NoInstrument::Tesk32_IsScanReady(int) { return 0; }
int NoInstrument::Tesk32_DaqInProgress(int) { return 0; }
int NoInstrument::Tesk32_ReadData(int, uint16_t*, int) { return 0; }
int NoInstrument::Tesk32_CapReadData(int, uint16_t*, int) { return 0; }

}  // namespace velor
