#pragma once
// What every vnqtool command starts from: a headless session whose messages go to the
// console, with the view sections the tool knows.

#include "common/ConsolePrompt.h"
#include "document/HeadlessSession.h"
#include "views/HeadlessSections.h"

namespace vnqtool {

class ToolSession {
public:
    // An instrument, when given, is what the session's documents measure with.
    explicit ToolSession(const velor::SessionInstrument* instrument = nullptr)
        : m_session(m_prompt, m_viewTypes, instrument) {
        velor::RegisterHeadlessViewSections(m_viewTypes);
    }

    // Loads as the viewer does; null after the viewer's message went to standard error.
    velor::CVelor32Doc* Load(const QString& path) { return m_session.File().LoadDataFile(path); }
    velor::CVelor32Doc* NewDocument() { return m_session.NewDocument(); }
    velor::DataFile& File() { return m_session.File(); }
    velor::UserPrompt& Prompt() { return m_prompt; }

private:
    velor::ConsolePrompt m_prompt;
    velor::ViewTypeRegistry m_viewTypes;
    velor::HeadlessSession m_session;
};

}  // namespace vnqtool
