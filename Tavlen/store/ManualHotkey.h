#pragma once

#include "platform/KeyInput.h"
#include "store/CustomHotkeyRow.h"

#include <QString>
#include <QUuid>
#include <optional>

namespace tavlen {

// One custom shortcut as the sheet and the editor hold it; identified by `id`.
struct ManualHotkey {
    QUuid id = QUuid::createUuid();
    QString title;
    QString trigger; // stored as "value"
    std::optional<KeyInput> keys;
    bool isActive = true; // stored as "is_enabled"
    bool isBookmarked = false;

    // The store only hands out rows whose uuid parses, so this fails only for rows made by hand.
    static std::optional<ManualHotkey> fromRow(const CustomHotkeyRow& row)
    {
        const QUuid id = QUuid::fromString(row.uuid);
        if (id.isNull() && row.uuid != QStringLiteral("00000000-0000-0000-0000-000000000000"))
            return std::nullopt;
        return ManualHotkey{id, row.title, row.value, row.keys, row.isEnabled, row.isBookmarked};
    }

    // The text form the store keeps in "uuid".
    QString uuidText() const { return id.toString(QUuid::WithoutBraces).toUpper(); }

    friend bool operator==(const ManualHotkey&, const ManualHotkey&) = default;
};

} // namespace tavlen
