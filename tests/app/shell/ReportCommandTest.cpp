// File > Report and Save As HDF5 in the viewer: what its windows hold goes into the files (the
// note as edited, the beam statistics rows with their limits), and neither touches the
// measurement's own file.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <hdf5.h>

#include "common/FixedText.h"
#include "document/file/SaveAs.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "instrument/simulation/BeamModel.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/TestStation.h"
#include "views/beamstats/BeamData.h"

namespace velor::test {
namespace {

TEST_F(Shell, ReportAndHdf5TakeWhatTheWindowsHoldAndLeaveTheMeasurementsFileAlone) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    CVelor32Doc* doc = frame.ActiveDocument();
    SimulationOptions options;
    options.scans3D = 10;
    ASSERT_TRUE(SimulateMeasurement(*doc, *sim::MakeGaussianFiber(1310.0, 10.4), options));
    prompt.fileChoices.push_back({Path("m.vnq"), 0});
    frame.Execute(ID_FILE_SAVE_AS);
    static_cast<CNoteView*>(frame.OpenView(kNoteViewTag))->SetText("Splei\xDF \x80 ok");
    auto* beam = static_cast<CBeamData*>(frame.OpenView(kBeamDataViewTag));
    CBeamDataData chosen = *beam;
    chosen.m_nWidthFlags = 0x01;  // 13.5 %
    beam->ApplyParameters(chosen, false);
    const double width = doc->GetAngularWidth(0, 135);
    beam->RowArrays().maxLimitSet[0] = 1;
    beam->RowArrays().maxLimit[0] = width + 1.0;
    const QByteArray saved = velor::test::ReadAll(Path("m.vnq"));
    const bool modified = doc->IsModified();

    prompt.fileChoices.push_back({Path("r.pdf"), 0});
    frame.Execute(ID_FILE_REPORT);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {"-layout", Path("r.pdf"), "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Spleiß € ok"))) << text.toStdString();
    EXPECT_TRUE(text.contains("Beam Statistics view"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("13\\.5% Angular Width at 0\\.0° \\(deg\\)\\s+%1\\s+—\\s+%2\\s+PASS")
                                       .arg(QRegularExpression::escape(FixedText(width, 1)),
                                            QRegularExpression::escape(FixedText(width + 1.0, 1))))
                    .match(text)
                    .hasMatch())
        << text.toStdString();

    int hdf5 = 0;
    while (kSaveAsFilters[hdf5].kind != SaveAsKind::Hdf5) ++hdf5;
    prompt.fileChoices.push_back({Path("m.x"), hdf5});
    frame.Execute(ID_FILE_SAVE_AS);
    const hid_t file = H5Fopen(Path("m.h5").toLocal8Bit().constData(), H5F_ACC_RDONLY, H5P_DEFAULT);
    ASSERT_GE(file, 0);
    const hid_t note = H5Dopen2(file, "note", H5P_DEFAULT);
    const hid_t type = H5Dget_type(note);
    char* value = nullptr;
    ASSERT_GE(H5Dread(note, type, H5S_ALL, H5S_ALL, H5P_DEFAULT, &value), 0);
    EXPECT_EQ(QString::fromUtf8(value), QStringLiteral("Spleiß € ok"));
    H5free_memory(value);
    H5Tclose(type);
    H5Dclose(note);
    H5Fclose(file);

    // Exports: the measurement keeps its file, its name and its unsaved state.
    EXPECT_EQ(doc->GetPathName(), Path("m.vnq"));
    EXPECT_EQ(doc->IsModified(), modified);
    EXPECT_EQ(velor::test::ReadAll(Path("m.vnq")), saved);
}

}  // namespace
}  // namespace velor::test
