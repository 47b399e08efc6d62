#include "app/DesktopIdentity.h"

#include <QApplication>

#include "ProgramIdentity.h"
#include "app/desktop/ProgramIcon.h"

namespace velor {

void ApplyDesktopIdentity() {
    QGuiApplication::setDesktopFileName(QStringLiteral(VELOR_DESKTOP_ID));
    QApplication::setWindowIcon(ProgramIcon());
}

}  // namespace velor
