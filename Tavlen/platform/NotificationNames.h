#pragma once

#include "shared/XpcProtocol.h"

#include <QLatin1String>

// The names of the notifications that parts of Tavlen send the application controller. The
// local ones travel on the process's NotificationCenter, posted without user information.
namespace tavlen::NotificationNames {

// The gear button of the sheet's credits line: open the settings window.
inline constexpr QLatin1String openSettingsWindow{"OpenSettingsWindowNotification"};
// The quit button of the settings window.
inline constexpr QLatin1String quitApp{"QuitAppNotification"};
// A sheet row's "Customize", once the CustomShortcuts application is open: close the panel.
inline constexpr QLatin1String closePanel{"closePanelNotification"};
// The pause/resume button of the settings window.
inline constexpr QLatin1String toggleApp{"toggleAppNotification"};
// The custom shortcut editor's key recorder opening and closing.
inline constexpr QLatin1String pauseApp{"PauseAppNotification"};
inline constexpr QLatin1String resumeApp{"ResumeAppNotification"};

// Crosses processes (a D-Bus signal of the same name) from the relay service; its user
// information holds "message": "showHotkeys" or "togglePersistent".
inline constexpr QLatin1String xpcService{xpc::NOTIFICATION_NAME, sizeof(xpc::NOTIFICATION_NAME) - 1};
inline constexpr QLatin1String messageKey{xpc::MESSAGE_KEY, sizeof(xpc::MESSAGE_KEY) - 1};
inline constexpr QLatin1String showHotkeysMessage{xpc::SHOW_HOTKEYS_MESSAGE,
                                                  sizeof(xpc::SHOW_HOTKEYS_MESSAGE) - 1};
inline constexpr QLatin1String togglePersistentMessage{xpc::TOGGLE_PERSISTENT_MESSAGE,
                                                       sizeof(xpc::TOGGLE_PERSISTENT_MESSAGE) - 1};

} // namespace tavlen::NotificationNames
