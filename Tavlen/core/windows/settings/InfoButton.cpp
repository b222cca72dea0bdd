#include "core/windows/settings/InfoButton.h"

#include "core/windows/settings/SettingsSymbol.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace tavlen {

namespace {
constexpr int symbolSide = 16;
} // namespace

InfoButton::InfoButton(const QString& note, QWidget* parent)
    : QToolButton(parent), m_note(note), m_popover(new QFrame(this, Qt::Popup))
{
    setAutoRaise(true);
    setCursor(Qt::PointingHandCursor);
    setToolTip(note);
    setAccessibleName(QStringLiteral("Information"));
    setAccessibleDescription(note);
    setIconSize(QSize(symbolSide, symbolSide));
    QColor colour = palette().color(QPalette::WindowText);
    colour.setAlphaF(0.7f);
    setIcon(SettingsSymbol::icon(QStringLiteral("info.circle"), symbolSide, colour));

    m_popover->setFrameShape(QFrame::StyledPanel);
    auto* stack = new QVBoxLayout(m_popover);
    stack->setContentsMargins(12, 10, 12, 10);
    auto* text = new QLabel(note, m_popover);
    text->setTextFormat(Qt::PlainText);
    stack->addWidget(text);
    connect(this, &QToolButton::clicked, this, &InfoButton::showPopover);
}

void InfoButton::showPopover()
{
    m_popover->adjustSize();
    const QPoint below = mapToGlobal(QPoint(width() / 2 - m_popover->width() / 2, height() + 2));
    m_popover->move(below);
    m_popover->show();
}

} // namespace tavlen
