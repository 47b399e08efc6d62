#include "views/nearfield/NearFieldChart.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/FixedText.h"
#include "document/Velor32Doc.h"
#include "views/chart/AmplitudeScale.h"
#include "views/chart/Curve.h"

namespace velor {
namespace {

constexpr int kPad = 4;
constexpr int kLegendLine = 20;  // the sample of each curve's line before its figures, at most
constexpr int kDecades = 4;      // the transform stops 40 dB down
constexpr int kLabelGap = 12;    // between neighbouring radius labels

QString PhiText(float phi) { return FixedText(phi, 1) + QChar(0x00B0); }

// A line under the chart: its texts from the fullest to the shortest, and the pen of the curve
// it belongs to.
struct FooterLine {
    QStringList variants;
    std::optional<PenRole> pen;
};

std::vector<FooterLine> FooterLines(const NearFieldChartData& data) {
    std::vector<FooterLine> lines;
    std::vector<const NearFieldCurve*> hidden;
    for (size_t i = 0; i < data.curves.size(); ++i) {
        const NearFieldCurve& c = data.curves[i];
        const PenRole pen = i == 0 ? PenRole::Data : PenRole::DataDashed;
        const QString phi = PhiText(c.phiDeg);
        if (!c.valid) {
            lines.push_back({{QStringLiteral("%1: no near field: %2").arg(phi, c.reason),
                              QStringLiteral("%1: no near field").arg(phi)},
                             pen});
            continue;
        }
        const QString area = FixedText(c.aeffUm2, 2);
        const QString range = FixedText(c.dynamicRangeDb, 1);
        lines.push_back({{QStringLiteral("%1: MFD %2 µm, Aeff %3 µm², dynamic range %4 dB")
                              .arg(phi, FixedText(c.mfdUm, 2), area, range),
                          QStringLiteral("%1: Aeff %2 µm², %3 dB").arg(phi, area, range),
                          QStringLiteral("%1: %2 µm², %3 dB").arg(phi, area, range)},
                         pen});
        if (c.areaMayReadLow) hidden.push_back(&c);
    }
    if (!hidden.empty()) {
        // Said once for all the axes it concerns; named when it concerns only some.
        const QString prefix = hidden.size() == data.curves.size() ? QString() : PhiText(hidden.front()->phiDeg) + ": ";
        lines.push_back({{prefix + QStringLiteral("no clear side lobe above the floor: a step-index fiber's area may "
                                                  "read up to 3 % low"),
                          prefix + QStringLiteral("area may read low: no clear side lobe"),
                          prefix + QStringLiteral("area may read low")},
                         std::nullopt});
    }
    return lines;
}

// The fullest text of the line that fits the width, else the shortest cut to it; nothing when
// not even that fits.
std::optional<QString> Fitted(const FooterLine& line, int width, const TextMetrics& metrics) {
    for (const QString& text : line.variants) {
        if (metrics.size(text, FontRole::Axis).width() <= width) return text;
    }
    const QString cut = metrics.elide(line.variants.back(), FontRole::Axis, width);
    if (cut.size() < 2 || metrics.size(cut, FontRole::Axis).width() > width) return std::nullopt;
    return cut;
}

// Radii along the axis: a 1-2-5 spacing whose labels stand apart, and the last radius shown.
struct RadiusAxis {
    double spacing = 1.0;
    double end = 1.0;
    int decimals = 0;
    QString Label(double r) const { return FixedText(r, decimals); }
};

RadiusAxis ChooseRadiusAxis(double farthest, int width, const TextMetrics& metrics) {
    RadiusAxis axis;
    if (!(farthest > 0.0)) farthest = 1.0;
    const double decade = std::pow(10.0, std::floor(std::log10(farthest)) - 2);
    for (int step = 0;; ++step) {
        const double spacing = decade * std::pow(10.0, step / 3) * (step % 3 == 0 ? 1 : step % 3 == 1 ? 2 : 5);
        axis.spacing = spacing;
        axis.decimals = std::max(0, static_cast<int>(-std::floor(std::log10(spacing) + 1e-9)));
        axis.end = std::ceil(farthest / spacing - 1e-9) * spacing;
        const int ticks = static_cast<int>(std::lround(axis.end / spacing));
        const int labelWidth = metrics.size(axis.Label(axis.end), FontRole::Axis).width() + kLabelGap;
        if (ticks <= 1 || ticks * labelWidth <= width) return axis;
    }
}

}  // namespace

NearFieldChartData NearFieldChartData::From(const CVelor32Doc& doc) {
    NearFieldChartData data;
    data.wavelengthNm = doc.GetWavelength();
    const int axes = doc.IsPerpendicular() ? 2 : 1;
    for (int axis = 0; axis < axes; ++axis) {
        const NearField& field = doc.GetNearField(axis);
        NearFieldCurve c;
        c.phiDeg = doc.GetPhi(axis, 0);
        c.valid = field.valid;
        c.reason = field.reason;
        c.stepUm = field.stepUm;
        c.intensity = field.intensity;
        c.mfdUm = doc.GetModeFieldDiameter(axis);
        c.aeffUm2 = doc.GetEffectiveArea(axis);
        c.dynamicRangeDb = doc.GetModeFieldSupport(axis).dynamicRangeDb;
        c.areaMayReadLow = AreaMayReadLow(field);
        data.curves.push_back(std::move(c));
    }
    return data;
}

DisplayList RenderNearFieldChart(const NearFieldChartData& data, bool logarithmic, QSize size,
                                 const TextMetrics& metrics) {
    DisplayList list;
    list.size = size;
    const int w = size.width();
    const int h = size.height();
    const int axisH = metrics.size(QStringLiteral("0"), FontRole::Axis).height();
    const int titleH = metrics.size(QStringLiteral("0"), FontRole::Title).height();

    // Under the chart: the radius labels, the axis caption and the figures, as many of them
    // as leave the plot two lines high.
    const int legendLine = std::min(kLegendLine, w / 16);  // narrow charts keep room for the figures
    const int textLeft = kPad + legendLine + kPad;
    std::vector<std::pair<QString, std::optional<PenRole>>> footer;
    for (const FooterLine& line : FooterLines(data)) {
        if (const std::optional<QString> text = Fitted(line, w - textLeft - kPad, metrics)) {
            footer.emplace_back(*text, line.pen);
        }
    }
    bool caption = true;
    const int top = titleH + axisH / 2 + kPad;
    const auto bottom = [&] { return h - kPad - static_cast<int>(footer.size()) * axisH - (caption ? axisH : 0) - axisH; };
    while (bottom() - top < 2 * axisH && (caption || !footer.empty())) {
        if (!footer.empty() && !footer.back().second) {
            footer.pop_back();  // the note first
        } else if (caption) {
            caption = false;
        } else {
            footer.pop_back();
        }
    }
    const int b = bottom();

    // The intensity levels and their labels, centred on their lines; a label that would reach
    // the radius labels below the plot is left out.
    std::vector<std::pair<double, QString>> levels;  // fraction of the height from the bottom
    for (int k = 0; k <= (logarithmic ? kDecades : 5); ++k) {
        if (logarithmic) {
            levels.emplace_back(1.0 - static_cast<double>(k) / kDecades, k < kDecades ? DecadeLabel(-k) : QString());
        } else {
            levels.emplace_back(k / 5.0, k > 0 ? RelativeLabel(k / 5.0) : QString());
        }
    }
    int labelWidth = 0;
    for (const auto& [fraction, label] : levels) labelWidth = std::max(labelWidth, metrics.size(label, FontRole::Axis).width());
    const int l = labelWidth + 2 * kPad;

    double farthest = 0.0;
    for (const NearFieldCurve& c : data.curves) {
        if (c.valid && !c.intensity.empty()) farthest = std::max(farthest, double{c.stepUm} * (c.intensity.size() - 1));
    }
    const RadiusAxis radius = ChooseRadiusAxis(farthest, std::max(1, w - l - 2 * kPad), metrics);
    const int r = w - kPad - (metrics.size(radius.Label(radius.end), FontRole::Axis).width() + 1) / 2;
    const int plotH = b - top;
    const auto xOf = [&](double um) { return Pixel(l + um / radius.end * (r - l)); };

    list.Line({l, top}, {l, b}, PenRole::Grid);
    list.Line({r, top}, {r, b}, PenRole::Grid);
    for (const auto& [fraction, label] : levels) {
        const int y = Pixel(b - fraction * plotH);
        list.Line({l, y}, {r, y}, PenRole::Grid);
        if (!label.isEmpty() && y + axisH - axisH / 2 < b) {
            list.Text({l - kPad, y - axisH / 2}, label, HAlign::Right, VAlign::Top, FontRole::Axis,
                      LabelGroup::Amplitude);
        }
    }
    const int ticks = static_cast<int>(std::lround(radius.end / radius.spacing));
    for (int i = 0; i <= ticks; ++i) {
        const double um = i * radius.spacing;
        const int x = xOf(um);
        list.Line({x, top}, {x, b}, PenRole::Grid);
        list.Text({x, b}, radius.Label(um), HAlign::Center, VAlign::Top, FontRole::Axis, LabelGroup::Angle);
    }

    for (size_t i = 0; i < data.curves.size(); ++i) {
        const NearFieldCurve& c = data.curves[i];
        if (!c.valid) continue;
        DrawPolyline curve{{}, i == 0 ? PenRole::Data : PenRole::DataDashed};
        for (size_t k = 0; k < c.intensity.size(); ++k) {
            const double v = c.intensity[k];
            double height = v;  // fraction of the plot's height
            if (logarithmic) height = v > std::pow(10.0, -kDecades) ? 1.0 + std::log10(v) / kDecades : 0.0;
            const QPoint p(xOf(k * double{c.stepUm}), Pixel(b - std::clamp(height, 0.0, 1.0) * plotH));
            if (curve.points.empty() || curve.points.back() != p) curve.points.push_back(p);
        }
        list.items.emplace_back(std::move(curve));
    }

    list.Text({0, 0},
              logarithmic ? QStringLiteral("Logarithmic Near Field Intensity normalized")
                          : QStringLiteral("Near Field Intensity normalized"),
              HAlign::Left, VAlign::Top, FontRole::Title, LabelGroup::Title);
    list.Text({w - kPad, 0}, QStringLiteral("λ = %1 nm").arg(FixedText(data.wavelengthNm, 0)), HAlign::Right,
              VAlign::Top, FontRole::Title, LabelGroup::Phi);

    int y = b + axisH;
    if (caption) {
        list.Text({(l + r) / 2, y}, QStringLiteral("Radius (µm)"), HAlign::Center, VAlign::Top);
        y += axisH;
    }
    for (const auto& [text, pen] : footer) {
        if (pen) list.Line({kPad, y + axisH / 2}, {kPad + legendLine, y + axisH / 2}, *pen);
        list.Text({textLeft, y}, text, HAlign::Left, VAlign::Top);
        y += axisH;
    }
    return list;
}

}  // namespace velor
