#pragma once
// What every chart window shares, whatever it charts: the axis and title fonts, the display
// lists rendered into one image per chart and painted beside background strips at the left
// and top, printing the lists as vectors, the Colors dialog on the record's four colours and
// the right-click menu of the view's commands.

#include <QFont>
#include <QImage>
#include <vector>

#include "views/chart/DisplayList.h"
#include "views/chart/LabelFit.h"
#include "views/framework/DormView.h"

namespace velor {

// The charts' fonts: a small bold sans for the axes, a larger bold one for the titles.
QFont ChartAxisFont();
QFont ChartTitleFont();
// How texts measure in a chart's fonts.
TextMetrics MeasureIn(const QFont& axisFont, const QFont& titleFont);

class CDisplayListView : public CDormView {
    Q_OBJECT

public:
    CDisplayListView(uint16_t tag, ViewHost& host, QWidget* parent = nullptr);

    // Lays out, renders the charts into their images and asks for a repaint; a minimised or
    // hidden view does so once it is painted again.
    void Redraw();
    // The display lists of the last render, one per chart.
    const std::vector<DisplayList>& Charts() const { return m_lists; }
    // Where the charts stand in the view; by default one chart filling all but the strips.
    virtual std::vector<QRect> ChartRects() const;
    // How the charts' texts measure in their fonts (once a redraw has made them).
    TextMetrics Metrics() const;
    void Print(QPainter& painter, const QRect& page) override;

protected:
    // References into the view's record, whose layout differs from view to view (0x00BBGGRR).
    struct ColourRecord {
        uint32_t& text;
        uint32_t& grid;
        uint32_t& data;
        uint32_t& background;
    };
    virtual ColourRecord Colours() = 0;
    // Places the charts' contents from the axis font, before every render.
    virtual void LayOut(const QFontMetrics& axisFont) = 0;
    // One display list per rectangle of ChartRects().
    virtual std::vector<DisplayList> Render() = 0;
    virtual int TextPenWidth() const { return 1; }
    // The Colors dialog; the view redraws whether or not the colours were changed.
    void ChooseColours();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void CreateFonts();
    ChartStyle Style();
    // Renders the charts into their images; asks for a repaint unless painting already.
    void DrawNow(bool repaint = true);

    QFont m_axisFont;
    QFont m_titleFont;
    bool m_fontsReported = false;
    std::vector<DisplayList> m_lists;
    std::vector<QImage> m_images;
    bool m_redrawPending = false;
};

}  // namespace velor
