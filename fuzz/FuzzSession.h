#pragma once
// What the file fuzz targets share: a headless session with every section reader the program
// has, and a user who says Yes to every question (so newer files are read too) and whose
// fatal exits come back as exceptions.

#include <QBuffer>
#include <stdexcept>

#include "common/UserPrompt.h"
#include "document/HeadlessSession.h"
#include "views/HeadlessSections.h"

namespace velor::fuzz {

struct FatalExitThrown : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class AgreeingPrompt : public UserPrompt {
public:
    PromptAnswer Show(const PromptMessage& message) override {
        return message.buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Yes;
    }

protected:
    void ReportFatal(const QString& text, int) override { throw FatalExitThrown(text.toStdString()); }
};

class FileSession {
public:
    FileSession() : m_session(m_prompt, m_viewTypes) {
        RegisterHeadlessViewSections(m_viewTypes);
        m_session.NewDocument();
    }

    // Loads the bytes as a file the user opened.
    void Load(const QByteArray& bytes) {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        try {
            m_session.File().LoadFrom(buffer, QStringLiteral("fuzz.vnq"));
        } catch (const FatalExitThrown&) {
            // Only an allocation the machine cannot give ends the program; nothing to find.
        }
    }

private:
    AgreeingPrompt m_prompt;
    ViewTypeRegistry m_viewTypes;
    HeadlessSession m_session;
};

}  // namespace velor::fuzz
