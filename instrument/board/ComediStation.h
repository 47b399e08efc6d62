#pragma once
// A real acquisition board: the board access over the board library, whose driver calls go to
// a 24-line digital I/O board through Comedi. The driver is process-wide; while a station
// holds it the simulated boards are out of use.

#include <QString>
#include <memory>

#include "cbw32/Cbw32Backend.h"
#include "common/Clock.h"
#include "instrument/board/CbVelorBoard.h"

namespace velor {

class ComediStation {
public:
    // Opens /dev/comedi<boardNumber> and initialises the board's unit 0. Null when the device
    // cannot be opened (error gets the system's reason) or the board library refuses what it
    // finds there.
    static std::unique_ptr<ComediStation> Open(uint32_t boardNumber, const MillisecondClock& clock,
                                               Sleeper& sleeper, QString* error,
                                               const cbw32::ComediFunctions& comedi =
                                                   cbw32::RealComedi());
    ~ComediStation();
    ComediStation(const ComediStation&) = delete;
    ComediStation& operator=(const ComediStation&) = delete;

    Tesk32& Board() { return m_board; }

private:
    ComediStation(uint32_t boardNumber, const MillisecondClock& clock, Sleeper& sleeper);

    CbVelorBoard m_board;
};

}  // namespace velor
