// The windows that asked for scans, and the pauses that hold new scans back.

#include "document/DocumentMessages.h"
#include "document/DormDoc.h"

namespace velor {
namespace {

// Timer of the main frame that ends a timed pause.
constexpr int kPauseTimerId = 4;
// At most this many clients are active at once (one slot of the table stays free).
constexpr int kMaxActiveClients = kAcquisitionClientSlots - 1;

// The tick comes every 5 ms: a period of 10 ms or more is taken 5 ms early so the scan starts
// on time; shorter periods are raised to 10 ms.
int32_t ClientPeriod(int requested) { return requested >= 10 ? requested - 5 : 10; }

}  // namespace

bool CDormDoc::AddAcquisitionClient(int count, int periodMs, AcquisitionClientWindow* window) {
    if (!InitInstrument()) return false;
    RemoveAcquisitionClient(window);
    if (m_nClientCount >= kMaxActiveClients) return false;
    AcquisitionClient& client = m_clients[m_nClientCount];
    client.remaining = count;
    client.window = window;
    client.period = ClientPeriod(periodMs);
    client.last = m_env.clock.Now();
    m_notify[m_nClientCount] = nullptr;
    ++m_nClientCount;
    return true;
}

bool CDormDoc::RemoveAcquisitionClient(AcquisitionClientWindow* window) {
    PauseAcquisition();
    bool found = false;
    for (int slot = 0; slot < m_nClientCount; ++slot) {
        if (m_clients[slot].window != window) continue;
        for (int later = slot; later + 1 < m_nClientCount; ++later) {
            m_clients[later] = m_clients[later + 1];
            m_notify[later] = m_notify[later + 1];
        }
        --m_nClientCount;
        m_clients[m_nClientCount] = AcquisitionClient{};
        m_notify[m_nClientCount] = nullptr;
        found = true;
        break;
    }
    ResumeAcquisition();
    return found;
}

void CDormDoc::PauseAcquisitionFor(int ms) {
    if (!m_bTimedPause) PauseAcquisition();
    m_bTimedPause = true;
    if (!m_env.timers.SetFrameTimer(*this, kPauseTimerId, static_cast<uint32_t>(ms) & 0xFFFFu)) {
        m_env.prompt.FatalExit(msg::kNoTimersAvailable, kExitNoTimer);
    }
}

void CDormDoc::OnTimer(int id) {
    if (id != kPauseTimerId) return;
    m_env.timers.KillFrameTimer(kPauseTimerId);
    if (m_bTimedPause) {
        m_bTimedPause = false;
        ResumeAcquisition();
    }
}

}  // namespace velor
