#include "app/DialogTitleFit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QPointer>
#include <QTimer>

namespace velor {
namespace {

// The title bar's icon and its close, minimise and maximise buttons.
constexpr int kTitleBarButtons = 110;

void Widen(QWidget* window) {
    const int needed = DialogTitleFit::WidthForTitle(window->windowTitle());
    if (window->width() >= needed) return;
    // A dialog of fixed size keeps it fixed, only wider.
    if (window->minimumWidth() == window->maximumWidth()) {
        window->setFixedWidth(needed);
    } else {
        window->setMinimumWidth(needed);
        window->resize(needed, window->height());
    }
}

}  // namespace

int DialogTitleFit::WidthForTitle(const QString& title) {
    return QFontMetrics(QApplication::font()).horizontalAdvance(title) + kTitleBarButtons;
}

// A message box sizes itself to its layout whenever it lays out: a spacer as wide as the title
// keeps it from shrinking below that.
void WidenMessageBox(QMessageBox* box) {
    auto* grid = qobject_cast<QGridLayout*>(box->layout());
    if (!grid || box->property("velorTitleFit").toBool()) return;
    box->setProperty("velorTitleFit", true);
    const QMargins margins = grid->contentsMargins();
    const int width = DialogTitleFit::WidthForTitle(box->windowTitle()) - margins.left() - margins.right();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

bool DialogTitleFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (auto* box = qobject_cast<QMessageBox*>(watched); box && !box->windowTitle().isEmpty()) {
            WidenMessageBox(box);
        } else if (dialog && dialog->isWindow() && !dialog->windowTitle().isEmpty()) {
            // After the dialog's own show handling, which may set its size.
            QTimer::singleShot(0, dialog, [window = QPointer<QDialog>(dialog)] {
                if (window) Widen(window);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velor
