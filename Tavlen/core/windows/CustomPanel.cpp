#include "core/windows/CustomPanel.h"

#include "core/windows/WindowShape.h"
#include "platform/WindowStacking.h"
#include "sheet/view/MenuItemView.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <algorithm>

namespace tavlen {

namespace {

QPainterPath roundedOutline(const QRectF& bounds)
{
    QPainterPath path;
    path.addRoundedRect(bounds, CustomPanel::CornerRadius, CustomPanel::CornerRadius);
    return path;
}

} // namespace

CustomPanel::CustomPanel(const PanelContent& content, ContentFactory makeContent, WindowStacking& stacking,
                         const std::optional<QRectF>& screen, Observer observer)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
    , m_makeContent(std::move(makeContent))
    , m_stacking(stacking)
    , m_observer(std::move(observer))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setContent(content);
    if (screen) {
        QRect placed(QPoint(), size());
        placed.moveCenter(screen->toAlignedRect().center());
        move(placed.topLeft());
    }
}

void CustomPanel::prepare()
{
    if (m_prepared)
        return;
    // The window must exist on the display before the window manager can be asked about it;
    // the stacking waits for the display to have it.
    winId();
    applyStacking();
    m_prepared = true;
    m_preparedLevel = m_level;
}

void CustomPanel::orderFront()
{
    if (!isVisible()) {
        // A prepared window has its stacking wishes but for a level raised since.
        // A compositor may have started or stopped since the panel was made.
        WindowShape::apply(*this, roundedOutline(QRectF(rect())));
        if (!m_prepared)
            prepare();
        else if (m_level == WindowLevel::MainMenu && m_preparedLevel != WindowLevel::MainMenu)
            m_stacking.keepAbove(winId(), true);
        show();
        notify(true);
    }
    raise();
    if (m_keyboardLost) {
        activateWindow();
        m_stacking.focus(winId());
    }
}

void CustomPanel::takeKeyboard(std::function<void()> lost)
{
    m_keyboardLost = std::move(lost);
    // Changing the window's flags hides it, and may make the toolkit create the window anew,
    // without the stacking wishes a prepared panel gave it: those are asked for again.
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowDoesNotAcceptFocus, false);
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    m_prepared = false;
    if (wasVisible) {
        prepare();
        show();
    }
}

bool CustomPanel::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        m_hadKeyboard = true;
    // Only a panel that had the keyboard can lose it; the answer is queued because the owner
    // closes the panel in it, and this is the panel's own event.
    if (event->type() == QEvent::WindowDeactivate && m_keyboardLost && std::exchange(m_hadKeyboard, false))
        QMetaObject::invokeMethod(this, m_keyboardLost, Qt::QueuedConnection);
    return QWidget::event(event);
}

void CustomPanel::orderOut()
{
    if (!isVisible())
        return;
    hide();
    notify(false);
}

QRectF CustomPanel::frame() const
{
    return QRectF(geometry());
}

void CustomPanel::setTopLeft(const QPointF& topLeft)
{
    move(topLeft.toPoint());
}

void CustomPanel::replaceContent(const PanelContent& content)
{
    const QPoint topLeft = pos();
    const bool kindChanged = content.kind != m_panelContent.kind;
    setContent(content);
    move(topLeft);
    if (isVisible()) {
        if (kindChanged)
            applyStacking();
        notify(true);
    }
}

void CustomPanel::setLevel(WindowLevel level)
{
    m_level = level;
    // Both levels stay on top of normal windows through the window flags; the main-menu level
    // also asks to stay above the desktop's own panels.
    if (level == WindowLevel::MainMenu && isVisible()) {
        m_stacking.keepAbove(winId(), true);
        raise();
    }
}

void CustomPanel::scroll(PanelScroll step)
{
    auto* sheet = m_content ? m_content->findChild<MenuItemView*>() : nullptr;
    if (sheet == nullptr)
        return;
    switch (step) {
    case PanelScroll::PageUp:
        sheet->scrollPage(-1);
        break;
    case PanelScroll::PageDown:
        sheet->scrollPage(1);
        break;
    case PanelScroll::Home:
        sheet->scrollToEnd(false);
        break;
    case PanelScroll::End:
        sheet->scrollToEnd(true);
        break;
    }
}

void CustomPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = m_content ? m_content->palette() : palette();
    painter.setBrush(colours.color(QPalette::Window));
    // The edge is a mid grey, at least 3:1 against white and black windows alike, so the panel
    // never melts into what lies behind it; a softer line of the text colour inside it sets the
    // panel's own ground apart from the edge.
    painter.setPen(QPen(edgeColour(), 1.0));
    // Half a pixel in, so that the hairline falls on whole pixels.
    painter.drawPath(roundedOutline(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5)));
    QColor inner = colours.color(QPalette::WindowText);
    inner.setAlphaF(0.12f);
    painter.setPen(QPen(inner, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(roundedOutline(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5)));
}

void CustomPanel::setContent(const PanelContent& content)
{
    m_panelContent = content;
    const bool persistent = content.kind == PanelContent::Kind::Persistent;
    setObjectName(persistent ? QStringLiteral("TavlenPersistentPanel")
                             : QStringLiteral("TavlenShortcutsPanel"));
    setWindowTitle(persistent ? persistentTitle() : shortcutsTitle());

    // The old content may be the one whose event asked for the new: it goes once that is over.
    if (m_content) {
        m_content->hide();
        m_content->deleteLater();
    }
    m_content = m_makeContent(content);
    m_content->setParent(this);
    m_content->installEventFilter(this);
    // The panel paints the background in the content's colour, inside the rounded outline.
    m_content->setAutoFillBackground(false);
    m_content->move(0, 0);
    fitContent();
    m_content->show();
    update();
}

void CustomPanel::fitContent()
{
    setFixedSize(m_content->size());
    const QPainterPath outline = roundedOutline(QRectF(m_content->rect()));
    m_content->setMask(QRegion(outline.toFillPolygon().toPolygon()));
    WindowShape::apply(*this, outline);
}

bool CustomPanel::eventFilter(QObject* watched, QEvent* event)
{
    // A content that grows (the shortcut panel's sheet once it has its menus) takes the panel
    // with it, around the same centre.
    if (watched == m_content && event->type() == QEvent::Resize && m_content->size() != size()) {
        const QPoint centre = geometry().center();
        fitContent();
        QRect placed(QPoint(), size());
        placed.moveCenter(centre);
        if (const QScreen* screen = this->screen()) {
            const QRect room = screen->availableGeometry();
            placed.moveTop(std::clamp(placed.top(), room.top(),
                                      std::max(room.top(), room.bottom() - placed.height() + 1)));
        }
        move(placed.topLeft());
        update();
    }
    return QWidget::eventFilter(watched, event);
}

void CustomPanel::notify(bool shown) const
{
    if (m_observer)
        m_observer(*this, shown);
}

void CustomPanel::applyStacking()
{
    const WId window = winId();
    m_stacking.keepOffTaskbar(window);
    if (m_panelContent.kind == PanelContent::Kind::Persistent)
        m_stacking.keepOnAllDesktops(window);
    if (m_level == WindowLevel::MainMenu)
        m_stacking.keepAbove(window, true);
}

} // namespace tavlen
