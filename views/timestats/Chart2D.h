#pragma once
// The time statistics chart: a child window owning one Qwt plot with a curve per data set
// (each series, then its statistics lines in the series' colour), grid, legend, the X axis
// title and the statistics table as footer. A new point that needs no rescaling is painted
// alone onto the canvas; everything else replots the whole chart once.

#include <QColor>
#include <QFont>
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

    // --- for tests and benchmarks --------------------------------------------------------
    QwtPlot* Plot() const;
    const std::vector<DataSet>& DataSets() const { return m_sets; }
    const std::vector<QwtPlotCurve*>& Curves() const { return m_curves; }
    QString FooterText() const;
    bool GridShown() const;
    int ReplotCount() const;
    int FastUpdateCount() const { return m_fastUpdates; }

private:
    const TimeStatModel& m_model;
    class CountingPlot;
    CountingPlot* m_plot;
    QwtPlotGrid* m_grid;
    QwtLegend* m_legend;
    QwtPlotDirectPainter* m_painter;
    std::vector<DataSet> m_sets;
    std::vector<QwtPlotCurve*> m_curves;
    QFont m_font;
    int m_fastUpdates = 0;
};

}  // namespace velor
