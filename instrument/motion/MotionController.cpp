#include "instrument/motion/MotionController.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "instrument/motion/MotionPrograms.h"

namespace velor {
namespace {

constexpr int kReplySize = 100;            // the reply buffer; one byte stays NUL
constexpr int kResetReplyMax = 10;
constexpr uint32_t kProgramTimeout = 1;    // in units of 10 s
constexpr uint32_t kResetTimeout = 3;
constexpr uint32_t kTimeoutUnitMs = 10000;
constexpr uint32_t kPollIntervalMs = 100;
constexpr int kMaxSends = 3;               // for the programs that may be resent
constexpr int kStatusRounds = 3;
constexpr int kStatusDigits = 5;
constexpr int kStatusOffset = 2;           // 'B', a separator, then the digits

const QString kNoCommunication = QStringLiteral(
    "No communication with Orbiscan's Motion Controller.\n"
    "Check the configuration. Program aborted.");

using ReplyBuffer = std::array<char, kReplySize>;
using ReplyKind = MotionController::ReplyKind;

// Up to five characters from offset 2 of a reply, stopping at its end or its first NUL.
int StatusLength(const ReplyBuffer& reply, int count) {
    if (count <= kStatusOffset) return 0;
    const int available = std::min(kStatusDigits, count - kStatusOffset);
    int length = 0;
    while (length < available && reply[kStatusOffset + length] != '\0') ++length;
    return length;
}

// Decimal value of the leading digits of the status characters.
int StatusValue(const ReplyBuffer& reply, int length) {
    int value = 0;
    for (int i = kStatusOffset; i < kStatusOffset + length; ++i) {
        const char c = reply[i];
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsReplyLetter(char c) { return c >= 'A' && c <= 'Z'; }

// Where a reply may start in newly arrived bytes. Every reply starts with a capital letter;
// what comes before it (line ends, the digits and blanks of an earlier reply whose end arrived
// late, noise) is no part of it. Only line ends are skipped where any first byte will do.
int ReplyStart(const char* bytes, int count, bool letterFirst) {
    int skip = 0;
    while (skip < count && (letterFirst ? !IsReplyLetter(bytes[skip]) : IsLineEnd(bytes[skip]))) ++skip;
    return skip;
}

// What a reply must hold before it can be judged, when its line end has not come yet.
int NeededLength(ReplyKind kind, const char* reply) {
    // A status reply: 'B', a separator, then the five digits. Any other first letter is
    // judged on its own.
    if (kind == ReplyKind::Status && reply[0] == 'B') return kStatusOffset + kStatusDigits;
    return 1;
}

SteadyClock& RealClock() {
    static SteadyClock clock;
    return clock;
}

ThreadSleeper& RealSleeper() {
    static ThreadSleeper sleeper;
    return sleeper;
}

}  // namespace

MotionController::MotionController(UserPrompt& prompt)
    : MotionController(prompt, RealClock(), RealSleeper()) {}

MotionController::MotionController(UserPrompt& prompt, const MillisecondClock& clock,
                                   Sleeper& sleeper)
    : m_prompt(prompt), m_clock(clock), m_sleeper(sleeper) {}

MotionController::~MotionController() { Disconnect(); }

void MotionController::Connect(std::unique_ptr<SerialPort> port) {
    Disconnect();
    m_port = std::move(port);
}

void MotionController::SetSpeeds(int r, int s, int f) {
    if (!m_port) return;
    char command[48];
    std::snprintf(command, sizeof command, "R %d\rS %d\rF %d\r", r & 0xFF, s & 0xFF, f & 0xFF);
    m_port->Write(command);
}

void MotionController::SelectSpeeds(int headVariant, int program) {
    if (!IsConnected()) return;
    if (const std::optional<SpeedSet> speeds = SpeedsFor(headVariant, program)) {
        SetSpeeds(speeds->r, speeds->s, speeds->f);
    }
}

std::string MotionController::RunProgram(int program) {
    if (!m_port) return {};
    const char expected = ExpectedReply(program);
    // Only these two are safe to repeat: neither moves the stage.
    const int sends = (program == kProgramFastSpeeds || program == kProgramStatus) ? kMaxSends : 1;
    ReplyBuffer reply{};
    int count = 0;
    for (int send = 0; send < sends; ++send) {
        reply.fill('\0');
        WriteProgram(program);
        count = ReadReply(reply.data(), kReplySize - 1, kProgramTimeout, true,
                          program == kProgramStatus ? ReplyKind::Status : ReplyKind::Program);
        if (count == 0 || expected == 0 || reply[0] == expected) break;
    }
    if (count == 0 || (expected != 0 && reply[0] != expected)) AbortProgram();
    return std::string(reply.data());
}

bool MotionController::ResetController() {
    if (!m_port) return false;
    WriteProgram(kProgramReset);
    ReplyBuffer reply{};
    return ReadReply(reply.data(), kResetReplyMax, kResetTimeout, true, ReplyKind::Any) > 0;
}

uint8_t MotionController::QueryStatus() { return ReadStatus().value_or(0); }

std::optional<uint8_t> MotionController::ReadStatus() {
    if (!m_port) return std::nullopt;
    ReplyBuffer reply{};
    int length = 0;
    for (int round = 0; round < kStatusRounds; ++round) {
        reply.fill('\0');
        WriteProgram(kProgramStatus);
        const int count = ReadReply(reply.data(), kReplySize - 1, kProgramTimeout, true, ReplyKind::Status);
        if (count == 0) return std::nullopt;
        length = reply[0] == 'B' ? StatusLength(reply, count) : 0;
        if (length == kStatusDigits) break;
        if (reply[0] == 'B') {
            // The rest of a broken reply may still be on its way; it must not be taken for
            // the answer to the next round.
            ReplyBuffer drain{};
            ReadReply(drain.data(), kReplySize - 1, kProgramTimeout, false, ReplyKind::Any);
        }
    }
    // A 'B' without a single digit after it carries no status either.
    if (reply[0] != 'B' || length == 0 || reply[kStatusOffset] < '0' || reply[kStatusOffset] > '9') {
        return std::nullopt;
    }
    return static_cast<uint8_t>(StatusValue(reply, length) & 0xFF);
}

bool MotionController::CheckHome() {
    if (!m_port) return false;
    RunProgram(kProgramHome);
    constexpr uint8_t kHomingError = 0x02;
    const std::optional<uint8_t> status = ReadStatus();
    return status && (*status & kHomingError) == 0;
}

bool MotionController::Disconnect() {
    if (m_port) {
        m_port->Close();
        m_port.reset();
    }
    return true;
}

void MotionController::WriteProgram(int program) {
    // Whatever is still on the line (the rest of an earlier reply, noise) is no answer to this.
    m_port->DiscardInput();
    char command[32];
    std::snprintf(command, sizeof command, "Y %d\rX\r", program);
    m_port->Write(command);
}

int MotionController::ReadReply(char* buffer, int maxCount, uint32_t timeoutUnits, bool wait, ReplyKind kind) {
    // A reply may arrive in any number of pieces, with any gaps between them: its bytes are
    // gathered until its line end, or until it holds what it is judged on, or the buffer is
    // full; the limit applies to the whole reply. Whatever arrived by then is the reply.
    const uint32_t start = m_clock.Now();
    const uint32_t limit = timeoutUnits * kTimeoutUnitMs;
    int count = 0;
    for (;;) {
        char* fresh = buffer + count;
        int arrived = m_port->Read(fresh, maxCount - count);
        if (count == 0 && arrived > 0) {
            const int skip = ReplyStart(fresh, arrived, kind != ReplyKind::Any);
            std::memmove(fresh, fresh + skip, static_cast<size_t>(arrived - skip));
            std::memset(fresh + arrived - skip, 0, static_cast<size_t>(skip));
            arrived -= skip;
        }
        count += arrived;
        if (count > 0) {
            const bool ended = std::any_of(buffer + 1, buffer + count, IsLineEnd);
            if (ended || count >= NeededLength(kind, buffer) || count == maxCount) return count;
        }
        if (!wait) return count;
        m_sleeper.SleepMs(kPollIntervalMs);
        // Unsigned difference: a wrap of the tick counter does not end the wait early.
        if (static_cast<uint32_t>(m_clock.Now() - start) >= limit) return count;
    }
}

void MotionController::AbortProgram() {
    Disconnect();
    m_prompt.FatalExit(kNoCommunication, kExitNoMotionController);
}

}  // namespace velor
