#include "document/HeadlessSession.h"

namespace velor {

HeadlessSession::HeadlessSession(UserPrompt& prompt, const ViewTypeRegistry& viewTypes)
    : m_environment{prompt, m_board, m_motion, m_clock, m_documentFrame},
      m_documents(m_environment),
      m_file(prompt, m_frame, m_documents, viewTypes) {}

}  // namespace velor
