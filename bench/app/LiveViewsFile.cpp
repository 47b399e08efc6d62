// Writes a measurement with a window of every view kind, tiled over the main window, for the
// live benchmark (live_cpu.sh beside this file): the rectangular profile, polar, beam
// statistics, power, time statistics, notes, 3D polar, 3D rectangular and topographic views.
//   live_views_file IN OUT WIDTH HEIGHT [KINDS]
// KINDS, a comma-separated list of profile, polar, beam, power, time, notes, 3dpolar, 3drect
// and topo, picks fewer kinds.

#include <QCoreApplication>
#include <cstdio>

#include "common/ConsolePrompt.h"
#include "document/HeadlessSession.h"
#include "document/Velor32Doc.h"
#include "views/HeadlessSections.h"
#include "views/view3d/View3dSection.h"

int main(int argc, char* argv[]) {
    using namespace velor;
    QCoreApplication app(argc, argv);
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: live_views_file IN OUT WIDTH HEIGHT [KINDS]\n");
        return 2;
    }
    const int width = QString::fromLocal8Bit(argv[3]).toInt();
    const int height = QString::fromLocal8Bit(argv[4]).toInt();
    ConsolePrompt prompt;
    ViewTypeRegistry types;
    RegisterHeadlessViewSections(types);
    HeadlessSession session(prompt, types);
    CVelor32Doc* doc = session.File().LoadDataFile(QString::fromLocal8Bit(argv[1]));
    if (!doc) return 1;
    // Whatever views the file had give way to one of each kind.
    while (!doc->Views().empty()) doc->RemoveView(doc->Views().front());

    struct Kind {
        const char* name;
        uint16_t tag;
        uint32_t view3dKind;
    };
    const Kind kinds[] = {{"profile", kProfileViewTag, 0}, {"polar", kPolarViewTag, 0},
                          {"beam", kBeamDataViewTag, 0},   {"power", kPowerViewTag, 0},
                          {"time", kTimeStatViewTag, 0},   {"notes", kNoteViewTag, 0},
                          {"3dpolar", k3dViewTag, k3dPolar}, {"3drect", k3dViewTag, k3dRectangular},
                          {"topo", kTopoViewTag, 0}};
    const QStringList wanted = argc == 6 ? QString::fromLocal8Bit(argv[5]).split(QLatin1Char(',')) : QStringList();
    // The main window fills the screen.
    int32_t* window = session.File().FrameData().m_rcWindow;
    window[0] = 0;
    window[1] = 0;
    window[2] = width;
    window[3] = height + 120;
    int i = 0;
    for (const Kind& kind : kinds) {
        if (!wanted.isEmpty() && !wanted.contains(QLatin1String(kind.name))) continue;
        DocumentView* view = types.Create(kind.tag, *doc);
        if (!view) return 1;
        if (kind.view3dKind) static_cast<View3dSection*>(view)->SetInitialKind(kind.view3dKind);
        WindowPlacement& p = view->m_viewData.m_placement;
        const int column = i % 3, row = i / 3;
        p.showCmd = 1;
        p.normalPosition[0] = column * width / 3;
        p.normalPosition[1] = row * height / 3;
        p.normalPosition[2] = (column + 1) * width / 3;
        p.normalPosition[3] = (row + 1) * height / 3;
        ++i;
    }
    return session.File().SaveDataFile(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
