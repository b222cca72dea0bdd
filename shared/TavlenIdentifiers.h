#pragma once

// Names that the application and TavlenXPCService both rely on. Declared once, here.
namespace tavlen::ids {

// The application's own identifier (the macOS bundle identifier; on Linux its desktop entry id
// and the session-bus name of the resident instance).
inline constexpr char APP_IDENTIFIER[] = "com.Fenwater.Tavlen";
inline constexpr char APP_GROUP_IDENTIFIER[] = "group.com.Fenwater.Tavlen";

// The relay service, D-Bus activated.
inline constexpr char XPC_SERVICE_IDENTIFIER[] = "com.Fenwater.TavlenXPCService";

} // namespace tavlen::ids
