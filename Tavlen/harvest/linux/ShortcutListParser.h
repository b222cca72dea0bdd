#pragma once

#include "harvest/linux/ShortcutList.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace tavlen::linux_harvest {

// What is wrong in a shortcut list, and where: "line:column" for a file that is no JSON, the
// JSON path of the value otherwise ("groups[1].shortcuts[0].accelerator").
struct ShortcutListError {
    QString location;
    QString message;

    friend bool operator==(const ShortcutListError&, const ShortcutListError&) = default;
};

struct ShortcutListReading {
    // What can be used: every group and shortcut without fault. None when the file as a whole
    // cannot be read (no JSON, no object, a later version of the format).
    std::optional<ShortcutList> list;
    QList<ShortcutListError> errors;
};

// Reads shortcut lists (docs/shortcut-lists.md). Strict: a member it does not know is an error,
// so that a misspelt one is found by `tavlenctl check-shortcuts` rather than silently ignored.
class ShortcutListParser {
public:
    ShortcutListParser() = delete;

    static ShortcutListReading parse(const QByteArray& bytes);
};

} // namespace tavlen::linux_harvest
