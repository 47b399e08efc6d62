// The near field view in the program: opened from Window > New Window on a sample
// measurement, the figures it writes under the chart, its scale commands marking the
// measurement changed and travelling in the data file, printed as vectors and saved as an image.

#include <QAction>
#include <QImageReader>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "common/FixedText.h"
#include "document/HeadlessSession.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/FarFieldPictures.h"
#include "tests/support/TestStation.h"
#include "tests/views/chart/ChartFixture.h"
#include "views/nearfield/NearFieldView.h"
#include "views/profile/ProfileSection.h"

namespace velor::test {
namespace {

class NearFieldViewShell : public Shell {
protected:
    // Two perpendicular axes of a single-mode fiber (MFD 10.4 µm), opened in the program with
    // a near field window laid out at 800 × 500.
    CNearFieldView* OpenSampleWithNearFieldView() {
        SimulationOptions options;
        options.scans3D = 10;
        options.perpendicular = true;
        WriteSimulatedMeasurement(Path("s.vnq"), *sim::MakeGaussianFiber(1310.0, 10.4), options);
        CMainFrame& frame = Start();
        EXPECT_TRUE(frame.OpenDocumentFile(Path("s.vnq")));
        EXPECT_TRUE(frame.State(ID_NEW_NEAR_FIELD).enabled);
        EXPECT_TRUE(frame.Execute(ID_NEW_NEAR_FIELD));
        EXPECT_TRUE(frame.Execute(ID_NEW_NEAR_FIELD)) << "the open one comes forward";
        int open = 0;
        for (CViewFrame* window : frame.ViewFrames()) open += window->View()->Tag() == kNearFieldViewTag;
        EXPECT_EQ(open, 1) << "one at a time";
        auto* view = Find<CNearFieldView>();
        if (!view) return nullptr;
        view->Frame()->showNormal();
        view->resize(800, 500);
        view->Redraw();
        frame.ActiveDocument()->SetModifiedFlag(false);
        return view;
    }
};

TEST_F(NearFieldViewShell, ShowsBothAxesWithTheirFiguresOnAFreeKey) {
    CNearFieldView* view = OpenSampleWithNearFieldView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Frame()->windowTitle(), "Near Field View - Lumora inc.");
    ASSERT_EQ(view->Charts().size(), 1u);
    const DisplayList& chart = view->Charts()[0];
    EXPECT_EQ(chart.All<DrawPolyline>().size(), 2u) << "a curve per axis";
    const CVelor32Doc& doc = *app->MainFrame().ActiveDocument();
    for (const int axis : {0, 1}) {
        const QString line = QStringLiteral("%1: MFD %2 µm, Aeff %3 µm², dynamic range %4 dB")
                                 .arg(FixedText(doc.GetPhi(axis, 0), 1) + QChar(0x00B0),
                                      FixedText(doc.GetModeFieldDiameter(axis), 2), FixedText(doc.GetEffectiveArea(axis), 2),
                                      FixedText(doc.GetModeFieldSupport(axis).dynamicRangeDb, 1));
        EXPECT_TRUE(HasText(chart, line)) << line.toStdString();
        EXPECT_NEAR(doc.GetEffectiveArea(axis), 3.14159265 * 5.2 * 5.2, 3.14159265 * 5.2 * 5.2 * 2e-3);
    }
    EXPECT_TRUE(HasText(chart, "no clear side lobe above the floor: a step-index fiber's area may read up to 3 % low"));

    // F11 was free: every function key of the main window belongs to one command.
    QStringList keys;
    for (const QAction* action : app->MainFrame().findChildren<QAction*>()) {
        const QString key = action->shortcut().toString();
        if (!QRegularExpression(QStringLiteral("^F\\d+$")).match(key).hasMatch()) continue;
        EXPECT_FALSE(keys.contains(key)) << key.toStdString();
        keys << key;
        if (action->text() == "N&ear Field View") {
            EXPECT_EQ(action->shortcut(), QKeySequence(Qt::Key_F11));
        }
    }
    EXPECT_TRUE(keys.contains("F11"));
}

TEST_F(NearFieldViewShell, ScaleCommandsTravelInTheFileAndItPrintsAsTextAndSavesAPicture) {
    CNearFieldView* view = OpenSampleWithNearFieldView();
    ASSERT_NE(view, nullptr);
    CMainFrame& frame = app->MainFrame();
    EXPECT_TRUE(frame.State(ID_NEAR_FIELD_LINEAR).checked);
    ASSERT_TRUE(frame.Execute(ID_NEAR_FIELD_LOGARITHMIC));
    EXPECT_TRUE(frame.State(ID_NEAR_FIELD_LOGARITHMIC).checked);
    EXPECT_FALSE(frame.State(ID_NEAR_FIELD_LINEAR).checked);
    EXPECT_TRUE(HasText(view->Charts()[0], "Logarithmic Near Field Intensity normalized"));
    EXPECT_TRUE(frame.ActiveDocument()->IsModified());

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path("near.pdf"));
    ASSERT_TRUE(frame.PrintActiveView(printer));
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {Path("near.pdf"), QStringLiteral("-")});
    ASSERT_TRUE(reader.waitForFinished(30000)) << "pdftotext (Debian package poppler-utils) is needed";
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    // The figures as text (the font may join "ff" into one glyph).
    EXPECT_TRUE(text.contains(QStringLiteral("%1 µm²").arg(FixedText(frame.ActiveDocument()->GetEffectiveArea(0), 2))))
        << text.toStdString();

    frame.Prefs().imageType = 4;  // PNG
    prompt.fileChoices.push_back({Path("near"), 0});
    ASSERT_TRUE(frame.Execute(ID_SAVE_IMAGE));
    EXPECT_EQ(QImageReader(Path("near.png")).size(), view->size());

    prompt.fileChoices.push_back({Path("n"), 0});
    frame.Execute(ID_FILE_SAVE_AS);
    ASSERT_TRUE(frame.OpenDocumentFile(Path("n.vnq")));
    ASSERT_NE(Find<CNearFieldView>(), nullptr);
    EXPECT_EQ(Find<CNearFieldView>()->m_bLogarithmic, 1) << "the scale travels in the file";
}

}  // namespace
}  // namespace velor::test
