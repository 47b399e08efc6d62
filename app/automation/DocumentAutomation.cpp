#include "app/automation/DocumentAutomation.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QStringList>
#include <QVariantMap>
#include <optional>
#include <utility>

#include "app/automation/AutomationMembers.h"
#include "document/DocumentMessages.h"
#include "document/Velor32Doc.h"
#include "instrument/motion/MotionController.h"

namespace velor {
namespace {

const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kInvalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");

QString Interface() { return QString::fromLatin1(kAutomationInterface); }

const AutomationProperty* FindProperty(const QString& name) {
    for (const AutomationProperty& p : AutomationProperties()) {
        if (name == QLatin1String(p.name)) return &p;
    }
    return nullptr;
}

const AutomationMethod* FindMethod(const QString& name) {
    for (const AutomationMethod& m : AutomationMethods()) {
        if (name == QLatin1String(m.name)) return &m;
    }
    return nullptr;
}

// The D-Bus type a value arrived as, so that a value of the wrong type is refused rather
// than converted.
DBusType TypeOfValue(const QVariant& value) {
    switch (value.userType()) {
        case QMetaType::Bool: return DBusType::Bool;
        case QMetaType::Short: return DBusType::Int16;
        case QMetaType::Double: return DBusType::Double;
        default: return DBusType::None;
    }
}

QDBusMessage BusyReply(const QDBusMessage& message) {
    return message.createErrorReply(
        QString::fromLatin1(kInstrumentBusyError),
        QStringLiteral("The instrument is busy: a 3D acquisition is running. Try again when it has ended."));
}

// The station cannot do what the call asks: the program's own message, at once.
std::optional<QDBusMessage> StationReply(const QDBusMessage& message, const CVelor32Doc& doc, StationNeed need) {
    if (need == StationNeed::Instrument && !doc.HasInstrument()) {
        return message.createErrorReply(QString::fromLatin1(kNoInstrumentError), msg::kCardNotResponding);
    }
    if (need == StationNeed::MotionController && !doc.Environment().motion.IsConnected()) {
        return message.createErrorReply(QString::fromLatin1(kNoMotionControllerError),
                                        QStringLiteral("The motion controller is not connected."));
    }
    return std::nullopt;
}

// A number outside what the matching dialog accepts: refused, naming the range.
std::optional<QDBusMessage> LimitsReply(const QDBusMessage& message, const char* member, LimitsOf limits,
                                        const CVelor32Doc& doc, const QVariant& value) {
    if (!limits) return std::nullopt;
    const QString refusal = CheckLimits(member, limits(doc), value.toDouble());
    if (refusal.isEmpty()) return std::nullopt;
    return message.createErrorReply(kInvalidArgs, refusal);
}

QString ArgumentXml(const char* name, DBusType type, const char* direction) {
    QString xml = QStringLiteral("      <arg");
    if (name) xml += QStringLiteral(" name=\"%1\"").arg(QLatin1String(name));
    return xml + QStringLiteral(" type=\"%1\" direction=\"%2\"/>\n")
                     .arg(QLatin1String(SignatureOf(type)), QLatin1String(direction));
}

}  // namespace

DocumentAutomation::DocumentAutomation(DocumentProvider activeDocument, QObject* parent)
    : QDBusVirtualObject(parent), m_activeDocument(std::move(activeDocument)) {}

DocumentAutomation::~DocumentAutomation() { Unregister(); }

bool DocumentAutomation::Register(const QDBusConnection& connection) {
    Unregister();
    if (!connection.isConnected()) return false;
    m_connection = connection;
    // The object first, so that a client that sees the name appear finds the object there.
    const QString path = QString::fromLatin1(kAutomationPath);
    if (!m_connection.registerVirtualObject(path, this, QDBusConnection::SingleNode)) {
        m_connection = QDBusConnection(QString());
        return false;
    }
    // Not queued behind another owner: a second instance of the program runs without automation.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        m_connection.interface()->registerService(QString::fromLatin1(kAutomationService),
                                                  QDBusConnectionInterface::DontQueueService,
                                                  QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        m_connection.unregisterObject(path);
        m_connection = QDBusConnection(QString());
        return false;
    }
    m_registered = true;
    return true;
}

void DocumentAutomation::Unregister() {
    if (!m_registered) return;
    m_registered = false;
    m_connection.unregisterService(QString::fromLatin1(kAutomationService));
    m_connection.unregisterObject(QString::fromLatin1(kAutomationPath));
    m_connection = QDBusConnection(QString());
}

CVelor32Doc* DocumentAutomation::Document() const {
    return m_activeDocument ? m_activeDocument() : nullptr;
}

QString DocumentAutomation::introspect(const QString&) const {
    QString xml = QStringLiteral("  <interface name=\"%1\">\n").arg(Interface());
    for (const AutomationProperty& p : AutomationProperties()) {
        xml += QStringLiteral("    <property name=\"%1\" type=\"%2\" access=\"readwrite\">\n"
                              "      <annotation name=\"org.freedesktop.DBus.Property.EmitsChangedSignal\" "
                              "value=\"%3\"/>\n    </property>\n")
                   .arg(QLatin1String(p.name), QLatin1String(SignatureOf(p.type)),
                        p.notifiesChange ? QStringLiteral("true") : QStringLiteral("false"));
    }
    for (const AutomationMethod& m : AutomationMethods()) {
        xml += QStringLiteral("    <method name=\"%1\">\n").arg(QLatin1String(m.name));
        if (m.argument != DBusType::None) xml += ArgumentXml(m.argumentName, m.argument, "in");
        if (m.result != DBusType::None) xml += ArgumentXml(nullptr, m.result, "out");
        xml += QStringLiteral("    </method>\n");
    }
    return xml + QStringLiteral("  </interface>\n");
}

bool DocumentAutomation::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (message.type() != QDBusMessage::MethodCallMessage) return false;
    const QString interface = message.interface();
    std::optional<QDBusMessage> reply;
    if (interface == kPropertiesInterface) {
        reply = Carry(message, connection, [&] { return HandleProperties(message); });
    } else if (interface.isEmpty() || interface == Interface()) {
        const AutomationMethod* method = FindMethod(message.member());
        if (!method) return false;  // the bus's own answer for an unknown method
        reply = Carry(message, connection, [&] { return CallMethod(message, *method); });
    } else {
        return false;  // introspection and the peer interface are the library's
    }
    if (reply) connection.send(*reply);
    return true;
}

std::optional<QDBusMessage> DocumentAutomation::Carry(const QDBusMessage& message, const QDBusConnection& connection,
                                                      const std::function<QDBusMessage()>& call) {
    m_pending.append(PendingCall{message, connection, false});
    struct Done {
        QList<PendingCall>& pending;
        ~Done() { pending.removeLast(); }
    } done{m_pending};
    QDBusMessage reply = call();
    if (m_pending.last().answered) return std::nullopt;
    return reply;
}

void DocumentAutomation::AnswerPendingCalls(const QString& text, int exitCode) {
    const QString error = QString::fromLatin1(exitCode == kExitNoMotionController ? kMotionControllerLostError
                                                                                  : kProgramEndingError);
    for (PendingCall& call : m_pending) {
        if (call.answered) continue;
        call.answered = true;
        call.connection.send(call.message.createErrorReply(error, text));
    }
}

QDBusMessage DocumentAutomation::CallMethod(const QDBusMessage& message, const AutomationMethod& method) {
    if (message.signature() != QLatin1String(SignatureOf(method.argument))) {
        return message.createErrorReply(
            kInvalidArgs, QStringLiteral("%1 takes (%2), not (%3)")
                              .arg(QLatin1String(method.name), QLatin1String(SignatureOf(method.argument)),
                                   message.signature()));
    }
    CVelor32Doc* doc = Document();
    const QVariant argument = message.arguments().value(0);
    if (!doc) return method.result == DBusType::None ? message.createReply() : message.createReply(ZeroOf(method.result));
    if (method.changesDocument && doc->IsAcquiring3D()) return BusyReply(message);
    if (auto refused = LimitsReply(message, method.name, method.limits, *doc, argument)) return *refused;
    if (auto refused = StationReply(message, *doc, method.needs)) return *refused;
    const QVariant result = method.call(*doc, argument);
    if (result.userType() == qMetaTypeId<AutomationError>()) {
        const auto error = result.value<AutomationError>();
        return message.createErrorReply(error.name, error.text);
    }
    if (method.result == DBusType::None) return message.createReply();
    return message.createReply(result);
}

QDBusMessage DocumentAutomation::HandleProperties(const QDBusMessage& message) {
    const QVariantList args = message.arguments();
    const QString member = message.member();
    const QString interface = args.value(0).toString();
    if (!interface.isEmpty() && interface != Interface()) {
        return message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"),
                                        QStringLiteral("No such interface: %1").arg(interface));
    }
    const CVelor32Doc* doc = Document();
    const auto valueOf = [doc](const AutomationProperty& p) { return doc ? p.get(*doc) : ZeroOf(p.type); };

    if (member == QLatin1String("GetAll") && message.signature() == QLatin1String("s")) {
        QVariantMap values;
        for (const AutomationProperty& p : AutomationProperties()) values.insert(QLatin1String(p.name), valueOf(p));
        return message.createReply(values);
    }
    const bool get = member == QLatin1String("Get") && message.signature() == QLatin1String("ss");
    const bool set = member == QLatin1String("Set") && message.signature() == QLatin1String("ssv");
    if (!get && !set) {
        return message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
                                        QStringLiteral("No such method: %1 (%2)").arg(member, message.signature()));
    }
    const QString name = args.value(1).toString();
    const AutomationProperty* property = FindProperty(name);
    if (!property) {
        return message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.UnknownProperty"),
                                        QStringLiteral("No such property: %1").arg(name));
    }
    if (get) return message.createReply(QVariant::fromValue(QDBusVariant(valueOf(*property))));
    return SetProperty(message, *property, qvariant_cast<QDBusVariant>(args.value(2)).variant());
}

QDBusMessage DocumentAutomation::SetProperty(const QDBusMessage& message, const AutomationProperty& property,
                                             const QVariant& value) {
    if (TypeOfValue(value) != property.type) {
        return message.createErrorReply(kInvalidArgs, QStringLiteral("%1 is of type %2")
                                                          .arg(QLatin1String(property.name),
                                                               QLatin1String(SignatureOf(property.type))));
    }
    CVelor32Doc* doc = Document();
    if (!doc) return message.createReply();
    if (doc->IsAcquiring3D()) return BusyReply(message);
    if (auto refused = LimitsReply(message, property.name, property.limits, *doc, value)) return *refused;
    if (property.needs) {
        if (auto refused = StationReply(message, *doc, property.needs(value))) return *refused;
    }
    const QVariant before = property.get(*doc);
    property.set(*doc, value);
    const QVariant after = property.get(*doc);
    if (property.notifiesChange && after != before) NotifyPropertyChanged(QLatin1String(property.name), after);
    return message.createReply();
}

void DocumentAutomation::NotifyPropertyChanged(const QString& name, const QVariant& value) {
    if (!m_registered) return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kAutomationPath), kPropertiesInterface,
                                                     QStringLiteral("PropertiesChanged"));
    signal << Interface() << QVariantMap{{name, value}} << QStringList();
    m_connection.send(signal);
}

bool RegisterOnSessionBus(DocumentAutomation& automation) {
    return automation.Register(QDBusConnection::sessionBus());
}

}  // namespace velor
