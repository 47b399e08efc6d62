#include "views/chart/DisplayListView.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "common/UserPrompt.h"
#include "views/chart/LabelFit.h"
#include "views/common/ColorDlg.h"
#include "views/framework/ViewHost.h"

namespace velor {
namespace {

// Strips left of and above the charts stay background.
constexpr int kStrip = 10;

QFont BoldSans(int pixels) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(true);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace

QFont ChartAxisFont() {
    return BoldSans(10);
}

QFont ChartTitleFont() {
    return BoldSans(15);
}

TextMetrics MeasureIn(const QFont& axisFont, const QFont& titleFont) {
    const QFontMetrics axis(axisFont), title(titleFont);
    return TextMetrics{
        [axis, title](const QString& text, FontRole font) {
            const QFontMetrics& m = font == FontRole::Title ? title : axis;
            return QSize(m.horizontalAdvance(text), m.height());
        },
        [axis, title](const QString& text, FontRole font, int width) {
            return (font == FontRole::Title ? title : axis).elidedText(text, Qt::ElideRight, width);
        }};
}

CDisplayListView::CDisplayListView(uint16_t tag, ViewHost& host, QWidget* parent) : CDormView(tag, host, parent) {
    // The charts are painted whole from their images: no background erase in between.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

std::vector<QRect> CDisplayListView::ChartRects() const {
    return {QRect(kStrip, kStrip, std::max(0, width() - kStrip), std::max(0, height() - kStrip))};
}

void CDisplayListView::CreateFonts() {
    m_axisFont = ChartAxisFont();
    m_titleFont = ChartTitleFont();
    if (QFontDatabase().families().isEmpty() && !m_fontsReported) {
        m_fontsReported = true;
        Host().Prompt().Message(QStringLiteral("Could not load small font for axes"),
                                QStringLiteral("SYSTEM ERROR"), PromptIcon::Exclamation);
    }
}

TextMetrics CDisplayListView::Metrics() const {
    return MeasureIn(m_axisFont, m_titleFont);
}

ChartStyle CDisplayListView::Style() {
    const ColourRecord c = Colours();
    return ChartStyle{FromColorRef(c.text), FromColorRef(c.grid), FromColorRef(c.data), FromColorRef(c.background),
                      TextPenWidth(), &m_axisFont, &m_titleFont};
}

void CDisplayListView::Redraw() {
    // Nothing of a view out of sight is drawn: it catches up as it shows again.
    if (!IsInSight()) {
        m_redrawPending = true;
        return;
    }
    DrawNow();
}

void CDisplayListView::DrawNow(bool repaint) {
    m_redrawPending = false;
    CreateFonts();
    LayOut(QFontMetrics(m_axisFont));
    m_lists = Render();
    // Labels that would run into each other at this size are thinned; the title gives way.
    const TextMetrics metrics = Metrics();
    for (DisplayList& list : m_lists) FitLabels(list, metrics);
    const std::vector<QRect> rects = ChartRects();
    const ChartStyle style = Style();
    m_images.resize(rects.size());
    for (size_t a = 0; a < rects.size() && a < m_lists.size(); ++a) {
        if (rects[a].isEmpty()) {
            m_images[a] = QImage();
            continue;
        }
        if (m_images[a].size() != rects[a].size()) m_images[a] = QImage(rects[a].size(), QImage::Format_RGB32);
        QPainter painter(&m_images[a]);
        PaintDisplayList(painter, m_lists[a], style);
    }
    if (repaint) RequestRepaint();
}

void CDisplayListView::paintEvent(QPaintEvent*) {
    if (m_redrawPending) DrawNow(false);
    QPainter painter(this);
    const QColor background = FromColorRef(Colours().background);
    painter.fillRect(0, 0, width(), kStrip, background);
    painter.fillRect(0, 0, kStrip, height(), background);
    const std::vector<QRect> rects = ChartRects();
    for (size_t a = 0; a < rects.size(); ++a) {
        if (a >= m_images.size() || m_images[a].isNull()) {
            painter.fillRect(rects[a], background);
        } else {
            painter.drawImage(rects[a].topLeft(), m_images[a]);
        }
    }
}

void CDisplayListView::resizeEvent(QResizeEvent* event) {
    CDormView::resizeEvent(event);
    if (width() > 0 && height() > 0) Redraw();
}

void CDisplayListView::Print(QPainter& painter, const QRect& page) {
    if (m_lists.empty() || m_redrawPending) DrawNow();
    // Vector output: the display lists themselves, scaled to the page.
    const double scale = std::min(page.width() / double(std::max(1, width())), page.height() / double(std::max(1, height())));
    painter.save();
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    const std::vector<QRect> rects = ChartRects();
    const ChartStyle style = Style();
    for (size_t a = 0; a < rects.size() && a < m_lists.size(); ++a) {
        painter.save();
        painter.translate(rects[a].topLeft());
        PaintDisplayList(painter, m_lists[a], style);
        painter.restore();
    }
    painter.restore();
}

void CDisplayListView::ChooseColours() {
    ColourRecord c = Colours();
    CColor dialog(c.background, c.text, c.grid, c.data, this);
    if (dialog.exec() == QDialog::Accepted) {
        c.background = dialog.GetBackgroundColor();
        c.text = dialog.GetTextColor();
        c.grid = dialog.GetGridColor();
        c.data = dialog.GetDataColor();
    }
    Redraw();
}

void CDisplayListView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) return;
    QMenu menu(this);
    for (const ViewCommand& command : MenuCommands()) {
        if (command.separatorBefore) menu.addSeparator();
        QAction* action = menu.addAction(command.text);
        const CommandState state = GetCommandState(command.id);
        action->setEnabled(state.enabled);
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
        action->setData(command.id);
    }
    if (QAction* chosen = menu.exec(event->globalPos())) OnCommand(chosen->data().toInt());
}

}  // namespace velor
