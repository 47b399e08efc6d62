#pragma once
// Acquisition's timing on the desktop: the 5 ms tick as a precise Qt timer whose messages are
// posted at low priority (so input and painting go first) and the frame's numbered timers.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <map>
#include <memory>

#include "document/AcquisitionTimers.h"

namespace velor {

class GuiTimers : public QObject, public AcquisitionTimers {
    Q_OBJECT

public:
    // `target` receives the posted tick events and hands them to the active document.
    explicit GuiTimers(QObject* target);

    void StartTick(CDormDoc& document) override;
    void StopTick(CDormDoc& document) override;
    bool IsTickRunning(const CDormDoc& document) const override;
    void PostTick(CDormDoc& document) override;
    bool OtherEventsWaiting() const override { return false; }
    bool SetFrameTimer(CDormDoc& document, int id, uint32_t ms) override;
    void KillFrameTimer(int id) override;

    // A document is going: its tick and timers stop.
    void Forget(CDormDoc& document);

    // The event type of a posted tick.
    static int TickEventType();
    // The event is part of the acquisition tick: the tick timer's or the tick itself.
    bool IsTick(const QObject* receiver, const QEvent* event) const;

private:
    QObject* m_target;
    QTimer m_tick;
    CDormDoc* m_tickDocument = nullptr;
    std::map<int, std::unique_ptr<QTimer>> m_frameTimers;
};

}  // namespace velor
