// The protocol over a real serial device: QSerialPort opens the slave side of a pseudo-terminal
// and the simulated controller answers from the master side on a thread of its own. Time runs
// five times fast so that a lost controller is given up on within two real seconds.

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "tests/instrument/motion/MotionRig.h"
#include "tests/support/ScriptedControllerPeer.h"

namespace velor::test {
namespace {

constexpr uint32_t kTimeLapse = 5;

class FastClock final : public MillisecondClock {
public:
    uint32_t Now() const override { return m_steady.Now() * kTimeLapse; }

private:
    SteadyClock m_steady;
};

class FastSleeper final : public Sleeper {
public:
    void SleepMs(uint32_t ms) override { m_real.SleepMs(ms / kTimeLapse); }

private:
    ThreadSleeper m_real;
};

// The controller's end of the line. Its simulated controller may be set up before Start and
// examined after Stop; in between it belongs to the peer's thread.
class ControllerPeer {
public:
    ControllerPeer() { m_open = OpenRawPty(m_master, m_slave, m_path); }
    ~ControllerPeer() {
        Stop();
        if (m_open) {
            // The slave stays open until here so the master never sees a hang-up.
            close(m_master);
            close(m_slave);
        }
    }

    bool IsOpen() const { return m_open; }
    QString SlavePath() const { return m_path; }
    SimulatedController& Simulated() { return m_simulated; }

    void Start() { m_thread = std::thread([this] { Run(); }); }
    void Stop() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
    }

private:
    void Run() {
        char buffer[256];
        while (!m_stop) {
            pollfd fd{m_master, POLLIN, 0};
            if (poll(&fd, 1, 10) > 0 && (fd.revents & POLLIN)) {
                const ssize_t count = read(m_master, buffer, sizeof buffer);
                if (count > 0) m_simulated.Receive(std::string_view(buffer, count));
            }
            int count = 0;
            while ((count = m_simulated.Transmit(buffer, sizeof buffer)) > 0) {
                for (int done = 0; done < count;) {
                    const ssize_t written = write(m_master, buffer + done, count - done);
                    if (written <= 0) return;
                    done += static_cast<int>(written);
                }
            }
        }
    }

    SimulatedController m_simulated;
    int m_master = -1;
    int m_slave = -1;
    bool m_open = false;
    QString m_path;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// QSerialPort's notifiers want an application object, though the exchanges only poll.
void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "motion_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

class MotionSerialLine : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(peer.IsOpen()) << "no pseudo-terminal available";
    }

    SerialSettings Settings() const {
        SerialSettings settings;
        settings.portName = peer.SlavePath();
        return settings;
    }

    ControllerPeer peer;
    RecordingPrompt prompt;
    FastClock clock;
    FastSleeper sleeper;
    MotionController controller{prompt, clock, sleeper};
};

TEST_F(MotionSerialLine, AWholeExchangeGoesOverTheDevice) {
    peer.Simulated().SetStatus(2);
    peer.Start();
    const QString error = ConnectSerial(controller, Settings());
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_TRUE(controller.IsConnected());

    controller.SelectSpeeds(0, 340);
    EXPECT_EQ(controller.RunProgram(340), "N\r");
    EXPECT_FALSE(controller.CheckHome()) << "the homing error comes back over the line";
    EXPECT_TRUE(controller.ResetController());
    EXPECT_EQ(controller.QueryStatus(), 0) << "the reset cleared it";
    EXPECT_TRUE(controller.Disconnect());
    peer.Stop();

    EXPECT_EQ(peer.Simulated().Received(),
              "R 100\rS 100\rF 10\rY 340\rX\rY 200\rX\rY 1220\rX\rY 600\rX\rY 1220\rX\r");
    EXPECT_EQ(peer.Simulated().ProgramsRun(), (std::vector<int>{340, 200, 1220, 600, 1220}));
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST_F(MotionSerialLine, ASilentDeviceEndsTheProgram) {
    peer.Simulated().QueueFault(SimulatedController::Fault::Silence);
    peer.Start();
    ASSERT_TRUE(ConnectSerial(controller, Settings()).isEmpty());
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(ExitCodeOf([&] { controller.RunProgram(540); }), 13);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_FALSE(controller.IsConnected());
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_EQ(prompt.Last().text, kControllerLostText);
}

TEST_F(MotionSerialLine, APortThatCannotBeOpenedLeavesTheControllerDisconnected) {
    SimulatedController earlier;
    ConnectSimulated(controller, earlier);
    SerialSettings settings;
    settings.portName = QStringLiteral("/dev/no-such-motion-port");
    const QString error = ConnectSerial(controller, settings);
    EXPECT_TRUE(error.contains(settings.portName)) << error.toStdString();
    EXPECT_FALSE(controller.IsConnected());
    EXPECT_FALSE(earlier.IsPortOpen());
}

TEST_F(MotionSerialLine, SettingsTheLineCannotTakeAreRefused) {
    SerialSettings settings = Settings();
    settings.dataBits = 9;
    EXPECT_TRUE(ConnectSerial(controller, settings).contains(QStringLiteral("data bits")));
    settings = Settings();
    settings.stopBits = 3;
    EXPECT_TRUE(ConnectSerial(controller, settings).contains(QStringLiteral("stop bits")));
    settings = Settings();
    settings.baudRate = 0;
    EXPECT_FALSE(ConnectSerial(controller, settings).isEmpty());
    EXPECT_FALSE(controller.IsConnected());
}

// The reply each program of these exchanges gives: homing 'P', a step 'N', a clean status.
std::string ReplyTo(int program) {
    if (program == 200) return "P";
    if (program == 1220) return "B 00000";
    return "N";
}

// Replies are gathered from whatever pieces arrive within the command's time: the homing is
// confirmed, the step completes and the status reads, and the controller stays connected.
TEST(MotionSerialLineTiming, RepliesInPiecesWithGapsAndStaleBytesAreGathered) {
    EnsureApplication();
    using Piece = ScriptedControllerPeer::Piece;
    const struct {
        const char* what;
        ScriptedControllerPeer::Script script;
    } cases[] = {
        {"a line end, a line feed, the letter and the rest, 150 ms apart",
         [](int program) {
             const std::string reply = ReplyTo(program);
             return std::vector<Piece>{{150, "\r"}, {150, "\n"}, {150, reply.substr(0, 1)},
                                       {150, reply.substr(1) + "\r"}};
         }},
        {"byte by byte, 30 ms apart",
         [](int program) {
             std::vector<Piece> pieces;
             for (char c : "\r\n" + ReplyTo(program) + "\r") pieces.push_back({30, std::string(1, c)});
             return pieces;
         }},
        {"the end of an earlier reply arriving late, ahead of the reply",
         [](int program) {
             return std::vector<Piece>{{20, " 00002\r\n"}, {100, ReplyTo(program) + "\r"}};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedControllerPeer peer(c.script);
        ASSERT_TRUE(peer.IsOpen()) << "no pseudo-terminal available";
        RecordingPrompt prompt;
        FastClock clock;
        FastSleeper sleeper;
        MotionController controller(prompt, clock, sleeper);
        SerialSettings settings;
        settings.portName = peer.SlavePath();
        ASSERT_TRUE(ConnectSerial(controller, settings).isEmpty());
        EXPECT_EQ(ExitCodeOf([&] {
                      EXPECT_TRUE(controller.CheckHome());
                      EXPECT_EQ(controller.RunProgram(540).substr(0, 1), "N");
                      EXPECT_EQ(controller.QueryStatus(), 0);
                  }),
                  -1);
        EXPECT_TRUE(prompt.Messages().empty()) << prompt.Texts().join("|").toStdString();
        EXPECT_TRUE(controller.IsConnected());
    }
}

}  // namespace
}  // namespace velor::test
