#include "store/ShortcutTransfer.h"

#include "harvest/KeyInput.h"
#include "harvest/ShortcutNotation.h"
#include "platform/ApplicationDirectory.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/DatabaseManager.h"
#include "store/GlobalApp.h"
#include "store/StoreTransaction.h"

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

// The import's store writes, each in a savepoint of the one transaction. A write that fails is
// noted and the import goes on with the next; only when SQLite threw the whole transaction away
// with it does the import end, having stored nothing.
class Importer {
public:
    Importer(DatabaseManager& store, StoreTransaction& transaction, bool useCurrentLayout,
             const KeyboardLayout& keyboard)
        : m_store(store)
        , m_transaction(transaction)
        , m_useCurrentLayout(useCurrentLayout)
        , m_keyboard(keyboard)
    {}

    // False when the import cannot go on.
    template <typename Write>
    bool save(const QString& what, Write write)
    {
        const StoreWrite result = m_transaction.savepoint(write);
        if (!result.failed())
            return true;
        if (!m_transaction.isOpen()) {
            m_abandoned = QStringLiteral("\nError: ") + what + QStringLiteral(": ") + result.error +
                          QStringLiteral(" (nothing was imported.)");
            return false;
        }
        m_failures.append(what + QStringLiteral(": ") + result.error);
        return true;
    }

    bool saveApp(const QString& identifier, const QString& name)
    {
        return save(QStringLiteral("The application \u201C%1\u201D could not be saved").arg(identifier),
                    [&] { return m_store.saveApp(identifier, name); });
    }

    // False when the import cannot go on; an entry that cannot be stored is skipped.
    bool importEntry(const QString& identifier, const QJsonArray& entry)
    {
        if (entry.size() != 3)
            return true;
        const auto code = keyCode(entry.at(2));
        if (!code || !entry.at(0).isString() || !entry.at(1).isString())
            return true;
        const QString title = entry.at(0).toString();
        const QString what =
            QStringLiteral("The shortcut \u201C%1\u201D of \u201C%2\u201D could not be saved")
                .arg(title, identifier);

        if (*code == NO_KEY) {
            return save(what, [&] {
                return m_store.importCustomHotkey(identifier, title, QStringLiteral("Record Shortcut"),
                                                  NO_KEY, NO_KEY, true, false);
            });
        }
        const qint64 mask = modifierMask(entry.at(1).toString());
        const auto input = notation::keyInputFromStore(*code, mask);
        if (!input)
            return true;
        const QString value = notation::keyInputText(*input, true, m_useCurrentLayout, m_keyboard);
        return save(what, [&] {
            return m_store.importCustomHotkey(identifier, title, value, *code, mask, true, false);
        });
    }

    std::optional<QString> errorText() const
    {
        if (m_abandoned)
            return m_abandoned;
        if (m_failures.isEmpty())
            return std::nullopt;
        QString text = QStringLiteral("\nError: ") + m_failures.first();
        if (m_failures.size() > 1)
            text += QStringLiteral(" (%1 more could not be saved either.)").arg(m_failures.size() - 1);
        return text;
    }

private:
    DatabaseManager& m_store;
    StoreTransaction& m_transaction;
    bool m_useCurrentLayout;
    const KeyboardLayout& m_keyboard;
    QStringList m_failures;
    std::optional<QString> m_abandoned;
};

QString notSavedText(const QString& error)
{
    return QStringLiteral("\nError: The shortcuts could not be saved: ") + error;
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

    // Every write of the file in one transaction: an import that ends half-way, whether by an
    // error, an exception or the end of the process, leaves the store as it was.
    StoreTransaction transaction = store.beginTransaction();
    if (const auto& error = transaction.beginError())
        return notSavedText(*error);
    Importer importer(store, transaction, useCurrentLayout, keyboard);
    const QJsonObject top = document.object();
    for (auto app = top.constBegin(); app != top.constEnd(); ++app) {
        const QString identifier = app.key();
        const auto rows = store.appCount(identifier);
        if (!std::holds_alternative<qint64>(rows) || std::get<qint64>(rows) != 1) {
            // Concatenated, not formatted: an identifier may itself contain "%1".
            const QString name = applicationName(identifier, applications)
                                     .value_or(QStringLiteral("-app-") + identifier + QLatin1Char('-') +
                                               QString::number(clock.secondsSinceEpoch()) + QLatin1Char('-'));
            if (!importer.saveApp(identifier, name))
                return importer.errorText();
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
            for (const QJsonValue& entry : entries) {
                if (!importer.importEntry(identifier, entry.toArray()))
                    return importer.errorText();
            }
        }
    }
    if (const auto error = transaction.commit())
        return notSavedText(*error);
    return importer.errorText();
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
