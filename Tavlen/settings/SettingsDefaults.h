#pragma once

#include "settings/Appearance.h"

// What each preference is while its key has never been written (or holds a value of another
// type). Every reader takes its default from here, the controller's and the settings panes'
// alike, so that a pane never shows a value other than the one in effect.
namespace tavlen::SettingsDefaults {

inline constexpr int amountOfColumns = 4;
// "Twice and hold".
inline constexpr int activationKeyType = 1;
// Three presses of Command toggle the persistent panel.
inline constexpr int activationPersistentKeyType = 1;
inline constexpr double keyHoldingDelay = 0.5;
inline constexpr Appearance appearance = Appearance::system;
inline constexpr bool applyLimitToBrowsers = false;
inline constexpr int limitElements = 200;
inline constexpr bool applyLimitToTitles = false;
inline constexpr double limitTitles = 45.0;
inline constexpr bool enableCustomShortcuts = false;
inline constexpr double fontSize = 13.0;
inline constexpr bool showAllMenus = false;
inline constexpr bool showAppIcon = true;
inline constexpr bool showBookmarks = false;
inline constexpr bool showCredits = true;
inline constexpr bool showInactiveMenu = true;
inline constexpr bool showHotkeyOnTheRight = true;
inline constexpr bool showLocalizedCustomShortcuts = true;
inline constexpr bool showUserHiddenElements = false;
inline constexpr bool showPersistentWindowOnTheRight = false;
inline constexpr bool hideMenuIcon = false;
// Off: an autostart entry is written only once the user asks for one.
inline constexpr bool launchAtLogin = false;

} // namespace tavlen::SettingsDefaults
