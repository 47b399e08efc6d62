#pragma once
// The active document as an automation object on the D-Bus session bus: the document's
// automation properties and methods under their own names (see AutomationMembers), so that
// another program can set up and read a measurement. The object answers every call itself,
// properties included, so that a call it must refuse gets a D-Bus error rather than being
// carried out: a value the matching dialog would not accept or of the wrong type
// (InvalidArgs, naming the range), an acquisition or stage call the station cannot make (its
// message at once, never a modal box), and, while a 3D run holds the document, everything
// that would change it or move the stage (an error saying the instrument is busy).

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QString>
#include <QList>
#include <functional>
#include <optional>

namespace velor {

class CVelor32Doc;
struct AutomationMethod;
struct AutomationProperty;

inline constexpr char kAutomationService[] = "com.lumora.OrbiscanViewer";
inline constexpr char kAutomationPath[] = "/Document";
inline constexpr char kAutomationInterface[] = "com.lumora.OrbiscanViewer.Document";
// The error of a call refused while a 3D run holds the instrument.
inline constexpr char kInstrumentBusyError[] = "com.lumora.OrbiscanViewer.Error.InstrumentBusy";
// Acquisition and stage calls on a station without the instrument or the motion controller.
inline constexpr char kNoInstrumentError[] = "com.lumora.OrbiscanViewer.Error.NoInstrument";
inline constexpr char kNoMotionControllerError[] = "com.lumora.OrbiscanViewer.Error.NoMotionController";
// Calls still waiting when the program ends on a fatal error: the motion controller stopped
// answering, or another fatal condition.
inline constexpr char kMotionControllerLostError[] = "com.lumora.OrbiscanViewer.Error.MotionControllerLost";
inline constexpr char kProgramEndingError[] = "com.lumora.OrbiscanViewer.Error.ProgramEnding";

class DocumentAutomation : public QDBusVirtualObject {
    Q_OBJECT

public:
    // Yields the document the program shows now (it changes when a file is loaded), or null:
    // then reads answer 0, false or an empty array and writes and methods do nothing.
    using DocumentProvider = std::function<CVelor32Doc*()>;

    explicit DocumentAutomation(DocumentProvider activeDocument, QObject* parent = nullptr);
    ~DocumentAutomation() override;

    // Exports the object at kAutomationPath and takes kAutomationService on the connection;
    // false, with nothing left registered, when the connection is down or the path or the name
    // is taken. It prints nothing: the program runs on without automation.
    bool Register(const QDBusConnection& connection);
    // Gives back the name and the path; the destructor does it too.
    void Unregister();

    // The program is ending on a fatal error: every call still being carried out gets its
    // error reply now, with the program's message, for a caller must not wait on a program
    // that will never answer.
    void AnswerPendingCalls(const QString& text, int exitCode);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    CVelor32Doc* Document() const;
    QDBusMessage CallMethod(const QDBusMessage& message, const AutomationMethod& method);
    QDBusMessage HandleProperties(const QDBusMessage& message);
    QDBusMessage SetProperty(const QDBusMessage& message, const AutomationProperty& property,
                             const QVariant& value);
    // org.freedesktop.DBus.Properties.PropertiesChanged for one property of our interface.
    void NotifyPropertyChanged(const QString& name, const QVariant& value);

    struct PendingCall {
        QDBusMessage message;
        QDBusConnection connection;
        bool answered;
    };
    // Runs a call, keeping it among the pending ones meanwhile; nothing when the call was
    // answered while it ran.
    std::optional<QDBusMessage> Carry(const QDBusMessage& message, const QDBusConnection& connection,
                                      const std::function<QDBusMessage()>& call);

    DocumentProvider m_activeDocument;
    // Calls being carried out, innermost last (a call can run into another's event loop).
    QList<PendingCall> m_pending;
    QDBusConnection m_connection{QString()};
    bool m_registered = false;
};

// Registers the automation object on the session bus; false when there is no session bus or
// the name is taken (see DocumentAutomation::Register).
bool RegisterOnSessionBus(DocumentAutomation& automation);

}  // namespace velor
