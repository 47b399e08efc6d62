#pragma once
// The far side of the automation object: gdbus (GLib's command-line client, not our code)
// run as a separate process, and a listener for PropertiesChanged on a connection of its own.
// Both spin the Qt event loop while they wait, because the object answers from it.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <ostream>
#include <vector>

// Readable failure messages for QString (looked up next to QString, in the global namespace).
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace velor::test {

struct GdbusResult {
    int exitCode = -1;
    QString out;    // trimmed GVariant text, e.g. "(<1310.0>,)"
    QString error;  // gdbus's complaint, or why it did not run
};

bool GdbusAvailable();
GdbusResult RunGdbus(const QStringList& arguments);
// A method of the automation interface, its arguments in GVariant text.
GdbusResult CallMethod(const QString& method, const QStringList& arguments = {});
GdbusResult GetProperty(const QString& name);
GdbusResult SetProperty(const QString& name, const QString& value);
GdbusResult IntrospectXml();

// The one value of a reply without its tuple, variant brackets and type annotation:
// "(<int16 3>,)" → "3", "(@ad [],)" → "[]".
QString ReplyValue(const QString& out);
double ReplyDouble(const GdbusResult& result);
QList<double> ReplyDoubles(const GdbusResult& result);

// A client inside the test process, for values gdbus cannot spell (NaN, infinities, exact
// D-Bus types). It spins the event loop while it waits, as the object answers from it.
class BusCaller {
public:
    BusCaller();
    ~BusCaller();
    QDBusMessage Set(const QString& property, const QVariant& value);
    QDBusMessage Call(const QString& method, const QVariantList& arguments);

private:
    QDBusMessage Send(const QString& interface, const QString& member, const QVariantList& arguments);
    QDBusConnection m_connection;
};

class PropertiesChangedRecorder : public QObject {
    Q_OBJECT
public:
    PropertiesChangedRecorder();
    ~PropertiesChangedRecorder() override;
    bool IsListening() const { return m_listening; }
    // Spins the event loop until `count` signals have arrived or the time is up.
    bool WaitFor(size_t count, int timeoutMs = 5000);

    std::vector<QDBusMessage> messages;

private Q_SLOTS:
    void OnSignal(const QDBusMessage& message);

private:
    QDBusConnection m_connection;
    bool m_listening = false;
};

}  // namespace velor::test
