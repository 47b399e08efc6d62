#pragma once
// The active document as an automation object on the D-Bus session bus: the document's
// automation properties and methods under their own names, so that another program can set up
// and read a measurement. Every rule stays in the document; this object only converts types
// (D-Bus has no 32-bit float: floats travel as double, float arrays as "ad").

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>

namespace velor {

class CVelor32Doc;

inline constexpr char kAutomationService[] = "com.lumora.OrbiscanViewer";
inline constexpr char kAutomationPath[] = "/Document";
inline constexpr char kAutomationInterface[] = "com.lumora.OrbiscanViewer.Document";

class DocumentAutomation : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.lumora.OrbiscanViewer.Document")
    // Declaration order is the order clients see in the introspection data.
    Q_PROPERTY(bool ShowWindow READ GetShowWindow WRITE SetShowWindow)
    Q_PROPERTY(bool ScanAcquisition READ GetScanAcquisition WRITE SetScanAcquisition)
    Q_PROPERTY(short SignalGain READ GetSignalGain WRITE SetSignalGain)
    Q_PROPERTY(double ApertureSourceDistance READ GetApertureSourceDistance
                   WRITE SetApertureSourceDistance)
    Q_PROPERTY(bool BlindSpotCorrection READ GetBlindSpotCorrection WRITE SetBlindSpotCorrection)
    Q_PROPERTY(short DataIncrement READ GetDataIncrement WRITE SetDataIncrement)
    Q_PROPERTY(double Wavelength READ GetWavelength WRITE SetWavelength)
    Q_PROPERTY(double AngularLimit READ GetAngularLimit WRITE SetAngularLimit)
    Q_PROPERTY(bool PulsedMode READ GetPulsedMode WRITE SetPulsedMode)
    Q_PROPERTY(double SourceFrequency READ GetSourceFrequency WRITE SetSourceFrequency)

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

    // Property accessors: plain members, so that they are not exported as methods as well.
    bool GetShowWindow() const;
    void SetShowWindow(bool show);
    bool GetScanAcquisition() const;
    void SetScanAcquisition(bool on);
    short GetSignalGain() const;
    void SetSignalGain(short gain);
    double GetApertureSourceDistance() const;
    void SetApertureSourceDistance(double distance);
    bool GetBlindSpotCorrection() const;
    void SetBlindSpotCorrection(bool on);
    short GetDataIncrement() const;
    void SetDataIncrement(short increment);
    double GetWavelength() const;
    void SetWavelength(double nm);
    double GetAngularLimit() const;
    void SetAngularLimit(double degrees);
    bool GetPulsedMode() const;
    void SetPulsedMode(bool on);
    double GetSourceFrequency() const;
    void SetSourceFrequency(double kHz);

public Q_SLOTS:
    // The automation methods, in the order clients see them.
    void GoToPhiAngle(double phi);
    double GetCenter();
    double GetPeakPosition();
    double GetPeakWidth(double clipPercent);
    void Exit();
    double GetPeakIrradiance();
    short GetNumPts();
    QList<double> GetProfileData();
    QList<double> GetProfileAngle();
    bool MotorGoHome();
    void AutoGain();
    void Go90Deg(bool up);
    bool IsSaturated();
    double GetNA(double clipPercent);
    double GetMFD();
    void IncrementPhi(short code);
    double GetCurrentPhi();

private:
    CVelor32Doc* Document() const;
    // org.freedesktop.DBus.Properties.PropertiesChanged for one property of our interface.
    void NotifyPropertyChanged(const QString& name, const QVariant& value);

    DocumentProvider m_activeDocument;
    QDBusConnection m_connection{QString()};
    bool m_registered = false;
};

// Registers the automation object on the session bus; false when there is no session bus or
// the name is taken (see DocumentAutomation::Register).
bool RegisterOnSessionBus(DocumentAutomation& automation);

}  // namespace velor
