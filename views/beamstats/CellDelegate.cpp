#include "views/beamstats/CellDelegate.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <cmath>

namespace velor {
namespace {

// Enough for every text of a full table many samples over; then the store starts afresh.
constexpr int kMaxKept = 8192;
constexpr int kMargin = 3;

}  // namespace

void CellDelegate::SetFont(const QFont& font) {
    m_font = font;
    m_texts.clear();
    m_cut.clear();
}

QStaticText CellDelegate::Lay(const QString& shown) const {
    QStaticText laid(shown);
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), m_font);
    return laid;
}

const QStaticText& CellDelegate::Whole(const QString& text) const {
    auto whole = m_texts.find(text);
    if (whole == m_texts.end()) {
        if (m_texts.size() >= kMaxKept) m_texts.clear();
        whole = m_texts.insert(text, Lay(text));
    }
    return *whole;
}

const QStaticText& CellDelegate::Laid(const QString& text, int width) const {
    const QStaticText& whole = Whole(text);
    if (whole.size().width() <= width) return whole;
    // Too wide for its column: cut short with an ellipsis, as report lists do.
    const QPair<QString, int> key(text, width);
    auto cut = m_cut.find(key);
    if (cut == m_cut.end()) {
        if (m_cut.size() >= kMaxKept) m_cut.clear();
        cut = m_cut.insert(key, Lay(QFontMetrics(m_font).elidedText(text, Qt::ElideRight, width)));
    }
    return *cut;
}

int CellDelegate::CellWidth(const QString& text, int iconWidth) const {
    // As paint lays it out: a margin, the icon and a margin, the text, a margin.
    // The text laid out as paint lays it, kept for the paint that follows.
    const int icon = iconWidth > 0 ? iconWidth + 1 + kMargin : 0;
    return kMargin + icon + static_cast<int>(std::ceil(Whole(text).size().width())) + kMargin;
}

QSize CellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const bool icon = index.data(Qt::DecorationRole).canConvert<QIcon>();
    size.setWidth(CellWidth(index.data(Qt::DisplayRole).toString(),
                            icon ? option.decorationSize.width() : 0));
    return size;
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    if (selected) painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));

    QRect area = option.rect.adjusted(kMargin, 0, -kMargin, 0);
    const QVariant decoration = index.data(Qt::DecorationRole);
    if (decoration.canConvert<QIcon>()) {
        const QSize size = option.decorationSize;
        const QRect icon(area.left(), area.top() + (area.height() - size.height()) / 2, size.width(), size.height());
        qvariant_cast<QIcon>(decoration).paint(painter, icon);
        area.setLeft(icon.right() + 1 + kMargin);
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty() || area.width() <= 0) return;
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(m_font);
    const QStaticText& laid = Laid(text, area.width());
    painter->drawStaticText(QPointF(area.left(), area.top() + (area.height() - laid.size().height()) / 2.0), laid);
}

}  // namespace velor
