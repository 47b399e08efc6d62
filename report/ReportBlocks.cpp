#include "report/ReportBlocks.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace velor {
namespace {

void LayOutDocument(QTextDocument& document, const QPaintDevice* device, const QFont& font, const QString& html,
                    int width) {
    // Laid out for the device it is painted on, so that points are points there.
    document.documentLayout()->setPaintDevice(const_cast<QPaintDevice*>(device));
    document.setDefaultFont(font);
    document.setDocumentMargin(0);
    document.setHtml(html);
    document.setTextWidth(width);
}

// A caption line above a picture, and the height it takes.
int CaptionHeight(const PrintStyle& style) {
    const QFontMetrics metrics = style.device ? QFontMetrics(style.captionFont, const_cast<QPaintDevice*>(style.device))
                                              : QFontMetrics(style.captionFont);
    return metrics.height() * 3 / 2;
}

void PaintCaption(QPainter& painter, const QRect& area, const QFont& font, const QString& text) {
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, text);
    painter.restore();
}

}  // namespace

// --- HtmlBlock -------------------------------------------------------------------------------------

HtmlBlock::HtmlBlock(const QPaintDevice* device, QFont font, QString head, QStringList rows, QString tail,
                     QString repeatedHead)
    : m_device(device),
      m_font(std::move(font)),
      m_head(std::move(head)),
      m_rows(std::move(rows)),
      m_tail(std::move(tail)),
      m_repeatedHead(std::move(repeatedHead)) {}

QString HtmlBlock::Html(int rows) const { return m_head + m_rows.mid(0, rows).join(QString()) + m_tail; }

int HtmlBlock::HeightOf(int rows, int width) const {
    const auto known = m_heights.find({rows, width});
    if (known != m_heights.end()) return known->second;
    QTextDocument document;
    LayOutDocument(document, m_device, m_font, Html(rows), width);
    const int height = static_cast<int>(std::ceil(document.size().height()));
    m_heights[{rows, width}] = height;
    return height;
}

int HtmlBlock::Height(int width) const { return HeightOf(static_cast<int>(m_rows.size()), width); }

void HtmlBlock::Paint(QPainter& painter, const QRect& area) const {
    QTextDocument document;
    LayOutDocument(document, m_device, m_font, Html(static_cast<int>(m_rows.size())), area.width());
    painter.save();
    painter.translate(area.topLeft());
    document.drawContents(&painter, QRectF(0, 0, area.width(), area.height()));
    painter.restore();
}

std::optional<ReportBlock::Parts> HtmlBlock::Split(int width, int height) const {
    // The most rows that fit, found by halving: the layout of a row depends on its text only.
    int fits = 0;
    int low = 1;
    int high = static_cast<int>(m_rows.size()) - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        if (HeightOf(middle, width) <= height) {
            fits = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    if (fits == 0) return std::nullopt;
    auto first = std::make_unique<HtmlBlock>(m_device, m_font, m_head, m_rows.mid(0, fits), m_tail, m_repeatedHead);
    first->m_heights[{fits, width}] = HeightOf(fits, width);
    auto rest = std::make_unique<HtmlBlock>(m_device, m_font, m_repeatedHead, m_rows.mid(fits), m_tail,
                                            m_repeatedHead);
    return Parts{std::move(first), std::move(rest)};
}

// --- ChartBlock ------------------------------------------------------------------------------------

ChartBlock::ChartBlock(QString caption, DisplayList list, PrintStyle style, QString remark)
    : m_caption(std::move(caption)), m_list(std::move(list)), m_style(std::move(style)), m_remark(std::move(remark)) {}

int ChartBlock::Height(int width) const {
    const int caption = CaptionHeight(m_style);
    const QSize size = m_list.size;
    const int chart = size.width() > 0 ? width * size.height() / size.width() : 0;
    return caption + chart + (m_remark.isEmpty() ? 0 : caption);
}

void ChartBlock::Paint(QPainter& painter, const QRect& area) const {
    const int caption = CaptionHeight(m_style);
    PaintCaption(painter, area, m_style.captionFont, m_caption);
    const double scale = area.width() / static_cast<double>(std::max(1, m_list.size.width()));
    painter.save();
    painter.translate(area.left(), area.top() + caption);
    painter.scale(scale, scale);
    painter.setClipRect(QRect(QPoint(0, 0), m_list.size));
    // Vector output: the view's display list itself.
    QFont axis = m_style.axisFont;
    QFont title = m_style.titleFont;
    const ChartStyle style{m_style.text, m_style.grid, m_style.data, m_style.background, 1, &axis, &title};
    PaintDisplayList(painter, m_list, style);
    painter.restore();
    if (!m_remark.isEmpty()) {
        const int below = area.top() + caption + static_cast<int>(m_list.size.height() * scale);
        PaintCaption(painter, QRect(area.left(), below, area.width(), area.bottom() - below), m_style.captionFont,
                     m_remark);
    }
}

// --- DiscBlock -------------------------------------------------------------------------------------

DiscBlock::DiscBlock(QString caption, QImage disc, QString legendTitle, std::vector<LegendEntry> legend,
                     PrintStyle style, QString remark)
    : m_caption(std::move(caption)),
      m_disc(std::move(disc)),
      m_legendTitle(std::move(legendTitle)),
      m_legend(std::move(legend)),
      m_style(std::move(style)),
      m_remark(std::move(remark)) {}

int DiscBlock::Height(int width) const {
    const int caption = CaptionHeight(m_style);
    // The disc takes 62 % of the width, its labels and the legend the rest.
    return caption + width * 62 / 100 + (m_remark.isEmpty() ? 0 : caption);
}

void DiscBlock::Paint(QPainter& painter, const QRect& area) const {
    const int caption = CaptionHeight(m_style);
    PaintCaption(painter, area, m_style.captionFont, m_caption);
    const int square = area.width() * 62 / 100;
    const QFontMetrics metrics(m_style.captionFont, painter.device());
    const int label = metrics.height();
    // The disc inside its azimuth labels.
    const int margin = label + metrics.horizontalAdvance(QStringLiteral("270\u00B0")) / 2;
    const QRect disc(area.left() + margin, area.top() + caption + margin, square - 2 * margin, square - 2 * margin);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(disc, m_disc);
    painter.setPen(QPen(m_style.grid, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(disc);  // the rim
    const QPoint centre = disc.center();
    painter.drawLine(disc.left(), centre.y(), disc.right(), centre.y());
    painter.drawLine(centre.x(), disc.top(), centre.x(), disc.bottom());
    painter.setFont(m_style.captionFont);
    painter.setPen(m_style.text);
    const auto text = [&](QPoint at, const QString& s, int flags) {
        const QRect box(at.x() - 2 * margin, at.y() - label, 4 * margin, 2 * label);
        painter.drawText(box, flags, s);
    };
    text({disc.right() + margin / 2, centre.y()}, QStringLiteral("0\u00B0"), Qt::AlignCenter);
    text({centre.x(), disc.top() - label / 2}, QStringLiteral("90\u00B0"), Qt::AlignCenter);
    text({disc.left() - margin / 2, centre.y()}, QStringLiteral("180\u00B0"), Qt::AlignCenter);
    text({centre.x(), disc.bottom() + label / 2}, QStringLiteral("270\u00B0"), Qt::AlignCenter);

    // The legend: the scale's title, then a swatch and a label per level, highest first.
    const int left = area.left() + square + label;
    int y = area.top() + caption + margin;
    painter.drawText(QRect(left, y, area.right() - left, label), Qt::AlignLeft | Qt::AlignTop, m_legendTitle);
    y += label * 3 / 2;
    const int row = std::max(label, std::min(label * 3 / 2, (disc.bottom() - y) / std::max<int>(1, m_legend.size())));
    for (const LegendEntry& entry : m_legend) {
        painter.fillRect(QRect(left, y, label * 2, row - label / 4), entry.colour);
        painter.drawRect(QRect(left, y, label * 2, row - label / 4));
        painter.drawText(QRect(left + label * 5 / 2, y, area.right() - left, row), Qt::AlignLeft | Qt::AlignTop,
                         entry.label);
        y += row;
    }
    painter.restore();
    if (!m_remark.isEmpty()) {
        const int below = area.top() + caption + square;
        PaintCaption(painter, QRect(area.left(), below, area.width(), area.bottom() - below), m_style.captionFont,
                     m_remark);
    }
}

// --- PairBlock -------------------------------------------------------------------------------------

PairBlock::PairBlock(std::unique_ptr<ReportBlock> left, std::unique_ptr<ReportBlock> right, double leftShare)
    : m_left(std::move(left)), m_right(std::move(right)), m_share(leftShare) {}

int PairBlock::Height(int width) const {
    const int leftWidth = static_cast<int>((width - Gap(width)) * m_share);
    return std::max(m_left->Height(leftWidth), m_right->Height(width - Gap(width) - leftWidth));
}

void PairBlock::Paint(QPainter& painter, const QRect& area) const {
    const int leftWidth = static_cast<int>((area.width() - Gap(area.width())) * m_share);
    const int rightWidth = area.width() - Gap(area.width()) - leftWidth;
    m_left->Paint(painter, QRect(area.left(), area.top(), leftWidth, m_left->Height(leftWidth)));
    m_right->Paint(painter,
                   QRect(area.right() - rightWidth + 1, area.top(), rightWidth, m_right->Height(rightWidth)));
}

// --- PageFlow --------------------------------------------------------------------------------------

void PageFlow::StartSection(const QString& header) {
    m_header = header;
    NewPage();
}

void PageFlow::NewPage() {
    m_pages.push_back(Page{m_header, {}});
    m_y = 0;
}

void PageFlow::Add(std::unique_ptr<ReportBlock> block) {
    if (m_pages.empty()) NewPage();
    const int width = m_content.width();
    while (block) {
        const int top = m_pages.back().blocks.empty() ? 0 : m_y + m_spacing;
        const int room = m_content.height() - top;
        const int height = block->Height(width);
        if (height <= room) {
            m_pages.back().blocks.push_back({std::move(block), QRect(0, top, width, height)});
            m_y = top + height;
            return;
        }
        if (auto parts = block->Split(width, room)) {
            const int first = parts->first->Height(width);
            m_pages.back().blocks.push_back({std::move(parts->first), QRect(0, top, width, first)});
            NewPage();
            block = std::move(parts->second);
            continue;
        }
        if (!m_pages.back().blocks.empty()) {
            NewPage();
            continue;
        }
        // Taller than a whole page and unbreakable: it gets the page, cut at its foot.
        m_pages.back().blocks.push_back({std::move(block), QRect(0, 0, width, m_content.height())});
        m_y = m_content.height();
        return;
    }
}

}  // namespace velor
