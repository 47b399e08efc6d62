#include "tests/app/automation/BusClient.h"

#include <QCoreApplication>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <limits>

#include "app/automation/DocumentAutomation.h"

namespace velor::test {
namespace {

constexpr int kTimeoutMs = 20000;
const QString kObserverConnection = QStringLiteral("automation-test-observer");

QStringList Target() {
    return {QStringLiteral("--session"), QStringLiteral("--dest"),
            QString::fromLatin1(kAutomationService), QStringLiteral("--object-path"),
            QString::fromLatin1(kAutomationPath)};
}

}  // namespace

bool GdbusAvailable() { return !QStandardPaths::findExecutable(QStringLiteral("gdbus")).isEmpty(); }

GdbusResult RunGdbus(const QStringList& arguments) {
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop,
                     &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(kTimeoutMs, &loop, &QEventLoop::quit);
    process.start(QStringLiteral("gdbus"), arguments);
    loop.exec();

    GdbusResult result;
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        result.error = QStringLiteral("gdbus timed out");
        return result;
    }
    if (process.error() == QProcess::FailedToStart) {
        result.error = QStringLiteral("gdbus did not start");
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    result.error = QString::fromUtf8(process.readAllStandardError()).trimmed();
    return result;
}

GdbusResult CallMethod(const QString& method, const QStringList& arguments) {
    QStringList all = QStringList{QStringLiteral("call")} + Target();
    all << QStringLiteral("--method")
        << QString::fromLatin1(kAutomationInterface) + QLatin1Char('.') + method;
    // "--" keeps negative numbers from being read as options.
    all << QStringLiteral("--") << arguments;
    return RunGdbus(all);
}

GdbusResult GetProperty(const QString& name) {
    return RunGdbus(QStringList{QStringLiteral("call")} + Target() +
                    QStringList{QStringLiteral("--method"),
                                QStringLiteral("org.freedesktop.DBus.Properties.Get"),
                                QString::fromLatin1(kAutomationInterface), name});
}

GdbusResult SetProperty(const QString& name, const QString& value) {
    return RunGdbus(QStringList{QStringLiteral("call")} + Target() +
                    QStringList{QStringLiteral("--method"),
                                QStringLiteral("org.freedesktop.DBus.Properties.Set"),
                                QString::fromLatin1(kAutomationInterface), name, value});
}

GdbusResult IntrospectXml() {
    return RunGdbus(QStringList{QStringLiteral("introspect")} + Target() +
                    QStringList{QStringLiteral("--xml")});
}

QString ReplyValue(const QString& out) {
    QString value = out;
    if (value.startsWith(QLatin1Char('(')) && value.endsWith(QLatin1String(",)"))) {
        value = value.mid(1, value.size() - 3);
    }
    if (value.startsWith(QLatin1Char('<')) && value.endsWith(QLatin1Char('>'))) {
        value = value.mid(1, value.size() - 2);
    }
    // A type annotation ("int16 3", "@ad []") precedes the value after a space.
    if (!value.startsWith(QLatin1Char('[')) && value.contains(QLatin1Char(' '))) {
        value = value.section(QLatin1Char(' '), 1);
    }
    return value;
}

double ReplyDouble(const GdbusResult& result) {
    bool ok = false;
    const double value = ReplyValue(result.out).toDouble(&ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

QList<double> ReplyDoubles(const GdbusResult& result) {
    QString text = ReplyValue(result.out);
    QList<double> values;
    if (!text.startsWith(QLatin1Char('[')) || !text.endsWith(QLatin1Char(']'))) return values;
    text = text.mid(1, text.size() - 2);
    for (const QString& item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        values.append(item.trimmed().toDouble());
    }
    return values;
}

namespace {
const char kCallerConnection[] = "automation-test-caller";
}

BusCaller::BusCaller()
    : m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, kCallerConnection)) {}

BusCaller::~BusCaller() { QDBusConnection::disconnectFromBus(kCallerConnection); }

QDBusMessage BusCaller::Send(const QString& interface, const QString& member, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(QString::fromLatin1(kAutomationService),
                                                          QString::fromLatin1(kAutomationPath), interface, member);
    message.setArguments(arguments);
    QDBusPendingCall call = m_connection.asyncCall(message, 5000);
    while (!call.isFinished()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return call.reply();
}

QDBusMessage BusCaller::Set(const QString& property, const QVariant& value) {
    return Send(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"),
                {QString::fromLatin1(kAutomationInterface), property, QVariant::fromValue(QDBusVariant(value))});
}

QDBusMessage BusCaller::Call(const QString& method, const QVariantList& arguments) {
    return Send(QString::fromLatin1(kAutomationInterface), method, arguments);
}

PropertiesChangedRecorder::PropertiesChangedRecorder()
    : m_connection(
          QDBusConnection::connectToBus(QDBusConnection::SessionBus, kObserverConnection)) {
    // QtDBus has no functor form of this connect: the slot goes by its signature.
    m_listening = m_connection.connect(
        QString::fromLatin1(kAutomationService), QString::fromLatin1(kAutomationPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"),
        this, SLOT(OnSignal(QDBusMessage)));
}

PropertiesChangedRecorder::~PropertiesChangedRecorder() {
    QDBusConnection::disconnectFromBus(kObserverConnection);
}

bool PropertiesChangedRecorder::WaitFor(size_t count, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (messages.size() < count && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return messages.size() >= count;
}

void PropertiesChangedRecorder::OnSignal(const QDBusMessage& message) {
    messages.push_back(message);
}

}  // namespace velor::test
