#include "app/desktop/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// Resources of a static library are linked in only when something refers to them.
static void InitProgramIconResource() { Q_INIT_RESOURCE(program_icon); }

namespace velor {

QImage RenderProgramIcon(int size) {
    InitProgramIconResource();
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/desktop/orbiscan-viewer.svg"));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    return image;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(RenderProgramIcon(size)));
    }
    return icon;
}

}  // namespace velor
