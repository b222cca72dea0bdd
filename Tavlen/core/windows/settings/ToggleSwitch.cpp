#include "core/windows/settings/ToggleSwitch.h"

#include <QPainter>

namespace tavlen {

namespace {
constexpr int trackWidth = 34;
constexpr int trackHeight = 20;
constexpr int knobInset = 2;
} // namespace

ToggleSwitch::ToggleSwitch(const QString& label, QWidget* parent) : QAbstractButton(parent)
{
    setText(label);
    setAccessibleName(label.trimmed());
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::StrongFocus);
}

QSize ToggleSwitch::sizeHint() const
{
    return {trackWidth + 2, trackHeight + 2};
}

void ToggleSwitch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track(1, (height() - trackHeight) / 2.0, trackWidth, trackHeight);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    QColor fill =
        isChecked() ? palette().color(group, QPalette::Highlight) : palette().color(group, QPalette::Mid);
    if (!isEnabled())
        fill.setAlphaF(0.45f);
    painter.setPen(hasFocus() ? QPen(palette().color(QPalette::Highlight), 1.5) : Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(track, trackHeight / 2.0, trackHeight / 2.0);

    const double knob = trackHeight - 2 * knobInset;
    const double x = isChecked() ? track.right() - knobInset - knob : track.left() + knobInset;
    painter.setPen(QPen(QColor(0, 0, 0, 40), 0.5));
    painter.setBrush(isEnabled() ? QColor(Qt::white) : QColor(0xf0, 0xf0, 0xf0));
    painter.drawEllipse(QRectF(x, track.top() + knobInset, knob, knob));
}

} // namespace tavlen
