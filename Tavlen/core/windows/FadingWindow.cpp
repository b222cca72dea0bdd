#include "core/windows/FadingWindow.h"

#include "core/windows/ApplicationIcon.h"
#include "core/windows/IntroView.h"
#include "core/windows/OutroView.h"
#include "core/windows/WindowShape.h"
#include "platform/WindowStacking.h"

#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>

namespace tavlen {

FadingWindow::FadingWindow(FadeWindow::Kind kind, WindowStacking& stacking)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
    , m_kind(kind)
    , m_stacking(stacking)
    , m_content(kind == FadeWindow::Kind::Intro ? static_cast<QWidget*>(new IntroView(this))
                                                : static_cast<QWidget*>(new OutroView(this)))
{
    setObjectName(QStringLiteral("TavlenFadeWindow"));
    setWindowTitle(QStringLiteral("Tavlen"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(Side, Side);
    m_content->setGeometry(rect());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void FadingWindow::orderFront()
{
    if (!isVisible()) {
        WindowShape::apply(*this, ApplicationIcon::tileOutline(QRectF(rect())));
        // The stacking waits for the display to know the window before it asks about it.
        m_stacking.keepOffTaskbar(winId());
    }
    show();
    raise();
}

void FadingWindow::orderOut()
{
    hide();
}

void FadingWindow::fadeOut(std::chrono::milliseconds duration)
{
    auto* animation = new QPropertyAnimation(this, "windowOpacity", this);
    animation->setStartValue(windowOpacity());
    animation->setEndValue(0.0);
    animation->setDuration(static_cast<int>(duration.count()));
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace tavlen
