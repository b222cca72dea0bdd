#pragma once

#include "platform/MenuFixture.h"

namespace tavlen::bench {

// 10 menus of 10 submenus of 99 entries each, and the system menu: 10,021 elements. Every third
// entry has no shortcut, the rest cycle through characters, named keys and function keys.
inline MenuFixture largeMenuFixture(const RunningApplication& application)
{
    MenuFixture fixture;
    fixture.application = application;
    MenuFixture::Element bar;
    MenuFixture::Element system;
    system.title = QStringLiteral("System");
    bar.children.append(system);
    int n = 0;
    for (int m = 0; m < 10; ++m) {
        MenuFixture::Element menu;
        menu.title = QStringLiteral("Menu %1").arg(m);
        for (int s = 0; s < 10; ++s) {
            MenuFixture::Element submenu;
            submenu.title = QStringLiteral("Submenu %1.%2").arg(m).arg(s);
            for (int e = 0; e < 99; ++e, ++n) {
                MenuFixture::Element entry;
                entry.title = QStringLiteral("Entry %1").arg(n);
                entry.enabled = n % 5 != 0;
                switch (n % 3) {
                case 0:
                    break;
                case 1:
                    entry.cmdChar = QString(QChar(u'A' + n % 26));
                    entry.cmdModifiers = static_cast<quint64>(n % 16);
                    break;
                default:
                    entry.cmdVirtualKey = n % 2 ? 36 : 122;
                    entry.cmdGlyph = n % 2 ? 36 : 111;
                    entry.cmdModifiers = 8;
                    break;
                }
                submenu.children.append(entry);
            }
            menu.children.append(submenu);
        }
        bar.children.append(menu);
    }
    fixture.menuBar = bar;
    return fixture;
}

} // namespace tavlen::bench
