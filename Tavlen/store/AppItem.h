#pragma once

#include <QString>
#include <QUuid>
#include <optional>

namespace tavlen {

// One application as the pickers show it. Equality is by identifier only: `id` is a fresh
// identity for list display and `title`/`image` may differ between two items of one app.
struct AppItem {
    QUuid id = QUuid::createUuid();
    QString identifier;
    QString title;
    // The application's icon: a theme icon name or an absolute file path, resolved by the views.
    std::optional<QString> image;

    friend bool operator==(const AppItem& a, const AppItem& b) { return a.identifier == b.identifier; }
};

} // namespace tavlen
