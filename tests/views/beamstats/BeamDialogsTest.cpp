// The beam statistics dialogs: the Parameters dialog's fields and what they store, its
// enabling rules and refusals, a log file name without an extension and the question when the
// file exists; the Measurement Limits dialog's order check; the File Logging buttons.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstring>

#include "tests/support/RecordingPrompt.h"
#include "views/beamstats/BeamDataParameters.h"
#include "views/beamstats/BeamRows.h"
#include "views/beamstats/FileLogDlg.h"
#include "views/beamstats/MeasLimDlg.h"

namespace velor::test {
namespace {

using Dlg = CBeamDataParameters;

template <typename Widget>
Widget* Child(QWidget& dialog, const char* name) {
    auto* w = dialog.findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

class Parameters : public ::testing::Test {
protected:
    std::unique_ptr<Dlg> Open(const CBeamDataData& s, uint32_t metricKinds = 0) {
        return std::make_unique<Dlg>(
            s, QStringList{"COM1", "COM2"}, prompt, nullptr,
            [this](QWidget*) {
                ++questions;
                return answer;
            },
            metricKinds);
    }
    RecordingPrompt prompt;
    int questions = 0;
    ExistingLogChoice answer = ExistingLogChoice::Append;
    QTemporaryDir dir;
};

TEST_F(Parameters, StoresTheChosenParametersAsTheRecordHoldsThem) {
    auto dlg = Open(CBeamDataData{});
    Child<QCheckBox>(*dlg, Dlg::kWidthBoxNames[0])->setChecked(true);
    Child<QCheckBox>(*dlg, Dlg::kApertureBoxNames[4])->setChecked(true);
    Child<QLineEdit>(*dlg, Dlg::kUserClipEditNames[1])->setText("13.46");
    Child<QCheckBox>(*dlg, Dlg::kRatioBoxNames[1])->setChecked(true);
    Child<QCheckBox>(*dlg, Dlg::kAmplitudeBoxNames[3])->setChecked(true);
    Child<QLineEdit>(*dlg, Dlg::kUserAngleEditNames[1])->setText("-12.34");
    Child<QCheckBox>(*dlg, Dlg::kModeFieldBoxName)->setChecked(false);
    Child<QRadioButton>(*dlg, Dlg::kStatButtonNames[2])->setChecked(true);
    Child<QLineEdit>(*dlg, Dlg::kFiniteEditName)->setText("25");
    Child<QCheckBox>(*dlg, Dlg::kDisplayBoxNames[4])->setChecked(true);
    Child<QRadioButton>(*dlg, Dlg::kOutputButtonNames[2])->setChecked(true);
    Child<QComboBox>(*dlg, Dlg::kPortBoxName)->setCurrentText("/dev/ttyUSB0");
    Child<QComboBox>(*dlg, Dlg::kDelimiterBoxName)->setCurrentText("Tab");
    Child<QCheckBox>(*dlg, Dlg::kTimeBoxName)->setChecked(true);
    dlg->accept();
    ASSERT_EQ(dlg->result(), QDialog::Accepted) << prompt.Texts().join("; ").toStdString();

    CBeamDataData r;
    r.m_nSamples = 9;
    dlg->StoreChoices(r);
    EXPECT_EQ(r.m_nSamples, 9u) << "not the dialog's";
    EXPECT_EQ(r.m_nWidthFlags, 0x40u);
    EXPECT_EQ(r.m_nApertureFlags, 0x10u);
    EXPECT_EQ(r.m_nUserClip2, 135) << "trunc(134.6 + 0.5)";
    EXPECT_EQ(r.m_nRatioFlags, 0x01u);
    EXPECT_EQ(r.m_nAmplitudeFlags, 0x08u);
    EXPECT_EQ(r.m_nUserAngle2, -123);
    EXPECT_EQ(r.m_bModeField, 0u);
    EXPECT_EQ(r.m_nStatMode, static_cast<uint32_t>(kStatFinite));
    EXPECT_EQ(r.m_nFiniteSize, 25);
    EXPECT_EQ(r.m_nDisplayFlags, 0x11u);
    EXPECT_EQ(r.m_nLogOutput, static_cast<uint32_t>(kLogPort));
    EXPECT_STREQ(r.m_szLogPort, "/dev/ttyUSB0");
    EXPECT_EQ(r.m_nDelimiter, static_cast<uint32_t>(kDelimTab));
    EXPECT_EQ(r.m_bLogTime, 1u);
    EXPECT_EQ(questions, 0);
}

TEST_F(Parameters, UserValuesAreStoredInTenthsRoundedHalfAwayFromZero) {
    const struct {
        const char* text;
        int tenths;
        const char* shown;  // in the row's name
    } values[] = {{"-30", -300, "-30.0"}, {"-0.04", 0, "0.0"}, {"-0.05", -1, "-0.1"},
                  {"0", 0, "0.0"},        {"0.05", 1, "0.1"},  {"29.95", 300, "30.0"}};
    using Stored = int (*)(const CBeamDataData&);
    const struct {
        const char* box;
        const char* edit;
        Stored stored;
        bool takesNegatives;
    } fields[] = {
        {Dlg::kWidthBoxNames[3], Dlg::kUserClipEditNames[0],
         [](const CBeamDataData& r) -> int { return r.m_nUserClip; }, false},
        {Dlg::kApertureBoxNames[4], Dlg::kUserClipEditNames[1],
         [](const CBeamDataData& r) -> int { return r.m_nUserClip2; }, false},
        {Dlg::kRatioBoxNames[3], Dlg::kUserRatioEditNames[0],
         [](const CBeamDataData& r) -> int { return r.m_nUserRatio1; }, false},
        {Dlg::kRatioBoxNames[4], Dlg::kUserRatioEditNames[1],
         [](const CBeamDataData& r) -> int { return r.m_nUserRatio2; }, false},
        {Dlg::kAmplitudeBoxNames[2], Dlg::kUserAngleEditNames[0],
         [](const CBeamDataData& r) -> int { return r.m_nUserAngle1; }, true},
        {Dlg::kAmplitudeBoxNames[3], Dlg::kUserAngleEditNames[1],
         [](const CBeamDataData& r) -> int { return r.m_nUserAngle2; }, true},
    };
    for (const auto& f : fields) {
        for (const auto& v : values) {
            SCOPED_TRACE(std::string(f.edit) + " " + v.text);
            prompt.Clear();
            auto dlg = Open(CBeamDataData{});
            Child<QCheckBox>(*dlg, f.box)->setChecked(true);
            Child<QLineEdit>(*dlg, f.edit)->setText(QString::fromLatin1(v.text));
            dlg->accept();
            const bool refused = v.text[0] == '-' && !f.takesNegatives;
            ASSERT_EQ(dlg->result() == QDialog::Accepted, !refused) << prompt.Texts().join("; ").toStdString();
            if (refused) continue;
            CBeamDataData r;
            dlg->StoreChoices(r);
            EXPECT_EQ(f.stored(r), v.tenths);
            if (f.takesNegatives) {
                const QString name = BuildBeamRows(r, BeamRowContext{}).front().name;
                const QString expected = QStringLiteral("Amplitude for Theta = %1\u00B0");
                EXPECT_TRUE(name.startsWith(expected.arg(QLatin1String(v.shown)))) << name.toStdString();
            }
            // What was stored shows as what was typed, and comes back unchanged through the field.
            auto again = Open(r);
            EXPECT_EQ(Child<QLineEdit>(*again, f.edit)->text().toDouble(), v.tenths / 10.0);
            Child<QCheckBox>(*again, f.box)->setChecked(true);
            again->accept();
            CBeamDataData kept;
            again->StoreChoices(kept);
            EXPECT_EQ(f.stored(kept), v.tenths);
        }
    }
}

TEST_F(Parameters, AMetricKindsBoxSetsItsBitAndNewerKindsStay) {
    // The fit width and the ellipticity chosen, and a bit of a newer program's kind.
    auto dlg = Open(CBeamDataData{}, 0x004 | 0x080 | 0x40000000u);
    EXPECT_TRUE(Child<QCheckBox>(*dlg, "metricFitWidth")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(*dlg, "metricWidth")->isChecked());
    Child<QCheckBox>(*dlg, "metricEllipticity")->setChecked(false);
    Child<QCheckBox>(*dlg, "metricWidth")->setChecked(true);
    dlg->accept();
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->MetricKinds(), 0x001u | 0x004u | 0x40000000u);
}

TEST_F(Parameters, EditsAndLoggingControlsFollowTheirSwitches) {
    auto dlg = Open(CBeamDataData{});
    auto* clip = Child<QLineEdit>(*dlg, Dlg::kUserClipEditNames[0]);
    EXPECT_FALSE(clip->isEnabled());
    Child<QCheckBox>(*dlg, Dlg::kApertureBoxNames[3])->setChecked(true);
    EXPECT_TRUE(clip->isEnabled()) << "either column's user box";
    EXPECT_FALSE(Child<QLineEdit>(*dlg, Dlg::kRollingEditName)->isEnabled());
    Child<QRadioButton>(*dlg, Dlg::kStatButtonNames[1])->setChecked(true);
    EXPECT_TRUE(Child<QLineEdit>(*dlg, Dlg::kRollingEditName)->isEnabled());

    const struct {
        int output;
        bool file, port, others;
    } cases[] = {{0, false, false, false}, {1, true, false, true}, {2, false, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(Dlg::kOutputButtonNames[c.output]);
        Child<QRadioButton>(*dlg, Dlg::kOutputButtonNames[c.output])->setChecked(true);
        EXPECT_EQ(Child<QLineEdit>(*dlg, Dlg::kFileEditName)->isEnabled(), c.file);
        EXPECT_EQ(Child<QComboBox>(*dlg, Dlg::kPortBoxName)->isEnabled(), c.port);
        for (const char* name : {Dlg::kDelimiterBoxName, Dlg::kDateBoxName, Dlg::kTimeBoxName, Dlg::kSerialBoxName}) {
            EXPECT_EQ(dlg->findChild<QWidget*>(QLatin1String(name))->isEnabled(), c.others) << name;
        }
    }
}

TEST_F(Parameters, FieldsOutOfRangeKeepTheDialogOpen) {
    const struct {
        const char* box;  // switched on first (may be null)
        const char* edit;
        const char* text;
        const char* message;
    } cases[] = {
        {Dlg::kWidthBoxNames[3], Dlg::kUserClipEditNames[0], "100.5", "Please enter a number between 0 and 100."},
        {Dlg::kRatioBoxNames[4], Dlg::kUserRatioEditNames[1], "-1", "Please enter a number between 0 and 100."},
        {Dlg::kAmplitudeBoxNames[2], Dlg::kUserAngleEditNames[0], "91", "Please enter a number between -90 and 90."},
        {Dlg::kStatButtonNames[1], Dlg::kRollingEditName, "0", "Please enter an integer between 1 and 100."},
        {Dlg::kStatButtonNames[2], Dlg::kFiniteEditName, "16384", "Please enter an integer between 0 and 16383."},
        {Dlg::kOutputButtonNames[1], Dlg::kFileEditName, " ", "Please enter the name of the log file."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edit);
        prompt.Clear();
        auto dlg = Open(CBeamDataData{});
        dlg->findChild<QAbstractButton*>(QLatin1String(c.box))->setChecked(true);
        Child<QLineEdit>(*dlg, c.edit)->setText(QString::fromLatin1(c.text));
        dlg->accept();
        EXPECT_NE(dlg->result(), QDialog::Accepted);
        EXPECT_EQ(prompt.Texts(), QStringList{QString::fromLatin1(c.message)});
    }
}

TEST_F(Parameters, LogFileGetsItsExtensionAndAnExistingOneIsAskedAbout) {
    QFile(dir.filePath("kept.plg")).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir("runs.d");
    const struct {
        const char* what;
        QString entered;
        ExistingLogChoice answer;
        int questions;
        bool accepted, overwrite;
        QString stored;
    } cases[] = {
        {"new name", dir.filePath("fresh"), ExistingLogChoice::Append, 0, true, false, dir.filePath("fresh.plg")},
        {"a dot in the folder only", dir.filePath("runs.d/a"), ExistingLogChoice::Append, 0, true, false,
         dir.filePath("runs.d/a.plg")},
        {"own extension", dir.filePath("fresh.txt"), ExistingLogChoice::Append, 0, true, false,
         dir.filePath("fresh.txt")},
        {"exists, append", dir.filePath("kept"), ExistingLogChoice::Append, 1, true, false, dir.filePath("kept.plg")},
        {"exists, overwrite", dir.filePath("kept"), ExistingLogChoice::Overwrite, 1, true, true,
         dir.filePath("kept.plg")},
        {"exists, cancel", dir.filePath("kept"), ExistingLogChoice::Cancel, 1, false, false, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        questions = 0;
        answer = c.answer;
        auto dlg = Open(CBeamDataData{});
        Child<QRadioButton>(*dlg, Dlg::kOutputButtonNames[1])->setChecked(true);
        Child<QLineEdit>(*dlg, Dlg::kFileEditName)->setText(c.entered);
        dlg->accept();
        EXPECT_EQ(questions, c.questions);
        EXPECT_EQ(dlg->result() == QDialog::Accepted, c.accepted);
        EXPECT_EQ(dlg->OverwriteLog(), c.overwrite);
        if (c.accepted) {
            EXPECT_EQ(QFile::decodeName(dlg->Settings().m_szLogFile), c.stored);
        }
    }
    EXPECT_TRUE(QFile::exists(dir.filePath("kept.plg"))) << "the dialog itself deletes nothing";
}

TEST(MeasurementLimits, AMaximumBelowTheMinimumIsRefused) {
    const struct {
        bool minSet, maxSet;
        const char *low, *high;
        bool accepted;
    } cases[] = {
        {true, true, "6", "5", false},
        {true, true, "5", "5", true},
        {true, false, "7.5", "not a number", true},
        {false, true, "", "-3", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << " .. " << c.high);
        RecordingPrompt prompt;
        CMeasLimDlg dlg("13.5% Angular Width", MeasLimits{false, 0.0f, false, 2.0f}, prompt);
        EXPECT_EQ(dlg.windowTitle(), "13.5% Angular Width");
        Child<QCheckBox>(dlg, CMeasLimDlg::kMinBoxName)->setChecked(c.minSet);
        Child<QCheckBox>(dlg, CMeasLimDlg::kMaxBoxName)->setChecked(c.maxSet);
        Child<QLineEdit>(dlg, CMeasLimDlg::kMinEditName)->setText(QString::fromLatin1(c.low));
        Child<QLineEdit>(dlg, CMeasLimDlg::kMaxEditName)->setText(QString::fromLatin1(c.high));
        dlg.accept();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(prompt.Texts(), QStringList{"Minimum value must be smaller than maximum value!"});
            continue;
        }
        EXPECT_TRUE(prompt.Messages().empty());
        EXPECT_EQ(dlg.Limits().minSet, c.minSet);
        EXPECT_EQ(dlg.Limits().maxSet, c.maxSet);
        EXPECT_FLOAT_EQ(dlg.Limits().minValue, c.minSet ? QString(c.low).toFloat() : 0.0f);
        EXPECT_FLOAT_EQ(dlg.Limits().maxValue, c.maxSet ? QString(c.high).toFloat() : 2.0f);
    }
}

TEST(FileLogging, EachButtonIsItsAnswer) {
    for (const auto& [name, choice] : {std::pair{CFileLogDlg::kAppendName, ExistingLogChoice::Append},
                                       std::pair{CFileLogDlg::kOverwriteName, ExistingLogChoice::Overwrite},
                                       std::pair{CFileLogDlg::kCancelName, ExistingLogChoice::Cancel}}) {
        CFileLogDlg dlg;
        EXPECT_EQ(dlg.windowTitle(), "File Logging");
        Child<QPushButton>(dlg, name)->click();
        EXPECT_EQ(dlg.Choice(), choice) << name;
    }
}

}  // namespace
}  // namespace velor::test
