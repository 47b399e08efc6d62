#include "app/DialogTitleFit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QPointer>
#include <QTimer>

namespace velor {
namespace {

// The title bar's icon and its close, minimise and maximise buttons.
constexpr int kTitleBarButtons = 110;

void Widen(QWidget* window) {
    const int needed = DialogTitleFit::WidthForTitle(window->windowTitle());
    if (window->width() >= needed) return;
    // Message boxes fix their own size as they are shown: widen the fixed width too.
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

bool DialogTitleFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && !dialog->windowTitle().isEmpty()) {
            // After the dialog's own show handling, which may set its size.
            QTimer::singleShot(0, dialog, [window = QPointer<QDialog>(dialog)] {
                if (window) Widen(window);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velor
