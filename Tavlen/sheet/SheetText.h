#pragma once

#include "sheet/SheetLayout.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

namespace tavlen {

class KeyboardLayout;
class MenuItemViewModel;

// A loaded sheet as text, for the command line: the groups in column order with their rows,
// then the custom shortcuts. Titles are written whole (the sheet's title limit is a matter of
// room on screen).
//
// JSON shape (version 1; members are never renamed, new ones may be added):
//   {
//     "version": 1,
//     "application": {"title": str, "identifier": str, "icon": str | null},
//     "columns": int, "menuColumns": int, "columnHeight": int,
//     "groups": [{"column": int, "title": str,
//                 "rows": [{"title": str, "keys": str, "bookmarked": bool, "hidden": bool,
//                           "hiddenGlobally": bool, "inactive": bool}]}],
//     "customShortcuts": [{"scope": "global" | "application", "title": str,
//                          "applicationIdentifier": str,
//                          "rows": [{"id": str, "title": str, "trigger": str, "keys": str,
//                                    "bookmarked": bool, "hidden": bool}]}]
//   }
// "keys" of a custom shortcut is the recorded key as the sheet writes it ("" when none was
// recorded); "hidden" there means disabled. Groups without a row to show are left out.
struct SheetText {
    enum class Format { Text, Markdown, Json };

    struct Row {
        QString title;
        QString keys;
        bool bookmarked = false;
        bool hidden = false;
        bool hiddenGlobally = false;
        bool inactive = false;
    };
    struct Group {
        qint64 column = 0;
        QString title;
        QList<Row> rows;
    };
    struct CustomRow {
        QString id; // upper-case UUID text, as stored
        QString title;
        QString trigger;
        QString keys;
        bool bookmarked = false;
        bool hidden = false;
    };
    struct CustomGroup {
        bool global = false;
        QString title;
        QString applicationIdentifier;
        QList<CustomRow> rows;
    };

    QString appTitle;
    QString bundleIdentifier;
    std::optional<QString> appIcon;
    qint64 columns = 0;
    qint64 menuColumns = 0;
    qint64 columnHeight = 0;
    QList<Group> groups;
    QList<CustomGroup> customGroups;

    // Recorded keys are written for the current keyboard layout when `currentLayout` is on (the
    // setting `showLocalizedCustomShortcuts`), else for the first Latin one.
    static SheetText fromLayout(const SheetContent& content, const SheetLayout& layout,
                                const KeyboardLayout& keyboard, bool currentLayout);
    // The model's sheet under the current settings.
    static SheetText fromModel(const MenuItemViewModel& model, const KeyboardLayout& keyboard,
                               bool currentLayout);

    // "text", "markdown" (or "md") and "json"; none for anything else.
    static std::optional<Format> formatNamed(const QString& name);

    QString toPlainText() const;
    QString toMarkdown() const;
    QJsonObject toJson() const;
    // UTF-8, ending in a newline.
    QByteArray render(Format format) const;
};

} // namespace tavlen
