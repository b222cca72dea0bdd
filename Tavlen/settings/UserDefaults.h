#pragma once

#include <QLatin1String>

namespace tavlen {

class UserDefaultsStore;

// Typed access to single preferences for the controller and the activation gestures. A key that
// was never written, or that holds a value of another type (see StoredValue), reads as its
// SettingsDefaults value, the one the settings panes show. Every write goes through the store,
// which announces it with valueChanged.
class UserDefaults {
public:
    explicit UserDefaults(UserDefaultsStore& store) : m_store(store) {}

    UserDefaultsStore& store() const { return m_store; }

    bool hideMenuIcon() const;
    void setHideMenuIcon(bool value);
    bool showCredits() const;
    void setShowCredits(bool value);
    bool showInactiveMenu() const;
    void setShowInactiveMenu(bool value);
    bool showHotkeyOnTheRight() const;
    void setShowHotkeyOnTheRight(bool value);
    bool launchAtLogin() const;
    void setLaunchAtLogin(bool value);
    bool showBookmarks() const;
    void setShowBookmarks(bool value);
    bool showUserHiddenElements() const;
    void setShowUserHiddenElements(bool value);
    bool applyLimitToBrowsers() const;
    void setApplyLimitToBrowsers(bool value);
    bool applyLimitToTitles() const;
    void setApplyLimitToTitles(bool value);
    bool showPersistentWindowOnTheRight() const;
    void setShowPersistentWindowOnTheRight(bool value);
    bool enableCustomShortcuts() const;
    void setEnableCustomShortcuts(bool value);
    bool showAppIcon() const;
    void setShowAppIcon(bool value);
    bool showLocalizedCustomShortcuts() const;
    void setShowLocalizedCustomShortcuts(bool value);

    int amountOfColumns() const;
    void setAmountOfColumns(int value);
    int activationKeyType() const;
    void setActivationKeyType(int value);
    int activationPersistentKeyType() const;
    void setActivationPersistentKeyType(int value);

    double fontSize() const;
    void setFontSize(double value);
    double keyHoldingDelay() const;
    void setKeyHoldingDelay(double value);
    double limitTitles() const;
    void setLimitTitles(double value);

private:
    bool boolValue(QLatin1String key, bool unwritten) const;
    int intValue(QLatin1String key, int unwritten) const;
    double doubleValue(QLatin1String key, double unwritten) const;
    void write(QLatin1String key, bool value);
    void write(QLatin1String key, int value);
    void write(QLatin1String key, double value);

    UserDefaultsStore& m_store;
};

} // namespace tavlen
