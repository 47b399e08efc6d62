// The acquisition state machine: each tick advances it by one step — find the clients that
// are due, trigger a sweep, wait for it, read it, average, and when a scan is complete process
// it and tell the clients. Synchronous captures for the procedures that cannot wait for ticks.

#include <algorithm>

#include "document/DocumentMessages.h"
#include "document/Velor32Doc.h"

namespace velor {
namespace {

constexpr uint32_t kStopCaptureTimeoutMs = 2000;
constexpr int kMaxDueClients = 14;
// Motion programs turning the stage to axis 1 and back to axis 0.
constexpr int kProgramToAxis1 = 500;
constexpr int kProgramToAxis0 = 520;

enum AcquisitionState : uint16_t { kIdle = 0, kTrigger = 1, kWait = 2 };

}  // namespace

void CVelor32Doc::StopCapture() {
    Tesk32& board = m_env.board;
    if (board.Tesk32_DaqInProgress(m_nUnit)) {
        const uint32_t start = m_env.clock.Now();
        while (!board.Tesk32_IsScanReady(m_nUnit)) {
            if (m_env.clock.Now() - start > kStopCaptureTimeoutMs) {
                board.Tesk32_InitCard(m_nUnit, m_nIoAddress);
                break;
            }
            m_env.sleeper.SleepMs(1);
        }
    }
    m_nAcqAxis = m_nSelectedAxis;
    m_bBusy = 0;
    m_nAcqState = kIdle;
    AbandonRangeSet();
}

bool CVelor32Doc::InitInstrument() {
    if (!m_bInstrument) {
        m_env.prompt.Show(PromptMessage{msg::kCardNotResponding, msg::kCardNotRespondingCaption,
                                        PromptIcon::Question, PromptButtons::Ok, true});
        return false;
    }
    if (m_bNeedsInit) {
        Tesk32& board = m_env.board;
        board.Tesk32_InitCard(m_nUnit, m_nIoAddress);
        const int headType = board.Tesk32_GetHeadType(m_nUnit, &m_nHeadVariant);
        if (headType == m_nHeadType) {
            SetSignalGain(m_nSignalGain);
        } else {
            m_nHeadType = board.Tesk32_GetHeadType(m_nUnit, &m_nHeadVariant);
            SetSignalGain(0);
        }
        // Cleared before the axis set-up: switching to a single axis restarts acquisition,
        // which initialises again if the flag were still set.
        m_bNeedsInit = 0;
        if (!m_env.motion.IsConnected()) {
            SendPhiToBoard(0, 0.0f);
            OnSingleAxis();
        } else {
            SendPhiToBoard(0, GetPhi(0, 0));
        }
    }
    return true;
}

void CVelor32Doc::SelectAxis(int axis) {
    if (m_nScanMode == 2 && m_nSelectedAxis == axis) return;
    m_nAcqState = kTrigger;
    m_nSweepCounter = 1;
    m_nSelectedAxis = m_nAcqAxis = static_cast<uint16_t>(axis);
    const float phi = GetPhi(axis, 0);
    SendPhiToBoard(axis, phi);
    if (m_nScanMode == 2) m_env.motion.RunProgram(axis == 1 ? kProgramToAxis1 : kProgramToAxis0);
}

void CVelor32Doc::SelectAxisWithinCycle(int axis) {
    SelectAxis(axis);
    // Sending phi to the board abandons any capture in progress, and that resets the state
    // machine; within a cycle the trigger must still follow at once.
    m_nAcqState = kTrigger;
    m_bBusy = 1;
}

void CVelor32Doc::TakeWords(int axis, int delivered) {
    const uint16_t* words = m_arrays.readBuffer.data();
    std::copy_n(words, kSamplesPerSweep, m_arrays.rawSweep[axis].begin());
    m_nRawCount[axis] = static_cast<uint16_t>(delivered > 0 ? delivered : 0);
    m_nRawRanges[axis] = 1;
}

int CVelor32Doc::ReadAxisNow(int axis) {
    if (axis != 0 && axis != 1) return -1;
    if (axis != m_nSelectedAxis) StopCapture();
    const int n = m_env.board.Tesk32_CapReadData(m_nUnit, m_arrays.readBuffer.data(), kSamplesPerSweep);
    TakeWords(axis, n);
    return n;
}

int CVelor32Doc::CaptureNow() {
    m_bCapturing = 1;
    if (m_nScanMode != 3) SelectAxis(m_nSelectedAxis);
    m_nRangesInUse = RangesInReach();
    const int first = m_nSelectedAxis;
    const auto captureAxis = [this](int axis) {
        for (m_nSweepCounter = 1; m_nSweepCounter <= m_nAveraging; ++m_nSweepCounter) {
            ReadAxisRanges(axis);
            AverageSweep(axis);
        }
        m_nSweepCounter = 1;
    };
    captureAxis(first);
    if (m_nScanMode == 2) {
        const int other = 1 - first;
        SelectAxis(other);
        captureAxis(other);
        SelectAxis(first);
    }
    SmoothSweeps();
    const int result = ProcessSweeps();
    m_bCapturing = 0;
    return result;
}

void CVelor32Doc::DoDataAcquisition() {
    if (m_bBusy) return;
    m_bBusy = 1;
    if (!m_bInstrument || m_bCapturing) {
        m_bBusy = 0;
        return;
    }
    m_bLiveData = 1;
    Tesk32& board = m_env.board;
    while (m_bBusy) {
        switch (m_nAcqState) {
            case kIdle: {
                if (m_nPauseCount > 0) {
                    m_bBusy = 0;
                    break;
                }
                const uint32_t now = m_env.clock.Now();
                m_nStepTime = now;
                for (int slot = 0; slot < m_nClientCount; ++slot) {
                    AcquisitionClient& client = m_clients[slot];
                    const bool due = client.remaining != 0 &&
                                     now - client.last >= static_cast<uint32_t>(client.period);
                    if (!due) continue;
                    client.last = now;
                    if (m_nDueCount > kMaxDueClients) break;
                    m_notify[slot] = client.window;
                    m_nDueCount = std::min(m_nDueCount + 1, m_nClientCount);
                    m_nAcqState = kTrigger;
                }
                if (m_nAcqState == kTrigger) {
                    // The cycle's sweeps all take the same ranges.
                    m_nRangesInUse = RangesInReach();
                    m_nAcqAxis = 0;
                    SelectAxisWithinCycle(0);
                } else {
                    m_bBusy = 0;
                }
                break;
            }
            case kTrigger:
                if (m_nAcqAxis == m_nSelectedAxis) {
                    m_nRawCount[m_nAcqAxis] = 0;
                    if (m_nRangeIndex > 0) SetRangeGain(m_nRangeIndex);
                    board.Tesk32_TriggerData(m_nUnit);
                    m_nAcqState = kWait;
                } else {
                    m_env.prompt.Message(msg::kApertureChanged, msg::kApertureChangedCaption,
                                         PromptIcon::Exclamation);
                    AbandonRangeSet();
                    m_nAcqState = kIdle;
                }
                m_bBusy = 0;
                break;
            case kWait: {
                if (!board.Tesk32_IsScanReady(m_nUnit)) {
                    m_bBusy = 0;
                    break;
                }
                const int axis = m_nAcqAxis;
                const int delivered = board.Tesk32_ReadData(m_nUnit, m_arrays.readBuffer.data(), kSamplesPerSweep);
                if (m_nRangesInUse > 1) {
                    // One range of the set: the next is triggered on the next tick, and only
                    // the last one completes the sweep.
                    TakeRangeWords(axis, m_nRangeIndex, delivered);
                    if (++m_nRangeIndex < m_nRangesInUse) {
                        m_nAcqState = kTrigger;
                        m_bBusy = 0;
                        break;
                    }
                    m_nRangeIndex = 0;
                } else {
                    TakeWords(axis, delivered);
                }
                m_nAcqState = kIdle;
                if (m_nPauseCount != 0 || m_nDueCount <= 0) break;
                AverageSweep(axis);
                if (m_nSweepCounter < m_nAveraging) {
                    ++m_nSweepCounter;
                    m_nAcqState = kTrigger;
                    m_bBusy = 0;
                } else if (m_nScanMode == 2 && axis == 0) {
                    m_nAcqAxis = 1;
                    SelectAxisWithinCycle(1);
                    m_nSweepCounter = 1;
                } else {
                    m_nSweepCounter = 1;
                    SmoothSweeps();
                    ProcessSweeps();
                    CountScan();
                    NotifyDueClients(m_nScanMode == 2 ? 3 : axis + 1);
                }
                break;
            }
            default:
                m_nAcqState = kIdle;
                m_bBusy = 0;
                break;
        }
    }
    m_bBusy = 0;
}

void CVelor32Doc::CountScan() {
    if (m_nRateStart == 0) {
        m_nRateStart = m_env.clock.Now();
        m_nRateCount = 1;
    } else {
        ++m_nRateCount;
    }
}

void CVelor32Doc::NotifyDueClients(int code) {
    for (int slot = 0; slot < kAcquisitionClientSlots; ++slot) {
        AcquisitionClientWindow* window = m_notify[slot];
        m_notify[slot] = nullptr;
        if (!window || slot >= m_nClientCount) continue;
        AcquisitionClient& client = m_clients[slot];
        if (client.remaining == 0 || client.window != window) continue;
        if (client.remaining > 0) --client.remaining;
        window->PostScanDone(code);
    }
    m_nDueCount = 0;
}

void CVelor32Doc::OnTimerCallback() {
    if (m_bClosing || m_bTickPending) return;
    m_bTickPending = 1;
    m_env.timers.PostTick(*this);
}

void CVelor32Doc::OnAcquisitionTick() {
    m_bTickPending = 0;
    // User input goes first: a tick gives way to any event waiting.
    if (m_env.timers.OtherEventsWaiting()) return;
    DoDataAcquisition();
}

void CVelor32Doc::SetScanAcquisition(bool on) {
    SetAcquisition(on);
    if (!IsAcquiring()) {
        m_env.timers.StopTick(*this);
    } else if (!m_env.timers.IsTickRunning(*this)) {
        m_env.timers.StartTick(*this);
    }
}

}  // namespace velor
