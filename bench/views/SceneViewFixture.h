#pragma once
// What the 3D and topographic view benchmarks share: a simulated laser diode with 201 azimuth
// scans in a shown 1280 × 800 window of the view under test, its first scene built and drawn,
// made on first use and gone before the application object; and a main that insists on an X
// server, since VTK renders with OpenGL.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <functional>

#include "common/ConsolePrompt.h"
#include "document/HeadlessSession.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "views/framework/ViewHost.h"
#include "views/view3d/SurfaceFormat.h"

namespace velor::bench {

class BenchHost : public ViewHost {
public:
    UserPrompt& Prompt() override { return prompt; }
    int ImageType() const override { return 0; }
    int ImageQuality() const override { return 100; }
    void ViewClosing(CDormView&) override {}
    ConsolePrompt prompt;
};

template <typename ViewType>
struct SceneViewFixture {
    // `configure` sets the view's kind and resolution before it first builds its scene.
    explicit SceneViewFixture(const std::function<void(ViewType&)>& configure)
        : session(host.prompt, types) {
        doc = session.NewDocument();
        sim::LaserDiodeBeam beam;
        beam.tiltThetaDeg = 5;
        beam.tiltPhiDeg = 40;
        SimulationOptions options;
        options.scans3D = 200;
        ok = SimulateMeasurement(*doc, *sim::MakeLaserDiode(beam), options);
        view = new ViewType(host);
        configure(*view);
        doc->AddView(view);
        view->resize(1280, 800);
        view->show();
        view->OnInitialUpdate();
        QApplication::processEvents();
        view->FlushRebuild();
        view->Viewer().FlushRender();
        QApplication::processEvents();
    }
    BenchHost host;
    ViewTypeRegistry types;
    HeadlessSession session;
    CVelor32Doc* doc = nullptr;
    ViewType* view = nullptr;
    bool ok = false;
};

inline QByteArray LoadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray("?");
}

// Runs the registered benchmarks while a second process keeps one core busy, as a user's other
// work would; `deleteFixture` frees the fixture while the application lives.
inline int RunSceneBenchmarks(int argc, char** argv, const char* name,
                              const std::function<void()>& deleteFixture) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "%s renders with OpenGL: run it under xvfb-run\n", name);
        return 1;
    }
    UseSurfaceFormatFor3dViews();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QProcess busy;
    busy.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
    busy.waitForStarted();
    std::printf("a second process keeps one core busy; load average %s\n", LoadAverage().constData());
    benchmark::RunSpecifiedBenchmarks();
    busy.kill();
    busy.waitForFinished();
    std::printf("load average at the end %s\n", LoadAverage().constData());
    benchmark::Shutdown();
    deleteFixture();
    return 0;
}

}  // namespace velor::bench
