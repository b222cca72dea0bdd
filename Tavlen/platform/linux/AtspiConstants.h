#pragma once

#include <QtGlobal>

// The parts of the AT-SPI 2 D-Bus protocol the accessibility adapter speaks.
namespace tavlen::linux_platform::atspi {

inline constexpr char registryService[] = "org.a11y.atspi.Registry";
inline constexpr char rootPath[] = "/org/a11y/atspi/accessible/root";
inline constexpr char accessibleInterface[] = "org.a11y.atspi.Accessible";
inline constexpr char actionInterface[] = "org.a11y.atspi.Action";
inline constexpr char applicationInterface[] = "org.a11y.atspi.Application";
inline constexpr char propertiesInterface[] = "org.freedesktop.DBus.Properties";
inline constexpr char registryInterface[] = "org.a11y.atspi.Registry";
inline constexpr char registryPath[] = "/org/a11y/atspi/registry";
inline constexpr char objectEventInterface[] = "org.a11y.atspi.Event.Object";
inline constexpr char collectionInterface[] = "org.a11y.atspi.Collection";
inline constexpr char cacheInterface[] = "org.a11y.atspi.Cache";
inline constexpr char cachePath[] = "/org/a11y/atspi/cache";

inline constexpr char busService[] = "org.a11y.Bus";
inline constexpr char busPath[] = "/org/a11y/bus";
inline constexpr char busInterface[] = "org.a11y.Bus";
inline constexpr char statusInterface[] = "org.a11y.Status";

namespace Role {
inline constexpr quint32 Canvas = 6;
inline constexpr quint32 CheckMenuItem = 8;
inline constexpr quint32 ComboBox = 11;
inline constexpr quint32 DrawingArea = 18;
inline constexpr quint32 Frame = 23;
inline constexpr quint32 List = 31;
inline constexpr quint32 Menu = 33;
inline constexpr quint32 MenuBar = 34;
inline constexpr quint32 MenuItem = 35;
inline constexpr quint32 PageTabList = 38;
inline constexpr quint32 PopupMenu = 41;
inline constexpr quint32 PushButton = 43;
inline constexpr quint32 RadioMenuItem = 45;
inline constexpr quint32 ScrollPane = 49;
inline constexpr quint32 Separator = 50;
inline constexpr quint32 StatusBar = 54;
inline constexpr quint32 Table = 55;
inline constexpr quint32 TearoffMenuItem = 59;
inline constexpr quint32 Terminal = 60;
inline constexpr quint32 Text = 61;
inline constexpr quint32 ToggleButton = 62;
inline constexpr quint32 ToolBar = 63;
inline constexpr quint32 Tree = 65;
inline constexpr quint32 TreeTable = 66;
inline constexpr quint32 Viewport = 68;
inline constexpr quint32 Embedded = 78;
inline constexpr quint32 DocumentFrame = 82;
inline constexpr quint32 DocumentSpreadsheet = 92;
inline constexpr quint32 DocumentPresentation = 93;
inline constexpr quint32 DocumentText = 94;
inline constexpr quint32 DocumentWeb = 95;
inline constexpr quint32 DocumentEmail = 96;
inline constexpr quint32 ListBox = 98;
} // namespace Role

// Bit numbers in the 64-bit state set.
namespace State {
inline constexpr int Active = 1;
inline constexpr int Defunct = 6;
inline constexpr int Enabled = 8;
inline constexpr int Sensitive = 24;
inline constexpr int Visible = 30;
} // namespace State

inline bool hasState(quint64 states, int state)
{
    return (states >> state) & 1u;
}

} // namespace tavlen::linux_platform::atspi
