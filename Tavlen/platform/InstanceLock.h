#pragma once

namespace tavlen {

// Makes one process the resident instance of the user's session: the first to acquire the lock
// keeps it until it ends; every later process is refused while it lives.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;

    // True when this process holds the lock (asking again once it does answers true again);
    // false when another instance holds it.
    virtual bool acquire() = 0;
};

} // namespace tavlen
