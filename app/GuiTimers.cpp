#include "app/GuiTimers.h"

#include <QCoreApplication>
#include <QEvent>

#include "document/Velor32Doc.h"

namespace velor {

int GuiTimers::TickEventType() {
    static const int type = QEvent::registerEventType();
    return type;
}

GuiTimers::GuiTimers(QObject* target) : m_target(target) {
    m_tick.setTimerType(Qt::PreciseTimer);
    m_tick.setInterval(5);
    connect(&m_tick, &QTimer::timeout, this, [this] {
        if (auto* doc = dynamic_cast<CVelor32Doc*>(m_tickDocument)) doc->OnTimerCallback();
    });
}

bool GuiTimers::IsTick(const QObject* receiver, const QEvent* event) const {
    return event->type() == TickEventType() || (receiver == &m_tick && event->type() == QEvent::Timer);
}

void GuiTimers::StartTick(CDormDoc& document) {
    m_tickDocument = &document;
    m_tick.start();
}

void GuiTimers::StopTick(CDormDoc& document) {
    if (m_tickDocument != &document) return;
    m_tick.stop();
    m_tickDocument = nullptr;
}

bool GuiTimers::IsTickRunning(const CDormDoc& document) const {
    return m_tick.isActive() && m_tickDocument == &document;
}

void GuiTimers::PostTick(CDormDoc&) {
    // Low priority: the tick waits until user input and painting have been handled.
    QCoreApplication::postEvent(m_target, new QEvent(static_cast<QEvent::Type>(TickEventType())),
                                Qt::LowEventPriority);
}

bool GuiTimers::SetFrameTimer(CDormDoc& document, int id, uint32_t ms) {
    auto& timer = m_frameTimers[id];
    if (!timer) timer = std::make_unique<QTimer>();
    timer->disconnect();
    CDormDoc* doc = &document;
    connect(timer.get(), &QTimer::timeout, this, [doc, id] { doc->OnTimer(id); });
    timer->start(static_cast<int>(ms));
    return timer->isActive();
}

void GuiTimers::Forget(CDormDoc& document) {
    StopTick(document);
    for (auto& [id, timer] : m_frameTimers) timer->stop();
}

void GuiTimers::KillFrameTimer(int id) {
    const auto it = m_frameTimers.find(id);
    if (it != m_frameTimers.end()) it->second->stop();
}

}  // namespace velor
