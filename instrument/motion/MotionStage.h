#pragma once
// What the document needs of the azimuth stage's motion controller.

namespace velor {

class MotionStage {
public:
    virtual ~MotionStage() = default;
    virtual bool IsConnected() const = 0;
};

// A station without a motion controller.
class NoMotionStage final : public MotionStage {
public:
    bool IsConnected() const override { return false; }
};

}  // namespace velor
