#include "platform/linux/QtTimers.h"

#include <QTimer>
#include <algorithm>

namespace tavlen::linux_platform {

QtTimers::QtTimers(QObject* parent) : QObject(parent)
{}

// The timers are children of this object and go with it, unfired.
QtTimers::~QtTimers() = default;

Timers::Id QtTimers::singleShot(std::chrono::milliseconds delay, std::function<void()> callback)
{
    const Id id = ++m_lastId;
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, [this, id, callback = std::move(callback)] {
        fire(id);
        if (callback)
            callback();
    });
    m_timers.emplace(id, timer);
    timer->start(std::max(delay, std::chrono::milliseconds(0)));
    return id;
}

void QtTimers::cancel(Id id)
{
    const auto found = m_timers.find(id);
    if (found == m_timers.end())
        return;
    found->second->stop();
    found->second->deleteLater();
    m_timers.erase(found);
}

void QtTimers::fire(Id id)
{
    // The timer is still emitting: it is deleted once control is back in the event loop, and
    // the callback (held by the connection) stays alive until then.
    const auto found = m_timers.find(id);
    if (found == m_timers.end())
        return;
    found->second->deleteLater();
    m_timers.erase(found);
}

} // namespace tavlen::linux_platform
