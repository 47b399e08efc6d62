// Renders the program's icon as the PNG files of an icon theme, at build time:
//   velor_render_icons OUTDIR NAME SIZE...  writes OUTDIR/SIZExSIZE/apps/NAME.png

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "app/desktop/ProgramIcon.h"

int main(int argc, char* argv[]) {
    // No display is needed to paint into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4) {
        std::fputs("usage: velor_render_icons OUTDIR NAME SIZE...\n", stderr);
        return 2;
    }
    for (const QString& sizeText : arguments.mid(3)) {
        bool number = false;
        const int size = sizeText.toInt(&number);
        if (!number || size < 1 || size > 1024) {
            std::fprintf(stderr, "velor_render_icons: '%s' is no icon size\n", qPrintable(sizeText));
            return 2;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(arguments[1]).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(dir, arguments[2]);
        if (!QDir().mkpath(dir) || !velor::RenderProgramIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "velor_render_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
