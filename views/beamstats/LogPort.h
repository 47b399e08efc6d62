#pragma once
// The beam statistics log on a serial port: the names the program has always taken ("COM1",
// "COM1:" for the first serial port), the ports the system has, and the port itself.

#include <QString>
#include <QStringList>
#include <memory>

#include "views/beamstats/LogSink.h"

namespace velor {

// "COMn" or "COMn:" is the n-th serial port, /dev/ttyS(n − 1); a path is taken as it is; any
// other name is a device in /dev.
QString LogPortDevice(const QString& name);

// What the port box offers: "COM1", "COM2", then the system's other serial ports by path.
QStringList LogPortChoices();

// Opens an existing device for writing and for this program alone. The line keeps its speed
// and character format; bytes go out exactly as written. Null, with the reason, on failure.
std::unique_ptr<LogSink> OpenLogPort(const QString& name, QString* error);

}  // namespace velor
