#pragma once

#include "core/WindowSystem.h"

#include <QWidget>
#include <functional>

namespace tavlen {

// The settings window: 720 × 480, titled, closable and minimizable, centred on the main
// screen. Closing it hides it and runs `willClose`; the same window shows again on the next
// request.
class SettingsWindow final : public QWidget, public ManagedWindow {
    Q_OBJECT
public:
    static constexpr int Width = 720;
    static constexpr int Height = 480;

    static QString title() { return QStringLiteral("Tavlen Settings"); }

    // Takes `content`.
    SettingsWindow(QWidget* content, std::function<void()> willClose);

    void orderFront() override;
    void orderOut() override;
    bool isVisible() const override { return QWidget::isVisible(); }

    QWidget* content() const { return m_content; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* m_content;
    std::function<void()> m_willClose;
};

} // namespace tavlen
