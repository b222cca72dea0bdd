#include "core/windows/FocusKeyRouter.h"

#include <QGuiApplication>

namespace tavlen {

FocusKeyRouter::FocusKeyRouter(KeyEventSource* displayKeys, KeyEventSource* fallbackLocal,
                               FocusProbe ownWindowHasFocus, QObject* parent)
    : QObject(parent), m_ownWindowHasFocus(ownWindowHasFocus ? std::move(ownWindowHasFocus) : FocusProbe([] {
        return QGuiApplication::focusWindow() != nullptr;
    }))
{
    if (displayKeys)
        connect(displayKeys, &KeyEventSource::keyEvent, this, &FocusKeyRouter::route);
    else if (fallbackLocal)
        connect(fallbackLocal, &KeyEventSource::keyEvent, &m_local, &KeyEventSource::keyEvent);
}

void FocusKeyRouter::route(const KeyEvent& event)
{
    KeyEventSource& target = m_ownWindowHasFocus() ? m_local : m_global;
    Q_EMIT target.keyEvent(event);
}

} // namespace tavlen
