#include "core/windows/settings/TickSlider.h"

#include <QEvent>
#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QVBoxLayout>

namespace tavlen {

namespace {
constexpr int tickLength = 4;
constexpr int tickGap = 2;
// Room beside the ends of the track, so that the first and last titles are not cut off.
constexpr int sideMargin = 8;
} // namespace

TickSlider::TickSlider(const SliderScale& scale, ValueTitles ticks, QWidget* parent)
    : QWidget(parent), m_slider(new QSlider(Qt::Horizontal, this))
{
    auto* stack = new QVBoxLayout(this);
    stack->setSpacing(0);
    stack->addWidget(m_slider);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(1);
    setScale(scale, std::move(ticks));
    connect(m_slider, &QSlider::valueChanged, this, [this] {
        if (!m_updating)
            Q_EMIT valueEdited(value());
    });
}

void TickSlider::setScale(const SliderScale& scale, ValueTitles ticks)
{
    const double shown = value();
    m_scale = scale;
    m_ticks = std::move(ticks);
    layout()->setContentsMargins(sideMargin, 0, sideMargin, titlesHeight());
    updateGeometry();
    m_updating = true;
    m_slider->setRange(0, m_scale.positionCount() - 1);
    m_slider->setValue(m_scale.position(shown));
    m_updating = false;
    update();
}

int TickSlider::position() const
{
    return m_slider->value();
}

double TickSlider::value() const
{
    return m_scale.value(m_slider->value());
}

void TickSlider::setValue(double value)
{
    m_updating = true;
    m_slider->setValue(m_scale.position(value));
    m_updating = false;
}

double TickSlider::tickCentre(const ValueTitle& tick) const
{
    QStyleOptionSlider option;
    option.initFrom(m_slider);
    option.orientation = Qt::Horizontal;
    option.minimum = m_slider->minimum();
    option.maximum = m_slider->maximum();
    option.sliderPosition = m_slider->value();
    option.sliderValue = m_slider->value();
    option.upsideDown = false;
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, m_slider);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, m_slider);
    const int span = groove.width() - handle.width();
    const int offset = QStyle::sliderPositionFromValue(option.minimum, option.maximum,
                                                       m_scale.position(tick.value), span, false);
    return m_slider->x() + groove.x() + offset + handle.width() / 2.0;
}

int TickSlider::titlesHeight() const
{
    return m_ticks.isEmpty() ? 0 : fontMetrics().height() + tickLength + tickGap;
}

QSize TickSlider::sizeHint() const
{
    const QSize slider = m_slider->sizeHint();
    return {std::max(slider.width(), 160) + 2 * sideMargin, slider.height() + titlesHeight()};
}

void TickSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    QColor colour = palette().color(group, QPalette::WindowText);
    if (!isEnabled())
        colour.setAlphaF(0.5f);
    painter.setPen(colour);
    const int top = m_slider->geometry().bottom() + 1;
    const int height = fontMetrics().height();
    for (const ValueTitle& tick : m_ticks) {
        const double centre = tickCentre(tick);
        painter.drawLine(QPointF(centre, top), QPointF(centre, top + tickLength - 1));
        const int width = fontMetrics().horizontalAdvance(tick.title) + 4;
        const QRectF box(centre - width / 2.0, top + tickLength + tickGap, width, height);
        painter.drawText(box, Qt::AlignCenter, tick.title);
    }
}

void TickSlider::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange && layout())
        layout()->setContentsMargins(sideMargin, 0, sideMargin, titlesHeight());
    QWidget::changeEvent(event);
}

} // namespace tavlen
