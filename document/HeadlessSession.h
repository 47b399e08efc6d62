#pragma once
// A measurement session without windows: one document, the viewing station's idle board and
// no motion controller unless an instrument is handed in, and the data-file code. The
// command-line tool runs on it; tests build their own variants with recorders in place of the
// user.

#include <memory>

#include "common/Clock.h"
#include "common/UserPrompt.h"
#include "document/DocumentFrame.h"
#include "document/Velor32Doc.h"
#include "document/file/DataFile.h"
#include "document/file/FrameServices.h"
#include "document/file/ViewTypeRegistry.h"
#include "instrument/board/NoInstrument.h"
#include "instrument/motion/MotionStage.h"

namespace velor {

// An instrument to measure with, and the time it runs on; all of it outlives the session.
struct SessionInstrument {
    Tesk32& board;
    MotionStage& motion;
    const MillisecondClock& clock;
    Sleeper& sleeper;
};

class HeadlessSession {
public:
    // The view types come from the caller (which registers the headless sections it knows).
    HeadlessSession(UserPrompt& prompt, const ViewTypeRegistry& viewTypes,
                    const SessionInstrument* instrument = nullptr);

    CVelor32Doc* NewDocument() { return m_documents.CreateDocument(); }
    CVelor32Doc* Document() { return m_documents.ActiveDocument(); }
    DataFile& File() { return m_file; }
    const DocumentEnvironment& Environment() const { return m_environment; }

private:
    NoInstrument m_board;
    NoMotionStage m_motion;
    SteadyClock m_clock;
    DocumentFrame m_documentFrame;
    FrameWindow m_frame;
    DocumentEnvironment m_environment;
    SingleDocumentSet m_documents;
    DataFile m_file;
};

}  // namespace velor
