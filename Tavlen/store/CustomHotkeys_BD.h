#pragma once

#include <QString>
#include <QtGlobal>

namespace tavlen {

// The user's own shortcuts. (The name ends in "_BD"; it is recorded so in older databases'
// history and kept as it is.)
struct CustomHotkeys_BD {
    static constexpr qint64 VERSION = 20230829001553;
    static QString script();
};

} // namespace tavlen
