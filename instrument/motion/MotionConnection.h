#pragma once
// Putting the controller on a line: a serial device or the simulated controller. Any line held
// before is closed first, so a failed attempt leaves the controller disconnected. The caller
// shows its wait dialog around the attempt.

#include <QString>

#include "instrument/motion/MotionController.h"
#include "instrument/motion/SerialSettings.h"
#include "instrument/motion/SimulatedController.h"

namespace velor {

// Empty on success; otherwise the reason, fit to show to the user.
QString ConnectSerial(MotionController& controller, const SerialSettings& settings);

// The simulated controller must outlive the connection.
void ConnectSimulated(MotionController& controller, SimulatedController& simulated);

}  // namespace velor
