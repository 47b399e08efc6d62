#pragma once
// What the document needs of the azimuth stage's motion controller. Free of Qt and of serial
// code so that the document library includes it without linking either. The defaults are those
// of a stage that is not there: nothing is sent and every query fails.

#include <string>

namespace velor {

class MotionStage {
public:
    virtual ~MotionStage() = default;

    virtual bool IsConnected() const = 0;

    // Sends the speed set for the head variant and the program about to run.
    virtual void SelectSpeeds(int /*headVariant*/, int /*program*/) {}

    // Runs a motion program and returns the controller's reply; empty, and nothing sent, when
    // not connected. A controller that stops answering ends the program.
    virtual std::string RunProgram(int /*program*/) { return {}; }

    // Resets the controller; true if it answered. Callers may ignore the answer.
    virtual bool ResetController() { return false; }

    // Homes the stage and reports whether it got there.
    virtual bool CheckHome() { return false; }
};

// A station without a motion controller.
class NoMotionStage final : public MotionStage {
public:
    bool IsConnected() const override { return false; }
};

}  // namespace velor
