#include "settings/AppSettings.h"

#include "platform/ApplicationDirectory.h"
#include "platform/FileLocations.h"
#include "platform/FileSystem.h"
#include "platform/UserDefaultsStore.h"
#include "settings/Appearance.h"
#include "settings/PropertyList.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsValueLists.h"
#include "settings/StoredValue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace tavlen {
namespace {

namespace declared = SettingsDefaults;

struct StoredProperty {
    QLatin1String key;
    void (AppSettings::*notify)();
};

// Each stored key with the signal that announces it.
const std::array<StoredProperty, 17> storedProperties{{
    {SettingsKeys::amountOfColumns, &AppSettings::amountOfColumnsChanged},
    {SettingsKeys::activationPersistentKeyType, &AppSettings::activationPersistentKeyTypeChanged},
    {SettingsKeys::appearance, &AppSettings::appearanceChanged},
    {SettingsKeys::applyLimitToBrowsers, &AppSettings::applyLimitToBrowsersChanged},
    {SettingsKeys::applyLimitToTitles, &AppSettings::applyLimitToTitlesChanged},
    {SettingsKeys::enableCustomShortcuts, &AppSettings::enableCustomShortcutsChanged},
    {SettingsKeys::fontSize, &AppSettings::fontSizeChanged},
    {SettingsKeys::limitElements, &AppSettings::limitElementsChanged},
    {SettingsKeys::limitTitles, &AppSettings::limitTitlesChanged},
    {SettingsKeys::showAllMenus, &AppSettings::showAllMenusChanged},
    {SettingsKeys::showAppIcon, &AppSettings::showAppIconChanged},
    {SettingsKeys::showBookmarks, &AppSettings::showBookmarksChanged},
    {SettingsKeys::showCredits, &AppSettings::showCreditsChanged},
    {SettingsKeys::showInactiveMenu, &AppSettings::showInactiveMenuChanged},
    {SettingsKeys::showHotkeyOnTheRight, &AppSettings::showHotkeyOnTheRightChanged},
    {SettingsKeys::showLocalizedCustomShortcuts, &AppSettings::showLocalizedCustomShortcutsChanged},
    {SettingsKeys::showUserHiddenElements, &AppSettings::showUserHiddenElementsChanged},
}};

AppItem globalAppItem()
{
    AppItem item;
    item.identifier = QStringLiteral("global");
    item.title = QStringLiteral("My Shortcuts");
    return item;
}

bool sameItem(const AppItem& a, const AppItem& b)
{
    // AppItem's own equality looks at the identifier only; a new selection with another
    // identity or title must still reach the views.
    return a.id == b.id && a.identifier == b.identifier && a.title == b.title && a.image == b.image;
}

std::optional<QStringList> browserList(const QVariant& plist)
{
    if (plist.metaType().id() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariant browsers = plist.toMap().value(QStringLiteral("Browsers"));
    if (browsers.metaType().id() != QMetaType::QVariantList)
        return std::nullopt;
    QStringList result;
    const QVariantList items = browsers.toList();
    for (const QVariant& item : items) {
        if (item.metaType().id() != QMetaType::QString)
            return std::nullopt;
        result << item.toString();
    }
    return result;
}

} // namespace

AppSettings::AppSettings(UserDefaultsStore& defaults, const FileLocations& locations, const FileSystem& files,
                         const ApplicationDirectory& applications, EnvironmentReader environment,
                         QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_locations(locations)
    , m_files(files)
    , m_applications(applications)
    , m_environment(std::move(environment))
    , m_selectedAppInSetings(globalAppItem())
{
    connect(&m_defaults, &UserDefaultsStore::valueChanged, this, &AppSettings::storedValueChanged);
    loadBrowsers();
    refreshCustomShortcutsAvailable();
    loadExperimentalFeatures();
}

AppSettings::EnvironmentReader AppSettings::processEnvironment()
{
    return [](const char* name) -> std::optional<QString> {
        if (!qEnvironmentVariableIsSet(name))
            return std::nullopt;
        return qEnvironmentVariable(name);
    };
}

void AppSettings::storedValueChanged(const QString& key)
{
    for (const StoredProperty& property : storedProperties) {
        if (property.key == key) {
            Q_EMIT(this->*property.notify)();
            Q_EMIT changed();
            return;
        }
    }
}

template <typename T>
void AppSettings::assign(T& field, const T& value, void (AppSettings::*notify)())
{
    if (field == value)
        return;
    field = value;
    Q_EMIT(this->*notify)();
    Q_EMIT changed();
}

void AppSettings::setPauseMonitoring(bool value)
{
    assign(m_pauseMonitoring, value, &AppSettings::pauseMonitoringChanged);
}

void AppSettings::setBlockedMonitoring(bool value)
{
    assign(m_blockedMonitoring, value, &AppSettings::blockedMonitoringChanged);
}

void AppSettings::setBrowsers(const QStringList& value)
{
    assign(m_browsers, value, &AppSettings::browsersChanged);
}

void AppSettings::setCustomShortcutsAvailable(bool value)
{
    assign(m_customShortcutsAvailable, value, &AppSettings::customShortcutsAvailableChanged);
}

void AppSettings::setSelectedAppInSetings(const AppItem& value)
{
    if (sameItem(m_selectedAppInSetings, value))
        return;
    m_selectedAppInSetings = value;
    Q_EMIT selectedAppInSetingsChanged();
    Q_EMIT changed();
}

void AppSettings::setExperimentalFeatures(bool value)
{
    assign(m_experimentalFeatures, value, &AppSettings::experimentalFeaturesChanged);
}

bool AppSettings::boolValue(QLatin1String key, bool declaredDefault) const
{
    return StoredValue::toBool(m_defaults.value(key)).value_or(declaredDefault);
}

double AppSettings::inRange(double value, const SliderScale& scale, double declaredDefault)
{
    if (!std::isfinite(value))
        return declaredDefault;
    return std::clamp(value, scale.minimum, scale.maximum);
}

int AppSettings::intValue(QLatin1String key, int declaredDefault) const
{
    return StoredValue::toInt(m_defaults.value(key)).value_or(declaredDefault);
}

double AppSettings::doubleValue(QLatin1String key, double declaredDefault) const
{
    return StoredValue::toDouble(m_defaults.value(key)).value_or(declaredDefault);
}

int AppSettings::amountOfColumns() const
{
    return intValue(SettingsKeys::amountOfColumns, declared::amountOfColumns);
}

void AppSettings::setAmountOfColumns(int value)
{
    m_defaults.setValue(SettingsKeys::amountOfColumns, value);
}

int AppSettings::activationPersistentKeyType() const
{
    return intValue(SettingsKeys::activationPersistentKeyType, declared::activationPersistentKeyType);
}

void AppSettings::setActivationPersistentKeyType(int value)
{
    m_defaults.setValue(SettingsKeys::activationPersistentKeyType, value);
}

QString AppSettings::appearance() const
{
    return StoredValue::toString(m_defaults.value(SettingsKeys::appearance))
        .value_or(appearanceRawValue(declared::appearance));
}

void AppSettings::setAppearance(const QString& value)
{
    m_defaults.setValue(SettingsKeys::appearance, value);
}

bool AppSettings::applyLimitToBrowsers() const
{
    return boolValue(SettingsKeys::applyLimitToBrowsers, declared::applyLimitToBrowsers);
}

void AppSettings::setApplyLimitToBrowsers(bool value)
{
    m_defaults.setValue(SettingsKeys::applyLimitToBrowsers, value);
}

bool AppSettings::applyLimitToTitles() const
{
    return boolValue(SettingsKeys::applyLimitToTitles, declared::applyLimitToTitles);
}

void AppSettings::setApplyLimitToTitles(bool value)
{
    m_defaults.setValue(SettingsKeys::applyLimitToTitles, value);
}

bool AppSettings::enableCustomShortcuts() const
{
    return boolValue(SettingsKeys::enableCustomShortcuts, declared::enableCustomShortcuts);
}

void AppSettings::setEnableCustomShortcuts(bool value)
{
    m_defaults.setValue(SettingsKeys::enableCustomShortcuts, value);
}

double AppSettings::fontSize() const
{
    return inRange(doubleValue(SettingsKeys::fontSize, declared::fontSize),
                   SettingsValueLists::fontSizeScale(), declared::fontSize);
}

void AppSettings::setFontSize(double value)
{
    m_defaults.setValue(SettingsKeys::fontSize, value);
}

int AppSettings::limitElements() const
{
    return intValue(SettingsKeys::limitElements, declared::limitElements);
}

void AppSettings::setLimitElements(int value)
{
    m_defaults.setValue(SettingsKeys::limitElements, value);
}

double AppSettings::limitTitles() const
{
    return inRange(doubleValue(SettingsKeys::limitTitles, declared::limitTitles),
                   SettingsValueLists::limitTitlesScale(), declared::limitTitles);
}

void AppSettings::setLimitTitles(double value)
{
    m_defaults.setValue(SettingsKeys::limitTitles, value);
}

bool AppSettings::showAllMenus() const
{
    return boolValue(SettingsKeys::showAllMenus, declared::showAllMenus);
}

HarvestSettings AppSettings::harvestSettings() const
{
    return HarvestSettings{showAllMenus(), applyLimitToBrowsers(), limitElements(), browsers()};
}

void AppSettings::setShowAllMenus(bool value)
{
    m_defaults.setValue(SettingsKeys::showAllMenus, value);
}

bool AppSettings::showAppIcon() const
{
    return boolValue(SettingsKeys::showAppIcon, declared::showAppIcon);
}

void AppSettings::setShowAppIcon(bool value)
{
    m_defaults.setValue(SettingsKeys::showAppIcon, value);
}

bool AppSettings::showBookmarks() const
{
    return boolValue(SettingsKeys::showBookmarks, declared::showBookmarks);
}

void AppSettings::setShowBookmarks(bool value)
{
    m_defaults.setValue(SettingsKeys::showBookmarks, value);
}

bool AppSettings::showCredits() const
{
    return boolValue(SettingsKeys::showCredits, declared::showCredits);
}

void AppSettings::setShowCredits(bool value)
{
    m_defaults.setValue(SettingsKeys::showCredits, value);
}

bool AppSettings::showInactiveMenu() const
{
    return boolValue(SettingsKeys::showInactiveMenu, declared::showInactiveMenu);
}

void AppSettings::setShowInactiveMenu(bool value)
{
    m_defaults.setValue(SettingsKeys::showInactiveMenu, value);
}

bool AppSettings::showHotkeyOnTheRight() const
{
    return boolValue(SettingsKeys::showHotkeyOnTheRight, declared::showHotkeyOnTheRight);
}

void AppSettings::setShowHotkeyOnTheRight(bool value)
{
    m_defaults.setValue(SettingsKeys::showHotkeyOnTheRight, value);
}

bool AppSettings::showLocalizedCustomShortcuts() const
{
    return boolValue(SettingsKeys::showLocalizedCustomShortcuts, declared::showLocalizedCustomShortcuts);
}

void AppSettings::setShowLocalizedCustomShortcuts(bool value)
{
    m_defaults.setValue(SettingsKeys::showLocalizedCustomShortcuts, value);
}

bool AppSettings::showUserHiddenElements() const
{
    return boolValue(SettingsKeys::showUserHiddenElements, declared::showUserHiddenElements);
}

void AppSettings::setShowUserHiddenElements(bool value)
{
    m_defaults.setValue(SettingsKeys::showUserHiddenElements, value);
}

void AppSettings::loadBrowsers()
{
    std::optional<QStringList> browsers;
    if (const std::optional<QString> path = m_locations.resourceFile(QStringLiteral("Additional.plist"))) {
        const FileResult<QByteArray> bytes = m_files.readAll(*path);
        if (const QByteArray* content = std::get_if<QByteArray>(&bytes)) {
            if (const std::optional<QVariant> plist = PropertyList::parse(*content))
                browsers = browserList(*plist);
        }
    }
    setBrowsers(browsers.value_or(QStringList()));
}

void AppSettings::refreshCustomShortcutsAvailable()
{
    setCustomShortcutsAvailable(m_applications.find(APP_CUSTOM_SHORTCUTS).has_value());
}

void AppSettings::loadExperimentalFeatures()
{
    const std::optional<QString> value = m_environment ? m_environment("TAVLEN_EXPERIMENTAL") : std::nullopt;
    setExperimentalFeatures(value == QLatin1String("true"));
}

} // namespace tavlen
