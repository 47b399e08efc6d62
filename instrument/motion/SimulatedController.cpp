#include "instrument/motion/SimulatedController.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace velor {
namespace {

constexpr int kFullTurn = 36000;  // centidegrees

// How far each program turns the stage, in centidegrees; homing is handled apart.
int PhiChange(int program) {
    switch (program) {
        case kProgramPhiPlus0_9: return 90;
        case kProgramPhiPlus1_8: return 180;
        case kProgramPhiPlus3_6: return 360;
        case kProgramPhiPlus90: return 9000;
        case kProgramPhiMinus90: return -9000;
        case kProgramPhiPlus18: return 1800;
        case kProgramPhiPlus9: return 900;
        default: return 0;
    }
}

// A letter the program never answers with.
char WrongLetter(char expected) {
    switch (expected) {
        case 'N': return 'P';
        case 'P': return 'N';
        default: return 'N';
    }
}

// Leading decimal value of a command's argument; 0 when there is none.
int Argument(const std::string& line) {
    return line.size() > 1 ? std::atoi(line.c_str() + 1) : 0;
}

}  // namespace

class SimulatedPort final : public SerialPort {
public:
    explicit SimulatedPort(SimulatedController& controller) : m_controller(controller) {
        ++m_controller.m_openPorts;
    }
    void Write(std::string_view text) override { m_controller.Receive(text); }
    int Read(char* buffer, int maxCount) override {
        return m_controller.Transmit(buffer, maxCount);
    }
    void DiscardInput() override { m_controller.DropArrived(); }
    void Close() override {
        if (m_open) --m_controller.m_openPorts;
        m_open = false;
    }

private:
    SimulatedController& m_controller;
    bool m_open = true;
};

std::unique_ptr<SerialPort> SimulatedController::OpenPort() {
    return std::make_unique<SimulatedPort>(*this);
}

void SimulatedController::SetPhi(double degrees) {
    const long centidegrees = std::lround(degrees * 100.0);
    m_phiCentidegrees = static_cast<int>((centidegrees % kFullTurn + kFullTurn) % kFullTurn);
}

void SimulatedController::Receive(std::string_view bytes) {
    m_received.append(bytes);
    for (char c : bytes) {
        if (c == '\r') {
            Execute(m_line);
            m_line.clear();
        } else if (c != '\n') {
            m_line.push_back(c);
        }
    }
}

int SimulatedController::Transmit(char* buffer, int maxCount) {
    ++m_reads;
    if (m_output.empty() || maxCount <= 0) return 0;
    if (m_heldReads > 0) {
        --m_heldReads;
        return 0;
    }
    int count = std::min(maxCount, static_cast<int>(m_output.size()));
    if (m_splitAt > 0) {
        // The first part now; the rest is held back for one read.
        count = std::min(count, static_cast<int>(m_splitAt));
        m_splitAt = 0;
        m_heldReads = 1;
    }
    std::memcpy(buffer, m_output.data(), count);
    m_output.erase(0, count);
    return count;
}

void SimulatedController::DropArrived() {
    if (m_heldReads > 0) return;  // nothing has arrived yet
    if (m_splitAt > 0) {
        // Only a split reply's first part is there; the rest is still on its way.
        m_output.erase(0, m_splitAt);
        m_splitAt = 0;
        m_heldReads = 1;
        return;
    }
    m_output.clear();
}

void SimulatedController::Execute(const std::string& line) {
    if (line.empty()) return;
    switch (line[0]) {
        case 'R': m_speeds.r = Argument(line); break;
        case 'S': m_speeds.s = Argument(line); break;
        case 'F': m_speeds.f = Argument(line); break;
        case 'Y': m_selectedProgram = Argument(line); break;
        case 'X': RunSelectedProgram(); break;
        default: break;
    }
}

void SimulatedController::RunSelectedProgram() {
    Fault fault = Fault::None;
    if (!m_faults.empty()) {
        fault = m_faults.front();
        m_faults.pop_front();
    }
    if (fault == Fault::Silence) return;

    const int program = m_selectedProgram;
    m_programsRun.push_back(program);
    if (program == kProgramHome) m_phiCentidegrees = 0;
    if (program == kProgramReset) m_status = 0;
    m_phiCentidegrees = ((m_phiCentidegrees + PhiChange(program)) % kFullTurn + kFullTurn) %
                        kFullTurn;

    std::string reply = Reply(program);
    if (fault == Fault::WrongLetter) reply = std::string(1, WrongLetter(reply[0])) + "\r";
    if (fault == Fault::ShortReply) reply = reply.substr(0, 1) + "\r";
    if (fault == Fault::SplitReply && m_output.empty()) m_splitAt = 1;
    Answer(std::move(reply));
}

std::string SimulatedController::Reply(int program) const {
    if (program == kProgramStatus) {
        char text[16];
        std::snprintf(text, sizeof text, "B %05d\r", m_status % 100000);
        return text;
    }
    if (program == kProgramReset) return "A\r";
    const char letter = ExpectedReply(program);
    // An unknown program is refused.
    return std::string(1, letter != 0 ? letter : 'E') + "\r";
}

void SimulatedController::Answer(std::string reply) {
    if (m_output.empty()) m_heldReads = m_replyDelay;
    m_output += reply;
}

}  // namespace velor
