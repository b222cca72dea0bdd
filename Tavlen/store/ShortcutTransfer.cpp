#include "store/ShortcutTransfer.h"

#include "harvest/KeyInput.h"
#include "harvest/ShortcutNotation.h"
#include "platform/ApplicationDirectory.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/DatabaseManager.h"
#include "store/GlobalApp.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <cmath>

namespace tavlen::transfer {
namespace {

constexpr qint64 NO_KEY = -1;
constexpr qint64 LARGEST_KEY_CODE = 65535;

QString globalIdentifier()
{
    return QString::fromLatin1(global_app::IDENTIFIER);
}

QJsonArray toJson(const QList<ExportRow>& rows)
{
    QJsonArray list;
    for (const ExportRow& row : rows)
        list.append(QJsonArray{row.title, row.modifiers, row.keyCode});
    return list;
}

// JSON numbers are doubles: 13 and 13.0 are the same integer, 13.5 is none. Only key codes
// that a stored shortcut can hold are accepted.
std::optional<qint64> keyCode(const QJsonValue& value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::trunc(number) != number)
        return std::nullopt;
    if (number < NO_KEY || number > LARGEST_KEY_CODE)
        return std::nullopt;
    return static_cast<qint64>(number);
}

// Collects what could not be written, so that the import still reports it after going on
// with the remaining entries.
class Failures {
public:
    void add(const StoreWrite& result, const QString& what)
    {
        if (result.failed())
            m_descriptions.append(what + QStringLiteral(": ") + result.error);
    }

    std::optional<QString> errorText() const
    {
        if (m_descriptions.isEmpty())
            return std::nullopt;
        QString text = QStringLiteral("\nError: ") + m_descriptions.first();
        if (m_descriptions.size() > 1)
            text += QStringLiteral(" (%1 more could not be saved either.)").arg(m_descriptions.size() - 1);
        return text;
    }

private:
    QStringList m_descriptions;
};

struct ImportContext {
    DatabaseManager& store;
    bool useCurrentLayout;
    const KeyboardLayout& keyboard;
    Failures& failures;
};

void importEntry(const QString& identifier, const QJsonArray& entry, const ImportContext& context)
{
    if (entry.size() != 3)
        return;
    const auto code = keyCode(entry.at(2));
    if (!code || !entry.at(0).isString() || !entry.at(1).isString())
        return;
    const QString title = entry.at(0).toString();
    const QString what = QStringLiteral("The shortcut \u201C%1\u201D of \u201C%2\u201D could not be saved")
                             .arg(title, identifier);

    if (*code == NO_KEY) {
        context.failures.add(context.store.importCustomHotkey(identifier, title,
                                                              QStringLiteral("Record Shortcut"), NO_KEY,
                                                              NO_KEY, true, false),
                             what);
        return;
    }
    const qint64 mask = modifierMask(entry.at(1).toString());
    const auto input = notation::keyInputFromStore(*code, mask);
    if (!input)
        return;
    const QString value = notation::keyInputText(*input, true, context.useCurrentLayout, context.keyboard);
    context.failures.add(context.store.importCustomHotkey(identifier, title, value, *code, mask, true, false),
                         what);
}

} // namespace

QList<ExportRow> exportRows(const QString& appIdentifier, DatabaseManager& store)
{
    QList<ExportRow> rows;
    for (const CustomHotkeyRow& row : store.getCustomHotkeys(appIdentifier, true)) {
        if (!row.keys)
            rows.append({row.title, QString(), NO_KEY});
        else
            rows.append({row.title, notation::modifierWords(*row.keys), row.keys->keyCode.value_or(0)});
    }
    return rows;
}

std::optional<QString> exportShortcuts(const QString& appTitle, const QString& appIdentifier,
                                       const QString& filePath, bool all, DatabaseManager& store,
                                       FileSystem& files)
{
    QJsonObject top;
    if (!all) {
        const QString caption =
            appIdentifier == globalIdentifier() ? appTitle : appTitle + QStringLiteral(" Shortcuts");
        top.insert(appIdentifier, QJsonObject{{caption, toJson(exportRows(appIdentifier, store))}});
    } else {
        const QList<ExportRow> globalRows = exportRows(globalIdentifier(), store);
        if (!globalRows.isEmpty())
            top.insert(appIdentifier, QJsonObject{{appTitle, toJson(globalRows)}});
        for (const auto& [identifier, title] : store.getApps()) {
            const QList<ExportRow> rows = exportRows(identifier, store);
            if (!rows.isEmpty())
                top.insert(identifier, QJsonObject{{title + QStringLiteral(" Shortcuts"), toJson(rows)}});
        }
    }
    if (const auto error =
            files.writeAtomically(filePath, QJsonDocument(top).toJson(QJsonDocument::Indented)))
        return error->description;
    return std::nullopt;
}

std::optional<QString> importFile(const QString& filePath, DatabaseManager& store, bool useCurrentLayout,
                                  const FileSystem& files, const KeyboardLayout& keyboard,
                                  const ApplicationDirectory& applications, const Clock& clock)
{
    const FileResult<QByteArray> bytes = files.readAll(filePath);
    if (const auto* error = std::get_if<FileError>(&bytes))
        return QStringLiteral("\nError: ") + error->description;

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(std::get<QByteArray>(bytes), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return QStringLiteral("\nError: ") + parseError.errorString();
    if (!document.isObject())
        return QStringLiteral("\nError: Invalid JSON format.");

    Failures failures;
    const ImportContext context{store, useCurrentLayout, keyboard, failures};
    const QJsonObject top = document.object();
    for (auto app = top.constBegin(); app != top.constEnd(); ++app) {
        const QString identifier = app.key();
        const auto rows = store.appCount(identifier);
        if (!std::holds_alternative<qint64>(rows) || std::get<qint64>(rows) != 1) {
            // Concatenated, not formatted: an identifier may itself contain "%1".
            const QString name = applicationName(identifier, applications)
                                     .value_or(QStringLiteral("-app-") + identifier + QLatin1Char('-') +
                                               QString::number(clock.secondsSinceEpoch()) + QLatin1Char('-'));
            failures.add(store.saveApp(identifier, name),
                         QStringLiteral("The application \u201C%1\u201D could not be saved").arg(identifier));
        }
        if (!app.value().isObject())
            continue;
        const QJsonObject groups = app.value().toObject();
        for (auto group = groups.constBegin(); group != groups.constEnd(); ++group) {
            if (!group.value().isArray())
                continue;
            const QJsonArray entries = group.value().toArray();
            // A list with anything but arrays in it is not a list of shortcuts at all.
            const bool allArrays = std::all_of(entries.begin(), entries.end(),
                                               [](const QJsonValue& entry) { return entry.isArray(); });
            if (!allArrays)
                continue;
            for (const QJsonValue& entry : entries)
                importEntry(identifier, entry.toArray(), context);
        }
    }
    return failures.errorText();
}

std::optional<QString> applicationName(const QString& identifier, const ApplicationDirectory& applications)
{
    if (identifier == globalIdentifier())
        return QString::fromLatin1(global_app::TITLE);
    const auto info = applications.find(identifier);
    if (!info || info->name.isEmpty())
        return std::nullopt;
    return info->name;
}

qint64 modifierMask(const QString& words)
{
    struct Word {
        QLatin1String text;
        qint64 mask;
    };
    static constexpr Word table[] = {
        {QLatin1String("shift"), EventFlag::Shift},     {QLatin1String("control"), EventFlag::Control},
        {QLatin1String("command"), EventFlag::Command}, {QLatin1String("option"), EventFlag::Option},
        {QLatin1String("fn"), EventFlag::Function},
    };
    // Combined as flags: a word given twice ("shift+shift") must not carry into another
    // modifier's bit the way adding the values would.
    qint64 mask = 0;
    for (const QString& part : words.split(QLatin1Char('+'))) {
        const QString word = part.trimmed();
        for (const Word& entry : table) {
            if (word == entry.text)
                mask |= entry.mask;
        }
    }
    return mask;
}

QString importResultMessage(const QString& filePath, const std::optional<QString>& error)
{
    const QString fileName = filePath.section(QLatin1Char('/'), -1);
    if (!error)
        return QStringLiteral("File '%1' imported successfully.").arg(fileName);
    return QStringLiteral("File '%1' import failed. ").arg(fileName) + *error;
}

} // namespace tavlen::transfer
