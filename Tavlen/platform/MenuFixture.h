#pragma once

#include "platform/AXElement.h"
#include "platform/Workspace.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>
#include <optional>
#include <variant>

namespace tavlen {

class Accessibility;

// One application's menu bar as the accessibility interface showed it, kept as JSON so that a
// real application's menus can be recorded once and replayed by the in-memory adapter:
//
//   {
//     "application": {"identifier": "org.gnome.TextEditor", "name": "Text Editor", "pid": 4242},
//     "menuBar": ELEMENT
//   }
//
// "name" may be empty or left out (an application without a display name); "menuBar" left out or
// null means the application has no menu bar. ELEMENT is an object whose members are attribute
// names with their values:
//
//   "AXTitle"                  string; left out: the title cannot be read (a title-less container)
//   "AXEnabled"                Boolean
//   "AXMenuItemCmdChar"        string
//   "AXMenuItemCmdModifiers"   non-negative integer
//   "AXMenuItemCmdVirtualKey"  non-negative integer
//   "AXMenuItemCmdGlyph"       non-negative integer
//   "AXMenuItemCmdKeyName"     string
//   "AXChildren"               array of ELEMENT; left out: no children
//   "errors"                   {"<attribute>": code}: every request for that attribute fails with
//                              that (non-zero) accessibility error code, e.g. -25200
//
// An attribute left out answers "no value". Any other member is an error, so that a misspelt
// attribute cannot pass for an absent one.
struct MenuFixture {
    struct Element {
        std::optional<QString> title;
        std::optional<bool> enabled;
        std::optional<QString> cmdChar;
        std::optional<quint64> cmdModifiers;
        std::optional<quint64> cmdVirtualKey;
        std::optional<quint64> cmdGlyph;
        std::optional<QString> cmdKeyName;
        QList<Element> children;
        QMap<QString, qint32> errors;

        friend bool operator==(const Element&, const Element&) = default;
    };

    RunningApplication application;
    std::optional<Element> menuBar;

    friend bool operator==(const MenuFixture&, const MenuFixture&) = default;

    // The fixture, or a text that says what is wrong and where (e.g.
    // "menuBar.AXChildren[1].AXEnabled: expected a Boolean").
    static std::variant<MenuFixture, QString> parse(const QByteArray& json);

    // Walks a menu bar through any adapter the way the harvest reads it: the title of every
    // element, its children (counted, then fetched), and for elements without children the key
    // equivalent attributes in one request. Values of an unexpected type are left out; failures
    // other than "not supported" and "no value" are kept under "errors".
    static QJsonObject record(Accessibility& accessibility, const AXElement& menuBar,
                              const RunningApplication& application);

    QJsonObject toJson() const;
    static QJsonObject toJson(const Element& element);
};

} // namespace tavlen
