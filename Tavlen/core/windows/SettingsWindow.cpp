#include "core/windows/SettingsWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace tavlen {

SettingsWindow::SettingsWindow(QWidget* content, std::function<void()> willClose)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_content(content)
    , m_willClose(std::move(willClose))
{
    setObjectName(QStringLiteral("TavlenSettingsWindow"));
    // An empty title would leave the taskbar entry blank.
    setWindowTitle(title());
    setFixedSize(Width, Height);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(m_content);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void SettingsWindow::orderFront()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void SettingsWindow::orderOut()
{
    hide();
}

void SettingsWindow::closeEvent(QCloseEvent* event)
{
    // Accepted, the close hides the window; without WA_DeleteOnClose it is not destroyed. A
    // close that never refuses also lets the application quit, which closes every window. A
    // window that was already hidden (ordered out before quitting) has nothing to report.
    const bool wasVisible = QWidget::isVisible();
    event->accept();
    hide();
    if (wasVisible && m_willClose)
        m_willClose();
}

} // namespace tavlen
