// Saving and loading a full data file (N = 200, a few view sections) against the floor of
// reading the same bytes and checking their CRCs.

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>

#include "common/ConsolePrompt.h"
#include "common/FileSizeSignal.h"
#include "document/HeadlessSession.h"
#include "document/file/FileHeader.h"
#include "views/notes/NoteSection.h"

namespace {

using namespace velor;

struct Fixture {
    Fixture() : session(prompt, viewTypes) {
        RegisterHeadlessNoteSection(viewTypes);
        CVelor32Doc* doc = session.NewDocument();
        doc->m_nScans3D = 200;
        doc->ReallocateArrays();
        float* scans = doc->Get3DData();
        for (int i = 0; i < 201 * 3241; ++i) scans[i] = static_cast<float>(i % 60000);
        for (int n = 0; n < 4; ++n) {
            auto note = std::make_unique<NoteSection>();
            note->SetText(QByteArray(2000 + n, 'n'));
            doc->AdoptView(std::move(note));
        }
        path = dir.filePath(QStringLiteral("bench.vnq"));
        if (!session.File().SaveDataFile(path)) std::abort();
    }
    ConsolePrompt prompt;
    ViewTypeRegistry viewTypes;
    HeadlessSession session;
    QTemporaryDir dir;
    QString path;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_SaveDataFile(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) benchmark::DoNotOptimize(f.session.File().SaveDataFile(f.path));
}
BENCHMARK(BM_SaveDataFile)->Unit(benchmark::kMillisecond);

void BM_LoadDataFile(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) benchmark::DoNotOptimize(f.session.File().LoadDataFile(f.path));
    // Put a document back for the save benchmark.
    CVelor32Doc* doc = f.session.File().LoadDataFile(f.path);
    if (!doc) std::abort();
}
BENCHMARK(BM_LoadDataFile)->Unit(benchmark::kMillisecond);

// The floor: read the whole file and run every block through the CRC.
void BM_RawReadAndCrc(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        QFile file(f.path);
        if (!file.open(QIODevice::ReadOnly)) std::abort();
        const QByteArray bytes = file.readAll();
        const char* p = bytes.constData() + sizeof(DataFileHeader);
        const char* end = bytes.constData() + bytes.size();
        uint32_t sum = 0;
        while (end - p >= 6) {
            BlockHeader h;
            std::memcpy(&h, p, sizeof h);
            p += 6;
            if (h.length == 0xFFFF && h.crc == 0xFFFF) continue;
            sum += CDataCrc16::ComputeCrc(p, h.length);
            p += h.length;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * QFile(f.path).size());
}
BENCHMARK(BM_RawReadAndCrc)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // A file-size limit makes a save fail (and the run stop), not end the process by signal.
    velor::IgnoreFileSizeSignal();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
