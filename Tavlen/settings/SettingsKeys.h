#pragma once

#include <QLatin1String>

// The names under which the preferences are stored. Other processes and earlier versions read
// the same file, so a name here is never changed once released.
namespace tavlen::SettingsKeys {

inline constexpr QLatin1String amountOfColumns{"amountOfColumns"};
inline constexpr QLatin1String activationKeyType{"activationKeyType"};
inline constexpr QLatin1String activationPersistentKeyType{"activationPersistentKeyType"};
inline constexpr QLatin1String keyHoldingDelay{"keyHoldingDelay"};
inline constexpr QLatin1String appearance{"appearance"};
inline constexpr QLatin1String applyLimitToBrowsers{"applyLimitToBrowsers"};
inline constexpr QLatin1String limitElements{"limitElements"};
inline constexpr QLatin1String applyLimitToTitles{"applyLimitToTitles"};
inline constexpr QLatin1String limitTitles{"limitTitles"};
inline constexpr QLatin1String enableCustomShortcuts{"enableCustomShortcuts"};
inline constexpr QLatin1String fontSize{"fontSize"};
inline constexpr QLatin1String showAllMenus{"showAllMenus"};
inline constexpr QLatin1String showAppIcon{"showAppIcon"};
inline constexpr QLatin1String showBookmarks{"showBookmarks"};
inline constexpr QLatin1String showCredits{"showCredits"};
inline constexpr QLatin1String showInactiveMenu{"showInactiveMenu"};
inline constexpr QLatin1String showHotkeyOnTheRight{"showHotkeyOnTheRight"};
inline constexpr QLatin1String showLocalizedCustomShortcuts{"showLocalizedCustomShortcuts"};
inline constexpr QLatin1String showUserHiddenElements{"showUserHiddenElements"};
inline constexpr QLatin1String showPersistentWindowOnTheRight{"showPersistentWindowOnTheRight"};
inline constexpr QLatin1String hideMenuIcon{"hideMenuIcon"};
inline constexpr QLatin1String launchAtLogin{"launchAtLogin"};

} // namespace tavlen::SettingsKeys
