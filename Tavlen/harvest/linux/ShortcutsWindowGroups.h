#pragma once

#include "harvest/MenuItem.h"
#include "harvest/ShortcutsWindowFile.h"

#include <QList>
#include <QString>
#include <functional>

namespace tavlen::linux_harvest {

// Translates a text of a builder file in the given gettext domain (empty: the program's own).
using BuilderTranslator = std::function<QString(const QString& domain, const BuilderText& text)>;

// The sheet's groups for a program's shortcuts windows, shaped as ShortcutSupplier gives them:
// one group per window group (groups of one title merged), one entry per accelerator (a range
// or a sequence shown as it stands, never typed). Shortcuts whose keys the menu bar already
// shows are left out, and groups left empty with them: the menu entry says the same and can be
// pressed, where a supplied entry can only be typed. What remains of a group that the menus
// partly cover is kept, so that a program with a menu bar still shows its other keys.
QList<MenuItem> shortcutsWindowGroups(const QList<ShortcutsWindowFile>& windows,
                                      const BuilderTranslator& translate, const QList<MenuItem>& menus);

} // namespace tavlen::linux_harvest
