#pragma once
// Everything outside the document that it talks to, handed over at construction so that the
// same document runs in the program, in the command-line tool and in tests.

#include "common/Clock.h"
#include "common/UserPrompt.h"
#include "document/AcquisitionTimers.h"
#include "document/DocumentFrame.h"
#include "instrument/board/Tesk32.h"
#include "instrument/motion/MotionStage.h"

namespace velor {

struct DocumentEnvironment {
    UserPrompt& prompt;
    Tesk32& board;
    MotionStage& motion;
    const MillisecondClock& clock;
    DocumentFrame& frame;
    AcquisitionTimers& timers = NoTimers();
    Sleeper& sleeper = DefaultSleeper();

    static AcquisitionTimers& NoTimers() {
        static NoAcquisitionTimers none;
        return none;
    }
    static Sleeper& DefaultSleeper() {
        static ThreadSleeper sleeper;
        return sleeper;
    }
};

}  // namespace velor
