// The beam statistics window in the program: opened with F7 on a sample, showing the
// document's parameters, its commands' states, samples from the document's notifications,
// Copy, the limits dialog from the keyboard, the font, the selections kept in the settings,
// a log file chosen in the Parameters dialog, the beam metric rows, and its section through
// Save As and Open.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>

#include "document/HeadlessSession.h"
#include "document/UpdateHints.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/FarFieldPictures.h"
#include "tests/support/TestStation.h"
#include "views/beamstats/BeamData.h"
#include "views/beamstats/BeamDataParameters.h"
#include "views/beamstats/BeamMetricKinds.h"
#include "views/beamstats/BeamTableModel.h"
#include "views/beamstats/FileLogDlg.h"
#include "views/beamstats/MeasLimDlg.h"
#include "views/profile/ProfileSection.h"

namespace velor::test {
namespace {

// The notification that asks the views for one sample.
constexpr uint32_t kSampleHint = MakeHint(0x094E, 1);

class BeamShell : public Shell {
protected:
    // A perpendicular measurement of a laser diode, opened in the program with a Beam
    // Statistics window.
    CBeamData* OpenSampleWithBeamView() {
        WritePerpendicularLaserDiode(Path("s.vnq"), 10);
        CMainFrame& frame = Start();
        EXPECT_TRUE(frame.OpenDocumentFile(Path("s.vnq")));
        EXPECT_TRUE(frame.State(ID_NEW_BEAM_STATISTICS).enabled);
        EXPECT_TRUE(frame.Execute(ID_NEW_BEAM_STATISTICS));
        auto* view = Find<CBeamData>();
        if (view) frame.ActiveDocument()->SetModifiedFlag(false);
        return view;
    }
    CVelor32Doc& Doc() { return *app->MainFrame().ActiveDocument(); }
    QString Cell(CBeamData& view, int row, int column) {
        return view.Statistics().Cells().at(static_cast<size_t>(row)).text[column];
    }
    // Runs `open`, which shows a modal Dialog, hands it to `interact` and presses OK.
    template <typename Dialog>
    void AcceptDialog(const std::function<void()>& open, const std::function<void(Dialog&)>& interact) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
                seen = true;
                interact(*dialog);
                dialog->template findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            }
        });
        open();
        EXPECT_TRUE(seen) << "the dialog did not come up";
    }
    // Widths at 13.5 % of both axes, their ratio, the mode-field diameters; Value and Mean.
    static CBeamDataData WidthsAndRatio(const CBeamDataData& from) {
        CBeamDataData s = from;
        s.m_nWidthFlags = 0x01;
        s.m_nRatioFlags = 0x01;
        s.m_nDisplayFlags = 0x03;
        return s;
    }
};

TEST_F(BeamShell, ShowsTheParametersOfASampleAndSamplesOnTheDocumentsWord) {
    CBeamData* view = OpenSampleWithBeamView();
    ASSERT_NE(view, nullptr);
    CMainFrame& frame = app->MainFrame();
    EXPECT_EQ(view->Frame()->windowTitle(), "Beam Statistics 0 samples - Lumora Inc.");
    EXPECT_EQ(view->List()->header()->model()->headerData(0, Qt::Horizontal).toString(), "Parameter         ");
    ASSERT_EQ(view->Statistics().Rows().size(), 2u) << "the mode-field diameter of each axis";
    EXPECT_EQ(Cell(*view, 1, kColValue), QString::asprintf("%.2f", Doc().GetModeFieldDiameter(1)));

    view->ApplyParameters(WidthsAndRatio(*view), false);
    ASSERT_EQ(view->Statistics().Rows().size(), 5u);
    EXPECT_TRUE(Doc().IsModified()) << "the view's settings are the measurement's";
    const QString width0 = QString::asprintf("%.1f", Doc().GetAngularWidth(0, 135));
    EXPECT_EQ(Cell(*view, 0, kColValue), width0);
    EXPECT_EQ(Cell(*view, 2, kColValue), QString::asprintf("%.2f", Doc().GetWidthRatio(135)));
    EXPECT_GT(Doc().GetWidthRatio(135), 2.0f) << "a 30° by 10° beam";
    EXPECT_EQ(Cell(*view, 0, kColMean), "");

    const struct {
        int id;
        bool enabled;
    } states[] = {{ID_DATA_COLLECTION, false}, {ID_TIMING, false},          {ID_BEAM_RESET, true},
                  {ID_BEAM_PARAMETERS, true},  {ID_BEAM_FONT, true},        {ID_BEAM_LOG, false},
                  {ID_EDIT_COPY, true}};
    for (const auto& s : states) EXPECT_EQ(frame.State(s.id).enabled, s.enabled) << s.id;

    Doc().UpdateAllViews(kSampleHint);
    Doc().UpdateAllViews(kSampleHint);
    EXPECT_EQ(view->m_nSamples, 2u);
    EXPECT_EQ(view->Frame()->windowTitle(), "Beam Statistics 2 samples - Lumora Inc.");
    EXPECT_EQ(Cell(*view, 0, kColMean), QString::asprintf("%.2f", static_cast<double>(Doc().GetAngularWidth(0, 135))));

    ASSERT_TRUE(frame.Execute(ID_EDIT_COPY));
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QString::fromUtf8("13.5% Angular Width at 0.0\u00B0 (deg)\r\nValue:") + width0 +
                                  "\r\nMean:"))
        << copied.toStdString();
    EXPECT_EQ(copied.count("\r\n"), 5 * 3);
    QApplication::clipboard()->clear();
    QKeyEvent copyKey(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    QApplication::sendEvent(view->List(), &copyKey);
    EXPECT_EQ(QApplication::clipboard()->text(), copied) << "Ctrl+C in the list copies the table, not a cell";

    ASSERT_TRUE(frame.Execute(ID_UNITS_COUNTS));
    EXPECT_EQ(view->m_nSamples, 0u) << "new units start the statistics afresh";
    EXPECT_EQ(view->Frame()->windowTitle(), "Beam Statistics 0 samples - Lumora Inc.");
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST_F(BeamShell, LimitsSetFromTheKeyboardShowTheirStateAndTravelInTheDataFile) {
    CBeamData* view = OpenSampleWithBeamView();
    ASSERT_NE(view, nullptr);
    view->ApplyParameters(WidthsAndRatio(*view), false);
    view->List()->setCurrentIndex(view->Model()->index(0, 0));
    AcceptDialog<CMeasLimDlg>(
        [&] {
            QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            QApplication::sendEvent(view->List(), &space);
        },
        [&](CMeasLimDlg& dialog) {
            EXPECT_EQ(dialog.windowTitle(), view->Statistics().Rows()[0].name);
            dialog.findChild<QCheckBox*>(CMeasLimDlg::kMinBoxName)->setChecked(true);
            dialog.findChild<QLineEdit*>(CMeasLimDlg::kMinEditName)->setText("1000");
        });
    EXPECT_EQ(view->Statistics().Cells()[0].state, kBelowMinimum);
    EXPECT_EQ(view->Statistics().Cells()[1].state, kNoLimits);
    EXPECT_FALSE(view->Model()->data(view->Model()->index(0, 0), Qt::DecorationRole).value<QIcon>().isNull());
    Doc().UpdateAllViews(kSampleHint);

    CMainFrame& frame = app->MainFrame();
    prompt.fileChoices.push_back({Path("limits"), 0});
    frame.Execute(ID_FILE_SAVE_AS);
    ASSERT_TRUE(frame.OpenDocumentFile(Path("limits.vnq")));
    CBeamData* back = Find<CBeamData>();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Frame()->windowTitle(), "Beam Statistics 1 samples - Lumora Inc.");
    ASSERT_EQ(back->Statistics().Rows().size(), 5u);
    EXPECT_EQ(back->RowArrays().minLimitSet[0], 1u);
    EXPECT_EQ(back->RowArrays().minLimit[0], 1000.0);
    EXPECT_EQ(back->Statistics().Cells()[0].state, kBelowMinimum);
    EXPECT_EQ(Cell(*back, 0, kColMean), QString::asprintf("%.2f", static_cast<double>(Doc().GetAngularWidth(0, 135))));
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST_F(BeamShell, ColumnsShowTheirWholeTextsAndKeepTheWidthsTheUserGives) {
    CBeamData* view = OpenSampleWithBeamView();
    ASSERT_NE(view, nullptr);
    CMainFrame& frame = app->MainFrame();
    QHeaderView* header = view->List()->header();
    // As wide as the widest text of the column (its heading, its cells), with the margins
    // the cells are drawn with and, before the names, the state icon.
    const auto fitsWhole = [&](CBeamData& v) {
        const QFontMetrics font(v.List()->font());
        for (int position = 0; position < v.Model()->columnCount(); ++position) {
            const int kind = v.Model()->ColumnKind(position);
            int widest = 0;
            for (const BeamCells& row : v.Statistics().Cells())
                widest = std::max(widest, font.horizontalAdvance(row.text[kind]));
            const int icon = kind == kColParameter ? v.List()->iconSize().width() + 4 : 0;
            EXPECT_GE(v.List()->header()->sectionSize(position), widest + icon + 6)
                << "column " << kind;
            EXPECT_GE(v.List()->header()->sectionSize(position),
                      v.List()->header()->sectionSizeHint(position));
        }
    };
    fitsWhole(*view);
    const int nameWidth = header->sectionSize(0);
    EXPECT_GT(nameWidth, 200) << "\"Mode-Field Diameter at 90.0\u00B0 (\u00B5m)\" whole";

    CBeamDataData all = WidthsAndRatio(*view);
    all.m_nAmplitudeFlags = 0x0F;  // the longest names
    all.m_nDisplayFlags = 0x7F;
    view->ApplyParameters(all, false);
    fitsWhole(*view);
    EXPECT_GT(header->sectionSize(0), nameWidth);

    // The user's width stays with its column through every rebuild while the window lives.
    header->resizeSection(0, 90);
    ASSERT_TRUE(frame.Execute(ID_BEAM_RESET));
    EXPECT_EQ(header->sectionSize(0), 90);
    view->Frame()->close();
    Pump();
    ASSERT_TRUE(frame.Execute(ID_NEW_BEAM_STATISTICS));
    CBeamData* again = Find<CBeamData>();
    ASSERT_NE(again, nullptr);
    fitsWhole(*again);
}

TEST_F(BeamShell, TheFontSetsTheIconsAndTheSelectionsStayInTheSettings) {
    CBeamData* view = OpenSampleWithBeamView();
    ASSERT_NE(view, nullptr);
    CMainFrame& frame = app->MainFrame();
    view->ApplyParameters(WidthsAndRatio(*view), false);
    view->SetFontChooser([](const QFont& font, QWidget*) {
        QFont big(font);
        big.setPixelSize(30);
        return std::optional<QFont>(big);
    });
    ASSERT_TRUE(frame.Execute(ID_BEAM_FONT));
    EXPECT_EQ(view->m_lfList.lfHeight, -30);
    EXPECT_EQ(view->List()->iconSize(), QSize(32, 32));

    view->Frame()->close();
    Pump();
    const QSettings settings;
    EXPECT_EQ(settings.value("BEAMDATA/Width").toInt(), 1);
    EXPECT_EQ(settings.value("BEAMDATA/Elliptic").toInt(), 1);
    EXPECT_EQ(settings.value("BEAMDATA/Display").toInt(), 3);
    EXPECT_EQ(settings.value("BEAMDATA/MFD").toInt(), 1);
    ASSERT_TRUE(frame.Execute(ID_NEW_BEAM_STATISTICS));
    CBeamData* again = Find<CBeamData>();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Statistics().Rows().size(), 5u);
}

TEST_F(BeamShell, ParametersDialogStartsALogFileAfterAskingAboutTheOldOne) {
    CBeamData* view = OpenSampleWithBeamView();
    ASSERT_NE(view, nullptr);
    WriteAll(Path("run.plg"), "an older run\n");
    bool asked = false;
    AcceptDialog<CBeamDataParameters>([&] { app->MainFrame().Execute(ID_BEAM_PARAMETERS); },
                                      [&](CBeamDataParameters& dialog) {
                                          dialog.findChild<QCheckBox*>(CBeamDataParameters::kWidthBoxNames[1])
                                              ->setChecked(true);
                                          dialog.findChild<QRadioButton*>(CBeamDataParameters::kOutputButtonNames[1])
                                              ->setChecked(true);
                                          dialog.findChild<QLineEdit*>(CBeamDataParameters::kFileEditName)
                                              ->setText(Path("run"));
                                          QTimer::singleShot(0, [&] {
                                              auto* ask = qobject_cast<CFileLogDlg*>(QApplication::activeModalWidget());
                                              asked = ask != nullptr;
                                              if (ask) ask->findChild<QPushButton*>(CFileLogDlg::kOverwriteName)->click();
                                          });
                                      });
    EXPECT_TRUE(asked);
    EXPECT_EQ(view->m_nLogOutput, static_cast<uint32_t>(kLogFile));
    const QByteArray header =
        "\"13.5% Angular Width at 0.0\xB0 (deg)\",\"13.5% Angular Width at 90.0\xB0 (deg)\","
        "\"Mode-Field Diameter at 0.0\xB0 (\xB5m)\",\"Mode-Field Diameter at 90.0\xB0 (\xB5m)\",\r\n";
    EXPECT_EQ(ReadAll(Path("run.plg")), header) << "the old run overwritten";
    Doc().UpdateAllViews(kSampleHint);
    const QByteArray record = ReadAll(Path("run.plg")).mid(header.size());
    EXPECT_EQ(record.count(','), 4);
    EXPECT_TRUE(record.startsWith(QString::asprintf("%.1f,", static_cast<double>(Doc().GetAngularWidth(0, 135))).toLatin1()));
    EXPECT_TRUE(record.endsWith(",\r\n"));
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST_F(BeamShell, BeamMetricRowsChosenInTheDialogShowTheSampleAndComeBackFromTheFile) {
    CBeamData* view = OpenSampleWithBeamView();
    ASSERT_NE(view, nullptr);
    AcceptDialog<CBeamDataParameters>([&] { app->MainFrame().Execute(ID_BEAM_PARAMETERS); },
                                      [&](CBeamDataParameters& dialog) {
                                          for (const BeamMetricKind& kind : BeamMetricKinds()) {
                                              dialog.findChild<QCheckBox*>(kind.objectName)->setChecked(true);
                                          }
                                          dialog.findChild<QCheckBox*>(CBeamDataParameters::kDisplayBoxNames[1])
                                              ->setChecked(true);
                                      });
    // The mode-field diameters, five figures of each axis, four of the 3D data set, then each
    // axis's effective area.
    ASSERT_EQ(view->Statistics().Rows().size(), 2u + 10u + 4u + 2u);
    const ProfileMetrics major = Doc().GetProfileMetrics(0);
    EXPECT_EQ(view->Statistics().Rows()[6].name, QString::fromUtf8("Gaussian Fit Width at 0.0\u00B0 (deg)"));
    EXPECT_EQ(Cell(*view, 6, kColValue), QString::asprintf("%.2f", static_cast<double>(major.fitWidth)));
    EXPECT_NEAR(Cell(*view, 14, kColValue).toDouble(), 1.0 / 3.0, 0.01) << "the ellipticity of a 30° by 10° beam";
    Doc().UpdateAllViews(kSampleHint);

    CMainFrame& frame = app->MainFrame();
    prompt.fileChoices.push_back({Path("metrics"), 0});
    frame.Execute(ID_FILE_SAVE_AS);
    ASSERT_TRUE(frame.OpenDocumentFile(Path("metrics.vnq")));
    CBeamData* back = Find<CBeamData>();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->MetricKinds(), BeamMetricBits());
    ASSERT_EQ(back->Statistics().Rows().size(), 18u);
    EXPECT_EQ(Cell(*back, 6, kColMean), QString::asprintf("%.3f", static_cast<double>(major.fitWidth)));
    EXPECT_EQ(back->RowArrays().count[15], 1u);

    back->Frame()->close();
    Pump();
    EXPECT_EQ(QSettings().value("BEAMDATA/Metrics").toUInt(), BeamMetricBits()) << "kept for the next window";
    EXPECT_TRUE(prompt.Messages().empty());
}

}  // namespace
}  // namespace velor::test
