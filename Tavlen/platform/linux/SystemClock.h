#pragma once

#include "platform/Clock.h"

namespace tavlen::linux_platform {

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace tavlen::linux_platform
