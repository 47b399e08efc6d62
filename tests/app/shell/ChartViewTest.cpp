// The rectangular and polar views in the program: opening them on a sample measurement, their
// commands, the plot frequency limit, the two stacked charts, their settings in the data file,
// and a coarse picture of each compared with a reference so a painting regression shows.

#include <QImage>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

#include "document/HeadlessSession.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "tests/app/shell/ShellFixture.h"
#include "views/chart/ChartView.h"
#include "views/polar/PolarView.h"
#include "views/profile/PrflView.h"
#include "views/profile/ProfileSection.h"

namespace velor::test {
namespace {

// A perpendicular-axes measurement of a tilted elliptical beam, written as the tools write it.
QString WriteSample(const QString& path) {
    RecordingPrompt prompt;
    ViewTypeRegistry types;
    HeadlessSession session(prompt, types);
    CVelor32Doc* doc = session.NewDocument();
    sim::LaserDiodeBeam beam;
    beam.majorFwhmDeg = 30;
    beam.minorFwhmDeg = 10;
    beam.tiltThetaDeg = 5;
    SimulationOptions options;
    options.perpendicular = true;
    options.scans3D = 10;
    EXPECT_TRUE(SimulateMeasurement(*doc, *sim::MakeLaserDiode(beam), options));
    doc->AdoptView(std::make_unique<ProfileSection>());
    EXPECT_TRUE(session.File().SaveDataFile(path));
    return path;
}

// 24 × 16 mean grey levels of the view's picture.
std::vector<int> Signature(QWidget& view) {
    const QImage image = view.grab().toImage().convertToFormat(QImage::Format_Grayscale8);
    std::vector<int> cells;
    for (int cy = 0; cy < 16; ++cy) {
        for (int cx = 0; cx < 24; ++cx) {
            long sum = 0, n = 0;
            for (int y = cy * image.height() / 16; y < (cy + 1) * image.height() / 16; ++y) {
                for (int x = cx * image.width() / 24; x < (cx + 1) * image.width() / 24; ++x) {
                    sum += qGray(image.pixel(x, y));
                    ++n;
                }
            }
            cells.push_back(n ? static_cast<int>(sum / n) : 0);
        }
    }
    return cells;
}

double MeanDifference(const std::vector<int>& a, const std::vector<int>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) sum += std::abs(a[i] - b[i]);
    return sum / a.size();
}

void PrintSignature(const char* name, const std::vector<int>& s) {
    // Printed ready to paste into the .inc file: 24 values a line.
    std::printf("%s:\n", name);
    for (size_t i = 0; i < s.size(); ++i)
        std::printf("%d%s", s[i], i + 1 == s.size() ? "\n" : (i % 24 == 23 ? ",\n" : ","));
}

CChartView* OpenSized(CMainFrame& frame, uint16_t tag) {
    CDormView* view = frame.OpenView(tag);
    view->Frame()->showNormal();
    view->resize(600, 400);
    static_cast<CChartView*>(view)->Redraw();
    return static_cast<CChartView*>(view);
}

TEST_F(Shell, ProfileViewsOpenOnASampleWithBothAxes) {
    CMainFrame& frame = Start();
    ASSERT_TRUE(frame.OpenDocumentFile(WriteSample(Path("s.vnq"))));
    ASSERT_EQ(frame.ViewFrames().size(), 1u) << "the saved rectangular view reopens";
    auto* rect = static_cast<CPrflView*>(frame.ViewFrames()[0]->View());
    EXPECT_EQ(rect->Frame()->windowTitle(), "Rectangular View - Lumora inc.");
    auto* polar = static_cast<CPolarView*>(frame.OpenView(kPolarViewTag));
    ASSERT_NE(polar, nullptr);
    EXPECT_EQ(polar->Frame()->windowTitle(), "Polar View - Lumora Inc.");
    for (CChartView* view : {static_cast<CChartView*>(rect), static_cast<CChartView*>(polar)}) {
        view->resize(500, 401);
        view->Redraw();
        ASSERT_EQ(view->Charts().size(), 2u);
        const std::vector<QRect> charts = view->ChartRects();
        EXPECT_EQ(charts[0].height(), 195) << "the upper half of 391";
        EXPECT_EQ(charts[1].height(), 196) << "the odd pixel goes to the lower chart";
        EXPECT_EQ(charts[1].top(), 10 + 195);
        for (const DisplayList& chart : view->Charts()) EXPECT_FALSE(chart.All<DrawPolyline>().empty());
    }
}

TEST_F(Shell, ChartCommandsAndTheirStates) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    CChartView* view = OpenSized(frame, kProfileViewTag);
    {
        EXPECT_TRUE(view->GetCommandState(ID_NORMALIZE).enabled);
        EXPECT_TRUE(view->GetCommandState(ID_MAGNIFY_1).checked);
        ASSERT_TRUE(frame.Execute(ID_MAGNIFY_100));
        EXPECT_TRUE(view->GetCommandState(ID_MAGNIFY_100).checked);
        EXPECT_EQ(view->Record().magnification, 100);
        ASSERT_TRUE(frame.Execute(ID_LOGARITHMIC));
        EXPECT_TRUE(view->GetCommandState(ID_LOGARITHMIC).checked);
        EXPECT_FALSE(view->GetCommandState(ID_MAGNIFY_100).checked);
        EXPECT_FALSE(view->GetCommandState(ID_NORMALIZE).enabled) << "no normalising on a log scale";
        EXPECT_FALSE(view->GetCommandState(ID_DATA_COLLECTION).enabled) << "acquisition is off";
    }
}

TEST_F(Shell, StoredPlotFrequencyAboveTheInstrumentsRateIsLowered) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    auto* view = new CPrflView(frame);
    view->m_nUpdateRate = 12;
    frame.ActiveDocument()->AddView(view);
    frame.MdiArea().addSubWindow(new CViewFrame(view));
    view->OnInitialUpdate();
    EXPECT_EQ(view->m_nUpdateRate, 10);
}

TEST_F(Shell, ChartSettingsTravelInTheDataFile) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    auto* polar = static_cast<CPolarView*>(frame.OpenView(kPolarViewTag));
    polar->m_fZoomRange = 40.0f;
    polar->m_crData = 0x000000FF;
    prompt.fileChoices.push_back({Path("p"), 0});
    frame.Execute(ID_FILE_SAVE_AS);
    ASSERT_TRUE(frame.OpenDocumentFile(Path("p.vnq")));
    auto* back = Find<CPolarView>();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->m_fZoomRange, 40.0f);
    EXPECT_EQ(back->m_crData, 0x000000FFu);
    EXPECT_EQ(back->m_nLayoutMarker, 0) << "laid out since";
}

// Reference pictures, made with this program on the sample above (regenerate with
// VELOR_PRINT_SIGNATURES=1 after an intended change of the drawing).
const std::vector<int> kRectReference = {
#include "tests/app/shell/RectViewSignature.inc"
};
const std::vector<int> kPolarReference = {
#include "tests/app/shell/PolarViewSignature.inc"
};

TEST_F(Shell, ViewPicturesMatchTheirReferences) {
    CMainFrame& frame = Start();
    ASSERT_TRUE(frame.OpenDocumentFile(WriteSample(Path("s.vnq"))));
    CChartView* rect = OpenSized(frame, kProfileViewTag);
    CChartView* polar = OpenSized(frame, kPolarViewTag);
    const std::vector<int> rectNow = Signature(*rect);
    const std::vector<int> polarNow = Signature(*polar);
    if (std::getenv("VELOR_PRINT_SIGNATURES")) {
        PrintSignature("rect", rectNow);
        PrintSignature("polar", polarNow);
    }
    ASSERT_EQ(rectNow.size(), kRectReference.size());
    ASSERT_EQ(polarNow.size(), kPolarReference.size());
    // Fonts and antialiasing may move a few grey levels; a missing curve, grid or label moves
    // the mean by several (a blank chart differs by about 9).
    EXPECT_LT(MeanDifference(rectNow, kRectReference), 2.0);
    EXPECT_LT(MeanDifference(polarNow, kPolarReference), 2.0);
}

}  // namespace
}  // namespace velor::test
