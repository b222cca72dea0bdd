#pragma once

#include <QWidget>

namespace tavlen {

// The greeting at start: Tavlen's icon.
class IntroView : public QWidget {
    Q_OBJECT
public:
    explicit IntroView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavlen
