// Velor32 run as a user runs it: under faults from outside (a save past the file-size limit
// the shell set, with no signal handling here: the program must cope on its own; a motion
// controller that answers wrongly while an automation caller waits on the session bus), and
// a first 3D run as a new user sees it.


#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <string>

#include "tests/support/ScriptedControllerPeer.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

const QString kService = QStringLiteral("com.lumora.OrbiscanViewer");

// Runs a command to its end; its standard output, trimmed.
QString Output(const QString& program, const QStringList& arguments, int* status = nullptr) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(15000);
    if (status) *status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// Waits up to timeoutMs for a visible window whose title matches the pattern; its id.
QString WaitForWindow(const QString& titlePattern, int timeoutMs = 15000) {
    QElapsedTimer timer;
    timer.start();
    do {
        const QString ids = Output(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", titlePattern});
        if (!ids.isEmpty()) return ids.section(QLatin1Char('\n'), 0, 0);
        QThread::msleep(200);
    } while (timer.elapsed() < timeoutMs);
    return QString();
}

bool XdotoolAvailable() {
    int status = -1;
    Output(QStringLiteral("xdotool"), {"version"}, &status);
    return status == 0;
}

// The program, started on a measurement; killed at the end of the test if still running.
class Program {
public:
    ~Program() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    // Through the shell, so that its limits (ulimit) are set as a user sets them.
    void Start(const QString& shellSetUp, const QStringList& arguments, const QString& platform) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        m_process.setProcessEnvironment(environment);
        m_process.start(QStringLiteral("bash"),
                        QStringList{"-c", shellSetUp + " && exec \"$0\" \"$@\"", QStringLiteral(VELOR32_PATH)} +
                            arguments);
        m_process.waitForStarted(10000);
    }
    bool Running() const { return m_process.state() == QProcess::Running; }
    QProcess& Process() { return m_process; }

private:
    QProcess m_process;
};

TEST(ProgramUnderAFileSizeLimit, CtrlSKeepsTheDocumentAndTheEarlierFileAndSaysWhy) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X server: run the tests under xvfb-run";
    if (!XdotoolAvailable()) GTEST_SKIP() << "xdotool not found (Debian package xdotool)";
    TestStation station;
    station.NewDocument();
    station.AddNote("the earlier file");
    const QString path = station.Path("m.vnq");
    ASSERT_TRUE(station.file.SaveDataFile(path));
    const QByteArray earlier = ReadAll(path);

    Program program;
    // 64 KiB: the measurement takes about 170 KiB.
    program.Start(QStringLiteral("ulimit -f 64"), {path}, QStringLiteral("xcb"));
    const QString window = WaitForWindow(QStringLiteral("^Orbiscan Viewer - "));
    ASSERT_FALSE(window.isEmpty()) << "the main window did not show";
    Output(QStringLiteral("xdotool"), {"windowfocus", "--sync", window});
    Output(QStringLiteral("xdotool"), {"key", "--clearmodifiers", "ctrl+s"});

    EXPECT_FALSE(WaitForWindow(QStringLiteral("^File Error$")).isEmpty()) << "no message";
    EXPECT_TRUE(program.Running()) << "ended with status " << program.Process().exitCode();
    EXPECT_EQ(ReadAll(path), earlier);
    EXPECT_EQ(QDir(station.dir.path()).entryList({"m.vnq*"}, QDir::Files), QStringList{"m.vnq"});

    // Past the message, the measurement is still open.
    Output(QStringLiteral("xdotool"), {"key", "Return"});
    QThread::msleep(500);
    EXPECT_TRUE(program.Running());
    EXPECT_FALSE(WaitForWindow(QStringLiteral("^Orbiscan Viewer - "), 2000).isEmpty());
}

// A new user's 3D run on the simulated station: the progress window is there, under its own
// name, from the first scan on.
TEST(ProgramOnASimulatedStation, The3dProgressWindowShowsWhileTheScansAreTaken) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X server: run the tests under xvfb-run";
    if (!XdotoolAvailable()) GTEST_SKIP() << "xdotool not found (Debian package xdotool)";
    Program program;
    program.Start(QStringLiteral("true"), {"--simulate"}, QStringLiteral("xcb"));
    const QString window = WaitForWindow(QStringLiteral("^Orbiscan Viewer - "));
    ASSERT_FALSE(window.isEmpty()) << "the main window did not show";
    Output(QStringLiteral("xdotool"), {"windowfocus", "--sync", window});
    // Data Collection > Acquire 3D Data.
    Output(QStringLiteral("xdotool"), {"key", "--clearmodifiers", "alt+d"});
    QThread::msleep(300);
    Output(QStringLiteral("xdotool"), {"key", "3"});
    // Looked for every 0.2 s, as a user's eye would catch it.
    EXPECT_FALSE(WaitForWindow(QStringLiteral("^3D Acquisition Progress$"), 10000).isEmpty());
    EXPECT_TRUE(program.Running());
}

bool WaitForService(QDBusConnection& bus, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (bus.interface()->isServiceRegistered(kService)) return true;
        QThread::msleep(100);
    }
    return false;
}

TEST(ProgramWithALostController, APendingAutomationCallIsAnsweredBeforeTheFatalMessage) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) GTEST_SKIP() << "no D-Bus session bus: run the tests inside dbus-run-session";
    // Every program answered with a letter none of them gives.
    ScriptedControllerPeer controller(
        [](int) { return std::vector<ScriptedControllerPeer::Piece>{{0, "E\r"}}; });
    ASSERT_TRUE(controller.IsOpen()) << "no pseudo-terminal available";
    TestStation station;
    station.NewDocument();
    station.AddNote("");
    const QString path = station.Path("m.vnq");
    ASSERT_TRUE(station.file.SaveDataFile(path));

    Program program;
    program.Start(QStringLiteral("true"), {"--motion-port", controller.SlavePath(), path}, QStringLiteral("offscreen"));
    ASSERT_TRUE(WaitForService(bus, 15000)) << "the program did not publish its document";

    QDBusMessage call = QDBusMessage::createMethodCall(kService, QStringLiteral("/Document"),
                                                       QStringLiteral("com.lumora.OrbiscanViewer.Document"),
                                                       QStringLiteral("MotorGoHome"));
    QDBusPendingCall pending = bus.asyncCall(call, 10000);
    pending.waitForFinished();
    const QDBusMessage reply = pending.reply();
    ASSERT_EQ(reply.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(reply.errorName(), "com.lumora.OrbiscanViewer.Error.MotionControllerLost");
    EXPECT_EQ(reply.errorMessage(),
              "No communication with Orbiscan's Motion Controller.\nCheck the configuration. Program aborted.");
    // The answer came first; the program's own message is still up.
    EXPECT_TRUE(program.Running());
}

}  // namespace
}  // namespace velor::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
