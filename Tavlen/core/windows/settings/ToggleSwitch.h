#pragma once

#include <QAbstractButton>

namespace tavlen {

// A Boolean setting's switch: a rounded track with a knob, on (filled with the highlight
// colour, knob on the right) or off. Checkable; clicking or pressing space toggles it. The
// button's text is its label for assistive technologies and tests; the form row shows the
// label beside it.
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit ToggleSwitch(const QString& label, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavlen
