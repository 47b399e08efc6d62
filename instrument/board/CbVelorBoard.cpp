#include "instrument/board/CbVelorBoard.h"

#include <algorithm>
#include <limits>

#include "cbvelor/cbvelor.h"

namespace velor {
namespace {

// The library writes at least this many words, whatever the count.
constexpr int kLeadingWords = 5;

}  // namespace

CbVelorBoard::CbVelorBoard(const BoardAccess& access, const MillisecondClock& clock,
                           Sleeper& sleeper)
    : m_access(access), m_clock(clock), m_sleeper(sleeper) {}

CbVelorBoard::Unit* CbVelorBoard::Ready(int unit) {
    if (unit < 0 || unit >= board::kUnitCount) return nullptr;
    Unit& u = m_units[static_cast<size_t>(unit)];
    return u.ready ? &u : nullptr;
}

int CbVelorBoard::Tesk32_InitCard(int unit, int) {
    if (unit < 0 || unit >= board::kUnitCount) return 0;
    Unit& u = m_units[static_cast<size_t>(unit)];
    u = Unit{};
    const auto index = static_cast<uint32_t>(unit);
    u.ready = CbVelorInitCard(index, m_access.boardNumber, m_access.directRead ? 1 : 0) == 1;
    if (u.ready) CbVelorGetBoardVer(index, &u.version);
    return u.ready ? 1 : 0;
}

int CbVelorBoard::Tesk32_GetHeadType(int unit, int* headVariant) {
    board::HeadInfo head;
    if (Ready(unit)) {
        uint16_t code = board::kNoHeadCode;
        CbVelorGetHead(static_cast<uint32_t>(unit), &code);
        head = board::HeadFromCode(code);
    }
    if (headVariant) *headVariant = head.variant;
    return head.type;
}

int CbVelorBoard::Tesk32_SetSignalGain(int unit, int gainCode) {
    if (Ready(unit)) CbVelorSetGain(static_cast<uint32_t>(unit), board::GainWord(gainCode));
    return 0;
}

int CbVelorBoard::Tesk32_SetFine(int unit, int value) {
    if (Ready(unit)) CbVelorSetFine(static_cast<uint32_t>(unit), board::FineRegister(value));
    return 0;
}

int CbVelorBoard::Tesk32_IsPulsedSystem(int unit) {
    if (!Ready(unit)) return 0;
    uint16_t code = board::kNoHeadCode;
    CbVelorGetHead(static_cast<uint32_t>(unit), &code);
    return board::HeadFromCode(code).pulsed ? 1 : 0;
}

int CbVelorBoard::Tesk32_TriggerData(int unit) {
    if (Unit* u = Ready(unit)) {
        CbVelorArmCard(static_cast<uint32_t>(unit));
        u->armed = true;
    }
    return 0;
}

int CbVelorBoard::Tesk32_IsScanReady(int unit) {
    Unit* u = Ready(unit);
    // A board that is not there runs no capture: nothing to wait for, and nothing to read.
    if (u == nullptr) return 1;
    int32_t ready = 0;
    CbVelorIsReady(static_cast<uint32_t>(unit), &ready);
    if (ready) u->armed = false;
    return ready ? 1 : 0;
}

int CbVelorBoard::Tesk32_DaqInProgress(int unit) {
    const Unit* u = Ready(unit);
    return u != nullptr && u->armed ? 1 : 0;
}

int CbVelorBoard::Tesk32_ReadData(int unit, uint16_t* buffer, int count) {
    const Unit* u = Ready(unit);
    if (u == nullptr || buffer == nullptr || count <= 0) return 0;
    const int n = std::min(count, static_cast<int>(std::numeric_limits<uint16_t>::max()));
    // The library fills at least five words: a shorter request goes through a buffer of ours.
    uint16_t leading[kLeadingWords] = {};
    uint16_t* target = n < kLeadingWords ? leading : buffer;
    CbVelorReadData(static_cast<uint32_t>(unit), static_cast<uint16_t>(n), target);
    if (target != buffer) std::copy_n(leading, n, buffer);
    if (u->version == 0) {
        for (int i = 0; i < n; ++i) buffer[i] = board::SampleFromBoard(0, buffer[i]);
    }
    return n;
}

int CbVelorBoard::Tesk32_CapReadData(int unit, uint16_t* buffer, int count) {
    if (!Ready(unit)) return 0;
    Tesk32_TriggerData(unit);
    const uint32_t start = m_clock.Now();
    while (!Tesk32_IsScanReady(unit)) {
        // A capture that does not end delivers nothing; the unit stays armed, and the
        // document's next StopCapture deals with it.
        if (m_clock.Now() - start >= kCaptureLimitMs) return 0;
        m_sleeper.SleepMs(kPollMs);
    }
    return Tesk32_ReadData(unit, buffer, count);
}

}  // namespace velor
