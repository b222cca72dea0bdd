#pragma once

#include "platform/InstanceLock.h"

namespace tavlen::fake {

// A lock that another instance may be said to hold.
class FakeInstanceLock final : public InstanceLock {
public:
    explicit FakeInstanceLock(bool heldElsewhere = false) : m_heldElsewhere(heldElsewhere) {}

    bool acquire() override
    {
        ++m_attempts;
        m_held = m_held || !m_heldElsewhere;
        return m_held;
    }

    void setHeldElsewhere(bool held) { m_heldElsewhere = held; }
    bool isHeld() const { return m_held; }
    int attempts() const { return m_attempts; }

private:
    bool m_heldElsewhere = false;
    bool m_held = false;
    int m_attempts = 0;
};

} // namespace tavlen::fake
