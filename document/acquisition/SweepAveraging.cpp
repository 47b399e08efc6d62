// Averaging several sweeps into one and smoothing a sweep with a centred moving average.

#include <QFile>
#include <algorithm>
#include <cstdio>

#include "document/DocumentMessages.h"
#include "document/Velor32Doc.h"

namespace velor {
namespace {

// A service aid: the next averaged sweep written out for inspection.
const char kDumpFileName[] = "datafile.csv";

}  // namespace

void CVelor32Doc::AverageSweep(int axis) {
    const int m = m_nAveraging;
    const int s = m_nSweepCounter;
    const int c = m_nRawCount[axis];
    float* raw = m_arrays.rawSweep[axis].data();
    float* sum = m_arrays.sumBuffer[axis].data();
    const auto valueLines = [&] {
        QByteArray lines;
        char line[32];
        for (int i = 0; i < c; ++i) {
            std::snprintf(line, sizeof line, "%.04f\n", raw[i]);
            lines += line;
        }
        return lines;
    };

    if (m < 2) {
        if (s == m && m_bDumpNextScan) {
            // A sweep merged from several ranges is no longer the words the board gave.
            if (m_nRawRanges[axis] > 1) {
                DumpScan(valueLines());
                return;
            }
            QByteArray lines;
            for (int i = 0; i < c; ++i) lines += QByteArray::number(m_arrays.readBuffer[i]) + '\n';
            DumpScan(lines);
        }
        return;
    }
    if (s == 1) {
        std::copy_n(raw, c, sum);
    } else {
        for (int i = 0; i < c; ++i) sum[i] += raw[i];
    }
    if (s != m) return;
    for (int i = 0; i < c; ++i) raw[i] = sum[i] / m;
    if (m_bDumpNextScan) DumpScan(valueLines());
}

void CVelor32Doc::DumpScan(const QByteArray& lines) {
    QFile file(QString::fromLatin1(kDumpFileName));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(lines);
    m_bDumpNextScan = 0;
    m_env.prompt.Message(msg::kDone, QString(), PromptIcon::None);
}

void CVelor32Doc::SmoothSweeps() {
    if (m_nFilter <= 2) return;
    const int k = m_nFilter / 2;
    const int last = kSamplesPerProfile - 1;
    for (int axis = 0; axis < 2; ++axis) {
        if (m_nRawCount[axis] < kSamplesPerSweep) continue;
        float* raw = m_arrays.rawSweep[axis].data();
        float* copy = m_arrays.sumBuffer[axis].data();
        std::copy_n(raw, kSamplesPerProfile, copy);
        // Window [j − h, j + h] with h = min(k, j, last − j): it grows from the first sample,
        // slides, and shrinks towards the last, so both end samples stay as they are.
        double running = copy[0];
        int lo = 0;
        int hi = 0;
        for (int j = 0; j <= last; ++j) {
            const int h = std::min({k, j, last - j});
            while (hi < j + h) running += copy[++hi];
            while (lo < j - h) running -= copy[lo++];
            while (hi > j + h) running -= copy[hi--];
            raw[j] = static_cast<float>(running / (2 * h + 1));
        }
    }
}

}  // namespace velor
