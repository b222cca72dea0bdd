#pragma once

#include "platform/Timers.h"

#include <QObject>
#include <unordered_map>

class QTimer;

namespace tavlen::linux_platform {

// One-shot QTimers on the thread that owns this object (the main thread). Timers still
// pending when it is destroyed never fire.
class QtTimers final : public QObject, public Timers {
    Q_OBJECT
public:
    explicit QtTimers(QObject* parent = nullptr);
    ~QtTimers() override;

    Id singleShot(std::chrono::milliseconds delay, std::function<void()> callback) override;
    void cancel(Id id) override;

private:
    void fire(Id id);

    std::unordered_map<Id, QTimer*> m_timers;
    Id m_lastId = 0;
};

} // namespace tavlen::linux_platform
