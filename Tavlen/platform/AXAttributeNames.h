#pragma once

#include <QString>

// The accessibility attribute and action names the harvest and the sheet use, as the
// Accessibility interface speaks them whatever bus lies underneath.
namespace tavlen::ax {

inline const QString MENU_BAR = QStringLiteral("AXMenuBar");
inline const QString CHILDREN = QStringLiteral("AXChildren");
inline const QString TITLE = QStringLiteral("AXTitle");
inline const QString ENABLED = QStringLiteral("AXEnabled");
inline const QString CMD_CHAR = QStringLiteral("AXMenuItemCmdChar");
inline const QString CMD_MODIFIERS = QStringLiteral("AXMenuItemCmdModifiers");
inline const QString CMD_VIRTUAL_KEY = QStringLiteral("AXMenuItemCmdVirtualKey");
inline const QString CMD_GLYPH = QStringLiteral("AXMenuItemCmdGlyph");
// Linux only: the key's own name where the Mac has no code or glyph for it ("Ins", "F21",
// "Media Play"); the sheet shows it after the modifiers.
inline const QString CMD_KEY_NAME = QStringLiteral("AXMenuItemCmdKeyName");
inline const QString PRESS = QStringLiteral("AXPress");

} // namespace tavlen::ax
