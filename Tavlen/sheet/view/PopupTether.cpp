#include "sheet/view/PopupTether.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace tavlen {

namespace {

// Lives as the pop-up's child, so it goes with the pop-up and never watches for a dead one.
class WindowWatch final : public QObject {
public:
    WindowWatch(QWidget& popup, QWidget& window) : QObject(&popup), m_popup(&popup)
    {
        window.installEventFilter(this);
        connect(&window, &QObject::destroyed, this, &WindowWatch::closePopup);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            closePopup();
        return QObject::eventFilter(watched, event);
    }

private:
    void closePopup()
    {
        if (m_popup && m_popup->isVisible())
            m_popup->close();
    }

    QPointer<QWidget> m_popup;
};

} // namespace

void closeWithWindow(QWidget& popup, QWidget& openedFrom)
{
    new WindowWatch(popup, *openedFrom.window());
}

} // namespace tavlen
