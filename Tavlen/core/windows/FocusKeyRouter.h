#pragma once

#include "platform/KeyEventSource.h"

#include <QObject>
#include <functional>

namespace tavlen {

// Splits the keys of the whole display (the X11 source, which also sees the keys typed into
// Tavlen's own windows) into the global and the local source: a key goes to local() while one
// of Tavlen's windows has the keyboard focus, to global() otherwise. Without a display-wide
// source (Wayland), local() carries the keys of a fallback source of Tavlen's own windows
// instead, and global() stays silent. While one of Tavlen's menus is open (a row's context
// menu), its keys are the menu's alone: Escape there closes the menu, not the panel beneath it.
// Both sources must outlive the router.
class FocusKeyRouter final : public QObject {
    Q_OBJECT
public:
    // Whether one of Tavlen's windows has the keyboard focus.
    using FocusProbe = std::function<bool()>;

    // `displayKeys` or `fallbackLocal` may be null; the fallback is used only without
    // `displayKeys`. Without probes, Qt's focus window and open pop-up decide.
    FocusKeyRouter(KeyEventSource* displayKeys, KeyEventSource* fallbackLocal = nullptr,
                   FocusProbe ownWindowHasFocus = {}, FocusProbe ownMenuIsOpen = {},
                   QObject* parent = nullptr);

    KeyEventSource& global() { return m_global; }
    KeyEventSource& local() { return m_local; }

private:
    void route(const KeyEvent& event);
    void routeLocal(const KeyEvent& event);

    FocusProbe m_ownWindowHasFocus;
    FocusProbe m_ownMenuIsOpen;
    KeyEventSource m_global;
    KeyEventSource m_local;
};

} // namespace tavlen
