#include "core/windows/settings/FormSection.h"

#include "core/windows/settings/HeadingLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace tavlen {

namespace {
constexpr int panelRadius = 8;
constexpr int rowMinimumHeight = 34;
} // namespace

FormSection::FormSection(const QString& heading, QWidget* parent)
    : QWidget(parent)
    , m_heading(headingLabel(heading, 1.0, this))
    , m_panel(new QWidget(this))
    , m_panelStack(new QVBoxLayout(m_panel))
{
    m_panelStack->setContentsMargins(12, 2, 12, 2);
    m_panelStack->setSpacing(0);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(6);
    stack->addWidget(m_heading);
    stack->addWidget(m_panel);
}

QString FormSection::heading() const
{
    return m_heading->text();
}

QWidget* FormSection::addRowWidget(QWidget* row)
{
    row->setMinimumHeight(rowMinimumHeight);
    m_panelStack->addWidget(row);
    m_rows.append(row);
    return row;
}

QWidget* FormSection::addRow(const QString& label, QWidget* control, QWidget* mark)
{
    auto* row = new QWidget(m_panel);
    row->setObjectName(label.trimmed());
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 4, 0, 4);
    line->setSpacing(4);
    auto* title = new QLabel(label, row);
    title->setTextFormat(Qt::PlainText);
    title->setBuddy(control);
    line->addWidget(title, 0, Qt::AlignVCenter);
    if (mark) {
        mark->setParent(row);
        line->addWidget(mark, 0, Qt::AlignVCenter);
    }
    line->addStretch(1);
    control->setParent(row);
    line->addWidget(control, 0, Qt::AlignVCenter);
    return addRowWidget(row);
}

QWidget* FormSection::addWideRow(QWidget* content)
{
    auto* row = new QWidget(m_panel);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 6, 0, 6);
    content->setParent(row);
    line->addWidget(content);
    return addRowWidget(row);
}

void FormSection::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor window = palette().color(QPalette::Window);
    const QColor text = palette().color(QPalette::WindowText);
    // The panel stands a shade lighter than the window, in a light and in a dark scheme.
    const QColor fill = window.lightness() > 128 ? window.lighter(104) : window.lighter(130);
    QColor border = text;
    border.setAlphaF(0.12f);
    painter.setPen(QPen(border, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(m_panel->geometry()).adjusted(0.5, 0.5, -0.5, -0.5), panelRadius,
                            panelRadius);

    // Dividers between the visible rows.
    QColor divider = text;
    divider.setAlphaF(0.1f);
    painter.setPen(QPen(divider, 1));
    const QWidget* previous = nullptr;
    for (const QWidget* row : m_rows) {
        if (row->isHidden())
            continue;
        if (previous) {
            const int y = m_panel->y() + row->y();
            painter.drawLine(QPointF(m_panel->x() + 12, y + 0.5),
                             QPointF(m_panel->geometry().right() - 12, y + 0.5));
        }
        previous = row;
    }
}

} // namespace tavlen
