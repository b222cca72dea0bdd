#pragma once

#include <QDateTime>

namespace tavlen {

// Wall-clock time. Injected so that names derived from the time ("-app-…-<seconds>-") and
// dated files can be checked by tests with a clock they set by hand.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    qint64 secondsSinceEpoch() const { return now().toSecsSinceEpoch(); }
};

} // namespace tavlen
