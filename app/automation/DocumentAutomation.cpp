#include "app/automation/DocumentAutomation.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QStringList>
#include <QVariantMap>
#include <utility>
#include <vector>

#include "document/DocumentFrame.h"
#include "document/Velor32Doc.h"

namespace velor {
namespace {

QList<double> ToDoubles(const std::vector<float>& values) {
    QList<double> out;
    out.reserve(static_cast<int>(values.size()));
    for (float v : values) out.append(static_cast<double>(v));
    return out;
}

}  // namespace

DocumentAutomation::DocumentAutomation(DocumentProvider activeDocument, QObject* parent)
    : QObject(parent), m_activeDocument(std::move(activeDocument)) {}

DocumentAutomation::~DocumentAutomation() { Unregister(); }

bool DocumentAutomation::Register(const QDBusConnection& connection) {
    Unregister();
    if (!connection.isConnected()) return false;
    m_connection = connection;
    // The object first, so that a client that sees the name appear finds the object there.
    const QString path = QString::fromLatin1(kAutomationPath);
    if (!m_connection.registerObject(path, this, QDBusConnection::ExportAllContents)) {
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

void DocumentAutomation::NotifyPropertyChanged(const QString& name, const QVariant& value) {
    // QtDBus does not emit this signal for exported properties; clients rely on it.
    if (!m_registered) return;
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(kAutomationPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kAutomationInterface) << QVariantMap{{name, value}}
           << QStringList();
    m_connection.send(signal);
}

// --- properties ------------------------------------------------------------------------------

bool DocumentAutomation::GetShowWindow() const {
    const CVelor32Doc* doc = Document();
    return doc && doc->GetShowWindow();
}

void DocumentAutomation::SetShowWindow(bool show) {
    CVelor32Doc* doc = Document();
    if (!doc) return;
    const bool before = doc->GetShowWindow();
    doc->SetShowWindow(show);
    const bool after = doc->GetShowWindow();
    if (after != before) NotifyPropertyChanged(QStringLiteral("ShowWindow"), after);
}

bool DocumentAutomation::GetScanAcquisition() const {
    const CVelor32Doc* doc = Document();
    return doc && doc->GetScanAcquisition();
}

void DocumentAutomation::SetScanAcquisition(bool on) {
    if (CVelor32Doc* doc = Document()) doc->SetScanAcquisition(on);
}

short DocumentAutomation::GetSignalGain() const {
    const CVelor32Doc* doc = Document();
    return doc ? static_cast<short>(doc->GetSignalGain()) : short{0};
}

void DocumentAutomation::SetSignalGain(short gain) {
    if (CVelor32Doc* doc = Document()) doc->SetSignalGain(gain);
}

double DocumentAutomation::GetApertureSourceDistance() const {
    const CVelor32Doc* doc = Document();
    return doc ? doc->GetApertureSourceDistance() : 0.0;
}

void DocumentAutomation::SetApertureSourceDistance(double distance) {
    if (CVelor32Doc* doc = Document()) doc->SetApertureSourceDistance(static_cast<float>(distance));
}

bool DocumentAutomation::GetBlindSpotCorrection() const {
    const CVelor32Doc* doc = Document();
    return doc && doc->GetBlindSpotCorrection();
}

void DocumentAutomation::SetBlindSpotCorrection(bool on) {
    if (CVelor32Doc* doc = Document()) doc->SetBlindSpotCorrection(on);
}

short DocumentAutomation::GetDataIncrement() const {
    const CVelor32Doc* doc = Document();
    return doc ? doc->GetDataIncrement() : short{0};
}

void DocumentAutomation::SetDataIncrement(short increment) {
    if (CVelor32Doc* doc = Document()) doc->SetDataIncrement(increment);
}

double DocumentAutomation::GetWavelength() const {
    const CVelor32Doc* doc = Document();
    return doc ? doc->GetWavelength() : 0.0;
}

void DocumentAutomation::SetWavelength(double nm) {
    if (CVelor32Doc* doc = Document()) doc->SetWavelength(static_cast<float>(nm));
}

double DocumentAutomation::GetAngularLimit() const {
    const CVelor32Doc* doc = Document();
    return doc ? doc->GetAngularLimit() : 0.0;
}

void DocumentAutomation::SetAngularLimit(double degrees) {
    if (CVelor32Doc* doc = Document()) doc->SetAngularLimit(static_cast<float>(degrees));
}

bool DocumentAutomation::GetPulsedMode() const {
    const CVelor32Doc* doc = Document();
    return doc && doc->GetPulsedMode();
}

void DocumentAutomation::SetPulsedMode(bool on) {
    if (CVelor32Doc* doc = Document()) doc->SetPulsedMode(on);
}

double DocumentAutomation::GetSourceFrequency() const {
    const CVelor32Doc* doc = Document();
    return doc ? doc->GetSourceFrequency() : 0.0;
}

void DocumentAutomation::SetSourceFrequency(double kHz) {
    if (CVelor32Doc* doc = Document()) doc->SetSourceFrequency(static_cast<float>(kHz));
}

// --- methods ---------------------------------------------------------------------------------

void DocumentAutomation::GoToPhiAngle(double phi) {
    if (CVelor32Doc* doc = Document()) doc->GoToPhiAngle(static_cast<float>(phi));
}

double DocumentAutomation::GetCenter() {
    const CVelor32Doc* doc = Document();
    return doc ? doc->GetCenter() : 0.0;
}

double DocumentAutomation::GetPeakPosition() {
    const CVelor32Doc* doc = Document();
    return doc ? doc->GetPeakPosition() : 0.0;
}

double DocumentAutomation::GetPeakWidth(double clipPercent) {
    const CVelor32Doc* doc = Document();
    return doc ? doc->GetPeakWidth(static_cast<float>(clipPercent)) : 0.0;
}

void DocumentAutomation::Exit() {
    if (CVelor32Doc* doc = Document()) doc->Environment().frame.RequestExit();
}

double DocumentAutomation::GetPeakIrradiance() {
    const CVelor32Doc* doc = Document();
    return doc ? doc->GetPeakIrradiance() : 0.0;
}

short DocumentAutomation::GetNumPts() {
    const CVelor32Doc* doc = Document();
    return doc ? doc->GetNumPts() : short{0};
}

QList<double> DocumentAutomation::GetProfileData() {
    const CVelor32Doc* doc = Document();
    return doc ? ToDoubles(doc->GetProfileDataArray()) : QList<double>();
}

QList<double> DocumentAutomation::GetProfileAngle() {
    const CVelor32Doc* doc = Document();
    return doc ? ToDoubles(doc->GetProfileAngleArray()) : QList<double>();
}

bool DocumentAutomation::MotorGoHome() {
    CVelor32Doc* doc = Document();
    return doc && doc->MotorGoHome();
}

void DocumentAutomation::AutoGain() {
    if (CVelor32Doc* doc = Document()) doc->AutoGain();
}

void DocumentAutomation::Go90Deg(bool up) {
    if (CVelor32Doc* doc = Document()) doc->Go90Deg(up);
}

bool DocumentAutomation::IsSaturated() {
    const CVelor32Doc* doc = Document();
    return doc && doc->IsSaturated();
}

double DocumentAutomation::GetNA(double clipPercent) {
    const CVelor32Doc* doc = Document();
    return doc ? doc->GetNA(static_cast<float>(clipPercent)) : 0.0;
}

double DocumentAutomation::GetMFD() {
    const CVelor32Doc* doc = Document();
    return doc ? doc->GetMFD() : 0.0;
}

void DocumentAutomation::IncrementPhi(short code) {
    if (CVelor32Doc* doc = Document()) doc->IncrementPhi(code);
}

double DocumentAutomation::GetCurrentPhi() {
    const CVelor32Doc* doc = Document();
    return doc ? doc->GetCurrentPhi() : 0.0;
}

bool RegisterOnSessionBus(DocumentAutomation& automation) {
    return automation.Register(QDBusConnection::sessionBus());
}

}  // namespace velor
