#include "views/timestats/Chart2D.h"

#include <qwt_legend.h>
#include <qwt_legend_label.h>
#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_directpainter.h>
#include <qwt_plot_grid.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_map.h>
#include <qwt_scale_widget.h>
#include <qwt_series_data.h>
#include <qwt_text.h>
#include <qwt_text_label.h>

#include <QPainter>
#include <QPen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "views/common/ColorRef.h"

namespace velor {
namespace {

// The chart's colours: a blue-grey surround, a lighter one behind legend and table, a white
// plotting area, light grey dashed grid lines.
constexpr uint32_t kChartBackground = 0xCCBBAA;
constexpr uint32_t kPanelBackground = 0xDDCCBB;
constexpr uint32_t kGridColour = 0xC0C0C0;
constexpr int kMargin = 4;
// The most major ticks an axis gets, however long it is (Qwt's own default).
constexpr int kMaxMajorTicks = 8;
// Room around a new segment for the pen's width and rounding.
constexpr double kSegmentSlack = 3.0;

void Fill(QWidget* widget, uint32_t colorRef) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, FromColorRef(colorRef));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The points of one data set, read from the model at drawing time: a series' values, or a
// statistics line standing at its statistic over every collected point.
class SetData : public QwtSeriesData<QPointF> {
public:
    SetData(const TimeStatModel& model, DataSet set) : m_model(model), m_set(set) {}

    size_t size() const override { return static_cast<size_t>(m_model.Count()); }
    QPointF sample(size_t i) const override {
        const int index = static_cast<int>(i);
        const double y = m_set.line == StatLine::None ? m_model.Value(m_set.series, index)
                                                      : m_model.LineValue(m_set.series, m_set.line);
        return {m_model.X().At(index), y};
    }
    // Only autoscaling asks, and the chart's axes are always set by the view.
    QRectF boundingRect() const override {
        const int n = m_model.Count();
        if (n == 0) return QRectF(1.0, 1.0, -1.0, -1.0);
        const SeriesStats& s = m_model.Stats(m_set.series);
        const double x0 = m_model.X().At(0);
        return QRectF(x0, s.min, m_model.X().At(n - 1) - x0, s.max - s.min);
    }

private:
    const TimeStatModel& m_model;
    DataSet m_set;
};

// A curve whose holes (points a scan could not give) break the line instead of being drawn.
class Curve : public QwtPlotCurve {
public:
    using QwtPlotCurve::QwtPlotCurve;

    void drawSeries(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap, const QRectF& canvasRect,
                    int from, int to) const override {
        if (to < 0) to = static_cast<int>(dataSize()) - 1;
        int start = -1;
        for (int i = from; i <= to; ++i) {
            const bool hole = std::isnan(sample(i).y());
            if (!hole && start < 0) start = i;
            if ((hole || i == to) && start >= 0) {
                const int end = hole ? i - 1 : i;
                if (end > start) QwtPlotCurve::drawSeries(painter, xMap, yMap, canvasRect, start, end);
                start = -1;
            }
        }
    }
};

}  // namespace

// Counts its replots, so tests can tell a full redraw from the fast one.
class CChart2D::CountingPlot : public QwtPlot {
public:
    using QwtPlot::QwtPlot;
    void replot() override {
        ++replots;
        QwtPlot::replot();
    }
    int replots = 0;
};

CChart2D::CChart2D(const TimeStatModel& model, QWidget* parent) : QWidget(parent), m_model(model) {
    m_plot = new CountingPlot(this);
    m_plot->setAutoReplot(false);
    m_plot->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    Fill(m_plot, kChartBackground);
    auto* canvas = new QwtPlotCanvas();
    // A replot is painted at once, so a point painted straight after it lands on the new chart.
    canvas->setPaintAttribute(QwtPlotCanvas::ImmediatePaint, true);
    canvas->setFrameStyle(static_cast<int>(QFrame::Box) | static_cast<int>(QFrame::Plain));
    m_plot->setCanvas(canvas);
    m_plot->setCanvasBackground(Qt::white);

    m_legend = new QwtLegend();
    Fill(m_legend, kPanelBackground);
    m_plot->insertLegend(m_legend, QwtPlot::TopLegend);
    Fill(m_plot->footerLabel(), kPanelBackground);

    m_grid = new QwtPlotGrid();
    m_grid->setPen(QPen(FromColorRef(kGridColour), 1, Qt::DashLine));
    m_grid->attach(m_plot);

    m_painter = new QwtPlotDirectPainter(this);
    m_painter->setAttribute(QwtPlotDirectPainter::CopyBackingStore, true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_plot);
}

CChart2D::~CChart2D() {
    // The curves read the model through their data: they go before anything else.
    m_plot->detachItems(QwtPlotItem::Rtti_PlotCurve, true);
}

std::vector<CChart2D::ShownText> CChart2D::LegendEntries() const {
    std::vector<ShownText> entries;
    // The entries stand in a scrolled area: what shows of them is what lies in its window.
    const QWidget* window =
        m_legend->contentsWidget() ? m_legend->contentsWidget()->parentWidget() : m_legend;
    const QRect seen(window->mapTo(this, QPoint(0, 0)), window->size());
    for (const QwtLegendLabel* label : m_legend->findChildren<QwtLegendLabel*>()) {
        const QRect rect(label->mapTo(this, QPoint(0, 0)), label->size());
        const bool shown = label->isVisibleTo(this) && window->isVisibleTo(this) &&
                           m_legend->isVisibleTo(this) && label->updatesEnabled();
        const bool whole =
            shown && seen.contains(rect) && label->width() >= label->sizeHint().width();
        entries.push_back({label->text().text(), rect, whole});
    }
    return entries;
}

std::vector<CChart2D::ShownText> CChart2D::AxisLabels() const {
    std::vector<ShownText> labels;
    for (int axis : {QwtPlot::xBottom, QwtPlot::yLeft}) {
        const QwtScaleWidget* scale = m_plot->axisWidget(axis);
        if (!scale || !m_plot->axisEnabled(axis)) continue;
        const QwtScaleDraw* draw = scale->scaleDraw();
        for (const double value : draw->scaleDiv().ticks(QwtScaleDiv::MajorTick)) {
            const QString text = draw->label(value).text();
            if (text.isEmpty()) continue;
            const QRect rect = draw->boundingLabelRect(scale->font(), value)
                                   .translated(scale->mapTo(this, QPoint(0, 0)));
            labels.push_back({text, rect, scale->isVisibleTo(this) && this->rect().contains(rect)});
        }
    }
    return labels;
}

QwtPlot* CChart2D::Plot() const { return m_plot; }
int CChart2D::ReplotCount() const { return m_plot->replots; }
bool CChart2D::GridShown() const { return m_grid->xEnabled() && m_grid->yEnabled(); }
QString CChart2D::FooterText() const { return m_plot->footer().text(); }

void CChart2D::SetDataSets(const std::vector<DataSet>& sets, const std::array<QColor, 2>& colours,
                           const std::array<QString, 2>& names) {
    m_painter->reset();
    m_plot->detachItems(QwtPlotItem::Rtti_PlotCurve, true);
    m_curves.clear();
    m_sets = sets;
    for (const DataSet& set : sets) {
        const int series = std::clamp(set.series, 0, 1);
        auto* curve = new Curve(set.line == StatLine::None ? names[series] : QString());
        curve->setPen(QPen(colours[series], 1, Qt::SolidLine));
        curve->setData(new SetData(m_model, set));
        curve->setLegendAttribute(QwtPlotCurve::LegendShowLine, true);
        curve->setItemAttribute(QwtPlotItem::Legend, set.line == StatLine::None);
        curve->attach(m_plot);
        m_curves.push_back(curve);
    }
    m_names = names;
    SetChartFont(m_font);
    // The new entries may be made while the window is being maximised: once that is over.
    QTimer::singleShot(0, this, [this] { ReviveLegend(); });
}

void CChart2D::SetChartFont(const QFont& font) {
    m_font = font;
    m_legend->setFont(font);
    FitLegendNames();
    // The last X label stands half its width past the canvas: room for it and a character
    // more, so that no rounding of its width puts it against the window's edge.
    const QFontMetrics metrics(font);
    m_plot->axisWidget(QwtPlot::xBottom)
        ->setMinBorderDist(
            0, metrics.horizontalAdvance(QStringLiteral("00000")) / 2 + metrics.averageCharWidth());
    for (int axis : {QwtPlot::xBottom, QwtPlot::yLeft}) {
        m_plot->setAxisFont(axis, font);
        QwtText title = m_plot->axisTitle(axis);
        title.setFont(font);
        m_plot->setAxisTitle(axis, title);
    }
    QwtText footer = m_plot->footer();
    footer.setFont(font);
    m_plot->setFooter(footer);
}

void CChart2D::SetGrid(bool on) {
    m_grid->enableX(on);
    m_grid->enableY(on);
}

void CChart2D::SetAxes(double xMin, double xMax, double yMin, double yMax, const QString& xTitle) {
    m_plot->setAxisScale(QwtPlot::xBottom, xMin, xMax);
    m_plot->setAxisScale(QwtPlot::yLeft, yMin, yMax);
    QwtText title(xTitle);
    title.setFont(m_font);
    m_plot->setAxisTitle(QwtPlot::xBottom, title);
}

void CChart2D::SetFooterLines(const QStringList& lines) {
    QwtText footer(lines.join(QLatin1Char('\n')));
    footer.setFont(m_font);
    footer.setRenderFlags(Qt::AlignLeft | Qt::AlignTop);
    m_plot->setFooter(footer);
}

void CChart2D::Replot() {
    m_painter->reset();
    FitTicks();
    m_plot->replot();
    ReviveLegend();
}

void CChart2D::ReviveLegend() {
    // An entry made while its window was being maximised keeps its updates switched off for
    // good (Qwt switches them off around filling the entry, and the window's own switch-off
    // makes it miss being switched on again): the legend would stay blank.
    for (QwtLegendLabel* label : m_legend->findChildren<QwtLegendLabel*>()) {
        if (!label->updatesEnabled() && m_legend->updatesEnabled()) {
            label->setUpdatesEnabled(true);
            label->update();
        }
    }
}

void CChart2D::FitLegendNames() {
    // Room for a name: the chart's width less its margins and the entry's line sample, or
    // half of that where the chart is too low to give each name a line of its own. A name is
    // cut at its start: the axis it belongs to is said at its end.
    constexpr int kEntrySpacing = 28;
    constexpr int kLowestForStackedNames = 300;
    const QFontMetrics font(m_font);
    int named = 0;
    for (const DataSet& set : m_sets) named += set.line == StatLine::None ? 1 : 0;
    const int columns = named > 1 && height() < kLowestForStackedNames ? named : 1;
    const int room =
        std::max(font.averageCharWidth() * 4, (width() - 2 * kMargin) / columns - kEntrySpacing);
    for (size_t i = 0; i < m_curves.size() && i < m_sets.size(); ++i) {
        if (m_sets[i].line != StatLine::None) continue;
        const QString& name = m_names[static_cast<size_t>(std::clamp(m_sets[i].series, 0, 1))];
        const QString shown = font.elidedText(name, Qt::ElideLeft, room);
        if (m_curves[i]->title().text() != shown) m_curves[i]->setTitle(shown);
        for (QWidget* entry : m_legend->legendWidgets(m_plot->itemToInfo(m_curves[i]))) {
            entry->setToolTip(shown == name ? QString() : name);
        }
    }
}

bool CChart2D::FitTicks() {
    // Labels stand at least this many of their heights apart, or a widest label and a
    // height apart across.
    constexpr double kRowsPerLabel = 2.5;
    const QFontMetrics font(m_plot->axisFont(QwtPlot::yLeft));
    const QWidget* canvas = m_plot->canvas();
    const int across = std::max(
        1, canvas->width() / (font.horizontalAdvance(QStringLiteral("00000")) + font.height()));
    const int down =
        std::max(1, static_cast<int>(canvas->height() / (kRowsPerLabel * font.height())));
    bool changed = false;
    for (const auto& [axis, ticks] :
         {std::pair{QwtPlot::xBottom, across}, std::pair{QwtPlot::yLeft, down}}) {
        const int wanted = std::min(ticks, kMaxMajorTicks);
        if (m_plot->axisMaxMajor(axis) != wanted) {
            m_plot->setAxisMaxMajor(axis, wanted);
            changed = true;
        }
    }
    return changed;
}

void CChart2D::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ReviveLegend();
}

void CChart2D::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitLegendNames();
    // The plot has its new size: its scales are divided again where the ticks change.
    if (FitTicks()) Replot();
    ReviveLegend();
}

void CChart2D::AppendPoint(int index) {
    if (index < 1 || index >= m_model.Count()) {
        Replot();
        return;
    }
    // Only the new segments' neighbourhood is painted and shown.
    const QwtScaleMap xMap = m_plot->canvasMap(QwtPlot::xBottom);
    const QwtScaleMap yMap = m_plot->canvasMap(QwtPlot::yLeft);
    bool any = false;
    double left = 0.0, right = 0.0, top = 0.0, bottom = 0.0;
    for (QwtPlotCurve* curve : m_curves) {
        for (int i : {index - 1, index}) {
            const QPointF p = curve->sample(static_cast<size_t>(i));
            if (std::isnan(p.y())) continue;
            const double x = xMap.transform(p.x()), y = yMap.transform(p.y());
            left = any ? std::min(left, x) : x;
            right = any ? std::max(right, x) : x;
            top = any ? std::min(top, y) : y;
            bottom = any ? std::max(bottom, y) : y;
            any = true;
        }
    }
    ++m_fastUpdates;
    if (!any) return;
    // A value far off the axis maps far off the canvas: only the visible part is painted.
    const QRectF dirty = QRectF(QPointF(left, top), QPointF(right, bottom))
                             .adjusted(-kSegmentSlack, -kSegmentSlack, kSegmentSlack, kSegmentSlack)
                             .intersected(QRectF(m_plot->canvas()->contentsRect()));
    if (dirty.isEmpty()) return;
    m_painter->setClipRegion(QRegion(dirty.toAlignedRect()));
    for (QwtPlotCurve* curve : m_curves) m_painter->drawSeries(curve, index - 1, index);
    m_painter->reset();
}

}  // namespace velor
