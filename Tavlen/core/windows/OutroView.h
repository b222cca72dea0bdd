#pragma once

#include <QWidget>

namespace tavlen {

// The goodbye at quit: the command sign over a farewell, on the icon's plate.
class OutroView : public QWidget {
    Q_OBJECT
public:
    static QString farewell() { return QStringLiteral("Goodbye"); }

    explicit OutroView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavlen
