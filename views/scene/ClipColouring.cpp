#include "views/scene/ClipColouring.h"

#include <algorithm>
#include <vtkColorTransferFunction.h>
#include <vtkCoordinate.h>
#include <vtkDoubleArray.h>
#include <vtkNew.h>
#include <vtkPolyDataMapper.h>
#include <vtkProperty2D.h>
#include <vtkScalarBarActor.h>
#include <vtkTextProperty.h>

namespace velor {
namespace {

// The legend's place: the left edge of the view, top to bottom, in viewport fractions.
constexpr double kLegendLeft = 0.01;
constexpr double kLegendBottom = 0.01;
constexpr double kLegendWidth = 0.165;
constexpr double kLegendHeight = 0.98;
constexpr double kLegendBarRatio = 0.25;
// Text sizes in pixels: as large as these, as small as the box needs, never unreadably small.
constexpr int kLegendTitleSize = 14;
constexpr int kLegendLabelSize = 12;
constexpr int kLegendSmallestText = 7;
// "ClipLevels(%)" is about 7.5 text heights wide; the labels stand about 2.5 heights apart
// where two levels lie 5 % apart.
constexpr double kTitleWidthPerSize = 7.5;
constexpr double kLabelRowsPerHeight = 30.0;

void PlainWhite(vtkTextProperty* text, int size) {
    text->SetFontFamilyToArial();
    text->SetFontSize(size);
    text->SetColor(1, 1, 1);
    text->ItalicOff();
    text->ShadowOff();
}

}  // namespace

struct ClipColouring::Parts {
    vtkNew<vtkColorTransferFunction> colours;
    vtkNew<vtkColorTransferFunction> legendColours;
    vtkNew<vtkDoubleArray> legendLabels;
    vtkNew<vtkScalarBarActor> legend;

    Parts() {
        colours->SetColorSpaceToRGB();
        colours->ClampingOn();
        legendColours->SetColorSpaceToRGB();
        legend->SetLookupTable(legendColours);
        legend->GetPositionCoordinate()->SetCoordinateSystemToNormalizedViewport();
        legend->GetPosition2Coordinate()->SetCoordinateSystemToNormalizedViewport();
        legend->SetPosition(kLegendLeft, kLegendBottom);
        legend->SetPosition2(kLegendWidth, kLegendHeight);
        legend->SetOrientationToVertical();
        legend->SetBarRatio(kLegendBarRatio);
        legend->SetMaximumNumberOfColors(256);
        legend->UnconstrainedFontSizeOn();
        PlainWhite(legend->GetTitleTextProperty(), kLegendTitleSize);
        PlainWhite(legend->GetLabelTextProperty(), kLegendLabelSize);
        legend->SetVerticalTitleSeparation(4);
        legend->DrawBackgroundOn();
        legend->GetBackgroundProperty()->SetColor(0.3, 0.3, 0.3);
        legend->DrawFrameOn();
        legend->GetFrameProperty()->SetColor(1, 0, 0);
        legend->SetUseCustomLabels(true);
        legend->SetCustomLabels(legendLabels);
    }
};

ClipColouring::ClipColouring() : m_parts(std::make_unique<Parts>()) {}

ClipColouring::~ClipColouring() = default;

vtkScalarBarActor* ClipColouring::Legend() const { return m_parts->legend; }

void ClipColouring::ColourThrough(vtkPolyDataMapper* mapper) const {
    mapper->SetLookupTable(m_parts->colours);
    mapper->SetScalarModeToUsePointData();
    mapper->ScalarVisibilityOn();
    mapper->UseLookupTableScalarRangeOn();
    mapper->InterpolateScalarsBeforeMappingOff();
}

void ClipColouring::SetEntries(const std::vector<ColourEntry>& entries, bool logarithmic) {
    Parts& p = *m_parts;
    p.colours->RemoveAllPoints();
    p.legendColours->RemoveAllPoints();
    p.legendLabels->Reset();
    // Highest first: an entry at the value of one before it takes that place.
    for (const ColourEntry& e : entries) {
        p.colours->AddRGBPoint(e.value, e.red, e.green, e.blue);
        p.legendColours->AddRGBPoint(e.isovalue, e.red, e.green, e.blue);
    }
    std::vector<double> isovalues;
    for (const ColourEntry& e : entries) isovalues.push_back(e.isovalue);
    std::sort(isovalues.begin(), isovalues.end());
    isovalues.erase(std::unique(isovalues.begin(), isovalues.end()), isovalues.end());
    for (const double iso : isovalues) p.legendLabels->InsertNextValue(iso);
    p.legend->SetCustomLabels(p.legendLabels);
    p.legend->SetLabelFormat(logarithmic ? "%.0f" : "%.1f");
    p.legend->SetTitle(LegendTitle(logarithmic));
}

void ClipColouring::FitLegend(int width, int height) {
    const int box = static_cast<int>(width * kLegendWidth);
    const int title = std::clamp(static_cast<int>(box / kTitleWidthPerSize), kLegendSmallestText, kLegendTitleSize);
    const int label =
        std::clamp(static_cast<int>(height / kLabelRowsPerHeight), kLegendSmallestText, kLegendLabelSize);
    m_parts->legend->GetTitleTextProperty()->SetFontSize(title);
    m_parts->legend->GetLabelTextProperty()->SetFontSize(label);
}

}  // namespace velor
