#include "sheet/SheetText.h"

#include "sheet/PrintableText.h"

#include "harvest/ShortcutNotation.h"
#include "sheet/MenuItemViewModel.h"
#include "store/GlobalApp.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <initializer_list>
#include <utility>

namespace tavlen {

namespace {

// The words for the marks a row has, in this order.
QString markWords(std::initializer_list<std::pair<bool, const char*>> marks)
{
    QStringList words;
    for (const auto& [set, word] : marks) {
        if (set)
            words << QLatin1String(word);
    }
    return words.join(QStringLiteral(", "));
}

QString flagWords(const SheetText::Row& row)
{
    return markWords({{row.bookmarked, "bookmarked"},
                      {row.hidden, "hidden"},
                      {row.hiddenGlobally, "hidden globally"},
                      {row.inactive, "inactive"}});
}

QString flagWords(const SheetText::CustomRow& row)
{
    return markWords({{row.bookmarked, "bookmarked"}, {row.hidden, "hidden"}});
}

// Menu titles come from other applications and may hold anything, line breaks and terminal
// escapes included.
QString oneLine(const QString& text)
{
    return printableText(text);
}

// Text that Markdown shows as written, also inside a table cell.
QString markdownText(const QString& text)
{
    static const QString special = QStringLiteral("\\`*_{}[]<>()#+-.!|~");
    QString escaped;
    escaped.reserve(text.size() * 2);
    for (const QChar c : oneLine(text)) {
        if (special.contains(c))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

// Plain-text lines of one section: keys padded to one width, then the title and the flags.
template <typename RowType>
void appendRows(QString& out, const QList<RowType>& rows)
{
    qsizetype width = 0;
    for (const RowType& row : rows)
        width = std::max(width, oneLine(row.keys).size());
    for (const RowType& row : rows) {
        QString line = QStringLiteral("  ") + oneLine(row.keys).leftJustified(width) + QStringLiteral("  ") +
                       oneLine(row.title);
        if (const QString flags = flagWords(row); !flags.isEmpty())
            line += QStringLiteral("  [") + flags + QLatin1Char(']');
        out += line + QLatin1Char('\n');
    }
}

template <typename RowType>
void appendTable(QString& out, const QString& titleHeader, const QList<RowType>& rows)
{
    out += QStringLiteral("| Keys | ") + titleHeader + QStringLiteral(" | Flags |\n| --- | --- | --- |\n");
    for (const RowType& row : rows)
        out += QStringLiteral("| ") + markdownText(row.keys) + QStringLiteral(" | ") +
               markdownText(row.title) + QStringLiteral(" | ") + markdownText(flagWords(row)) +
               QStringLiteral(" |\n");
}

} // namespace

SheetText SheetText::fromLayout(const SheetContent& content, const SheetLayout& layout,
                                const KeyboardLayout& keyboard, bool currentLayout)
{
    SheetText text;
    text.appTitle = content.appTitle;
    text.bundleIdentifier = content.bundleIdentifier;
    text.appIcon = content.appIcon;
    text.columns = content.columns;
    text.menuColumns = content.columnsAmount;
    text.columnHeight = content.columnHeight;

    for (qsizetype c = 0; c < layout.menuColumns.size(); ++c) {
        for (const SheetSection& section : layout.menuColumns.at(c).sections) {
            if (section.rows.isEmpty())
                continue;
            Group group{c, section.title, {}};
            for (const SheetRow& row : section.rows)
                group.rows.append(Row{row.element.title, row.element.keys.value_or(QString()), row.bookmarked,
                                      row.hidden, row.hiddenGlobally, !row.element.isActive});
            text.groups.append(std::move(group));
        }
    }

    if (layout.customColumn) {
        for (const SheetCustomSection& section : layout.customColumn->sections) {
            CustomGroup group{section.appIdentifier == QLatin1String(global_app::IDENTIFIER),
                              section.title,
                              section.appIdentifier,
                              {}};
            for (const SheetCustomRow& row : section.rows) {
                const QString keys =
                    row.item.keys ? notation::keyInputText(*row.item.keys, false, currentLayout, keyboard)
                                  : QString();
                group.rows.append(CustomRow{row.item.uuidText(), row.item.title, row.item.trigger, keys,
                                            row.bookmarked, row.hidden});
            }
            text.customGroups.append(std::move(group));
        }
    }
    return text;
}

SheetText SheetText::fromModel(const MenuItemViewModel& model, const KeyboardLayout& keyboard,
                               bool currentLayout)
{
    return fromLayout(model.content(), model.layout(), keyboard, currentLayout);
}

std::optional<SheetText::Format> SheetText::formatNamed(const QString& name)
{
    if (name == QStringLiteral("text"))
        return Format::Text;
    if (name == QStringLiteral("markdown") || name == QStringLiteral("md"))
        return Format::Markdown;
    if (name == QStringLiteral("json"))
        return Format::Json;
    return std::nullopt;
}

QString SheetText::toPlainText() const
{
    QString out = oneLine(appTitle);
    if (!bundleIdentifier.isEmpty())
        out += (out.isEmpty() ? QString() : QStringLiteral(" ")) + QLatin1Char('(') +
               oneLine(bundleIdentifier) + QLatin1Char(')');
    out += QLatin1Char('\n');
    if (groups.isEmpty() && customGroups.isEmpty())
        out += QStringLiteral("\nNo shortcuts.\n");
    for (const Group& group : groups) {
        out += QLatin1Char('\n') + oneLine(group.title) + QLatin1Char('\n');
        appendRows(out, group.rows);
    }
    for (const CustomGroup& group : customGroups) {
        out += QLatin1Char('\n') + oneLine(group.title) + QLatin1Char('\n');
        appendRows(out, group.rows);
    }
    return out;
}

QString SheetText::toMarkdown() const
{
    QString out = QStringLiteral("# ") +
                  markdownText(appTitle.isEmpty() ? QStringLiteral("Shortcuts") : appTitle) +
                  QLatin1Char('\n');
    if (!bundleIdentifier.isEmpty())
        out += QStringLiteral("\nApplication id: ") + markdownText(bundleIdentifier) + QLatin1Char('\n');
    if (groups.isEmpty() && customGroups.isEmpty())
        out += QStringLiteral("\nNo shortcuts.\n");
    for (const Group& group : groups) {
        out += QStringLiteral("\n## ") + markdownText(group.title) + QStringLiteral("\n\n");
        appendTable(out, QStringLiteral("Menu item"), group.rows);
    }
    for (const CustomGroup& group : customGroups) {
        out += QStringLiteral("\n## ") + markdownText(group.title) + QStringLiteral("\n\n");
        appendTable(out, QStringLiteral("Custom shortcut"), group.rows);
    }
    return out;
}

QJsonObject SheetText::toJson() const
{
    QJsonArray groupArray;
    for (const Group& group : groups) {
        QJsonArray rowArray;
        for (const Row& row : group.rows)
            rowArray.append(QJsonObject{{QStringLiteral("title"), row.title},
                                        {QStringLiteral("keys"), row.keys},
                                        {QStringLiteral("bookmarked"), row.bookmarked},
                                        {QStringLiteral("hidden"), row.hidden},
                                        {QStringLiteral("hiddenGlobally"), row.hiddenGlobally},
                                        {QStringLiteral("inactive"), row.inactive}});
        groupArray.append(QJsonObject{{QStringLiteral("column"), group.column},
                                      {QStringLiteral("title"), group.title},
                                      {QStringLiteral("rows"), rowArray}});
    }
    QJsonArray customArray;
    for (const CustomGroup& group : customGroups) {
        QJsonArray rowArray;
        for (const CustomRow& row : group.rows)
            rowArray.append(QJsonObject{{QStringLiteral("id"), row.id},
                                        {QStringLiteral("title"), row.title},
                                        {QStringLiteral("trigger"), row.trigger},
                                        {QStringLiteral("keys"), row.keys},
                                        {QStringLiteral("bookmarked"), row.bookmarked},
                                        {QStringLiteral("hidden"), row.hidden}});
        customArray.append(
            QJsonObject{{QStringLiteral("scope"),
                         group.global ? QStringLiteral("global") : QStringLiteral("application")},
                        {QStringLiteral("title"), group.title},
                        {QStringLiteral("applicationIdentifier"), group.applicationIdentifier},
                        {QStringLiteral("rows"), rowArray}});
    }
    const QJsonObject application{{QStringLiteral("title"), appTitle},
                                  {QStringLiteral("identifier"), bundleIdentifier},
                                  {QStringLiteral("icon"), appIcon ? QJsonValue(*appIcon) : QJsonValue()}};
    return QJsonObject{{QStringLiteral("version"), 1},
                       {QStringLiteral("application"), application},
                       {QStringLiteral("columns"), columns},
                       {QStringLiteral("menuColumns"), menuColumns},
                       {QStringLiteral("columnHeight"), columnHeight},
                       {QStringLiteral("groups"), groupArray},
                       {QStringLiteral("customShortcuts"), customArray}};
}

QByteArray SheetText::render(Format format) const
{
    switch (format) {
    case Format::Text:
        return toPlainText().toUtf8();
    case Format::Markdown:
        return toMarkdown().toUtf8();
    case Format::Json:
        return QJsonDocument(toJson()).toJson(QJsonDocument::Indented);
    }
    return {};
}

} // namespace tavlen
