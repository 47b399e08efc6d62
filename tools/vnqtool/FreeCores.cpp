#include "tools/vnqtool/FreeCores.h"

#include <QFile>
#include <QList>
#include <algorithm>
#include <thread>

namespace vnqtool {

int FreeCoresFrom(const QByteArray& loadavg, int cores) {
    cores = std::max(cores, 1);
    const QList<QByteArray> fields = loadavg.simplified().split(' ');
    if (fields.size() < 4) return cores;
    const QByteArray running = fields[3].split('/').front();
    bool ok = false;
    const int runnable = running.toInt(&ok);
    if (!ok || runnable < 1) return cores;
    // This process is one of the runnable tasks.
    return std::clamp(cores - (runnable - 1), 1, cores);
}

int FreeCores() {
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly)) return cores;
    return FreeCoresFrom(file.readAll(), cores);
}

}  // namespace vnqtool
