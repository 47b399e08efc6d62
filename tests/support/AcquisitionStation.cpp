#include "tests/support/AcquisitionStation.h"

namespace velor::test {

AcquisitionStation::AcquisitionStation(std::shared_ptr<const sim::BeamModel> source,
                                       SimulatedBoardSettings settings, bool withController) {
    board = std::make_unique<SimulatedBoard>(std::move(source), settings, clock, sleeper);
    if (withController) ConnectSimulated(controller, controllerSim);
    environment = std::make_unique<DocumentEnvironment>(
        DocumentEnvironment{prompt, *board, controller, clock, frame, timers, sleeper});
    doc = std::make_unique<CVelor32Doc>(*environment);
    doc->OnNewDocument();
    doc->SetApertureSourceDistance(settings.storedDistanceCm - kApertureOffset);
    doc->SetInstrumentFlag(true);
}

void AcquisitionStation::Tick() {
    clock.now += 5;
    if (!timers.tickRunning) return;
    const int before = timers.posted;
    doc->OnTimerCallback();
    if (timers.posted > before) doc->OnAcquisitionTick();
}

}  // namespace velor::test
