#pragma once
// A report as a flow of blocks laid onto pages: each block knows its height for a width and
// paints itself into a rectangle; a table or a text may break between its rows when it does not
// fit the rest of a page, the heading row repeated on the next. Pages are laid out first and
// painted afterwards, so every page can say how many there are.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "views/chart/DisplayList.h"

class QPaintDevice;
class QPainter;

namespace velor {

class ReportBlock {
public:
    virtual ~ReportBlock() = default;
    virtual int Height(int width) const = 0;
    virtual void Paint(QPainter& painter, const QRect& area) const = 0;
    using Parts = std::pair<std::unique_ptr<ReportBlock>, std::unique_ptr<ReportBlock>>;
    // The first part that fits `height` and the rest; nothing when the block does not break
    // or not even its first row fits.
    virtual std::optional<Parts> Split(int /*width*/, int /*height*/) const { return std::nullopt; }
};

// Rich text laid out by QTextDocument: a head (title, a table's heading row), rows it may break
// between, and a tail (closing the table). The continuation repeats `repeatedHead`.
class HtmlBlock : public ReportBlock {
public:
    HtmlBlock(const QPaintDevice* device, QFont font, QString head, QStringList rows, QString tail,
              QString repeatedHead);
    int Height(int width) const override;
    void Paint(QPainter& painter, const QRect& area) const override;
    std::optional<Parts> Split(int width, int height) const override;

private:
    QString Html(int rows) const;
    int HeightOf(int rows, int width) const;

    const QPaintDevice* m_device;
    QFont m_font;
    QString m_head;
    QStringList m_rows;
    QString m_tail;
    QString m_repeatedHead;
    // Heights already laid out, by row count and width: a layout is the dear part.
    mutable std::map<std::pair<int, int>, int> m_heights;
};

// The colours and fonts charts are printed with.
struct PrintStyle {
    QColor text{Qt::black};
    QColor grid{0xA0, 0xA0, 0xA0};
    QColor data{0x1F, 0x4E, 0x9A};
    QColor background{Qt::white};
    QFont axisFont;   // pixel sizes, in chart pixels
    QFont titleFont;
    QFont captionFont;  // points
    const QPaintDevice* device = nullptr;  // what the points are measured on
};

// A chart's display list, scaled to the width it is given, under a caption.
class ChartBlock : public ReportBlock {
public:
    ChartBlock(QString caption, DisplayList list, PrintStyle style, QString remark = QString());
    int Height(int width) const override;
    void Paint(QPainter& painter, const QRect& area) const override;

private:
    QString m_caption;
    DisplayList m_list;
    PrintStyle m_style;
    QString m_remark;
};

// The topographic map: the raster of the disc, the rim circle with its azimuths, and
// the legend of the colour mapping beside it.
class DiscBlock : public ReportBlock {
public:
    struct LegendEntry {
        QString label;
        QColor colour;
    };
    DiscBlock(QString caption, QImage disc, QString legendTitle, std::vector<LegendEntry> legend, PrintStyle style,
              QString remark = QString());
    int Height(int width) const override;
    void Paint(QPainter& painter, const QRect& area) const override;

private:
    QString m_caption;
    QImage m_disc;
    QString m_legendTitle;
    std::vector<LegendEntry> m_legend;
    PrintStyle m_style;
    QString m_remark;
};

// Two blocks side by side, sharing the width by the given fraction.
class PairBlock : public ReportBlock {
public:
    PairBlock(std::unique_ptr<ReportBlock> left, std::unique_ptr<ReportBlock> right, double leftShare);
    int Height(int width) const override;
    void Paint(QPainter& painter, const QRect& area) const override;

private:
    int Gap(int width) const { return width / 40; }
    std::unique_ptr<ReportBlock> m_left;
    std::unique_ptr<ReportBlock> m_right;
    double m_share;
};

// Blocks laid onto pages of one size. Each page remembers the header of the section it starts in.
class PageFlow {
public:
    PageFlow(QSize content, int spacing) : m_content(content), m_spacing(spacing) {}

    // A new section starts on a new page, under its header.
    void StartSection(const QString& header);
    void Add(std::unique_ptr<ReportBlock> block);

    struct Placed {
        std::unique_ptr<ReportBlock> block;
        QRect area;
    };
    struct Page {
        QString header;
        std::vector<Placed> blocks;
    };
    const std::vector<Page>& Pages() const { return m_pages; }

private:
    void NewPage();

    QSize m_content;
    int m_spacing;
    QString m_header;
    std::vector<Page> m_pages;
    int m_y = 0;
};

}  // namespace velor
