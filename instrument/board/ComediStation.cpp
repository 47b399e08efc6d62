#include "instrument/board/ComediStation.h"

namespace velor {

ComediStation::ComediStation(uint32_t boardNumber, const MillisecondClock& clock, Sleeper& sleeper)
    : m_board(BoardAccess{boardNumber, true}, clock, sleeper) {}

ComediStation::~ComediStation() { cbw32::UseSimulatedBoard(); }

std::unique_ptr<ComediStation> ComediStation::Open(uint32_t boardNumber,
                                                   const MillisecondClock& clock, Sleeper& sleeper,
                                                   QString* error,
                                                   const cbw32::ComediFunctions& comedi) {
    const QString device = QString::fromStdString(cbw32::ComediDevicePath(static_cast<int>(boardNumber)));
    const std::string reason = cbw32::UseComedi(static_cast<int>(boardNumber), comedi);
    if (!reason.empty()) {
        if (error) {
            *error = QStringLiteral("The acquisition board's device %1 could not be opened:\n%2")
                         .arg(device, QString::fromStdString(reason));
        }
        return nullptr;
    }
    std::unique_ptr<ComediStation> station(new ComediStation(boardNumber, clock, sleeper));
    if (station->m_board.Tesk32_InitCard(0, kBoardIoAddress) != 1) {
        if (error) {
            *error = QStringLiteral(
                         "The board on %1 was refused: the bus needs a digital I/O board of 24 "
                         "lines with the acquisition board's unit 0 on it.")
                         .arg(device);
        }
        return nullptr;  // the station's end puts the simulated boards back
    }
    return station;
}

}  // namespace velor
