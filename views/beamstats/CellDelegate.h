#pragma once
// Paints the table's cells: the state icon, then the text, laid out once and kept, since the
// same texts return sample after sample and laying text out is most of what a repaint costs.
// It also says how wide a cell must be to show its text whole.

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace velor {

class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The list's font: the texts kept were laid out in the old one.
    void SetFont(const QFont& font);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The width a cell needs for the whole text, after an icon of `iconWidth` (0: none).
    int CellWidth(const QString& text, int iconWidth) const;

private:
    QStaticText Lay(const QString& shown) const;
    // The whole text laid out, kept.
    const QStaticText& Whole(const QString& text) const;
    // The text laid out, cut short with an ellipsis when wider than the width.
    const QStaticText& Laid(const QString& text, int width) const;

    QFont m_font;
    mutable QHash<QString, QStaticText> m_texts;
    mutable QHash<QPair<QString, int>, QStaticText> m_cut;
};

}  // namespace velor
