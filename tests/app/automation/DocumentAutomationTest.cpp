// The automation object as another program sees it: gdbus reads and sets its properties and
// calls its methods over the session bus, and the effects are checked on the document.

#include <QDBusConnectionInterface>
#include <cstring>
#include <functional>
#include <limits>
#include <utility>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include "app/automation/DocumentAutomation.h"
#include "document/DocumentMessages.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "tests/app/automation/BusClient.h"
#include "tests/support/AcquisitionStation.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

const QString kService = QString::fromLatin1(kAutomationService);
const QString kPath = QString::fromLatin1(kAutomationPath);

class ExitRecordingFrame : public RecordingFrame {
public:
    void RequestExit() override { ++exitRequests; }
    int exitRequests = 0;
};

// TestStation's recorders and fakes around a frame that also records exit requests.
struct AutomationStation {
    AutomationStation() { doc.OnNewDocument(); }
    TestStation base;
    ExitRecordingFrame frame;
    DocumentEnvironment environment{base.prompt, base.board, base.motion, base.clock, frame};
    CVelor32Doc doc{environment};
};

// Qt's warnings while a block runs: registration must fail without a word.
std::vector<QString>* g_captured = nullptr;
struct MessageCapture {
    MessageCapture() {
        g_captured = &messages;
        previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) {
                g_captured->push_back(text);
            });
    }
    ~MessageCapture() {
        qInstallMessageHandler(previous);
        g_captured = nullptr;
    }
    std::vector<QString> messages;
    QtMessageHandler previous = nullptr;
};

::testing::AssertionResult Succeeded(const GdbusResult& r) {
    if (r.exitCode == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "gdbus exit " << r.exitCode << ": " << r.error.toStdString();
}

void SimulateGaussian(CVelor32Doc& doc) {
    SimulationOptions options;
    options.scans3D = 10;
    ASSERT_TRUE(SimulateMeasurement(doc, *sim::MakeGaussianFiber(1310.0, 9.2), options));
}

class Automation : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QDBusConnection::sessionBus().isConnected()) {
            GTEST_SKIP() << "no D-Bus session bus: run the tests inside dbus-run-session";
        }
        if (!GdbusAvailable()) GTEST_SKIP() << "gdbus not found (Debian package libglib2.0-bin)";
        active = &station.doc;
        ASSERT_TRUE(RegisterOnSessionBus(automation)) << "is another program holding the name?";
    }

    AutomationStation station;
    CVelor32Doc* active = nullptr;
    DocumentAutomation automation{[this] { return active; }};
};

using AutomationRegistration = Automation;
using AutomationProperties = Automation;
using AutomationProfile = Automation;
using AutomationInstrument = Automation;
using AutomationNotification = Automation;
using AutomationWithoutDocument = Automation;

// --- registration ------------------------------------------------------------------------------

TEST(AutomationOffline, RegistrationFailsQuietlyWithoutAConnection) {
    DocumentAutomation automation([] { return nullptr; });
    MessageCapture capture;
    EXPECT_FALSE(automation.Register(QDBusConnection(QStringLiteral("never-connected"))));
    EXPECT_TRUE(capture.messages.empty()) << capture.messages.front().toStdString();
}

TEST_F(AutomationRegistration, PublishesEveryMemberInOrderWithItsType) {
    const GdbusResult r = IntrospectXml();
    ASSERT_TRUE(Succeeded(r));
    // "Name type access" per property, "method Name in:… out:…" per method, in document order.
    std::vector<QString> members;
    QString ins, outs;
    QXmlStreamReader xml(r.out);
    bool inside = false;
    while (!xml.atEnd()) {
        xml.readNext();
        const QXmlStreamAttributes a = xml.attributes();
        const QString name = a.value(QLatin1String("name")).toString();
        const QStringRef element = xml.name();
        if (xml.isStartElement() && element == QLatin1String("interface")) {
            inside = name == QLatin1String(kAutomationInterface);
        } else if (!inside || element == QLatin1String("annotation")) {
            continue;
        } else if (xml.isStartElement() && element == QLatin1String("property")) {
            members.push_back(name + QLatin1Char(' ') + a.value(QLatin1String("type")) +
                              QLatin1Char(' ') + a.value(QLatin1String("access")));
        } else if (xml.isStartElement() && element == QLatin1String("arg")) {
            const bool out = a.value(QLatin1String("direction")) == QLatin1String("out");
            (out ? outs : ins) += (out ? QStringLiteral(" out:") : QStringLiteral(" in:")) +
                                  a.value(QLatin1String("type"));
        } else if (xml.isStartElement()) {
            members.push_back(element + QLatin1Char(' ') + name);
            ins.clear();
            outs.clear();
        } else if (xml.isEndElement() && element != QLatin1String("property") &&
                   element != QLatin1String("arg")) {
            members.back() += ins + outs;
            ins.clear();
            outs.clear();
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    const std::vector<QString> expected = {
        "ShowWindow b readwrite", "ScanAcquisition b readwrite", "SignalGain n readwrite",
        "ApertureSourceDistance d readwrite", "BlindSpotCorrection b readwrite",
        "DataIncrement n readwrite", "Wavelength d readwrite", "AngularLimit d readwrite",
        "PulsedMode b readwrite", "SourceFrequency d readwrite", "GainRanges n readwrite",
        "method GoToPhiAngle in:d", "method GetCenter out:d", "method GetPeakPosition out:d",
        "method GetPeakWidth in:d out:d", "method Exit", "method GetPeakIrradiance out:d",
        "method GetNumPts out:n", "method GetProfileData out:ad", "method GetProfileAngle out:ad",
        "method MotorGoHome out:b", "method AutoGain out:n", "method Go90Deg in:b",
        "method IsSaturated out:b", "method GetNA in:d out:d", "method GetMFD out:d",
        "method IncrementPhi in:n", "method GetCurrentPhi out:d", "method GetSecondMomentWidth out:d",
        "method GetSecondMomentNA out:d", "method GetFitWidth out:d", "method GetFitCenter out:d",
        "method GetFitQuality out:d", "method GetMajorDivergence out:d", "method GetMinorDivergence out:d",
        "method GetEllipticity out:d", "method GetOrientation out:d", "method GetEffectiveArea out:d"};
    EXPECT_EQ(members, expected);
}

TEST_F(AutomationRegistration, GivesWayToAnotherOwnerAndGivesTheNameBack) {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    automation.Unregister();
    EXPECT_FALSE(bus->isServiceRegistered(kService).value());
    {
        DocumentAutomation second([] { return nullptr; });
        ASSERT_TRUE(RegisterOnSessionBus(second));
        EXPECT_TRUE(bus->isServiceRegistered(kService).value());
    }
    EXPECT_FALSE(bus->isServiceRegistered(kService).value()) << "destruction releases the name";

    const QString rivalName = QStringLiteral("automation-test-rival");
    {
        QDBusConnection rival =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, rivalName);
        ASSERT_TRUE(rival.registerService(kService));
        MessageCapture capture;
        EXPECT_FALSE(RegisterOnSessionBus(automation));
        EXPECT_TRUE(capture.messages.empty()) << capture.messages.front().toStdString();
        EXPECT_EQ(QDBusConnection::sessionBus().objectRegisteredAt(kPath), nullptr)
            << "a failed registration leaves no object behind";
        // Released in so many words: a closing connection frees its names later.
        ASSERT_TRUE(rival.unregisterService(kService));
    }
    QDBusConnection::disconnectFromBus(rivalName);
    ASSERT_TRUE(RegisterOnSessionBus(automation));
    EXPECT_EQ(GetProperty("Wavelength").out, "(<1310.0>,)");
}

// --- properties ------------------------------------------------------------------------------

TEST_F(AutomationProperties, WavelengthReadsAndWritesAsDouble) {
    EXPECT_EQ(GetProperty("Wavelength").out, "(<1310.0>,)");
    ASSERT_TRUE(Succeeded(SetProperty("Wavelength", "<1550.5>")));
    EXPECT_EQ(station.doc.GetWavelength(), 1550.5f);
    EXPECT_EQ(GetProperty("Wavelength").out, "(<1550.5>,)");
}

TEST_F(AutomationProperties, AngularLimitIsClampedToTheFieldOfView) {
    station.doc.SetApertureSourceDistance(2.0f);
    const float fieldOfView = station.doc.GetFieldOfView(0);
    ASSERT_LT(fieldOfView, 80.0f);
    ASSERT_TRUE(Succeeded(SetProperty("AngularLimit", "<80.0>")));
    EXPECT_EQ(station.doc.GetAngularLimit(), fieldOfView);
    EXPECT_EQ(ReplyDouble(GetProperty("AngularLimit")), double{fieldOfView});
    ASSERT_TRUE(Succeeded(SetProperty("AngularLimit", "<25.0>")));
    EXPECT_EQ(station.doc.GetAngularLimit(), 25.0f);
}

TEST_F(AutomationProperties, EachPropertyReachesItsOwnDocumentMember) {
    struct Case {
        const char* name;
        const char* value;  // GVariant text, as gdbus reads it back
        std::function<bool(const CVelor32Doc&)> applied;
    };
    using Doc = const CVelor32Doc&;
    const Case cases[] = {
        {"SignalGain", "int16 12", [](Doc d) { return d.GetSignalGain() == 12; }},
        {"BlindSpotCorrection", "true", [](Doc d) { return d.GetBlindSpotCorrection(); }},
        {"DataIncrement", "int16 4", [](Doc d) { return d.GetDataIncrement() == 4; }},
        {"PulsedMode", "true", [](Doc d) { return d.GetPulsedMode(); }},
        {"SourceFrequency", "2.5", [](Doc d) { return d.GetSourceFrequency() == 2.5f; }},
        {"GainRanges", "int16 3", [](Doc d) { return d.GetGainRanges() == 3; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        const QString value = QString::fromLatin1(c.value);
        ASSERT_TRUE(Succeeded(SetProperty(name, QLatin1Char('<') + value + QLatin1Char('>'))));
        EXPECT_TRUE(c.applied(station.doc));
        EXPECT_EQ(GetProperty(name).out, QStringLiteral("(<%1>,)").arg(value));
    }
    // The distance is stored with the aperture offset; the document's range check holds.
    ASSERT_TRUE(Succeeded(SetProperty("ApertureSourceDistance", "<3.5>")));
    EXPECT_FLOAT_EQ(station.doc.GetApertureSourceDistance(), 3.5f);
    EXPECT_EQ(ReplyDouble(GetProperty("ApertureSourceDistance")),
              double{station.doc.GetApertureSourceDistance()});
    EXPECT_FALSE(Succeeded(SetProperty("ApertureSourceDistance", "<150.0>")));
    EXPECT_FLOAT_EQ(station.doc.GetApertureSourceDistance(), 3.5f);
}

// --- profile and beam parameters -----------------------------------------------------------

TEST_F(AutomationProfile, DataIncrementThinsTheProfileArrays) {
    SimulateGaussian(station.doc);
    ASSERT_EQ(station.doc.GetNumPoints(0), 3241);
    ASSERT_TRUE(Succeeded(SetProperty("DataIncrement", "<int16 3>")));
    EXPECT_EQ(CallMethod("GetNumPts").out, "(int16 1080,)");

    const QList<double> data = ReplyDoubles(CallMethod("GetProfileData"));
    const QList<double> angles = ReplyDoubles(CallMethod("GetProfileAngle"));
    ASSERT_EQ(data.size(), 1080);
    ASSERT_EQ(angles.size(), 1080);
    const float* profile = station.doc.GetProfileData(0);
    const float* grid = station.doc.GetAngleGrid();
    for (int k = 0; k < 1080; ++k) {
        ASSERT_EQ(data[k], double{profile[3 * k]}) << k;
        ASSERT_EQ(angles[k], double{grid[3 * k]}) << k;
    }
    // An increment below 1 is refused.
    EXPECT_FALSE(Succeeded(SetProperty("DataIncrement", "<int16 0>")));
    EXPECT_EQ(CallMethod("GetNumPts").out, "(int16 1080,)");
}

TEST_F(AutomationProfile, BeamParametersOfASimulatedGaussian) {
    SimulateGaussian(station.doc);
    const CVelor32Doc& doc = station.doc;
    const double mfd = ReplyDouble(CallMethod("GetMFD"));
    EXPECT_NEAR(mfd, 9.2, 9.2 * 0.01) << "twice the waist of the simulated mode";
    EXPECT_EQ(mfd, double{doc.GetMFD()});
    const double aeff = ReplyDouble(CallMethod("GetEffectiveArea"));
    EXPECT_NEAR(aeff, M_PI * 4.6 * 4.6, M_PI * 4.6 * 4.6 * 0.002) << "π w0² of the simulated mode";
    EXPECT_EQ(aeff, double{doc.GetEffectiveArea(0)});
    // The clip level travels as given; the document truncates it.
    const double width135 = ReplyDouble(CallMethod("GetPeakWidth", {"13.5"}));
    EXPECT_EQ(width135, double{doc.GetPeakWidth(13.5f)});
    EXPECT_GT(width135, ReplyDouble(CallMethod("GetPeakWidth", {"50"})));
    EXPECT_EQ(ReplyDouble(CallMethod("GetNA", {"5"})), double{doc.GetNA(5.0f)});
    EXPECT_EQ(ReplyDouble(CallMethod("GetCenter")), double{doc.GetCenter()});
    EXPECT_EQ(ReplyDouble(CallMethod("GetPeakPosition")), double{doc.GetPeakPosition()});
    const double peak = ReplyDouble(CallMethod("GetPeakIrradiance"));
    EXPECT_GT(peak, 0.0);
    EXPECT_EQ(peak, double{doc.GetPeakIrradiance()});
    EXPECT_EQ(CallMethod("IsSaturated").out, "(false,)");
}

TEST_F(AutomationProfile, BeamMetricsOfTheSelectedAxisAndOfTheDataSet) {
    // A 30° × 10° (FWHM) laser diode, axis 0 along its major axis and axis 1 along its minor.
    SimulationOptions options;
    options.scans3D = 10;
    options.perpendicular = true;
    options.phiDeg = 20.0f;
    ASSERT_TRUE(SimulateMeasurement(station.doc, *sim::MakeLaserDiode({30.0, 10.0, 20.0, 0.0, 0.0}), options));
    using Figure = float (*)(const CVelor32Doc&, int);
    const std::pair<const char*, Figure> perAxis[] = {
        {"GetSecondMomentWidth", [](const CVelor32Doc& d, int a) { return d.GetProfileMetrics(a).secondMomentWidth; }},
        {"GetSecondMomentNA", [](const CVelor32Doc& d, int a) { return d.GetProfileMetrics(a).secondMomentNA; }},
        {"GetFitWidth", [](const CVelor32Doc& d, int a) { return d.GetProfileMetrics(a).fitWidth; }},
        {"GetFitCenter", [](const CVelor32Doc& d, int a) { return d.GetProfileMetrics(a).fitCenter; }},
        {"GetFitQuality", [](const CVelor32Doc& d, int a) { return d.GetProfileMetrics(a).fitQuality; }},
    };
    for (const int axis : {0, 1}) {
        station.doc.SelectAxis(axis);
        for (const auto& [method, figure] : perAxis) {
            EXPECT_EQ(ReplyDouble(CallMethod(method)), double{figure(station.doc, axis)}) << method << axis;
        }
    }
    const BeamShape& shape = station.doc.GetBeamShape();
    EXPECT_EQ(ReplyDouble(CallMethod("GetMajorDivergence")), double{shape.majorDivergence});
    EXPECT_EQ(ReplyDouble(CallMethod("GetMinorDivergence")), double{shape.minorDivergence});
    EXPECT_EQ(ReplyDouble(CallMethod("GetEllipticity")), double{shape.ellipticity});
    EXPECT_EQ(ReplyDouble(CallMethod("GetOrientation")), double{shape.orientation});
    EXPECT_NEAR(shape.ellipticity, 1.0 / 3.0, 0.01);
}

// --- instrument and window ------------------------------------------------------------------

TEST_F(AutomationInstrument, AcquisitionAndPhiMovesReachTheInstrument) {
    SimulatedBoardSettings weak;
    weak.sweep.peakCounts = 3000.0;
    weak.sweep.noiseRms = 0.0;
    AcquisitionStation s(sim::MakeGaussianFiber(1310, 9.2), weak);
    AcquisitionStation twin(sim::MakeGaussianFiber(1310, 9.2), weak);
    s.doc->InitInstrument();
    twin.doc->InitInstrument();
    active = s.doc.get();

    ASSERT_TRUE(Succeeded(SetProperty("ScanAcquisition", "<true>")));
    EXPECT_TRUE(s.doc->IsAcquiring());
    EXPECT_TRUE(s.timers.tickRunning);
    EXPECT_EQ(GetProperty("ScanAcquisition").out, "(<true>,)");
    ASSERT_TRUE(Succeeded(SetProperty("ScanAcquisition", "<false>")));
    EXPECT_FALSE(s.doc->IsAcquiring());
    EXPECT_FALSE(s.timers.tickRunning);

    ASSERT_TRUE(Succeeded(CallMethod("IncrementPhi", {"50"})));
    EXPECT_EQ(s.controllerSim.ProgramsRun().back(), 380) << "code 50 is the 3.6 degree step";
    ASSERT_TRUE(Succeeded(CallMethod("Go90Deg", {"true"})));
    EXPECT_EQ(s.controllerSim.ProgramsRun().back(), 500);
    EXPECT_NEAR(ReplyDouble(CallMethod("GetCurrentPhi")), 93.6, 1e-4);
    ASSERT_TRUE(Succeeded(CallMethod("GoToPhiAngle", {"30.5"})));
    EXPECT_EQ(s.doc->GetCurrentPhi(), 30.5f);
    EXPECT_EQ(CallMethod("MotorGoHome").out, "(true,)");
    EXPECT_EQ(s.doc->GetCurrentPhi(), 0.0f);

    // A weak signal: auto gain raises the gain exactly as the document's own command does,
    // and answers with the gain it found; the status bar says the same.
    const GdbusResult gain = CallMethod("AutoGain");
    ASSERT_TRUE(Succeeded(gain));
    twin.doc->AutoGain();
    EXPECT_GT(twin.doc->GetSignalGain(), 0);
    EXPECT_EQ(s.doc->GetSignalGain(), twin.doc->GetSignalGain());
    EXPECT_EQ(gain.out, QStringLiteral("(int16 %1,)").arg(s.doc->GetSignalGain()));
    EXPECT_EQ(s.frame.statusMessage, QStringLiteral("Auto Gain: %1 dB").arg(s.doc->GetSignalGain()));

    // Far too bright for any gain: an error saying so, the least sensitive gain set.
    SimulatedBoardSettings blinding;
    blinding.sweep.peakCounts = 5.0e6;
    AcquisitionStation bright(sim::MakeGaussianFiber(1310, 9.2), blinding);
    bright.doc->InitInstrument();
    active = bright.doc.get();
    const GdbusResult saturated = CallMethod("AutoGain");
    EXPECT_NE(saturated.exitCode, 0);
    EXPECT_TRUE(saturated.error.contains("com.lumora.OrbiscanViewer.Error.AutoGainFailed")) << saturated.error.toStdString();
    EXPECT_TRUE(saturated.error.contains("Auto Gain: the beam saturates at every gain; the gain is 0 dB"))
        << saturated.error.toStdString();
    EXPECT_EQ(bright.doc->GetSignalGain(), 0);
}

TEST_F(AutomationNotification, ShowWindowChangesAreSignalled) {
    PropertiesChangedRecorder recorder;
    ASSERT_TRUE(recorder.IsListening());
    ASSERT_TRUE(Succeeded(SetProperty("ShowWindow", "<true>")));
    EXPECT_TRUE(station.frame.shown);
    // Unchanged: no signal. The next change's signal comes after any earlier one.
    ASSERT_TRUE(Succeeded(SetProperty("ShowWindow", "<true>")));
    ASSERT_TRUE(Succeeded(SetProperty("ShowWindow", "<false>")));
    EXPECT_FALSE(station.frame.shown);
    ASSERT_TRUE(recorder.WaitFor(2));
    ASSERT_EQ(recorder.messages.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const QDBusMessage& m = recorder.messages[i];
        EXPECT_EQ(m.path(), kPath);
        EXPECT_EQ(m.signature(), "sa{sv}as");
        EXPECT_EQ(m.arguments().value(0).toString(), QLatin1String(kAutomationInterface));
        const QVariantMap changed = qdbus_cast<QVariantMap>(m.arguments().value(1));
        EXPECT_EQ(changed.keys(), QStringList{QStringLiteral("ShowWindow")});
        EXPECT_EQ(changed.value(QStringLiteral("ShowWindow")), QVariant(i == 0));
    }
}

// Every value a dialog would refuse, and every value of the wrong type, is refused with
// InvalidArgs naming the member and its range; nothing changes.
TEST_F(AutomationProperties, RefusesWhatTheDialogsRefuse) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const auto i16 = [](int v) { return QVariant::fromValue(static_cast<short>(v)); };
    struct Case {
        const char* property;
        QVariant value;
        const char* range;  // in the refusal; null: a wrong type
    };
    const Case cases[] = {
        {"Wavelength", 99.0, "100 to 3000 nm"}, {"Wavelength", 3001.0, "100 to 3000 nm"},
        {"Wavelength", nan, "100 to 3000 nm"},  {"Wavelength", -inf, "100 to 3000 nm"},
        {"Wavelength", i16(1550), nullptr},     {"AngularLimit", -0.5, "0 to 90\u00B0"},
        {"AngularLimit", nan, "0 to 90"},       {"SourceFrequency", 0.05, "0.1 to 20 kHz"},
        {"SourceFrequency", inf, "0.1 to 20"},  {"SourceFrequency", -1.0, "0.1 to 20"},
        {"ApertureSourceDistance", -1.0, "0 to 100 cm"}, {"ApertureSourceDistance", nan, "0 to 100"},
        {"SignalGain", i16(-1), "0 to 185 dB"}, {"SignalGain", i16(186), "0 to 185 dB"},
        {"SignalGain", 3.5, nullptr},           {"DataIncrement", i16(0), "1 to 3241"},
        {"DataIncrement", i16(3242), "1 to 3241"}, {"ShowWindow", 1, nullptr},
        {"GainRanges", i16(0), "1 to 4"},      {"GainRanges", i16(5), "1 to 4"},
    };
    BusCaller bus;
    const CVelor32DocLSData before = station.doc.Settings();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.property) + " = " + c.value.toString().toStdString());
        const QDBusMessage reply = bus.Set(QString::fromLatin1(c.property), c.value);
        ASSERT_EQ(reply.type(), QDBusMessage::ErrorMessage);
        EXPECT_EQ(reply.errorName(), "org.freedesktop.DBus.Error.InvalidArgs");
        const QString text = reply.errorMessage();
        EXPECT_TRUE(text.contains(QString::fromLatin1(c.property))) << text.toStdString();
        if (c.range) {
            EXPECT_TRUE(text.contains(QString::fromUtf8(c.range))) << text.toStdString();
        }
    }
    EXPECT_EQ(std::memcmp(&before, &station.doc.Settings(), sizeof before), 0) << "nothing changed";
    EXPECT_EQ(station.doc.GetDataIncrement(), 1);
    EXPECT_EQ(station.doc.GetGainRanges(), 1);

    struct MethodCase {
        const char* method;
        QVariant argument;
    };
    for (const MethodCase& c : {MethodCase{"GoToPhiAngle", 720.0}, MethodCase{"GoToPhiAngle", 360.0},
                                MethodCase{"GoToPhiAngle", i16(45)}, MethodCase{"GetPeakWidth", 150.0},
                                MethodCase{"GetNA", nan}}) {
        SCOPED_TRACE(c.method);
        const QDBusMessage reply = bus.Call(QString::fromLatin1(c.method), {c.argument});
        EXPECT_EQ(reply.errorName(), "org.freedesktop.DBus.Error.InvalidArgs");
    }
    EXPECT_EQ(station.doc.GetCurrentPhi(), 0.0f);
    EXPECT_EQ(bus.Call("GoToPhiAngle", {359.5}).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(station.doc.GetCurrentPhi(), 359.5f);
}

TEST_F(AutomationInstrument, ViewingStationAnswersAcquisitionAndStageCallsAtOnce) {
    BusCaller bus;
    struct Case {
        const char* what;
        std::function<QDBusMessage()> call;
        const char* error;
    };
    const Case cases[] = {
        {"ScanAcquisition on", [&] { return bus.Set("ScanAcquisition", true); }, kNoInstrumentError},
        {"AutoGain", [&] { return bus.Call("AutoGain", {}); }, kNoInstrumentError},
        {"MotorGoHome", [&] { return bus.Call("MotorGoHome", {}); }, kNoMotionControllerError},
        {"Go90Deg", [&] { return bus.Call("Go90Deg", {true}); }, kNoMotionControllerError},
        {"IncrementPhi", [&] { return bus.Call("IncrementPhi", {QVariant::fromValue(short{50})}); },
         kNoMotionControllerError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QDBusMessage reply = c.call();
        EXPECT_EQ(reply.errorName(), QString::fromLatin1(c.error));
    }
    EXPECT_EQ(bus.Call("AutoGain", {}).errorMessage(), msg::kCardNotResponding) << "the program's own message";
    EXPECT_TRUE(station.base.prompt.Messages().empty()) << "no message box waits for a person";
    EXPECT_TRUE(bus.Set("ScanAcquisition", false).type() == QDBusMessage::ReplyMessage) << "off is harmless";
}

TEST_F(AutomationInstrument, ExitReachesTheMainWindow) {
    ASSERT_TRUE(Succeeded(CallMethod("Exit")));
    EXPECT_EQ(station.frame.exitRequests, 1);
}

// --- the active document -------------------------------------------------------------------

TEST_F(AutomationWithoutDocument, AnswersNothingAndChangesNothing) {
    active = nullptr;
    EXPECT_EQ(GetProperty("Wavelength").out, "(<0.0>,)");
    EXPECT_EQ(GetProperty("ShowWindow").out, "(<false>,)");
    EXPECT_EQ(GetProperty("DataIncrement").out, "(<int16 0>,)");
    EXPECT_EQ(CallMethod("GetNumPts").out, "(int16 0,)");
    EXPECT_EQ(CallMethod("GetProfileData").out, "(@ad [],)");
    EXPECT_EQ(CallMethod("GetProfileAngle").out, "(@ad [],)");
    EXPECT_EQ(CallMethod("GetMFD").out, "(0.0,)");
    EXPECT_EQ(CallMethod("MotorGoHome").out, "(false,)");
    EXPECT_TRUE(Succeeded(SetProperty("Wavelength", "<900.0>")));
    EXPECT_TRUE(Succeeded(SetProperty("ShowWindow", "<true>")));
    EXPECT_TRUE(Succeeded(CallMethod("Exit")));
    EXPECT_EQ(station.frame.exitRequests, 0);
    EXPECT_FALSE(station.frame.shown);

    active = &station.doc;
    EXPECT_EQ(GetProperty("Wavelength").out, "(<1310.0>,)");
}

TEST_F(AutomationWithoutDocument, FollowsTheActiveDocument) {
    CVelor32Doc loaded(station.environment);
    loaded.OnNewDocument();
    loaded.SetWavelength(850.0f);
    active = &loaded;
    EXPECT_EQ(GetProperty("Wavelength").out, "(<850.0>,)");
    ASSERT_TRUE(Succeeded(SetProperty("Wavelength", "<980.0>")));
    EXPECT_EQ(loaded.GetWavelength(), 980.0f);
    EXPECT_EQ(station.doc.GetWavelength(), 1310.0f);
}

}  // namespace
}  // namespace velor::test
