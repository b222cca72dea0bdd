#pragma once

#include "settings/SettingsValueLists.h"
#include "settings/SliderScale.h"

#include <QWidget>

class QSlider;

namespace tavlen {

// A horizontal slider over the stops of a scale, with the titles of some stops written under
// it. Setting a value from outside shows the nearest stop and reports nothing; only a move by
// the user (dragging, clicking, keys) emits valueEdited.
class TickSlider : public QWidget {
    Q_OBJECT
public:
    TickSlider(const SliderScale& scale, ValueTitles ticks, QWidget* parent = nullptr);

    // A new scale keeps the value shown, moved to the nearest stop of the new scale; nothing is
    // reported.
    void setScale(const SliderScale& scale, ValueTitles ticks);
    const SliderScale& scale() const { return m_scale; }
    const ValueTitles& ticks() const { return m_ticks; }

    int position() const;
    double value() const;
    void setValue(double value);

    QSlider* slider() const { return m_slider; }
    // Where the title of a tick is centred, in this widget's coordinates.
    double tickCentre(const ValueTitle& tick) const;

    QSize sizeHint() const override;
    // The titles need their room as much as the track does.
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void valueEdited(double value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Room under the track for the titles; none without titles.
    int titlesHeight() const;

    SliderScale m_scale;
    ValueTitles m_ticks;
    QSlider* m_slider;
    bool m_updating = false;
};

} // namespace tavlen
