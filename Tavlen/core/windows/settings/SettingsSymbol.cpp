#include "core/windows/settings/SettingsSymbol.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace tavlen {

namespace {

// Lines from now on in the pen of `box`'s outlines, shapes unfilled.
void outlineWith(QPainter& painter, const QColor& colour, const QRectF& box, double weight = 12)
{
    painter.setPen(PictogramView::linePen(colour, box, weight));
    painter.setBrush(Qt::NoBrush);
}

// `box` less these shares of its width and height on either side.
QRectF inset(const QRectF& box, double across, double down)
{
    return box.adjusted(box.width() * across, box.height() * down, -box.width() * across,
                        -box.height() * down);
}

void drawCharacter(QPainter& painter, const QRectF& box, const QString& text, double scale = 0.9,
                   bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(box.height() * scale))));
    font.setBold(bold);
    painter.setFont(font);
    painter.drawText(box, Qt::AlignCenter, text);
}

void drawListRectangle(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF frame = inset(box, 0.04, 0.14);
    outlineWith(painter, colour, box);
    painter.drawRoundedRect(frame, box.width() * 0.12, box.width() * 0.12);
    const double dot = box.height() * 0.09;
    for (int row = 0; row < 3; ++row) {
        const double y = frame.top() + frame.height() * (0.28 + row * 0.22);
        painter.setBrush(colour);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(frame.left() + frame.width() * 0.22, y), dot / 2 + 0.5, dot / 2 + 0.5);
        painter.setPen(PictogramView::linePen(colour, box, 12));
        painter.drawLine(QPointF(frame.left() + frame.width() * 0.36, y),
                         QPointF(frame.right() - frame.width() * 0.16, y));
    }
}

void drawCommandWindow(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF frame = inset(box, 0.04, 0.1);
    outlineWith(painter, colour, box);
    painter.drawRoundedRect(frame, box.width() * 0.1, box.width() * 0.1);
    const double bar = frame.top() + frame.height() * 0.24;
    painter.drawLine(QPointF(frame.left(), bar), QPointF(frame.right(), bar));
    const QRectF command(frame.left() + frame.width() * 0.08, bar, frame.width() * 0.4, frame.bottom() - bar);
    drawCharacter(painter, command, QStringLiteral("⌘"), 0.6);
    for (int row = 0; row < 2; ++row) {
        const double y = bar + (frame.bottom() - bar) * (0.38 + row * 0.28);
        painter.drawLine(QPointF(frame.left() + frame.width() * 0.55, y),
                         QPointF(frame.right() - frame.width() * 0.12, y));
    }
}

void drawArrowHead(QPainter& painter, const QPointF& tip, double size, bool pointsRight, const QColor& colour)
{
    const double direction = pointsRight ? -1 : 1;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip.x() + direction * size, tip.y() - size * 0.7);
    head.lineTo(tip.x() + direction * size, tip.y() + size * 0.7);
    head.closeSubpath();
    painter.fillPath(head, colour);
}

void drawSquarePath(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF frame = inset(box, 0.1, 0.2);
    const double head = box.height() * 0.16;
    outlineWith(painter, colour, box, 10);
    QPainterPath upper;
    upper.moveTo(frame.left(), frame.center().y());
    upper.lineTo(frame.left(), frame.top());
    upper.lineTo(frame.right() - head, frame.top());
    painter.drawPath(upper);
    drawArrowHead(painter, QPointF(frame.right(), frame.top()), head, true, colour);
    QPainterPath lower;
    lower.moveTo(frame.right(), frame.center().y());
    lower.lineTo(frame.right(), frame.bottom());
    lower.lineTo(frame.left() + head, frame.bottom());
    painter.drawPath(lower);
    drawArrowHead(painter, QPointF(frame.left(), frame.bottom()), head, false, colour);
}

void drawKeyboard(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF frame = inset(box, 0, 0.2);
    QPainterPath body;
    body.addRoundedRect(frame, box.width() * 0.1, box.width() * 0.1);
    const double key = frame.width() / 9;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 4; ++column) {
            body.addRect(QRectF(frame.left() + key * (1 + column * 2),
                                frame.top() + frame.height() * (0.16 + row * 0.26), key,
                                frame.height() * 0.16));
        }
    }
    body.addRect(
        QRectF(frame.left() + key * 2, frame.top() + frame.height() * 0.7, key * 5, frame.height() * 0.14));
    body.setFillRule(Qt::OddEvenFill);
    painter.fillPath(body, colour);
}

void drawPause(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const double width = box.width() * 0.22;
    const double height = box.height() * 0.7;
    const double top = box.center().y() - height / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(box.center().x() - width * 1.4, top, width, height), width * 0.3,
                            width * 0.3);
    painter.drawRoundedRect(QRectF(box.center().x() + width * 0.4, top, width, height), width * 0.3,
                            width * 0.3);
}

void drawPlay(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const double height = box.height() * 0.72;
    const double width = height * 0.87;
    QPainterPath triangle;
    triangle.moveTo(box.center().x() - width * 0.4, box.center().y() - height / 2);
    triangle.lineTo(box.center().x() + width * 0.6, box.center().y());
    triangle.lineTo(box.center().x() - width * 0.4, box.center().y() + height / 2);
    triangle.closeSubpath();
    painter.fillPath(triangle, colour);
}

void drawPower(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF ring =
        box.adjusted(box.width() * 0.16, box.height() * 0.2, -box.width() * 0.16, -box.height() * 0.12);
    outlineWith(painter, colour, box, 9);
    // Open at the top, where the stroke stands: from one o'clock clockwise round to eleven.
    // Qt's angles are in sixteenths of a degree, counter-clockwise from three o'clock.
    painter.drawArc(ring, 60 * 16, -300 * 16);
    painter.drawLine(QPointF(box.center().x(), box.top() + box.height() * 0.08),
                     QPointF(box.center().x(), ring.center().y()));
}

void drawInfoCircle(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF ring = inset(box, 0.08, 0.08);
    outlineWith(painter, colour, box, 14);
    painter.drawEllipse(ring);
    drawCharacter(painter, ring, QStringLiteral("i"), 0.62, true);
}

void drawWarning(QPainter& painter, const QRectF& box, const QColor& colour)
{
    QPainterPath triangle;
    triangle.moveTo(box.center().x(), box.top() + box.height() * 0.06);
    triangle.lineTo(box.right() - box.width() * 0.02, box.bottom() - box.height() * 0.08);
    triangle.lineTo(box.left() + box.width() * 0.02, box.bottom() - box.height() * 0.08);
    triangle.closeSubpath();
    const QRectF mark(box.center().x() - box.width() * 0.06, box.top() + box.height() * 0.34,
                      box.width() * 0.12, box.height() * 0.3);
    triangle.addRoundedRect(mark, mark.width() / 2, mark.width() / 2);
    triangle.addEllipse(QPointF(box.center().x(), box.top() + box.height() * 0.75), box.width() * 0.065,
                        box.width() * 0.065);
    triangle.setFillRule(Qt::OddEvenFill);
    painter.fillPath(triangle, colour);
}

// The pictograms by their names: a picture of their own, or a character filling a share of the
// box's height.
using Drawing = void (*)(QPainter& painter, const QRectF& box, const QColor& colour);
struct Pictogram {
    const char16_t* name;
    Drawing draw;
    const char16_t* character = nullptr;
    double scale = 0;
};

const Pictogram pictograms[] = {
    {u"list.bullet.rectangle", drawListRectangle},
    {u"text.and.command.macwindow", drawCommandWindow},
    {u"gearshape.2.fill", nullptr, u"⚙", 1.0},
    {u"arrow.2.squarepath", drawSquarePath},
    {u"keyboard.fill", drawKeyboard},
    {u"command", nullptr, u"⌘", 0.85},
    {u"control", nullptr, u"⌃", 0.9},
    {u"pause.fill", drawPause},
    {u"play.fill", drawPlay},
    {u"power", drawPower},
    {u"info.circle", drawInfoCircle},
    {u"exclamationmark.triangle.fill", drawWarning},
    {u"textformat.size.smaller", nullptr, u"A", 0.6},
    {u"textformat.size.larger", nullptr, u"A", 1.0},
};

const Pictogram* pictogramNamed(const QString& symbol)
{
    for (const Pictogram& pictogram : pictograms) {
        if (symbol == QStringView(pictogram.name))
            return &pictogram;
    }
    return nullptr;
}

} // namespace

SettingsSymbol::SettingsSymbol(QString symbol, int side, QWidget* parent)
    : PictogramView(std::move(symbol), parent), m_side(side)
{}

bool SettingsSymbol::isKnown(const QString& symbol)
{
    return pictogramNamed(symbol) != nullptr;
}

void SettingsSymbol::paint(QPainter& painter, const QRectF& frame, const QString& symbol,
                           const QColor& colour)
{
    const Pictogram* pictogram = pictogramNamed(symbol);
    if (pictogram == nullptr)
        return;
    const double side = std::min(frame.width(), frame.height());
    const QRectF box(frame.center().x() - side / 2, frame.center().y() - side / 2, side, side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(colour);
    if (pictogram->draw)
        pictogram->draw(painter, box, colour);
    else
        drawCharacter(painter, box, QString::fromUtf16(pictogram->character), pictogram->scale);
    painter.restore();
}

QIcon SettingsSymbol::icon(const QString& symbol, int side, const QColor& colour)
{
    return drawnIcon(side, {1, 2}, [&symbol, &colour](QPainter& painter, const QRectF& frame) {
        paint(painter, frame, symbol, colour);
    });
}

void SettingsSymbol::paintPictogram(QPainter& painter, const QRectF& frame, const QColor& colour) const
{
    paint(painter, frame, symbol(), colour);
}

} // namespace tavlen
