#include "store/ShortcutTransfer.h"

#include "harvest/ShortcutNotation.h"
#include "platform/ApplicationDirectory.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/KeyInput.h"
#include "store/DatabaseManager.h"
#include "store/GlobalApp.h"
#include "store/StoreTransaction.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <cmath>
#include <variant>

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

QList<ExportRow> toExportRows(const QList<CustomHotkeyRow>& stored)
{
    QList<ExportRow> rows;
    for (const CustomHotkeyRow& row : stored) {
        if (!row.keys)
            rows.append({row.title, QString(), NO_KEY});
        else
            rows.append({row.title, notation::modifierWords(*row.keys), row.keys->keyCode.value_or(0)});
    }
    return rows;
}

// One entry of a file as it will be stored.
struct ImportEntry {
    QString title;
    QString value;
    qint64 keyCode = NO_KEY;
    qint64 mask = NO_KEY;
};

// What can be read of one application in a file: its entries, and why the first entry that
// could not be read was not.
struct ImportApplication {
    QString identifier;
    QList<ImportEntry> entries;
    std::optional<QString> firstProblem;
};

// JSON numbers are doubles: 13 and 13.0 are the same integer, 13.5 is none. Only key codes
// that a stored shortcut can hold are accepted. The text says why a value is not one.
std::variant<qint64, QString> keyCode(const QJsonValue& value)
{
    if (!value.isDouble())
        return QStringLiteral("key code is not a number");
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::trunc(number) != number)
        return QStringLiteral("key code is not a whole number");
    if (number < NO_KEY || number > LARGEST_KEY_CODE)
        return QStringLiteral("key code is out of range");
    return static_cast<qint64>(number);
}

// One entry: [title, modifier words, key code]; the reason it cannot be stored otherwise.
std::variant<ImportEntry, QString> readEntry(const QJsonValue& value, bool useCurrentLayout,
                                             const KeyboardLayout& keyboard)
{
    const QJsonArray entry = value.toArray();
    if (!value.isArray() || entry.size() != 3)
        return QStringLiteral("not a list of title, modifiers and key code");
    if (!entry.at(0).isString())
        return QStringLiteral("the title is not text");
    if (!entry.at(1).isString())
        return QStringLiteral("the modifiers are not text");
    const auto code = keyCode(entry.at(2));
    if (const auto* problem = std::get_if<QString>(&code))
        return *problem;
    ImportEntry read;
    read.title = entry.at(0).toString();
    read.keyCode = std::get<qint64>(code);
    if (read.keyCode == NO_KEY) {
        read.value = QStringLiteral("Record Shortcut");
        return read;
    }
    read.mask = modifierMask(entry.at(1).toString());
    const auto input = notation::keyInputFromStore(read.keyCode, read.mask);
    if (!input)
        return QStringLiteral("key code is out of range");
    read.value = notation::keyInputText(*input, true, useCurrentLayout, keyboard);
    return read;
}

// Every entry of one application's groups that can be stored, in the file's order.
ImportApplication readApplication(const QString& identifier, const QJsonValue& value, bool useCurrentLayout,
                                  const KeyboardLayout& keyboard)
{
    ImportApplication application{identifier, {}, std::nullopt};
    const auto note = [&application](const QString& problem) {
        if (!application.firstProblem)
            application.firstProblem = problem;
    };
    if (!value.isObject()) {
        note(identifier + QStringLiteral(": not a group of shortcuts"));
        return application;
    }
    int number = 0;
    const QJsonObject groups = value.toObject();
    for (auto group = groups.constBegin(); group != groups.constEnd(); ++group) {
        const QJsonArray entries = group.value().toArray();
        // A list with anything but arrays in it is not a list of shortcuts at all.
        const bool allArrays = std::all_of(entries.begin(), entries.end(),
                                           [](const QJsonValue& entry) { return entry.isArray(); });
        if (!group.value().isArray() || !allArrays) {
            note(QStringLiteral("\u201C%1\u201D of %2 is not a list of shortcuts")
                     .arg(group.key(), identifier));
            continue;
        }
        for (const QJsonValue& entry : entries) {
            ++number;
            auto read = readEntry(entry, useCurrentLayout, keyboard);
            if (auto* problem = std::get_if<QString>(&read))
                note(QStringLiteral("entry %1 of %2: %3").arg(number).arg(identifier, *problem));
            else
                application.entries.append(std::move(std::get<ImportEntry>(read)));
        }
    }
    return application;
}

// The import's store writes, each in a savepoint of the one transaction. A write that fails is
// noted and the import goes on with the next; only when SQLite threw the whole transaction away
// with it does the import end, having stored nothing.
class Importer {
public:
    Importer(DatabaseManager& store, StoreTransaction& transaction)
        : m_store(store), m_transaction(transaction)
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

    // False when the import cannot go on; an entry that cannot be stored is noted and skipped.
    bool saveEntry(const QString& identifier, const ImportEntry& entry)
    {
        const QString what =
            QStringLiteral("The shortcut \u201C%1\u201D of \u201C%2\u201D could not be saved")
                .arg(entry.title, identifier);
        return save(what, [&] {
            return m_store.importCustomHotkey(identifier, entry.title, entry.value, entry.keyCode, entry.mask,
                                              true, false);
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
    return toExportRows(store.getCustomHotkeys(appIdentifier, true));
}

std::optional<QString> exportShortcuts(const QString& appTitle, const QString& appIdentifier,
                                       const QString& filePath, bool all, DatabaseManager& store,
                                       FileSystem& files, ExportSummary* summary)
{
    ExportSummary counted;
    std::optional<QString> failure;
    // The rows of one application as the file lists them; none when the store cannot be read.
    const auto rowsOf = [&](const QString& identifier) -> std::optional<QJsonArray> {
        const auto read = store.readCustomHotkeys(identifier);
        if (const auto* error = std::get_if<QString>(&read)) {
            failure = QStringLiteral("The shortcuts could not be read: ") + *error;
            return std::nullopt;
        }
        const auto& reading = std::get<DatabaseManager::CustomHotkeyReading>(read);
        const QList<ExportRow> rows = toExportRows(reading.rows);
        counted.exported += rows.size();
        counted.leftOut += reading.unreadable;
        return toJson(rows);
    };

    QJsonObject top;
    if (!all) {
        const QString caption =
            appIdentifier == globalIdentifier() ? appTitle : appTitle + QStringLiteral(" Shortcuts");
        const std::optional<QJsonArray> rows = rowsOf(appIdentifier);
        if (!rows)
            return failure;
        top.insert(appIdentifier, QJsonObject{{caption, *rows}});
    } else {
        const std::optional<QJsonArray> globalRows = rowsOf(globalIdentifier());
        if (!globalRows)
            return failure;
        if (!globalRows->isEmpty())
            top.insert(appIdentifier, QJsonObject{{appTitle, *globalRows}});
        for (const auto& [identifier, title] : store.getApps()) {
            const std::optional<QJsonArray> rows = rowsOf(identifier);
            if (!rows)
                return failure;
            if (!rows->isEmpty())
                top.insert(identifier, QJsonObject{{title + QStringLiteral(" Shortcuts"), *rows}});
        }
    }
    if (const auto error =
            files.writeAtomically(filePath, QJsonDocument(top).toJson(QJsonDocument::Indented)))
        return error->description;
    if (summary)
        *summary = counted;
    return std::nullopt;
}

std::optional<QString> importFile(const QString& filePath, DatabaseManager& store, bool useCurrentLayout,
                                  const FileSystem& files, const KeyboardLayout& keyboard,
                                  const ApplicationDirectory& applicationDirectory, const Clock& clock)
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

    // Everything is read before anything is written: an application none of whose entries can
    // be read gets no row, and a file of which nothing can be read is a failure, not an import.
    QList<ImportApplication> applications;
    const QJsonObject top = document.object();
    for (auto app = top.constBegin(); app != top.constEnd(); ++app)
        applications.append(readApplication(app.key(), app.value(), useCurrentLayout, keyboard));
    const bool anyEntry = std::any_of(applications.cbegin(), applications.cend(),
                                      [](const ImportApplication& app) { return !app.entries.isEmpty(); });
    if (!anyEntry) {
        for (const ImportApplication& app : applications) {
            if (app.firstProblem)
                return QStringLiteral("\nError: No shortcut in the file could be read: ") + *app.firstProblem;
        }
        return QStringLiteral("\nError: The file holds no shortcuts.");
    }

    // Every write of the file in one transaction: an import that ends half-way, whether by an
    // error, an exception or the end of the process, leaves the store as it was.
    StoreTransaction transaction = store.beginTransaction();
    if (const auto& error = transaction.beginError())
        return notSavedText(*error);
    Importer importer(store, transaction);
    for (const ImportApplication& app : applications) {
        if (app.entries.isEmpty())
            continue;
        const auto rows = store.appCount(app.identifier);
        if (!std::holds_alternative<qint64>(rows) || std::get<qint64>(rows) != 1) {
            // Concatenated, not formatted: an identifier may itself contain "%1".
            const QString name = applicationName(app.identifier, applicationDirectory)
                                     .value_or(QStringLiteral("-app-") + app.identifier + QLatin1Char('-') +
                                               QString::number(clock.secondsSinceEpoch()) + QLatin1Char('-'));
            if (!importer.saveApp(app.identifier, name))
                return importer.errorText();
        }
        for (const ImportEntry& entry : app.entries) {
            if (!importer.saveEntry(app.identifier, entry))
                return importer.errorText();
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
