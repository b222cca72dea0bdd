#pragma once

#include "core/WindowSystem.h"

#include <QWidget>

namespace tavlen {

class WindowStacking;

// The small borderless window of the greeting and the goodbye. It stays on top but never takes
// the keyboard: the user goes on typing into the application in front while it fades.
class FadingWindow final : public QWidget, public FadeWindow {
    Q_OBJECT
public:
    static constexpr int Side = 130;

    FadingWindow(FadeWindow::Kind kind, WindowStacking& stacking);

    void orderFront() override;
    void orderOut() override;
    bool isVisible() const override { return QWidget::isVisible(); }
    void fadeOut(std::chrono::milliseconds duration) override;

    FadeWindow::Kind kind() const { return m_kind; }
    QWidget* content() const { return m_content; }

private:
    FadeWindow::Kind m_kind;
    WindowStacking& m_stacking;
    QWidget* m_content;
};

} // namespace tavlen
