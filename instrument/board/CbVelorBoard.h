#pragma once
// The board access over the board library: each of the ten calls becomes the library's
// register operations on one unit. Which digital I/O driver carries them (the simulated board
// or Comedi) is the driver's choice, made before the first call.

#include <array>
#include <cstdint>

#include "common/Clock.h"
#include "instrument/board/BoardTables.h"
#include "instrument/board/Tesk32.h"

namespace velor {

struct BoardAccess {
    // The digital I/O board's number for the driver (0 to 99). The I/O address the document
    // passes belongs to the driver's set-up and is not used here.
    uint32_t boardNumber = 0;
    // Reads a sample byte with one driver call instead of a strobed register read.
    bool directRead = true;
};

class CbVelorBoard final : public Tesk32 {
public:
    // A synchronous capture polls the unit every kPollMs and gives up after kCaptureLimitMs.
    static constexpr uint32_t kPollMs = 1;
    static constexpr uint32_t kCaptureLimitMs = 2000;

    CbVelorBoard(const BoardAccess& access, const MillisecondClock& clock, Sleeper& sleeper);

    // 1 when the library accepted the board; a refused board is not called again until the
    // next initialisation, and delivers no samples.
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

private:
    struct Unit {
        bool ready = false;  // initialised and accepted
        bool armed = false;  // a capture triggered and not yet reported complete
        int16_t version = 0;
    };
    // The unit when it is one the library has accepted; else null.
    Unit* Ready(int unit);

    BoardAccess m_access;
    const MillisecondClock& m_clock;
    Sleeper& m_sleeper;
    std::array<Unit, board::kUnitCount> m_units{};
};

}  // namespace velor
