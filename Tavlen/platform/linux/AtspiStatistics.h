#pragma once

#include <QtGlobal>

namespace tavlen::linux_platform {

// How much talking to the accessibility bus the adapter has done: every message sent, and every
// time the caller was held until answers came back (one such wait may cover many messages).
struct AtspiStatistics {
    quint64 messages = 0;
    quint64 roundTrips = 0;
};

} // namespace tavlen::linux_platform
