#include "views/scene/ClipColouring.h"

#include <vtkColorTransferFunction.h>
#include <vtkCoordinate.h>
#include <vtkDoubleArray.h>
#include <vtkNew.h>
#include <vtkPolyDataMapper.h>
#include <vtkProperty2D.h>
#include <vtkRenderer.h>
#include <vtkScalarBarActor.h>
#include <vtkTextActor.h>
#include <vtkTextProperty.h>
#include <vtkTextRenderer.h>

#include <QSizeF>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace velor {
namespace {

// The legend's place: the left edge of the view, top to bottom, in viewport fractions.
constexpr double kLegendLeft = 0.01;
constexpr double kLegendBottom = 0.01;
constexpr double kLegendHeight = 0.98;
constexpr double kLegendBarRatio = 0.25;
// Text sizes: the title a little larger than the labels where there is room.
constexpr int kLegendTitleSize = 14;
constexpr int kLegendLabelSize = kSmallestLegendText;
// Pixels around the texts inside the box, and between two labels of the bar.
constexpr int kLegendPad = 6;
constexpr int kLabelGap = 2;
// The fewest labels a bar is worth drawing for: its top and bottom and one between.
constexpr int kFewestLabels = 3;
// The resolution the toolkit's text sizes are given at: a point is a pixel.
constexpr int kTextDpi = 72;

void PlainWhite(vtkTextProperty* text, int size) {
    text->SetFontFamilyToArial();
    text->SetFontSize(size);
    text->SetColor(1, 1, 1);
    text->ItalicOff();
    text->ShadowOff();
}

// A text's size in pixels in a property's font.
QSizeF Extent(vtkTextProperty* property, const std::string& text) {
    int box[4] = {0, -1, 0, -1};
    vtkTextRenderer* renderer = vtkTextRenderer::GetInstance();
    if (!renderer || !renderer->GetBoundingBox(property, text, box, kTextDpi)) {
        // No font engine: an estimate from the size.
        const double size = property->GetFontSize();
        return QSizeF(0.6 * size * static_cast<double>(text.size()), 1.2 * size);
    }
    return QSizeF(box[1] - box[0] + 1, box[3] - box[2] + 1);
}

}  // namespace

struct ClipColouring::Parts {
    vtkNew<vtkColorTransferFunction> colours;
    vtkNew<vtkColorTransferFunction> legendColours;
    vtkNew<vtkDoubleArray> legendLabels;
    vtkNew<vtkScalarBarActor> legend;
    // The title stands inside the box above the bar: the bar's own title is placed by the
    // toolkit partly above its frame.
    vtkNew<vtkTextActor> title;
    std::string titleText;
    vtkNew<vtkTextProperty> measure;  // for measuring texts without touching the legend's own
    std::vector<double> isovalues;    // highest first
    LegendFit fit;
    bool wanted = true;
    // The view the legend was last fitted to; none yet while the width is 0.
    int viewWidth = 0, viewHeight = 0, viewRoom = 0;

    Parts() {
        colours->SetColorSpaceToRGB();
        colours->ClampingOn();
        legendColours->SetColorSpaceToRGB();
        legend->SetLookupTable(legendColours);
        legend->GetPositionCoordinate()->SetCoordinateSystemToNormalizedViewport();
        legend->GetPosition2Coordinate()->SetCoordinateSystemToNormalizedViewport();
        legend->SetPosition(kLegendLeft, kLegendBottom);
        legend->SetPosition2(0.2, kLegendHeight);
        legend->SetOrientationToVertical();
        legend->SetBarRatio(kLegendBarRatio);
        legend->SetMaximumNumberOfColors(256);
        legend->UnconstrainedFontSizeOn();
        legend->SetTitle("");
        PlainWhite(legend->GetLabelTextProperty(), kLegendLabelSize);
        legend->SetTextPad(kLegendPad / 2);
        PlainWhite(title->GetTextProperty(), kLegendTitleSize);
        title->GetTextProperty()->SetJustificationToCentered();
        title->GetTextProperty()->SetVerticalJustificationToTop();
        title->GetPositionCoordinate()->SetCoordinateSystemToDisplay();
        title->SetVisibility(false);
        legend->DrawBackgroundOn();
        legend->GetBackgroundProperty()->SetColor(0.3, 0.3, 0.3);
        legend->DrawFrameOn();
        legend->GetFrameProperty()->SetColor(1, 0, 0);
        legend->SetUseCustomLabels(true);
        legend->SetCustomLabels(legendLabels);
        PlainWhite(measure, kLegendLabelSize);
    }

    std::string Label(double isovalue) const {
        char text[32];
        std::snprintf(text, sizeof text, legend->GetLabelFormat(), isovalue);
        return text;
    }

    QSizeF Measure(const std::string& text, int size) {
        measure->SetFontSize(size);
        return Extent(measure, text);
    }

    // The levels to label on a bar of `bar` pixels: the highest and the lowest always, the
    // others where they stand a label's height clear of the last one kept.
    std::vector<double> Labelled(double bar, double labelHeight) const {
        std::vector<double> kept;
        if (isovalues.empty()) return kept;
        const double top = isovalues.front(), bottom = isovalues.back();
        const double span = top - bottom;
        const auto pixels = [&](double a, double b) {
            return span > 0.0 ? bar * (a - b) / span : 0.0;
        };
        const double gap = labelHeight + kLabelGap;
        for (const double iso : isovalues) {
            if (kept.empty() || pixels(kept.back(), iso) >= gap) kept.push_back(iso);
        }
        if (kept.back() != bottom) {
            // The lowest level is labelled: the label nearest above it gives way if need be.
            if (kept.size() > 1 && pixels(kept.back(), bottom) < gap) kept.pop_back();
            kept.push_back(bottom);
        }
        return kept;
    }
};

ClipColouring::ClipColouring() : m_parts(std::make_unique<Parts>()) {}

ClipColouring::~ClipColouring() = default;

vtkScalarBarActor* ClipColouring::Legend() const { return m_parts->legend; }

std::vector<vtkProp*> ClipColouring::LegendProps() const {
    return {m_parts->legend.Get(), m_parts->title.Get()};
}

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
    // Highest first: an entry at the value of one before it takes that place.
    for (const ColourEntry& e : entries) {
        p.colours->AddRGBPoint(e.value, e.red, e.green, e.blue);
        p.legendColours->AddRGBPoint(e.isovalue, e.red, e.green, e.blue);
    }
    p.isovalues.clear();
    for (const ColourEntry& e : entries) p.isovalues.push_back(e.isovalue);
    std::sort(p.isovalues.begin(), p.isovalues.end(), std::greater<>());
    p.isovalues.erase(std::unique(p.isovalues.begin(), p.isovalues.end()), p.isovalues.end());
    p.legend->SetLabelFormat(logarithmic ? "%.0f" : "%.1f");
    p.titleText = LegendTitle(logarithmic);
    p.title->SetInput(p.titleText.c_str());
    // The labels follow the view's size: fitted again to the last one.
    if (p.viewWidth > 0) {
        FitLegend(p.viewWidth, p.viewHeight, p.viewRoom);
    } else {
        p.legendLabels->Reset();
        for (auto it = p.isovalues.rbegin(); it != p.isovalues.rend(); ++it)
            p.legendLabels->InsertNextValue(*it);
        p.legend->SetCustomLabels(p.legendLabels);
    }
}

const LegendFit& ClipColouring::FitLegend(int width, int height, int room) {
    Parts& p = *m_parts;
    p.viewWidth = width;
    p.viewHeight = height;
    p.viewRoom = room;
    const std::string title = Title();
    double labelWidth = 0.0;
    const double labelHeight = p.Measure("0.0", kLegendLabelSize).height();
    for (const double iso : p.isovalues)
        labelWidth = std::max(labelWidth, p.Measure(p.Label(iso), kLegendLabelSize).width());
    // The box as wide as the title or the bar and its labels need: the title as large as the
    // room allows, never below the default size.
    const auto boxFor = [&](int titleSize) {
        const double forTitle = p.Measure(title, titleSize).width() + 2 * kLegendPad;
        const double forLabels = (labelWidth + 2 * kLegendPad) / (1.0 - kLegendBarRatio);
        return static_cast<int>(std::ceil(std::max(forTitle, forLabels)));
    };
    LegendFit fit;
    fit.labelSize = kLegendLabelSize;
    fit.titleSize = boxFor(kLegendTitleSize) <= room ? kLegendTitleSize : kSmallestLegendText;
    fit.width = boxFor(fit.titleSize);
    fit.height = static_cast<int>(height * kLegendHeight);
    // The bar below the title, its end labels reaching half a text beyond it.
    const double bar =
        fit.height - p.Measure(title, fit.titleSize).height() - 4.0 * kLegendPad - labelHeight;
    const std::vector<double> labelled = p.Labelled(bar, labelHeight);
    const size_t fewest = std::min<size_t>(kFewestLabels, p.isovalues.size());
    fit.fits = width > 0 && fit.width <= room && bar >= kFewestLabels * (labelHeight + kLabelGap) &&
               labelled.size() >= fewest;
    for (const double iso : labelled) fit.labels.push_back(p.Label(iso));

    const double titleHeight = p.Measure(title, fit.titleSize).height();
    p.title->GetTextProperty()->SetFontSize(fit.titleSize);
    p.legend->GetLabelTextProperty()->SetFontSize(fit.labelSize);
    // The bar starts below the title.
    p.legend->SetVerticalTitleSeparation(static_cast<int>(std::ceil(titleHeight)) + kLegendPad);
    if (width > 0)
        p.legend->SetPosition2(std::min(1.0, static_cast<double>(fit.width) / width),
                               kLegendHeight);
    const double left = kLegendLeft * width, top = (kLegendBottom + kLegendHeight) * height;
    p.title->SetPosition(left + fit.width / 2.0, top - kLegendPad / 2.0);
    p.legendLabels->Reset();
    for (auto it = labelled.rbegin(); it != labelled.rend(); ++it)
        p.legendLabels->InsertNextValue(*it);
    p.legend->SetCustomLabels(p.legendLabels);
    p.fit = fit;
    ApplyVisibility();
    return p.fit;
}

const LegendFit& ClipColouring::Fit() const {
    return m_parts->fit;
}

void ClipColouring::ShowLegend(bool wanted) {
    m_parts->wanted = wanted;
    ApplyVisibility();
}

void ClipColouring::ApplyVisibility() {
    const bool shown = m_parts->wanted && m_parts->fit.fits;
    m_parts->legend->SetVisibility(shown);
    m_parts->title->SetVisibility(shown);
}

std::string ClipColouring::Title() const {
    return m_parts->titleText;
}

ScreenBox ScreenBoxOf(vtkTextActor* label, vtkRenderer* renderer) {
    const double* at = label->GetPositionCoordinate()->GetComputedDoubleDisplayValue(renderer);
    const QSizeF text =
        label->GetInput() ? Extent(label->GetTextProperty(), label->GetInput()) : QSizeF();
    const bool above = label->GetTextProperty()->GetVerticalJustification() == VTK_TEXT_BOTTOM;
    const double bottom = above ? at[1] : at[1] - text.height() / 2;
    return {at[0] - text.width() / 2, bottom, at[0] + text.width() / 2, bottom + text.height()};
}

bool ClipColouring::Covers(vtkTextActor* label, vtkRenderer* renderer) const {
    const Parts& p = *m_parts;
    if (!p.legend->GetVisibility() || !label->GetInput()) return false;
    const int* size = renderer->GetSize();
    if (!size || size[0] <= 0 || size[1] <= 0) return false;
    const double left = kLegendLeft * size[0], bottom = kLegendBottom * size[1];
    return ScreenBoxOf(label, renderer)
        .Meets({left, bottom, left + p.fit.width, bottom + p.fit.height});
}

}  // namespace velor
