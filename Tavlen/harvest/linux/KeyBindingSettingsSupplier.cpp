#include "harvest/linux/KeyBindingSettingsSupplier.h"

#include "harvest/linux/ShownKeys.h"
#include "harvest/linux/SuppliedGroup.h"
#include "platform/linux/ReleasedBy.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <gio/gio.h>
#include <memory>

namespace tavlen::linux_harvest {
namespace {

using linux_platform::ReleasedBy;

struct Binding {
    QString title;
    QString accelerator;
    QString key;
};

// Keys of one kind may share their summary (GNOME Terminal's switch-to-tab-1 to -35 all say "switch
// to the numbered tab"): the number that ends the key's name tells them apart, else the name.
void distinguishSharedTitles(QList<Binding>& bindings)
{
    QHash<QString, int> uses;
    for (const Binding& binding : bindings)
        ++uses[binding.title];
    static const QRegularExpression trailingNumber(QStringLiteral("(\\d+)$"));
    for (Binding& binding : bindings) {
        if (uses.value(binding.title) < 2)
            continue;
        const QRegularExpressionMatch number = trailingNumber.match(binding.key);
        binding.title += number.hasMatch() ? QLatin1Char(' ') + number.captured(1)
                                           : QStringLiteral(" (%1)").arg(binding.key);
    }
}

// GIO ends the process on a path it does not accept, so only such a path is handed to it.
bool isValidPath(const QString& path)
{
    return path.startsWith(QLatin1Char('/')) && path.endsWith(QLatin1Char('/')) &&
           !path.contains(QLatin1String("//"));
}

QString titleOf(const QString& summary, const QString& prefix)
{
    if (prefix.isEmpty() || !summary.startsWith(prefix) || summary.size() == prefix.size())
        return summary;
    QString title = summary.mid(prefix.size());
    title[0] = title[0].toUpper();
    return title;
}

// A run of digits from `at` on, without its leading zeros; `at` moves past the run.
QStringView digitRun(const QString& text, qsizetype& at)
{
    while (at < text.size() - 1 && text.at(at) == QLatin1Char('0') && text.at(at + 1).isDigit())
        ++at;
    const qsizetype start = at;
    while (at < text.size() && text.at(at).isDigit())
        ++at;
    return QStringView(text).mid(start, at - start);
}

// Titles in the order of their words, numbers by value ("tab 2" before "tab 10"). QCollator's
// numeric mode would do, but not where Qt collates without ICU, nor in the C locale.
bool numberAwareLess(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            const QStringView numberA = digitRun(a, i);
            const QStringView numberB = digitRun(b, j);
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (const int order = numberA.compare(numberB); order != 0)
                return order < 0;
            continue;
        }
        const int order = QString(a.at(i)).compare(QString(b.at(j)), Qt::CaseInsensitive);
        if (order != 0)
            return order < 0;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

// GIO's documentation has the summary translated already; where it is not, the schema's domain
// translates it, and a text that is translated already passes unchanged.
const gchar* translated(const gchar* summary, const QByteArray& domain)
{
    if (!summary || domain.isEmpty())
        return summary;
    return g_dgettext(domain.constData(), summary);
}

QList<Binding> readBindings(const KeyBindingSchema& wanted)
{
    // The default source is missing where no schema is installed at all; a schema looked up in it
    // rather than opened by name is what keeps a missing one from ending the process.
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return {};
    const QByteArray schemaIdentifier = wanted.schemaIdentifier.toUtf8();
    const ReleasedBy<GSettingsSchema, g_settings_schema_unref> schema(
        g_settings_schema_source_lookup(source, schemaIdentifier.constData(), TRUE));
    if (!schema)
        return {};
    QByteArray path;
    if (!g_settings_schema_get_path(schema.get())) {
        if (!isValidPath(wanted.path))
            return {};
        path = wanted.path.toUtf8();
    }
    const ReleasedBy<GSettings, g_object_unref> settings(
        g_settings_new_full(schema.get(), nullptr, path.isEmpty() ? nullptr : path.constData()));
    const ReleasedBy<gchar*, g_strfreev> keys(g_settings_schema_list_keys(schema.get()));
    const QByteArray domain = wanted.gettextDomain.toUtf8();
    QList<Binding> bindings;
    for (gchar** name = keys.get(); name && *name; ++name) {
        const ReleasedBy<GSettingsSchemaKey, g_settings_schema_key_unref> key(
            g_settings_schema_get_key(schema.get(), *name));
        if (!g_variant_type_equal(g_settings_schema_key_get_value_type(key.get()), G_VARIANT_TYPE_STRING))
            continue;
        const ReleasedBy<GVariant, g_variant_unref> value(g_settings_get_value(settings.get(), *name));
        const QString accelerator = QString::fromUtf8(g_variant_get_string(value.get(), nullptr)).trimmed();
        if (accelerator.isEmpty() || accelerator == QLatin1String("disabled"))
            continue;
        const gchar* summary = translated(g_settings_schema_key_get_summary(key.get()), domain);
        const QString title =
            summary ? titleOf(QString::fromUtf8(summary), wanted.summaryPrefix) : QString::fromUtf8(*name);
        bindings.append({title, accelerator, QString::fromUtf8(*name)});
    }
    distinguishSharedTitles(bindings);
    return bindings;
}

} // namespace

KeyBindingSettingsSupplier::KeyBindingSettingsSupplier(QList<KeyBindingSchema> schemas)
    : m_schemas(std::move(schemas))
{}

QList<KeyBindingSchema> KeyBindingSettingsSupplier::knownSchemas()
{
    return {
        // GNOME Terminal's Preferences › Shortcuts; its menus show only some of them.
        {QStringLiteral("org.gnome.Terminal"), QStringLiteral("org.gnome.Terminal.Legacy.Keybindings"),
         QStringLiteral("/org/gnome/terminal/legacy/keybindings/"), QStringLiteral("Shortcuts"),
         QStringLiteral("Keyboard shortcut to "), QStringLiteral("gnome-terminal")},
    };
}

QString KeyBindingSettingsSupplier::sourceName() const
{
    return QStringLiteral("key binding settings");
}

QList<MenuItem> KeyBindingSettingsSupplier::groups(const SupplierRequest& request,
                                                   const QList<MenuItem>& menus)
{
    const auto wanted =
        std::find_if(m_schemas.cbegin(), m_schemas.cend(), [&](const KeyBindingSchema& schema) {
            return schema.applicationIdentifier == request.applicationIdentifier;
        });
    if (wanted == m_schemas.cend() || request.applicationIdentifier.isEmpty())
        return {};
    QList<Binding> bindings = readBindings(*wanted);
    // GIO lists the keys in no particular order; by title, numbers in order ("Switch to tab 2"
    // before "Switch to tab 10").
    std::stable_sort(bindings.begin(), bindings.end(),
                     [](const Binding& a, const Binding& b) { return numberAwareLess(a.title, b.title); });
    const ShownKeys shown(menus);
    SuppliedGroup group(wanted->groupTitle);
    for (const Binding& binding : bindings) {
        if (!shown.contains(binding.accelerator))
            group.add(binding.title, binding.accelerator);
    }
    if (group.isEmpty())
        return {};
    return {group.group()};
}

} // namespace tavlen::linux_harvest
