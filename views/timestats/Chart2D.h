#pragma once
// The time statistics chart: a child window owning one Qwt plot with a curve per data set
// (each series, then its statistics lines in the series' colour), grid, legend, the X axis
// title and the statistics table as footer. A new point that needs no rescaling is painted
// alone onto the canvas; everything else replots the whole chart once.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <array>
#include <vector>

#include "views/timestats/TimeStatModel.h"

class QwtLegend;
class QwtPlot;
class QwtPlotCurve;
class QwtPlotDirectPainter;
class QwtPlotGrid;

namespace velor {

class CChart2D : public QWidget {
    Q_OBJECT

public:
    // The chart reads its points from the model as it draws; the model outlives it.
    explicit CChart2D(const TimeStatModel& model, QWidget* parent = nullptr);
    ~CChart2D() override;

    // One curve per data set; a series' curves take its colour, its own curve its name in the
    // legend.
    void SetDataSets(const std::vector<DataSet>& sets, const std::array<QColor, 2>& colours,
                     const std::array<QString, 2>& names);
    void SetChartFont(const QFont& font);
    void SetGrid(bool on);
    void SetAxes(double xMin, double xMax, double yMin, double yMax, const QString& xTitle);
    // The statistics table; none when empty.
    void SetFooterLines(const QStringList& lines);

    // Draws everything anew.
    void Replot();
    // Paints point `index` of every data set (the segment from the point before it) without
    // touching the rest of the canvas.
    void AppendPoint(int index);

    // A text the chart shows, where it stands in the chart and whether it is seen whole.
    struct ShownText {
        QString text;
        QRect rect;
        bool whole = false;
    };
    // The legend's entries: each a series' line and name.
    std::vector<ShownText> LegendEntries() const;
    // The labels of both axes' ticks.
    std::vector<ShownText> AxisLabels() const;

    // --- for tests and benchmarks --------------------------------------------------------
    QwtPlot* Plot() const;
    const std::vector<DataSet>& DataSets() const { return m_sets; }
    const std::vector<QwtPlotCurve*>& Curves() const { return m_curves; }
    QString FooterText() const;
    bool GridShown() const;
    int ReplotCount() const;
    int FastUpdateCount() const { return m_fastUpdates; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Lets the legend's entries paint again (see the definition).
    void ReviveLegend();
    // The series' names in the legend, cut short at their start where the chart is too narrow
    // for them (their ends tell the axes apart); the whole name is the entry's tip. A chart
    // too low for a line per name puts them side by side.
    void FitLegendNames();
    // As many ticks on each axis as leave room between their labels; true when that changed.
    bool FitTicks();

    const TimeStatModel& m_model;
    class CountingPlot;
    CountingPlot* m_plot;
    QwtPlotGrid* m_grid;
    QwtLegend* m_legend;
    QwtPlotDirectPainter* m_painter;
    std::vector<DataSet> m_sets;
    std::vector<QwtPlotCurve*> m_curves;
    std::array<QString, 2> m_names;
    QFont m_font;
    int m_fastUpdates = 0;
};

}  // namespace velor
