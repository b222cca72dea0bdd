#pragma once

#include <QtGlobal>
#include <chrono>
#include <functional>

namespace tavlen {

// One-shot timers on the main thread. Injected so that tests move time by hand instead of
// sleeping: the fake fires what is due when the test advances it.
class Timers {
public:
    using Id = quint64;

    virtual ~Timers() = default;

    // Runs `callback` once, `delay` from now, on the main thread. Ids are never 0 and never reused.
    virtual Id singleShot(std::chrono::milliseconds delay, std::function<void()> callback) = 0;

    // Stops a timer that has not fired yet; unknown or fired ids are ignored.
    virtual void cancel(Id id) = 0;
};

} // namespace tavlen
