#pragma once
// A simulated instrument reached the way a real one is: the board access runs the board
// library's register protocol through the driver stand-in's simulated digital I/O board to a
// simulated acquisition unit, whose detector sweeps a simulated source. The driver is
// process-wide, so one station exists at a time; it configures the driver when it is made and
// detaches from it when it goes.

#include <memory>

#include "common/Clock.h"
#include "common/UserPrompt.h"
#include "instrument/board/CbVelorBoard.h"
#include "instrument/board/SimulatedUnit.h"
#include "instrument/board/Tesk32.h"

namespace velor {

class SimulatedStation {
public:
    // The unit the document uses, on board number 0 of the simulated driver.
    static constexpr int kUnit = 0;

    SimulatedStation(std::shared_ptr<const sim::BeamModel> source,
                     const SimulatedBoardSettings& settings, const MillisecondClock& clock,
                     Sleeper& sleeper, UserPrompt& prompt,
                     SimulatedUnit::StageAzimuth stage = {});
    ~SimulatedStation();
    SimulatedStation(const SimulatedStation&) = delete;
    SimulatedStation& operator=(const SimulatedStation&) = delete;

    // What the document drives. A capture the detector could not take delivers no samples,
    // and the user hears of it once (again only after a capture has succeeded in between).
    Tesk32& Board();
    const SimulatedUnit& Unit() const { return m_unit; }

private:
    class ReportingBoard;

    SimulatedUnit m_unit;
    CbVelorBoard m_access;
    std::unique_ptr<ReportingBoard> m_board;
};

}  // namespace velor
