#pragma once

#include "shared/TavlenIdentifiers.h"

// The wire contract between TavlenXPCService, the relay started as `tavlen --show-shortcuts` /
// `--toggle-persistent`, and the resident instance. Every name here is visible on the session
// bus, so other tools (gdbus, dbus-send) can call the service or send the notification too.
namespace tavlen::xpc {

// The service owns this bus name and is started by D-Bus activation when it is first called.
inline constexpr const char* SERVICE_NAME = ids::XPC_SERVICE_IDENTIFIER;
inline constexpr char OBJECT_PATH[] = "/com/Fenwater/TavlenXPCService";
inline constexpr char INTERFACE[] = "com.Fenwater.TavlenXPCServiceProtocol";

// Both methods take no argument and answer REPLY, whether or not anybody hears the notification.
inline constexpr char SHOW_HOTKEYS_METHOD[] = "showHotkeys";
inline constexpr char TOGGLE_PERSISTENT_METHOD[] = "togglePersistent";
inline constexpr char REPLY[] = "kk";

// The broadcast that reaches the resident instance: a signal with one a{sv} argument holding
// MESSAGE_KEY. The service sends it from OBJECT_PATH; observers accept it from any sender and
// any path, as long as the interface and member match.
inline constexpr char NOTIFICATION_INTERFACE[] = "com.Fenwater.DistributedNotificationCenter";
inline constexpr char NOTIFICATION_NAME[] = "XPCServiceNotification";
inline constexpr char NOTIFICATION_SIGNATURE[] = "a{sv}";
inline constexpr char MESSAGE_KEY[] = "message";
inline constexpr char SHOW_HOTKEYS_MESSAGE[] = "showHotkeys";
inline constexpr char TOGGLE_PERSISTENT_MESSAGE[] = "togglePersistent";

} // namespace tavlen::xpc
