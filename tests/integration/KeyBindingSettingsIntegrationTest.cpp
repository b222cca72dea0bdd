// The key binding settings supplier against GIO itself: a schema this test compiles, read through
// the default schema source and the in-memory settings back end, as GNOME Terminal's would be.

#include "harvest/linux/KeyBindingSettingsSupplier.h"
#include "harvest/linux/SuppliedGroup.h"
#include "support/MenuItemSearch.h"
#include "support/TempEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <libintl.h>

using tavlen::MenuItem;
using tavlen::SupplierRequest;
using tavlen::linux_harvest::KeyBindingSchema;
using tavlen::linux_harvest::KeyBindingSettingsSupplier;
using tavlen::linux_harvest::SuppliedGroup;
using tavlen::test::find;

namespace {

const char SCHEMA[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<schemalist>
  <schema id="org.example.Term.Keybindings">
    <key name="new-tab" type="s">
      <default>'&lt;Control&gt;&lt;Shift&gt;t'</default>
      <summary>Keyboard shortcut to open a new tab</summary>
    </key>
    <key name="copy" type="s">
      <default>'&lt;Control&gt;&lt;Shift&gt;c'</default>
      <summary>Keyboard shortcut to copy text</summary>
    </key>
    <key name="print" type="s">
      <default>'disabled'</default>
      <summary>Keyboard shortcut to print</summary>
    </key>
    <key name="close-window" type="s">
      <default>'&lt;Control&gt;&lt;Shift&gt;q'</default>
      <summary>Keyboard shortcut to close a window</summary>
    </key>
    <key name="switch-to-tab-10" type="s">
      <default>'&lt;Alt&gt;0'</default>
      <summary>Keyboard shortcut to switch to the numbered tab</summary>
    </key>
    <key name="switch-to-tab-2" type="s">
      <default>'&lt;Alt&gt;2'</default>
      <summary>Keyboard shortcut to switch to the numbered tab</summary>
    </key>
    <key name="unsummarised" type="s">
      <default>'F9'</default>
    </key>
    <key name="tab-count" type="i">
      <default>3</default>
      <summary>Not a key binding</summary>
    </key>
  </schema>
</schemalist>
)";

const QString SCHEMA_ID = QStringLiteral("org.example.Term.Keybindings");
const QString PATH = QStringLiteral("/org/example/term/keybindings/");

KeyBindingSchema schema(const QString& id, const QString& schemaId, const QString& path)
{
    return {id,
            schemaId,
            path,
            QStringLiteral("Shortcuts"),
            QStringLiteral("Keyboard shortcut to "),
            QStringLiteral("tavlen-test")};
}

QStringList rows(const QList<MenuItem>& groups)
{
    QStringList result;
    for (const MenuItem& group : groups) {
        for (const MenuItem& entry : group.submenu)
            result << group.title + QStringLiteral(" › ") + entry.title + QStringLiteral(" = ") +
                          entry.keys.value_or(QString());
    }
    return result;
}

TEST(KeyBindingSettingsIntegration, ShowsTheUsersCurrentBindingsTitledByTheSchemaAndSkipsWhatCannotBeRead)
{
    QTemporaryDir schemas;
    ASSERT_TRUE(schemas.isValid());
    QFile source(schemas.filePath(QStringLiteral("org.example.Term.gschema.xml")));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write(SCHEMA);
    source.close();
    QProcess compile;
    compile.start(QStringLiteral("glib-compile-schemas"), {schemas.path()});
    ASSERT_TRUE(compile.waitForFinished(30000));
    ASSERT_EQ(compile.exitCode(), 0) << compile.readAllStandardError().toStdString();

    // GIO reads both once per process, at the first use of settings.
    tavlen::test::TempEnvironment environment;
    environment.set("GSETTINGS_SCHEMA_DIR", schemas.path().toUtf8());
    environment.set("GSETTINGS_BACKEND", "memory");

    GSettingsSchemaSource* defaultSource = g_settings_schema_source_get_default();
    ASSERT_TRUE(defaultSource);
    GSettingsSchema* compiled =
        g_settings_schema_source_lookup(defaultSource, "org.example.Term.Keybindings", TRUE);
    ASSERT_TRUE(compiled) << "another test used GSettings first: the schema folder is not searched";
    // What the user changed: a binding of their own, and one switched off.
    GSettings* user = g_settings_new_full(compiled, nullptr, PATH.toUtf8().constData());
    g_settings_set_string(user, "copy", "<Primary><Alt>c");
    g_settings_set_string(user, "new-tab", "disabled");
    GSettings* printing = user;
    g_settings_schema_unref(compiled);

    // A translation of one summary in the schema's domain, in the language the test asks for.
    const QString messages = schemas.filePath(QStringLiteral("xx/LC_MESSAGES"));
    ASSERT_TRUE(QDir().mkpath(messages));
    QFile po(schemas.filePath(QStringLiteral("tavlen-test.po")));
    ASSERT_TRUE(po.open(QIODevice::WriteOnly));
    po.write("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
             "msgid \"Keyboard shortcut to print\"\nmsgstr \"Drücken zum Drucken\"\n");
    po.close();
    QProcess msgfmt;
    msgfmt.start(QStringLiteral("msgfmt"),
                 {QStringLiteral("-o"), messages + QStringLiteral("/tavlen-test.mo"), po.fileName()});
    ASSERT_TRUE(msgfmt.waitForFinished(30000));
    ASSERT_EQ(msgfmt.exitCode(), 0) << msgfmt.readAllStandardError().toStdString();
    bindtextdomain("tavlen-test", schemas.path().toUtf8().constData());
    bind_textdomain_codeset("tavlen-test", "UTF-8");
    // gettext ignores LANGUAGE in the C locale, not in C.UTF-8.
    const QByteArray locale = std::setlocale(LC_MESSAGES, nullptr);
    ASSERT_TRUE(std::setlocale(LC_MESSAGES, "C.UTF-8"));
    environment.set("LANGUAGE", "xx");
    g_settings_set_string(printing, "print", "<Primary>p");

    KeyBindingSettingsSupplier supplier(
        {schema(QStringLiteral("org.example.Term"), SCHEMA_ID, PATH),
         schema(QStringLiteral("org.example.Absent"), QStringLiteral("org.example.Absent.Keybindings"), PATH),
         schema(QStringLiteral("org.example.Pathless"), SCHEMA_ID, QString()),
         schema(QStringLiteral("org.example.BadPath"), SCHEMA_ID, QStringLiteral("/org/example//term"))});
    EXPECT_EQ(supplier.sourceName(), QStringLiteral("key binding settings"));

    // The menus show Quit on ⌃⇧ Q: the binding for it is left to them.
    SuppliedGroup file(QStringLiteral("File"));
    ASSERT_TRUE(file.add(QStringLiteral("Quit"), QStringLiteral("<Primary><Shift>q")));
    const QList<MenuItem> groups =
        supplier.groups(SupplierRequest{1, QStringLiteral("org.example.Term")}, {file.group()});
    std::setlocale(LC_MESSAGES, locale.constData());
    g_object_unref(printing);
    EXPECT_EQ(rows(groups), (QStringList{QStringLiteral("Shortcuts › Copy text = ⌃⌥ C"),
                                         QStringLiteral("Shortcuts › Drücken zum Drucken = ⌃ P"),
                                         QStringLiteral("Shortcuts › Switch to the numbered tab 2 = ⌥ 2"),
                                         QStringLiteral("Shortcuts › Switch to the numbered tab 10 = ⌥ 0"),
                                         QStringLiteral("Shortcuts › unsummarised = F9")}));
    const MenuItem* copy = find(groups, {QStringLiteral("Shortcuts"), QStringLiteral("Copy text")});
    ASSERT_TRUE(copy);
    EXPECT_TRUE(copy->hotkeys) << "a binding is typed when clicked";

    // A schema that is not installed, or that cannot be opened where it was said to be, gives
    // nothing rather than ending the process as GIO does when asked for it directly.
    for (const char* id :
         {"org.example.Absent", "org.example.Pathless", "org.example.BadPath", "org.example.Other"})
        EXPECT_TRUE(supplier.groups(SupplierRequest{1, QString::fromLatin1(id)}, {}).isEmpty()) << id;
}

} // namespace
