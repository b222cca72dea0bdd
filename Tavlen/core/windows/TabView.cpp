#include "core/windows/TabView.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavlen {

namespace {
constexpr int tabIconSize = 24;
constexpr int tabMinimumWidth = 72;
} // namespace

TabView::TabView(QWidget* parent)
    : QWidget(parent)
    , m_bar(new QHBoxLayout)
    , m_buttons(new QButtonGroup(this))
    , m_panes(new QStackedWidget(this))
{
    m_buttons->setExclusive(true);
    m_bar->setContentsMargins(8, 6, 8, 6);
    m_bar->setSpacing(2);
    m_bar->addStretch(1);
    m_bar->addStretch(1);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addLayout(m_bar);
    stack->addWidget(m_panes, 1);

    connect(m_buttons, &QButtonGroup::idClicked, this, &TabView::setCurrentIndex);
    connect(m_panes, &QStackedWidget::currentChanged, this, &TabView::currentChanged);
}

int TabView::addTab(QWidget* pane, const QString& title, const QIcon& icon)
{
    const int index = m_panes->addWidget(pane);
    auto* button = new QToolButton(this);
    button->setText(title);
    button->setIcon(icon);
    button->setIconSize(QSize(tabIconSize, tabIconSize));
    button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextUnderIcon);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setMinimumWidth(tabMinimumWidth);
    m_buttons->addButton(button, index);
    // Between the two stretches, so that the tabs stay centred.
    m_bar->insertWidget(m_bar->count() - 1 - m_barButtons.size(), button);
    if (index == m_panes->currentIndex())
        button->setChecked(true);
    return index;
}

int TabView::count() const
{
    return m_panes->count();
}

int TabView::currentIndex() const
{
    return m_panes->currentIndex();
}

void TabView::setCurrentIndex(int index)
{
    if (index < 0 || index >= count())
        return;
    if (QAbstractButton* button = m_buttons->button(index))
        button->setChecked(true);
    m_panes->setCurrentIndex(index);
}

QWidget* TabView::pane(int index) const
{
    return m_panes->widget(index);
}

QWidget* TabView::currentPane() const
{
    return m_panes->currentWidget();
}

QString TabView::tabTitle(int index) const
{
    const QAbstractButton* button = m_buttons->button(index);
    return button ? button->text() : QString();
}

QAbstractButton* TabView::tabButton(int index) const
{
    return m_buttons->button(index);
}

void TabView::addBarButton(QAbstractButton* button)
{
    button->setParent(this);
    m_bar->addWidget(button, 0, Qt::AlignVCenter);
    m_barButtons.append(button);
}

} // namespace tavlen
