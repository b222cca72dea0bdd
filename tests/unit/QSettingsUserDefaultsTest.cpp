#include "platform/linux/QSettingsUserDefaults.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/linux/XdgFileLocations.h"
#include "settings/AppSettings.h"
#include "settings/UserDefaults.h"
#include "support/TempEnvironment.h"
#include "support/WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <gtest/gtest.h>

using namespace tavlen;
using linux_platform::QSettingsUserDefaults;
using linux_platform::XdgFileLocations;
using test::waitUntil;

namespace {

class QSettingsUserDefaultsTest : public ::testing::Test {
protected:
    QString confPath() const { return env.configHome() + QStringLiteral("/Fenwater/Tavlen.conf"); }

    // Another process saving the file the way QSettings does: a new file renamed over it.
    void replaceFile(const QByteArray& content)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(confPath()).path()));
        QSaveFile file(confPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        ASSERT_TRUE(file.commit());
    }

    // An editor that writes the file in place.
    void rewriteInPlace(const QByteArray& content)
    {
        QFile file(confPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    test::TempEnvironment env;
    XdgFileLocations locations;
};

struct KeyLog {
    explicit KeyLog(UserDefaultsStore& store)
    {
        QObject::connect(&store, &UserDefaultsStore::valueChanged, &store,
                         [this](const QString& key) { keys << key; });
    }
    QStringList keys;
};

TEST_F(QSettingsUserDefaultsTest, KeepsAnIniFileBelowTheConfigFolder)
{
    {
        QSettingsUserDefaults store(locations);
        EXPECT_EQ(store.filePath(), confPath());
        UserDefaults defaults(store);
        defaults.setAmountOfColumns(3);
        defaults.setKeyHoldingDelay(0.25);
        defaults.setLaunchAtLogin(true);
        store.setValue(QStringLiteral("appearance"), QStringLiteral("dark"));
    }
    QFile file(confPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.contains("amountOfColumns=3")) << content.constData();
    EXPECT_TRUE(content.contains("keyHoldingDelay=0.25")) << content.constData();
    EXPECT_TRUE(content.contains("launchAtLogin=true")) << content.constData();

    // A new process reads text back, which the typed readers understand.
    QSettingsUserDefaults reopened(locations);
    EXPECT_EQ(reopened.value(QStringLiteral("amountOfColumns")), QVariant(QStringLiteral("3")));
    UserDefaults defaults(reopened);
    EXPECT_EQ(defaults.amountOfColumns(), 3);
    EXPECT_EQ(defaults.keyHoldingDelay(), 0.25);
    EXPECT_TRUE(defaults.launchAtLogin());
    EXPECT_FALSE(defaults.hideMenuIcon());
    EXPECT_EQ(reopened.value(QStringLiteral("appearance")), QVariant(QStringLiteral("dark")));

    reopened.remove(QStringLiteral("amountOfColumns"));
    EXPECT_FALSE(reopened.value(QStringLiteral("amountOfColumns")).isValid());
    EXPECT_EQ(QSettingsUserDefaults(locations).value(QStringLiteral("amountOfColumns")), QVariant());
}

TEST_F(QSettingsUserDefaultsTest, OwnWritesAreAnnouncedOnce)
{
    QSettingsUserDefaults store(locations);
    KeyLog log(store);
    UserDefaults(store).setFontSize(14.0);
    store.remove(QStringLiteral("fontSize"));
    EXPECT_EQ(log.keys, (QStringList{QStringLiteral("fontSize"), QStringLiteral("fontSize")}));

    // Let the watcher report our own saves, then an outside edit behind them: only that edit
    // may add to the log.
    replaceFile("[General]\nshowCredits=false\n");
    ASSERT_TRUE(waitUntil([&] { return log.keys.size() >= 3; }));
    EXPECT_EQ(log.keys, (QStringList{QStringLiteral("fontSize"), QStringLiteral("fontSize"),
                                     QStringLiteral("showCredits")}));
}

TEST_F(QSettingsUserDefaultsTest, OutsideEditsAreAnnouncedPerChangedKey)
{
    replaceFile("[General]\namountOfColumns=4\nfontSize=13\nshowCredits=true\n");
    QSettingsUserDefaults store(locations);
    KeyLog log(store);

    // Changed, removed and added keys; an unchanged one stays quiet.
    replaceFile("[General]\namountOfColumns=6\nshowCredits=true\nshowBookmarks=true\n");
    ASSERT_TRUE(waitUntil([&] { return log.keys.size() >= 3; }))
        << log.keys.join(QLatin1Char(' ')).toStdString();
    log.keys.sort();
    EXPECT_EQ(log.keys, (QStringList{QStringLiteral("amountOfColumns"), QStringLiteral("fontSize"),
                                     QStringLiteral("showBookmarks")}));
    EXPECT_EQ(UserDefaults(store).amountOfColumns(), 6);
    EXPECT_FALSE(store.value(QStringLiteral("fontSize")).isValid());

    // The file was replaced: the watch must have followed it to the new one.
    log.keys.clear();
    rewriteInPlace("[General]\namountOfColumns=8\nshowCredits=true\nshowBookmarks=true\n");
    ASSERT_TRUE(waitUntil([&] { return !log.keys.isEmpty(); }));
    EXPECT_EQ(log.keys, QStringList{QStringLiteral("amountOfColumns")});
    EXPECT_EQ(UserDefaults(store).amountOfColumns(), 8);
}

TEST_F(QSettingsUserDefaultsTest, AFileCreatedLaterIsNoticed)
{
    QSettingsUserDefaults store(locations);
    KeyLog log(store);
    ASSERT_FALSE(QFile::exists(confPath()));
    replaceFile("[General]\nhideMenuIcon=true\n");
    ASSERT_TRUE(waitUntil([&] { return !log.keys.isEmpty(); }));
    EXPECT_EQ(log.keys, QStringList{QStringLiteral("hideMenuIcon")});
    EXPECT_TRUE(UserDefaults(store).hideMenuIcon());
}

TEST_F(QSettingsUserDefaultsTest, AnotherProcessWritingReachesAppSettings)
{
    QSettingsUserDefaults store(locations);
    fake::FakeFileSystem files;
    fake::FakeApplicationDirectory applications;
    AppSettings settings(store, locations, files, applications, AppSettings::EnvironmentReader());
    EXPECT_EQ(settings.amountOfColumns(), 4);
    int notified = 0;
    QObject::connect(&settings, &AppSettings::amountOfColumnsChanged, &settings, [&] { ++notified; });

    replaceFile("[General]\namountOfColumns=2\n");
    ASSERT_TRUE(waitUntil([&] { return notified > 0; }));
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(settings.amountOfColumns(), 2);

    // And the other way: our write is in the file for the other process.
    settings.setFontSize(16.0);
    QSettings other(confPath(), QSettings::IniFormat);
    EXPECT_EQ(other.value(QStringLiteral("fontSize")).toString(), QStringLiteral("16"));
}

TEST(QSettingsUserDefaultsWithoutHome, KeepsValuesInMemory)
{
    test::TempEnvironment env;
    env.set("XDG_CONFIG_HOME", QByteArray());
    env.set("HOME", QByteArray());
    XdgFileLocations locations;
    ASSERT_FALSE(locations.configHome().has_value());
    QSettingsUserDefaults store(locations);
    EXPECT_FALSE(store.filePath().has_value());
    KeyLog log(store);
    UserDefaults(store).setAmountOfColumns(5);
    EXPECT_EQ(UserDefaults(store).amountOfColumns(), 5);
    EXPECT_EQ(log.keys, QStringList{QStringLiteral("amountOfColumns")});
}

} // namespace
