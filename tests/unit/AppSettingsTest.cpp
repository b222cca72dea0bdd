#include "settings/AppSettings.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeUserDefaults.h"
#include "platform/linux/LocalFileSystem.h"
#include "settings/Appearance.h"
#include "settings/SettingsKeys.h"
#include "settings/UserDefaults.h"

#include <QMetaProperty>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>

using namespace tavlen;
using fake::FakeUserDefaults;

namespace {

const QString plistPath = QStringLiteral("/res/Additional.plist");

QByteArray plistWithBrowsers(const QByteArray& value)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>Browsers</key>" +
           value + "</dict></plist>";
}

// How often each signal of an AppSettings fired, by name, in the order they came.
struct SignalLog {
    explicit SignalLog(AppSettings& settings)
    {
        const QMetaObject* meta = settings.metaObject();
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            if (method.methodType() == QMetaMethod::Signal)
                names << QString::fromLatin1(method.name());
        }
        auto watch = [&](void (AppSettings::*signal)(), const char* name) {
            QObject::connect(&settings, signal, &settings,
                             [this, name] { order << QString::fromLatin1(name); });
        };
        watch(&AppSettings::changed, "changed");
        watch(&AppSettings::pauseMonitoringChanged, "pauseMonitoringChanged");
        watch(&AppSettings::blockedMonitoringChanged, "blockedMonitoringChanged");
        watch(&AppSettings::browsersChanged, "browsersChanged");
        watch(&AppSettings::customShortcutsAvailableChanged, "customShortcutsAvailableChanged");
        watch(&AppSettings::selectedAppInSetingsChanged, "selectedAppInSetingsChanged");
        watch(&AppSettings::experimentalFeaturesChanged, "experimentalFeaturesChanged");
        watch(&AppSettings::amountOfColumnsChanged, "amountOfColumnsChanged");
        watch(&AppSettings::activationPersistentKeyTypeChanged, "activationPersistentKeyTypeChanged");
        watch(&AppSettings::appearanceChanged, "appearanceChanged");
        watch(&AppSettings::applyLimitToBrowsersChanged, "applyLimitToBrowsersChanged");
        watch(&AppSettings::applyLimitToTitlesChanged, "applyLimitToTitlesChanged");
        watch(&AppSettings::enableCustomShortcutsChanged, "enableCustomShortcutsChanged");
        watch(&AppSettings::fontSizeChanged, "fontSizeChanged");
        watch(&AppSettings::limitElementsChanged, "limitElementsChanged");
        watch(&AppSettings::limitTitlesChanged, "limitTitlesChanged");
        watch(&AppSettings::showAllMenusChanged, "showAllMenusChanged");
        watch(&AppSettings::showAppIconChanged, "showAppIconChanged");
        watch(&AppSettings::showBookmarksChanged, "showBookmarksChanged");
        watch(&AppSettings::showCreditsChanged, "showCreditsChanged");
        watch(&AppSettings::showInactiveMenuChanged, "showInactiveMenuChanged");
        watch(&AppSettings::showHotkeyOnTheRightChanged, "showHotkeyOnTheRightChanged");
        watch(&AppSettings::showLocalizedCustomShortcutsChanged, "showLocalizedCustomShortcutsChanged");
        watch(&AppSettings::showUserHiddenElementsChanged, "showUserHiddenElementsChanged");
    }

    QStringList names; // every signal the class declares, to check the list above is complete
    QStringList order;
};

class AppSettingsTest : public ::testing::Test {
protected:
    AppSettingsTest() { locations.setResourceFile(QStringLiteral("Additional.plist"), plistPath); }

    std::unique_ptr<AppSettings> make(std::optional<QString> experimental = std::nullopt)
    {
        auto environment = [experimental](const char* name) -> std::optional<QString> {
            if (QByteArray(name) == "TAVLEN_EXPERIMENTAL")
                return experimental;
            return std::nullopt;
        };
        return std::make_unique<AppSettings>(store, locations, files, applications, environment);
    }

    FakeUserDefaults store;
    fake::FakeFileLocations locations{QStringLiteral("/home")};
    fake::FakeFileSystem files;
    fake::FakeApplicationDirectory applications;
};

TEST_F(AppSettingsTest, AFreshDomainShowsTheDeclaredDefaults)
{
    const auto settings = make();
    EXPECT_EQ(settings->amountOfColumns(), 4);
    EXPECT_EQ(settings->activationPersistentKeyType(), 1);
    EXPECT_EQ(settings->appearance(), QStringLiteral("system"));
    EXPECT_FALSE(settings->applyLimitToBrowsers());
    EXPECT_FALSE(settings->applyLimitToTitles());
    EXPECT_FALSE(settings->enableCustomShortcuts());
    EXPECT_EQ(settings->fontSize(), 13.0);
    EXPECT_EQ(settings->limitElements(), 200);
    EXPECT_EQ(settings->limitTitles(), 45.0);
    EXPECT_FALSE(settings->showAllMenus());
    EXPECT_TRUE(settings->showAppIcon());
    EXPECT_FALSE(settings->showBookmarks());
    EXPECT_TRUE(settings->showCredits());
    EXPECT_TRUE(settings->showInactiveMenu());
    EXPECT_TRUE(settings->showHotkeyOnTheRight());
    EXPECT_TRUE(settings->showLocalizedCustomShortcuts());
    EXPECT_FALSE(settings->showUserHiddenElements());

    EXPECT_FALSE(settings->pauseMonitoring());
    EXPECT_FALSE(settings->blockedMonitoring());
    EXPECT_FALSE(settings->customShortcutsAvailable());
    EXPECT_FALSE(settings->experimentalFeatures());

    // Reading never writes, and the direct accessors read the same defaults.
    UserDefaults direct(store);
    EXPECT_EQ(direct.amountOfColumns(), settings->amountOfColumns());
    EXPECT_EQ(direct.fontSize(), settings->fontSize());
    EXPECT_EQ(direct.limitTitles(), settings->limitTitles());
    EXPECT_EQ(direct.showAppIcon(), settings->showAppIcon());
    EXPECT_TRUE(store.contents().isEmpty());
}

TEST_F(AppSettingsTest, ConstantsAndTheInitialSelection)
{
    EXPECT_EQ(QString(AppSettings::APP_IDENTIFIER), QStringLiteral("com.Fenwater.Tavlen"));
    EXPECT_EQ(QString(AppSettings::XPC_SERVICE_IDENTIFIER), QStringLiteral("com.Fenwater.TavlenXPCService"));
    EXPECT_EQ(QString(AppSettings::UPDATE_NOTIFICATION_IDENTIFIER),
              QStringLiteral("Fenwater_Tavlen_UpdateCheck"));
    EXPECT_EQ(QString(AppSettings::APP_CUSTOM_SHORTCUTS), QStringLiteral("com.houdah.CustomShortcuts"));

    const auto first = make();
    first->setSelectedAppInSetings(AppItem{QUuid::createUuid(), QStringLiteral("org.gnome.gedit"),
                                           QStringLiteral("Text Editor"), QStringLiteral("gedit")});
    const auto second = make();
    const AppItem& initial = second->selectedAppInSetings();
    EXPECT_EQ(initial.identifier, QStringLiteral("global"));
    EXPECT_EQ(initial.title, QStringLiteral("My Shortcuts"));
    EXPECT_FALSE(initial.image.has_value());
    EXPECT_FALSE(initial.id.isNull());
    // A fresh identity for every instance, so list views never mistake one for another.
    EXPECT_NE(make()->selectedAppInSetings().id, initial.id);
}

TEST_F(AppSettingsTest, StoredValuesOfEitherFormAreRead)
{
    store.simulateOutsideEdit(SettingsKeys::amountOfColumns, QStringLiteral("6"));
    store.simulateOutsideEdit(SettingsKeys::showAppIcon, QStringLiteral("false"));
    store.simulateOutsideEdit(SettingsKeys::showBookmarks, true);
    store.simulateOutsideEdit(SettingsKeys::fontSize, QStringLiteral("15"));
    store.simulateOutsideEdit(SettingsKeys::limitTitles, 40);
    store.simulateOutsideEdit(SettingsKeys::appearance, QStringLiteral("dark"));
    const auto settings = make();
    EXPECT_EQ(settings->amountOfColumns(), 6);
    EXPECT_FALSE(settings->showAppIcon());
    EXPECT_TRUE(settings->showBookmarks());
    EXPECT_EQ(settings->fontSize(), 15.0);
    EXPECT_EQ(settings->limitTitles(), 40.0);
    EXPECT_EQ(appearanceFromRawValue(settings->appearance()), Appearance::dark);
}

TEST_F(AppSettingsTest, SizesOutsideWhatTheSettingsWindowOffersCountAsItsNearestEndAndTheFileIsLeftAlone)
{
    const auto read = [this](QLatin1String key, const QVariant& stored) {
        store.simulateOutsideEdit(key, stored);
        const auto settings = make();
        return key == SettingsKeys::fontSize ? settings->fontSize() : settings->limitTitles();
    };
    EXPECT_EQ(read(SettingsKeys::fontSize, 100000), 22.0);
    EXPECT_EQ(read(SettingsKeys::fontSize, QStringLiteral("1e308")), 22.0);
    EXPECT_EQ(read(SettingsKeys::fontSize, -3), 10.0);
    EXPECT_EQ(read(SettingsKeys::fontSize, QStringLiteral("nan")), 13.0) << "the declared default";
    EXPECT_EQ(read(SettingsKeys::limitTitles, -10), 13.0);
    EXPECT_EQ(read(SettingsKeys::limitTitles, 1000), 45.0);
    EXPECT_EQ(store.value(QStringLiteral("limitTitles")), QVariant(1000));
}

TEST_F(AppSettingsTest, ValuesOfAnotherTypeFallBackToTheDeclaredDefaults)
{
    store.simulateOutsideEdit(SettingsKeys::amountOfColumns, QStringLiteral("many"));
    store.simulateOutsideEdit(SettingsKeys::limitElements, 12.5);
    store.simulateOutsideEdit(SettingsKeys::showAppIcon, QStringLiteral("0"));
    store.simulateOutsideEdit(SettingsKeys::showCredits, 0);
    store.simulateOutsideEdit(SettingsKeys::fontSize, true);
    store.simulateOutsideEdit(SettingsKeys::limitTitles, QStringLiteral("long"));
    store.simulateOutsideEdit(SettingsKeys::appearance, 2);
    const auto settings = make();
    EXPECT_EQ(settings->amountOfColumns(), 4);
    EXPECT_EQ(settings->limitElements(), 200);
    EXPECT_TRUE(settings->showAppIcon());
    EXPECT_TRUE(settings->showCredits());
    EXPECT_EQ(settings->fontSize(), 13.0);
    EXPECT_EQ(settings->limitTitles(), 45.0);
    EXPECT_EQ(settings->appearance(), QStringLiteral("system"));

    // An unknown appearance string is passed on as it is: it forces no scheme.
    store.simulateOutsideEdit(SettingsKeys::appearance, QStringLiteral("sepia"));
    EXPECT_EQ(settings->appearance(), QStringLiteral("sepia"));
    EXPECT_FALSE(appearanceFromRawValue(settings->appearance()).has_value());
}

TEST_F(AppSettingsTest, WritesLandUnderTheKeyAndAreSeenByTheDirectAccessors)
{
    const auto settings = make();
    UserDefaults direct(store);
    settings->setAmountOfColumns(2);
    settings->setFontSize(17.0);
    settings->setLimitTitles(30.0);
    settings->setShowAppIcon(false);
    settings->setEnableCustomShortcuts(true);
    settings->setAppearance(QStringLiteral("light"));
    settings->setLimitElements(50);
    EXPECT_EQ(direct.amountOfColumns(), 2);
    EXPECT_EQ(direct.fontSize(), 17.0);
    EXPECT_EQ(direct.limitTitles(), 30.0);
    EXPECT_FALSE(direct.showAppIcon());
    EXPECT_TRUE(direct.enableCustomShortcuts());
    EXPECT_EQ(store.value(QStringLiteral("appearance")), QVariant(QStringLiteral("light")));
    EXPECT_EQ(store.value(QStringLiteral("limitElements")), QVariant(50));
    EXPECT_EQ(settings->limitElements(), 50);
}

TEST_F(AppSettingsTest, AChangeOfAStoredKeyNotifiesItsPropertyAndThenTheObject)
{
    const auto settings = make();
    SignalLog log(*settings);
    // Every signal is watched; a new property without a watched signal fails here.
    EXPECT_EQ(log.names.size(), 24);

    double seenInsideSignal = 0.0;
    QObject::connect(settings.get(), &AppSettings::fontSizeChanged, settings.get(),
                     [&] { seenInsideSignal = settings->fontSize(); });

    UserDefaults direct(store);
    direct.setFontSize(20.0);
    EXPECT_EQ(log.order, (QStringList{QStringLiteral("fontSizeChanged"), QStringLiteral("changed")}));
    EXPECT_EQ(seenInsideSignal, 20.0);

    log.order.clear();
    settings->setShowUserHiddenElements(true);
    store.simulateOutsideEdit(SettingsKeys::activationPersistentKeyType, QStringLiteral("0"));
    store.remove(SettingsKeys::showCredits);
    EXPECT_EQ(log.order,
              (QStringList{QStringLiteral("showUserHiddenElementsChanged"), QStringLiteral("changed"),
                           QStringLiteral("activationPersistentKeyTypeChanged"), QStringLiteral("changed"),
                           QStringLiteral("showCreditsChanged"), QStringLiteral("changed")}));
    EXPECT_EQ(settings->activationPersistentKeyType(), 0);

    // Keys this object does not carry leave it silent.
    log.order.clear();
    direct.setHideMenuIcon(true);
    direct.setKeyHoldingDelay(0.5);
    store.simulateOutsideEdit(QStringLiteral("somethingElse"), 1);
    EXPECT_TRUE(log.order.isEmpty()) << log.order.join(QLatin1Char(' ')).toStdString();
}

TEST_F(AppSettingsTest, EveryStoredPropertyIsBoundToItsOwnKey)
{
    const auto settings = make();
    const QMetaObject* meta = settings->metaObject();
    int stored = 0;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QString key = QString::fromLatin1(property.name());
        const QVariant before = property.read(settings.get());
        const int type = property.metaType().id();
        // A value every stored type reads, and that differs from any declared default.
        QString edit = QStringLiteral("17");
        // Within what the Settings window offers for the sizes, and unlike their defaults.
        if (key == QLatin1String("fontSize"))
            edit = QStringLiteral("14");
        if (type == QMetaType::Bool)
            edit = before.toBool() ? QStringLiteral("false") : QStringLiteral("true");

        QStringList notified;
        const QMetaMethod notify = property.notifySignal();
        const auto connection = QObject::connect(settings.get(), &AppSettings::changed, settings.get(),
                                                 [&] { notified << QStringLiteral("changed"); });
        store.simulateOutsideEdit(key, edit);
        QObject::disconnect(connection);
        if (notified.isEmpty()) {
            EXPECT_EQ(property.read(settings.get()), before) << key.toStdString();
            continue;
        }
        ++stored;
        EXPECT_EQ(QString::fromLatin1(notify.name()), key + QStringLiteral("Changed"));
        const QVariant after = property.read(settings.get());
        if (type == QMetaType::Bool)
            EXPECT_EQ(after.toBool(), !before.toBool()) << key.toStdString();
        else if (type == QMetaType::QString)
            EXPECT_EQ(after.toString(), edit) << key.toStdString();
        else
            EXPECT_EQ(after.toDouble(), edit.toDouble()) << key.toStdString();

        // Writing through the property puts the value back under the same key.
        EXPECT_TRUE(property.write(settings.get(), before)) << key.toStdString();
        EXPECT_EQ(property.read(settings.get()), before) << key.toStdString();
    }
    EXPECT_EQ(stored, 17);
}

TEST_F(AppSettingsTest, UnstoredFlagsNotifyOnlyWhenTheyChange)
{
    const auto settings = make();
    SignalLog log(*settings);
    settings->setPauseMonitoring(true);
    settings->setPauseMonitoring(true);
    settings->setBlockedMonitoring(true);
    settings->setBlockedMonitoring(false);
    EXPECT_EQ(log.order,
              (QStringList{QStringLiteral("pauseMonitoringChanged"), QStringLiteral("changed"),
                           QStringLiteral("blockedMonitoringChanged"), QStringLiteral("changed"),
                           QStringLiteral("blockedMonitoringChanged"), QStringLiteral("changed")}));
    EXPECT_TRUE(settings->pauseMonitoring());
    EXPECT_TRUE(store.contents().isEmpty());

    // Another item of the same application is still a new selection.
    log.order.clear();
    AppItem again = settings->selectedAppInSetings();
    again.id = QUuid::createUuid();
    settings->setSelectedAppInSetings(again);
    settings->setSelectedAppInSetings(again);
    EXPECT_EQ(log.order,
              (QStringList{QStringLiteral("selectedAppInSetingsChanged"), QStringLiteral("changed")}));
}

TEST_F(AppSettingsTest, BrowsersComeFromTheShippedList)
{
    linux_platform::LocalFileSystem disk;
    locations.setResourceFile(QStringLiteral("Additional.plist"),
                              QStringLiteral(TAVLEN_SHIPPED_DATA_DIR "/Additional.plist"));
    AppSettings settings(store, locations, disk, applications, AppSettings::processEnvironment());
    EXPECT_TRUE(settings.browsers().contains(QStringLiteral("firefox")));
    EXPECT_TRUE(settings.browsers().contains(QStringLiteral("org.gnome.Epiphany")));
}

TEST_F(AppSettingsTest, BrowsersAreEmptyUnlessTheFileHoldsAListOfStrings)
{
    files.putFile(plistPath,
                  plistWithBrowsers("<array><string>firefox</string><string>chromium</string></array>"));
    EXPECT_EQ(make()->browsers(), (QStringList{QStringLiteral("firefox"), QStringLiteral("chromium")}));

    const std::map<std::string, QByteArray> unusable{
        {"single string", plistWithBrowsers("<string>firefox</string>")},
        {"mixed array", plistWithBrowsers("<array><string>firefox</string><integer>3</integer></array>")},
        {"nested array", plistWithBrowsers("<array><array><string>firefox</string></array></array>")},
        {"no key", "<plist version=\"1.0\"><dict><key>Other</key><array/></dict></plist>"},
        {"array root", "<plist version=\"1.0\"><array><string>firefox</string></array></plist>"},
        {"malformed", "<plist version=\"1.0\"><dict><key>Browsers</key><array><string>firefox</array>"},
        {"empty file", ""},
    };
    for (const auto& [what, content] : unusable) {
        files.putFile(plistPath, content);
        EXPECT_TRUE(make()->browsers().isEmpty()) << what;
    }

    files.putFile(plistPath, plistWithBrowsers("<array><string>firefox</string></array>"));
    files.failReading(plistPath);
    EXPECT_TRUE(make()->browsers().isEmpty()) << "unreadable";

    fake::FakeFileLocations noResources(QStringLiteral("/home"));
    AppSettings missing(store, noResources, files, applications, AppSettings::EnvironmentReader());
    EXPECT_TRUE(missing.browsers().isEmpty()) << "missing";
}

TEST_F(AppSettingsTest, CustomShortcutsAvailabilityFollowsTheInstalledApplication)
{
    EXPECT_FALSE(make()->customShortcutsAvailable());

    applications.install(ApplicationInfo{QStringLiteral("com.houdah.CustomShortcuts"),
                                         QStringLiteral("CustomShortcuts"),
                                         QStringLiteral("/x.desktop"),
                                         {}});
    const auto settings = make();
    EXPECT_TRUE(settings->customShortcutsAvailable());

    SignalLog log(*settings);
    applications.uninstall(QStringLiteral("com.houdah.CustomShortcuts"));
    settings->refreshCustomShortcutsAvailable();
    EXPECT_FALSE(settings->customShortcutsAvailable());
    EXPECT_EQ(log.order,
              (QStringList{QStringLiteral("customShortcutsAvailableChanged"), QStringLiteral("changed")}));
}

TEST_F(AppSettingsTest, ExperimentalFeaturesNeedExactlyTrue)
{
    EXPECT_TRUE(make(QStringLiteral("true"))->experimentalFeatures());
    for (const char* value : {"TRUE", "True", "1", "yes", "true ", ""})
        EXPECT_FALSE(make(QString::fromLatin1(value))->experimentalFeatures()) << '"' << value << '"';
    EXPECT_FALSE(make(std::nullopt)->experimentalFeatures());
}

TEST(Appearance, RawValuesInOrderAndBack)
{
    QStringList raw;
    for (const Appearance appearance : allAppearances) {
        raw << appearanceRawValue(appearance);
        EXPECT_EQ(appearanceFromRawValue(appearanceRawValue(appearance)), appearance);
    }
    EXPECT_EQ(raw, (QStringList{QStringLiteral("system"), QStringLiteral("light"), QStringLiteral("dark")}));
    EXPECT_FALSE(appearanceFromRawValue(QStringLiteral("Dark")).has_value());
    EXPECT_FALSE(appearanceFromRawValue(QString()).has_value());
}

} // namespace
