#pragma once
// The far end of a pseudo-terminal as a motion controller that answers each program it is
// sent with bytes and gaps of its own script, on a thread of its own and in real time.

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QString>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace velor::test {

// A pseudo-terminal in raw mode, as a serial line is: its two ends and the far end's name.
inline bool OpenRawPty(int& master, int& slave, QString& path) {
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) return false;
    termios settings{};
    tcgetattr(slave, &settings);
    cfmakeraw(&settings);
    tcsetattr(slave, TCSANOW, &settings);
    path = QString::fromLocal8Bit(name);
    return true;
}

// The script gets the program number ("Y n" before the "X"; -1 when none was chosen).
class ScriptedControllerPeer {
public:
    struct Piece {
        int gapMs;  // before the piece
        std::string bytes;
    };
    using Script = std::function<std::vector<Piece>(int program)>;

    explicit ScriptedControllerPeer(Script script) : m_script(std::move(script)) {
        m_open = OpenRawPty(m_master, m_slave, m_path);
        if (m_open) m_thread = std::thread([this] { Run(); });
    }
    ~ScriptedControllerPeer() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        if (m_open) {
            close(m_master);
            close(m_slave);
        }
    }
    bool IsOpen() const { return m_open; }
    QString SlavePath() const { return m_path; }

private:
    void Run() {
        std::string line;
        char buffer[256];
        while (!m_stop) {
            pollfd fd{m_master, POLLIN, 0};
            if (poll(&fd, 1, 10) <= 0 || !(fd.revents & POLLIN)) continue;
            const ssize_t count = read(m_master, buffer, sizeof buffer);
            if (count <= 0) continue;
            line.append(buffer, static_cast<size_t>(count));
            // A program runs on its "X"; "Y n" before it chose the program.
            for (size_t run; (run = line.find("X\r")) != std::string::npos; line.erase(0, run + 2)) {
                const size_t select = line.rfind('Y', run);
                const int program = select == std::string::npos ? -1 : std::atoi(line.c_str() + select + 1);
                for (const Piece& piece : m_script(program)) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(piece.gapMs));
                    if (write(m_master, piece.bytes.data(), piece.bytes.size()) < 0) return;
                }
            }
        }
    }

    Script m_script;
    int m_master = -1;
    int m_slave = -1;
    bool m_open = false;
    QString m_path;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace velor::test
