#include "settings/UserDefaults.h"

#include "platform/UserDefaultsStore.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredValue.h"

namespace tavlen {

bool UserDefaults::boolValue(QLatin1String key, bool unwritten) const
{
    return StoredValue::toBool(m_store.value(key)).value_or(unwritten);
}

int UserDefaults::intValue(QLatin1String key, int unwritten) const
{
    return StoredValue::toInt(m_store.value(key)).value_or(unwritten);
}

double UserDefaults::doubleValue(QLatin1String key, double unwritten) const
{
    return StoredValue::toDouble(m_store.value(key)).value_or(unwritten);
}

void UserDefaults::write(QLatin1String key, bool value)
{
    m_store.setValue(key, QVariant(value));
}

void UserDefaults::write(QLatin1String key, int value)
{
    m_store.setValue(key, QVariant(value));
}

void UserDefaults::write(QLatin1String key, double value)
{
    m_store.setValue(key, QVariant(value));
}

bool UserDefaults::hideMenuIcon() const
{
    return boolValue(SettingsKeys::hideMenuIcon, SettingsDefaults::hideMenuIcon);
}

void UserDefaults::setHideMenuIcon(bool value)
{
    write(SettingsKeys::hideMenuIcon, value);
}

bool UserDefaults::showCredits() const
{
    return boolValue(SettingsKeys::showCredits, SettingsDefaults::showCredits);
}

void UserDefaults::setShowCredits(bool value)
{
    write(SettingsKeys::showCredits, value);
}

bool UserDefaults::showInactiveMenu() const
{
    return boolValue(SettingsKeys::showInactiveMenu, SettingsDefaults::showInactiveMenu);
}

void UserDefaults::setShowInactiveMenu(bool value)
{
    write(SettingsKeys::showInactiveMenu, value);
}

bool UserDefaults::showHotkeyOnTheRight() const
{
    return boolValue(SettingsKeys::showHotkeyOnTheRight, SettingsDefaults::showHotkeyOnTheRight);
}

void UserDefaults::setShowHotkeyOnTheRight(bool value)
{
    write(SettingsKeys::showHotkeyOnTheRight, value);
}

bool UserDefaults::launchAtLogin() const
{
    return boolValue(SettingsKeys::launchAtLogin, SettingsDefaults::launchAtLogin);
}

void UserDefaults::setLaunchAtLogin(bool value)
{
    write(SettingsKeys::launchAtLogin, value);
}

bool UserDefaults::showBookmarks() const
{
    return boolValue(SettingsKeys::showBookmarks, SettingsDefaults::showBookmarks);
}

void UserDefaults::setShowBookmarks(bool value)
{
    write(SettingsKeys::showBookmarks, value);
}

bool UserDefaults::showUserHiddenElements() const
{
    return boolValue(SettingsKeys::showUserHiddenElements, SettingsDefaults::showUserHiddenElements);
}

void UserDefaults::setShowUserHiddenElements(bool value)
{
    write(SettingsKeys::showUserHiddenElements, value);
}

bool UserDefaults::applyLimitToBrowsers() const
{
    return boolValue(SettingsKeys::applyLimitToBrowsers, SettingsDefaults::applyLimitToBrowsers);
}

void UserDefaults::setApplyLimitToBrowsers(bool value)
{
    write(SettingsKeys::applyLimitToBrowsers, value);
}

bool UserDefaults::applyLimitToTitles() const
{
    return boolValue(SettingsKeys::applyLimitToTitles, SettingsDefaults::applyLimitToTitles);
}

void UserDefaults::setApplyLimitToTitles(bool value)
{
    write(SettingsKeys::applyLimitToTitles, value);
}

bool UserDefaults::showPersistentWindowOnTheRight() const
{
    return boolValue(SettingsKeys::showPersistentWindowOnTheRight,
                     SettingsDefaults::showPersistentWindowOnTheRight);
}

void UserDefaults::setShowPersistentWindowOnTheRight(bool value)
{
    write(SettingsKeys::showPersistentWindowOnTheRight, value);
}

bool UserDefaults::enableCustomShortcuts() const
{
    return boolValue(SettingsKeys::enableCustomShortcuts, SettingsDefaults::enableCustomShortcuts);
}

void UserDefaults::setEnableCustomShortcuts(bool value)
{
    write(SettingsKeys::enableCustomShortcuts, value);
}

bool UserDefaults::showAppIcon() const
{
    return boolValue(SettingsKeys::showAppIcon, SettingsDefaults::showAppIcon);
}

void UserDefaults::setShowAppIcon(bool value)
{
    write(SettingsKeys::showAppIcon, value);
}

bool UserDefaults::showLocalizedCustomShortcuts() const
{
    return boolValue(SettingsKeys::showLocalizedCustomShortcuts,
                     SettingsDefaults::showLocalizedCustomShortcuts);
}

void UserDefaults::setShowLocalizedCustomShortcuts(bool value)
{
    write(SettingsKeys::showLocalizedCustomShortcuts, value);
}

int UserDefaults::amountOfColumns() const
{
    return intValue(SettingsKeys::amountOfColumns, SettingsDefaults::amountOfColumns);
}

void UserDefaults::setAmountOfColumns(int value)
{
    write(SettingsKeys::amountOfColumns, value);
}

int UserDefaults::activationKeyType() const
{
    return intValue(SettingsKeys::activationKeyType, SettingsDefaults::activationKeyType);
}

void UserDefaults::setActivationKeyType(int value)
{
    write(SettingsKeys::activationKeyType, value);
}

int UserDefaults::activationPersistentKeyType() const
{
    return intValue(SettingsKeys::activationPersistentKeyType, SettingsDefaults::activationPersistentKeyType);
}

void UserDefaults::setActivationPersistentKeyType(int value)
{
    write(SettingsKeys::activationPersistentKeyType, value);
}

double UserDefaults::fontSize() const
{
    return doubleValue(SettingsKeys::fontSize, SettingsDefaults::fontSize);
}

void UserDefaults::setFontSize(double value)
{
    write(SettingsKeys::fontSize, value);
}

double UserDefaults::keyHoldingDelay() const
{
    return doubleValue(SettingsKeys::keyHoldingDelay, SettingsDefaults::keyHoldingDelay);
}

void UserDefaults::setKeyHoldingDelay(double value)
{
    write(SettingsKeys::keyHoldingDelay, value);
}

double UserDefaults::limitTitles() const
{
    return doubleValue(SettingsKeys::limitTitles, SettingsDefaults::limitTitles);
}

void UserDefaults::setLimitTitles(double value)
{
    write(SettingsKeys::limitTitles, value);
}

} // namespace tavlen
