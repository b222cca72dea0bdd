#include "harvest/linux/ShortcutsWindowSupplier.h"
#include "harvest/linux/AcceleratorText.h"
#include "harvest/linux/ShortcutsWindowGroups.h"
#include "platform/linux/ElfSections.h"
#include "platform/linux/GResourceBundle.h"
#include "platform/linux/ProcessMaps.h"
#include "support/SampleResourceModule.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace tavlen;
using namespace tavlen::linux_platform;
using namespace tavlen::linux_harvest;

namespace {

// "title=keys" of every entry, group by group, with "!" after entries that are typed.
QStringList entriesOf(const QList<MenuItem>& groups)
{
    QStringList entries;
    for (const MenuItem& group : groups) {
        for (const MenuItem& entry : group.submenu) {
            EXPECT_EQ(entry.parentTitles, QStringList{group.title});
            entries << group.title + QLatin1Char('/') + entry.title + QLatin1Char('=') +
                           entry.keys.value_or(QString()) + (entry.hotkeys ? QStringLiteral("!") : QString());
        }
    }
    return entries;
}

BuilderText text(const QString& value, const QString& context = {}, bool translatable = true)
{
    return {value, context, translatable};
}

MenuItem menuWithKeys(const QString& title, const QString& keys)
{
    MenuItem entry;
    entry.title = title;
    entry.keys = keys;
    entry.level = 2;
    MenuItem menu;
    menu.title = QStringLiteral("Edit");
    menu.level = 1;
    menu.submenu = {entry};
    return menu;
}

} // namespace

TEST(AcceleratorTextTest, RangesSequencesAndChordsAreWrittenInTheSheetsNotation)
{
    EXPECT_EQ(compoundAcceleratorText(QStringLiteral("<Alt>1...9")), QStringLiteral("⌥ 1…9"));
    EXPECT_EQ(compoundAcceleratorText(QStringLiteral("<alt>1...<alt>9")), QStringLiteral("⌥ 1…9"));
    EXPECT_EQ(compoundAcceleratorText(QStringLiteral("<ctrl>Page_Up...<ctrl><shift>Page_Up")),
              QStringLiteral("⌃ ⇞ … ⌃⇧ ⇞"));
    EXPECT_EQ(compoundAcceleratorText(QStringLiteral("<ctrl>k+<ctrl>x")), QStringLiteral("⌃ K, ⌃ X"));
    EXPECT_EQ(compoundAcceleratorText(QStringLiteral("t+t")), QStringLiteral("T, T"));
    EXPECT_EQ(compoundAcceleratorText(QStringLiteral("a&b")), QStringLiteral("A + B"));
    // One key press in either notation is no compound; an unknown key spoils the whole.
    EXPECT_EQ(compoundAcceleratorText(QStringLiteral("<ctrl>plus")), std::nullopt);
    EXPECT_EQ(compoundAcceleratorText(QStringLiteral("Ctrl+Shift+S")), std::nullopt);
    EXPECT_EQ(compoundAcceleratorText(QStringLiteral("<ctrl>k+NoSuchKey")), std::nullopt);
    EXPECT_EQ(compoundAcceleratorText(QStringLiteral("...9")), std::nullopt);
    EXPECT_EQ(acceleratorText(QStringLiteral("<Primary><Shift>z")), QStringLiteral("⌃⇧ Z"));
    // Keys that cannot be typed are still written out; what is no accelerator is not.
    EXPECT_EQ(acceleratorText(QStringLiteral("<ctrl>Insert")), QStringLiteral("⌃ Ins"));
    EXPECT_EQ(acceleratorText(QStringLiteral("<ctrl>Hangul")), std::nullopt);
    EXPECT_EQ(writtenAcceleratorText(QStringLiteral("<ctrl>Hangul")), QStringLiteral("⌃ Hangul"));
    EXPECT_EQ(writtenAcceleratorText(QStringLiteral("XF86_Calculator")), QStringLiteral("XF86 Calculator"));
    EXPECT_EQ(writtenAcceleratorText(QStringLiteral("<nosuchmodifier>Hangul")), std::nullopt);
    EXPECT_EQ(writtenAcceleratorText(QStringLiteral("<ctrl>")), std::nullopt);
    EXPECT_EQ(writtenAcceleratorText(QStringLiteral("a b")), std::nullopt);
}

TEST(ShortcutsWindowGroupsTest, TranslatesMergesAndLeavesOutWhatTheMenusShow)
{
    ShortcutsWindowFile app;
    app.domain = QStringLiteral("app");
    app.groups = {
        {text(QStringLiteral("General"), QStringLiteral("shortcut window")),
         {{text(QStringLiteral("Undo"), QStringLiteral("shortcut window")), QStringLiteral("<ctrl>z")},
          {text(QStringLiteral("Zoom in")), QStringLiteral("<ctrl>plus <ctrl>equal")},
          {text(QStringLiteral("Go to tab")), QStringLiteral("<Alt>1...9")},
          {text(QStringLiteral("Overwrite")), QStringLiteral("Insert")},
          {text(QStringLiteral("Broken")), QStringLiteral("<ctrl>No-such-key")}}}};
    ShortcutsWindowFile library;
    library.groups = {
        {text(QStringLiteral("General"), QStringLiteral("shortcut window")),
         {{text(QStringLiteral("Find"), {}, false), QStringLiteral("<ctrl>f")},
          {text(QStringLiteral("Undo again")), QStringLiteral("<ctrl>z")},
          {text(QStringLiteral("Go to tab")), QStringLiteral("<alt>1...<alt>9")}}},
        {text(QStringLiteral("Only covered")), {{text(QStringLiteral("Copy")), QStringLiteral("<ctrl>c")}}}};
    QStringList asked;
    const BuilderTranslator translate = [&](const QString& domain, const BuilderText& text) {
        asked << domain + QLatin1Char(':') + text.context + QLatin1Char(':') + text.text;
        return text.translatable ? text.text.toUpper() : text.text;
    };

    const QList<MenuItem> groups = shortcutsWindowGroups(
        {app, library}, translate, {menuWithKeys(QStringLiteral("Copy"), QStringLiteral("⌃ C"))});
    EXPECT_EQ(entriesOf(groups),
              (QStringList{QStringLiteral("GENERAL/UNDO=⌃ Z!"), QStringLiteral("GENERAL/ZOOM IN=⌃ +!"),
                           QStringLiteral("GENERAL/ZOOM IN=⌃ =!"), QStringLiteral("GENERAL/GO TO TAB=⌥ 1…9"),
                           QStringLiteral("GENERAL/OVERWRITE=Ins!"), QStringLiteral("GENERAL/Find=⌃ F!"),
                           QStringLiteral("GENERAL/UNDO AGAIN=⌃ Z!")}));
    EXPECT_TRUE(asked.contains(QStringLiteral("app:shortcut window:Undo")));
    EXPECT_TRUE(asked.contains(QStringLiteral(":shortcut window:General")));
    ASSERT_EQ(groups.size(), 1);
    EXPECT_EQ(groups[0].level, 1);
}

TEST(ProcessMapsTest, KeepsTheFilesCodeRunsFromOnce)
{
    const QByteArray maps = "55d0a000-55d0b000 r--p 00000000 08:01 1234 /usr/bin/gnome-calculator\n"
                            "55d0b000-55d0c000 r-xp 00001000 08:01 1234 /usr/bin/gnome-calculator\n"
                            "7f00-7f01 r-xp 00000000 08:01 99 /opt/My Apps/lib with spaces.so\n"
                            "7f01-7f02 r--p 00000000 08:01 77 /usr/share/fonts/font.ttf\n"
                            "7f02-7f03 r-xp 00000000 08:01 55 /usr/lib/old.so (deleted)\n"
                            "7f03-7f04 rw-p 00000000 00:00 0 [heap]\n"
                            "7f04-7f05 r-xp 00000000 00:00 0 [vdso]\n"
                            "garbage\n\n";
    EXPECT_EQ(ProcessMaps::codeFiles(maps), (QStringList{QStringLiteral("/usr/bin/gnome-calculator"),
                                                         QStringLiteral("/opt/My Apps/lib with spaces.so")}));
    EXPECT_TRUE(ProcessMaps::codeFilesOf(-1).isEmpty());
}

TEST(GResourceBundleTest, ListsAndReadsTheFilesOfACompiledBundle)
{
    const QByteArray file = tavlen::test::sampleResourceModule();
    ASSERT_FALSE(file.isEmpty());
    const QList<ElfSection> sections = ElfSections::named(file, ".gresource.");
    ASSERT_EQ(sections.size(), 1);
    // Copied to a place of its own, at an address no longer aligned as GVDB wants it.
    const QByteArray unaligned = QByteArray(1, ' ') + file.mid(sections[0].offset, sections[0].size);
    const GResourceBundle bundle(QByteArrayView(unaligned).sliced(1));
    ASSERT_TRUE(bundle.isValid());
    const QString prefix = QStringLiteral("/com/fenwater/tavlen/sample/");
    QStringList paths = bundle.paths();
    paths.sort();
    EXPECT_EQ(paths, (QStringList{prefix + QStringLiteral("gtk/help-overlay.ui"),
                                  prefix + QStringLiteral("window.ui")}));
    // The compressed file comes back whole, unless it would be larger than asked for.
    const QByteArray window = bundle.file(prefix + QStringLiteral("window.ui"), 1 << 20);
    EXPECT_TRUE(window.contains("GtkApplicationWindow"));
    EXPECT_TRUE(bundle.file(prefix + QStringLiteral("window.ui"), window.size() - 1).isEmpty());
    EXPECT_TRUE(bundle.file(prefix + QStringLiteral("missing.ui"), 1 << 20).isEmpty());

    EXPECT_FALSE(GResourceBundle(QByteArrayView("GVariant but nothing else")).isValid());
    EXPECT_TRUE(GResourceBundle(QByteArrayView()).paths().isEmpty());
}

TEST(ShortcutsWindowSupplierTest, FindsTheShortcutsWindowOfALoadedLibraryAndScansItOnce)
{
    // A copy of its own, so that its modification time can be moved without touching the build.
    QTemporaryDir dir;
    const QString module = dir.filePath(QStringLiteral("libsample.so"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAVLEN_SAMPLE_RESOURCES_MODULE), module));
    void* handle = dlopen(QFile::encodeName(module).constData(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    ASSERT_TRUE(ProcessMaps::codeFilesOf(getpid()).contains(module));

    ShortcutsWindowSupplier supplier;
    const QList<MenuItem> groups = supplier.groups({getpid(), QStringLiteral("tavlen-tests")}, {});
    EXPECT_EQ(entriesOf(groups),
              (QStringList{
                  QStringLiteral("Documents/Open a document=⌃ O!"), QStringLiteral("Documents/Zoom in=⌃ +!"),
                  QStringLiteral("Documents/Zoom in=⌃ =!"), QStringLiteral("Documents/Go to tab=⌥ 1…9"),
                  QStringLiteral("Editing/Cut the line=⌃ K, ⌃ X"), QStringLiteral("Editing/Redo=⌃⇧ Z!")}));

    // Every file of the process was scanned once; reading again scans none, and a file that
    // changed is scanned again.
    const qsizetype scans = supplier.fileScans();
    EXPECT_GT(scans, 1);
    EXPECT_EQ(entriesOf(supplier.groups({getpid(), {}}, {})), entriesOf(groups));
    EXPECT_EQ(supplier.fileScans(), scans);
    QFile file(module);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(supplier.groups({getpid(), {}}, {}).size(), 2);
    EXPECT_EQ(supplier.fileScans(), scans + 1);

    EXPECT_TRUE(supplier.groups({-1, {}}, {}).isEmpty());
    dlclose(handle);
}
