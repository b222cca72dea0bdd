#pragma once

#include "platform/MenuFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

// Short hands for writing menu fixtures in tests, in the JSON form MenuFixture reads.
namespace tavlen::test::menus {

inline QJsonObject titled(const QString& title, QJsonObject attributes = {})
{
    attributes.insert(QStringLiteral("AXTitle"), title);
    return attributes;
}

inline QJsonObject menu(const QString& title, const QJsonArray& children)
{
    return titled(title, {{QStringLiteral("AXChildren"), children}});
}

// A container without a title.
inline QJsonObject container(const QJsonArray& children)
{
    return {{QStringLiteral("AXChildren"), children}};
}

inline QJsonObject keyed(const QString& title, const QString& character, int modifiers = 0)
{
    return titled(title, {{QStringLiteral("AXMenuItemCmdChar"), character},
                          {QStringLiteral("AXMenuItemCmdModifiers"), modifiers},
                          {QStringLiteral("AXEnabled"), true}});
}

// A menu bar whose first child is the system menu, followed by `menus`.
inline QJsonObject menuBar(const QJsonArray& menus)
{
    QJsonArray children{menu(QStringLiteral("System"), {keyed(QStringLiteral("Lock Screen"), "L")})};
    for (const QJsonValue& entry : menus)
        children.append(entry);
    return container(children);
}

inline QJsonObject application(const QString& identifier, const QString& name, qint64 pid,
                               const std::optional<QJsonObject>& bar)
{
    QJsonObject root{{QStringLiteral("application"), QJsonObject{{QStringLiteral("identifier"), identifier},
                                                                 {QStringLiteral("name"), name},
                                                                 {QStringLiteral("pid"), pid}}}};
    if (bar)
        root.insert(QStringLiteral("menuBar"), *bar);
    return root;
}

inline MenuFixture parsed(const QByteArray& json)
{
    auto result = MenuFixture::parse(json);
    if (const auto* error = std::get_if<QString>(&result)) {
        ADD_FAILURE() << "fixture does not parse: " << error->toStdString();
        return {};
    }
    return std::get<MenuFixture>(std::move(result));
}

inline MenuFixture parsed(const QJsonObject& root)
{
    return parsed(QJsonDocument(root).toJson(QJsonDocument::Compact));
}

} // namespace tavlen::test::menus
