#pragma once

#include "core/WindowSystem.h"

#include <QColor>
#include <QWidget>
#include <functional>

namespace tavlen {

class WindowStacking;

// A floating panel that never takes the keyboard: a frameless tool window on top of the normal
// windows, its content clipped to a rounded rectangle with a grey edge (see WindowShape for the
// corners without a compositor). The window takes
// the fixed size of its content. The persistent panel shows on every desktop.
class CustomPanel final : public QWidget, public PanelWindow {
    Q_OBJECT
public:
    // Builds the content for a kind of panel; the panel takes it.
    using ContentFactory = std::function<QWidget*(const PanelContent& content)>;
    // Told when the panel has come on screen or, on screen, has taken new content (`shown`),
    // and when it has gone.
    using Observer = std::function<void(const CustomPanel& panel, bool shown)>;

    static constexpr double CornerRadius = 10.0;
    // The panel's outermost line, the same on the light and the dark appearance.
    static QColor edgeColour() { return QColor(128, 128, 128); }

    static QString shortcutsTitle() { return QStringLiteral("Tavlen Shortcuts Panel"); }
    static QString persistentTitle() { return QStringLiteral("Tavlen Persistent Panel"); }

    // Centred on `screen` (the main screen's visible frame), or at its origin without one.
    CustomPanel(const PanelContent& content, ContentFactory makeContent, WindowStacking& stacking,
                const std::optional<QRectF>& screen, Observer observer = {});

    void orderFront() override;
    // Everything showing needs but the showing itself: the window on the display, with its
    // stacking wishes, so that orderFront only maps it.
    void prepare();
    void orderOut() override;
    bool isVisible() const override { return QWidget::isVisible(); }
    QRectF frame() const override;
    void setTopLeft(const QPointF& topLeft) override;
    void replaceContent(const PanelContent& content) override;
    void setLevel(WindowLevel level) override;
    void scroll(PanelScroll step) override;
    void takeKeyboard(std::function<void()> lost) override;

    QWidget* content() const { return m_content; }
    const PanelContent& panelContent() const { return m_panelContent; }
    WindowLevel level() const { return m_level; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void setContent(const PanelContent& content);
    // The panel at its content's size, both cut to the rounded outline.
    void fitContent();
    // What the window manager keeps for a window only while it is mapped, asked for again at
    // every showing.
    void applyStacking();

    void notify(bool shown) const;

    ContentFactory m_makeContent;
    WindowStacking& m_stacking;
    Observer m_observer;
    PanelContent m_panelContent;
    QWidget* m_content = nullptr;
    WindowLevel m_level = WindowLevel::Floating;
    bool m_prepared = false;
    WindowLevel m_preparedLevel = WindowLevel::Floating;
    std::function<void()> m_keyboardLost;
    bool m_hadKeyboard = false;
};

} // namespace tavlen
