#include "document/HeadlessSession.h"

namespace velor {

HeadlessSession::HeadlessSession(UserPrompt& prompt, const ViewTypeRegistry& viewTypes,
                                 const SessionInstrument* instrument)
    : m_environment{prompt,
                    instrument ? instrument->board : m_board,
                    instrument ? instrument->motion : m_motion,
                    instrument ? instrument->clock : m_clock,
                    m_documentFrame,
                    DocumentEnvironment::NoTimers(),
                    instrument ? instrument->sleeper : DocumentEnvironment::DefaultSleeper()},
      m_documents(m_environment),
      m_file(prompt, m_frame, m_documents, viewTypes) {}

}  // namespace velor
