#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace tavlen::linux_platform {

// What the adapter learnt about one accessible object in one batch of requests. A field that
// was not asked for, or whose request failed, is empty.
struct AtspiNodeInfo {
    bool reachable = false; // the object answered at all
    QString name;
    qint32 childCount = 0;
    bool roleAsked = false;
    std::optional<quint32> role;
    std::optional<quint64> states;
    bool keyBindingAsked = false;
    std::optional<QString> keyBinding; // empty when the object has no Action interface
    qint64 fetchedAtMs = 0;
};

} // namespace tavlen::linux_platform
