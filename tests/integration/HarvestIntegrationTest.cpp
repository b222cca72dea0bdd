#include "IntegrationDesktop.h"

#include "harvest/HotkeyManager.h"
#include "platform/MenuFixture.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeUserDefaults.h"
#include "platform/linux/X11Workspace.h"
#include "settings/AppSettings.h"
#include "support/StoreTestSupport.h"

#include "support/MenuItemSearch.h"
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavlen;
using tavlen::test::IntegrationDesktop;

using tavlen::test::find;
using tavlen::test::titlesOf;

namespace {

// The harvest of real applications, through the real adapter and workspace.
class HarvestIntegration : public test::DesktopTest {
protected:
    HarvestIntegration()
        : settings(defaults, locations, files, applications,
                   [](const char*) { return std::optional<QString>(); })
        , store(storeSupport.open())
    {}

    QList<MenuItem> harvest(const QString& identifier)
    {
        HotkeyManager manager(identifier, identifier, session->accessibility(), workspace,
                              store.applicationRecorder(), settings.harvestSettings(), clock);
        return HotkeyManager::pruneMenuItems(manager.harvestMenuBar(identifier));
    }

    std::optional<QString> keysAt(const QList<MenuItem>& items, const QStringList& path)
    {
        const MenuItem* item = find(items, path);
        return item ? item->keys : std::optional<QString>(QStringLiteral("<missing>"));
    }

    fake::FakeUserDefaults defaults;
    fake::FakeFileLocations locations{QStringLiteral("/home")};
    fake::FakeFileSystem files;
    fake::FakeApplicationDirectory applications;
    AppSettings settings;
    test::StoreTestSupport storeSupport;
    DatabaseManager& store;
    linux_platform::X11Workspace workspace;
    fake::FakeClock clock;
};

} // namespace

TEST_F(HarvestIntegration, GeanyFromFirstMenuToLast)
{
    const QList<MenuItem> items = harvest(QStringLiteral("geany"));
    ASSERT_FALSE(items.isEmpty());
    EXPECT_EQ(items.first().title, QStringLiteral("File"));
    EXPECT_EQ(items.last().title, QStringLiteral("Help"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("File"), QStringLiteral("New")}), QStringLiteral("⌃ N"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("File"), QStringLiteral("Open Selected File")}),
              QStringLiteral("⌃⇧ O"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("Edit"), QStringLiteral("Copy")}), QStringLiteral("⌃ C"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("Help"), QStringLiteral("Help")}), QStringLiteral("F1"));
    // Entries with only a mnemonic are pruned.
    EXPECT_EQ(find(items, {QStringLiteral("File"), QStringLiteral("Save As...")}), nullptr);
    const MenuItem* save = find(items, {QStringLiteral("File"), QStringLiteral("Save")});
    ASSERT_NE(save, nullptr);
    EXPECT_FALSE(save->isActive);
}

TEST_F(HarvestIntegration, QpdfviewThroughItsNamelessPopupMenus)
{
    const QList<MenuItem> items = harvest(QStringLiteral("qpdfview"));
    ASSERT_FALSE(items.isEmpty());
    EXPECT_EQ(items.first().title, QStringLiteral("File"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("File"), QStringLiteral("Refresh")}), QStringLiteral("F5"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("Edit"), QStringLiteral("Find previous")}),
              QStringLiteral("⇧ F3"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("Edit"), QStringLiteral("Jump backward")}),
              QStringLiteral("⌃ ⏎"));
}

namespace {

struct CtlRun {
    int exitCode = -1;
    QString out;
    QString err;
    qint64 milliseconds = 0;
};

CtlRun runCtl(const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(TAVLENCTL_PATH), arguments);
    // The D-Bus default timeout is 25 s: nothing may wait longer than that.
    EXPECT_TRUE(process.waitForFinished(40000));
    return CtlRun{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                  QString::fromUtf8(process.readAllStandardOutput()),
                  QString::fromUtf8(process.readAllStandardError()), timer.elapsed()};
}

} // namespace

TEST_F(HarvestIntegration, AMenuBarInsideAToolBarIsFoundAndQtsKeyNamesAndMnemonicsRead)
{
    QProcessEnvironment environment = session->environment();
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    // The tests' own offscreen platform has no accessibility.
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // Qt 6.4 given the bus's address outright never joins it (Qt 5 does); asked, the session
    // bus names the same one.
    environment.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
    QProcess window;
    window.setProcessEnvironment(environment);
    window.start(QStringLiteral(TOOLBAR_MENU_WINDOW_PATH), {});
    ASSERT_TRUE(window.waitForStarted());
    const auto stop = qScopeGuard([&window] {
        window.kill();
        window.waitForFinished();
    });
    ASSERT_TRUE(session->waitForMenuBar(window.processId())) << window.readAllStandardError().toStdString();

    MenuWalk walk(session->accessibility(), MenuWalkLimits{});
    const QList<MenuItem> items = HotkeyManager::pruneMenuItems(walk.menuBar(window.processId()));
    EXPECT_EQ(keysAt(items, {QStringLiteral("File"), QStringLiteral("Open…")}), QStringLiteral("⌃ O"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("File"), QStringLiteral("Overwrite Mode")}),
              QStringLiteral("⌃⇧ Ins"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("File"), QStringLiteral("Play")}),
              QStringLiteral("⌃ Media Play"));
    // Its mnemonic is all "Heading 1" has: no entry.
    EXPECT_EQ(find(items, {QStringLiteral("File"), QStringLiteral("Heading 1")}), nullptr);
}

TEST_F(HarvestIntegration, TavlenctlPrintsTheMenusOfARunningApplication)
{
    QProcessEnvironment environment = session->environment();
    QTemporaryDir home;
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));

    const CtlRun geany =
        runCtl({QStringLiteral("menus"), QStringLiteral("--app"), QStringLiteral("geany")}, environment);
    ASSERT_EQ(geany.exitCode, 0) << geany.err.toStdString();
    const QStringList lines = geany.out.split(QLatin1Char('\n'));
    const auto line = [&](const QString& title) {
        for (const QString& candidate : lines) {
            if (candidate.trimmed().startsWith(title + QLatin1Char(' ')))
                return candidate.simplified();
        }
        return QString();
    };
    EXPECT_EQ(line(QStringLiteral("Open Selected File")), QStringLiteral("Open Selected File ⌃⇧ O"));
    EXPECT_EQ(line(QStringLiteral("Save")), QStringLiteral("Save ⌃ S (disabled)"));
    // Every menu printed holds something: a menu's line (its title alone, where an entry's is
    // padded to its shortcut column) is followed by one indented deeper. Geany's Set Filetype
    // submenus and their like hold no shortcut.
    const auto indent = [](const QString& text) {
        return text.indexOf(QRegularExpression(QStringLiteral("\\S")));
    };
    int menus = 0;
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty() || lines[i].size() > 48)
            continue;
        ++menus;
        EXPECT_GT(indent(lines[i + 1]), indent(lines[i])) << lines[i].toStdString();
    }
    EXPECT_GT(menus, 5);

    const CtlRun recorded = runCtl(
        {QStringLiteral("menus"), QStringLiteral("--app"), QStringLiteral("geany"), QStringLiteral("--json")},
        environment);
    ASSERT_EQ(recorded.exitCode, 0) << recorded.err.toStdString();
    const auto fixture = MenuFixture::parse(recorded.out.toUtf8());
    ASSERT_TRUE(std::holds_alternative<MenuFixture>(fixture)) << std::get<QString>(fixture).toStdString();
    EXPECT_EQ(std::get<MenuFixture>(fixture).application.identifier, QStringLiteral("geany"));
}

TEST_F(HarvestIntegration, TavlenctlPrintsTheSheetOfARunningApplication)
{
    QProcessEnvironment environment = session->environment();
    QTemporaryDir home;
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));

    const CtlRun sheet = runCtl({QStringLiteral("sheet"), QStringLiteral("--app"), QStringLiteral("geany"),
                                 QStringLiteral("--format"), QStringLiteral("json")},
                                environment);
    ASSERT_EQ(sheet.exitCode, 0) << sheet.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(sheet.out.toUtf8()).object();
    EXPECT_EQ(
        json.value(QStringLiteral("application")).toObject().value(QStringLiteral("identifier")).toString(),
        QStringLiteral("geany"));
    EXPECT_EQ(json.value(QStringLiteral("columns")).toInt(), 4);
    QString copy;
    for (const QJsonValue& group : json.value(QStringLiteral("groups")).toArray()) {
        for (const QJsonValue& row : group.toObject().value(QStringLiteral("rows")).toArray()) {
            if (row.toObject().value(QStringLiteral("title")).toString() == QLatin1String("Copy"))
                copy = row.toObject().value(QStringLiteral("keys")).toString();
        }
    }
    EXPECT_EQ(copy, QStringLiteral("⌃ C"));

    const CtlRun markdown = runCtl({QStringLiteral("sheet"), QStringLiteral("--app"), QStringLiteral("geany"),
                                    QStringLiteral("--format"), QStringLiteral("markdown")},
                                   environment);
    EXPECT_EQ(markdown.exitCode, 0);
    EXPECT_TRUE(markdown.out.contains(QStringLiteral("Open Selected File"))) << markdown.out.toStdString();

    const QString picture = home.filePath(QStringLiteral("geany.png"));
    const CtlRun png = runCtl({QStringLiteral("sheet"), QStringLiteral("--app"), QStringLiteral("geany"),
                               QStringLiteral("--png"), picture},
                              environment);
    ASSERT_EQ(png.exitCode, 0) << png.err.toStdString();
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(8) == QByteArray("\x89PNG\r\n\x1a\n"));
    EXPECT_GT(file.size(), 10000);
}

TEST_F(HarvestIntegration, WithoutAnAccessibilityBusNothingIsReadAndNothingHangs)
{
    QProcessEnvironment environment = session->environment();
    QTemporaryDir home;
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    // A session bus that is not there, and so no accessibility bus either.
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QStringLiteral("unix:path=") + home.path() + QStringLiteral("/no-bus"));
    environment.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));

    const CtlRun run =
        runCtl({QStringLiteral("menus"), QStringLiteral("--app"), QStringLiteral("geany")}, environment);
    EXPECT_EQ(run.exitCode, 1);
    // It is said once as a warning before the read, and once as the reason nothing was read.
    const QStringList lines = run.err.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2) << run.err.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Accessibility is switched off: only applications")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Accessibility is switched off, so Geany cannot be read")))
        << lines[1].toStdString();
    EXPECT_LT(run.milliseconds, 25000);
}
