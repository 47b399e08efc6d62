#pragma once
// The whole program in a test: the application object with a recorder in place of the user,
// settings cleared, files in a temporary folder.

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "app/AppCommands.h"
#include "app/Application.h"
#include "app/MdiArea.h"
#include "tests/support/RecordingPrompt.h"
#include "views/framework/ViewFrame.h"
#include "views/notes/NoteView.h"

namespace velor::test {

class Shell : public ::testing::Test {
protected:
    void SetUp() override { QSettings().clear(); }
    void TearDown() override {
        if (app) app->MainFrame().Prefs().promptOnExit = false;
        app.reset();
        QSettings().clear();
    }

    CMainFrame& Start(const StartOptions& options = {QString(), false, false}) {
        app = std::make_unique<CVelor32App>(prompt);
        EXPECT_TRUE(app->InitInstance(options));
        QApplication::processEvents();
        return app->MainFrame();
    }
    static void Pump() {
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    // The first open window showing a view of the type (File New opens a Rectangular View
    // besides the ones a test opens).
    template <typename View>
    View* Find() const {
        for (CViewFrame* frame : app->MainFrame().ViewFrames()) {
            if (auto* view = qobject_cast<View*>(frame->View())) return view;
        }
        return nullptr;
    }

    RecordingPrompt prompt;
    std::unique_ptr<CVelor32App> app;
    QTemporaryDir dir;
};

}  // namespace velor::test
