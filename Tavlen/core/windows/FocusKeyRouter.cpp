#include "core/windows/FocusKeyRouter.h"

#include <QApplication>
#include <QGuiApplication>

namespace tavlen {

FocusKeyRouter::FocusKeyRouter(KeyEventSource* displayKeys, KeyEventSource* fallbackLocal,
                               FocusProbe ownWindowHasFocus, FocusProbe ownMenuIsOpen, QObject* parent)
    : QObject(parent)
    , m_ownWindowHasFocus(ownWindowHasFocus ? std::move(ownWindowHasFocus) : FocusProbe([] {
        return QGuiApplication::focusWindow() != nullptr;
    }))
    , m_ownMenuIsOpen(ownMenuIsOpen ? std::move(ownMenuIsOpen)
                                    : FocusProbe([] { return QApplication::activePopupWidget() != nullptr; }))
{
    if (displayKeys)
        connect(displayKeys, &KeyEventSource::keyEvent, this, &FocusKeyRouter::route);
    else if (fallbackLocal)
        connect(fallbackLocal, &KeyEventSource::keyEvent, this, &FocusKeyRouter::routeLocal);
}

void FocusKeyRouter::route(const KeyEvent& event)
{
    if (!m_ownWindowHasFocus()) {
        Q_EMIT m_global.keyEvent(event);
        return;
    }
    routeLocal(event);
}

void FocusKeyRouter::routeLocal(const KeyEvent& event)
{
    if (!m_ownMenuIsOpen())
        Q_EMIT m_local.keyEvent(event);
}

} // namespace tavlen
