#pragma once

namespace tavlen::global_app {

// The reserved application identifier that stands for every application, for hidden elements
// and for custom shortcuts alike.
inline constexpr char IDENTIFIER[] = "global";

// How that pseudo-application is named wherever a title is shown or stored for it.
inline constexpr char TITLE[] = "Global Custom Shortcuts";

} // namespace tavlen::global_app
