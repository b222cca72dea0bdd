#pragma once

#include <QColor>
#include <QIcon>
#include <QPen>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <functional>
#include <initializer_list>

class QPainter;

namespace tavlen {

// A widget showing one pictogram by its symbol name, drawn by Tavlen itself in the palette's
// text colour at the view's opacity. The sheet's key symbols and the settings window's marks
// are drawn alike this way; what a name looks like is the subclass's.
class PictogramView : public QWidget {
    Q_OBJECT
public:
    const QString& symbol() const { return m_symbol; }
    void setSymbol(const QString& symbol);

    // 0 keeps the room (and a click) but draws nothing.
    double opacity() const { return m_opacity; }
    void setOpacity(double opacity);

    // A pictogram `side` pixels square as an icon, drawn by `paint` into a frame of that size
    // at each of the pixel densities `scales`, so that it stays sharp on a HiDPI screen.
    static QIcon drawnIcon(int side, std::initializer_list<int> scales,
                           const std::function<void(QPainter&, const QRectF& frame)>& paint);
    // The pen of a pictogram's lines: round ends and corners, `width` thick.
    static QPen roundPen(const QColor& colour, double width);
    // A line one `weight`th as thick as `box` is high, never thinner than a pixel.
    static QPen linePen(const QColor& colour, const QRectF& box, double weight);

protected:
    PictogramView(QString symbol, QWidget* parent);

    // Draws the view's symbol into `frame` (the whole view) in `colour`.
    virtual void paintPictogram(QPainter& painter, const QRectF& frame, const QColor& colour) const = 0;

    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    double m_opacity = 1.0;
};

} // namespace tavlen
