#include "core/windows/settings/SettingsSymbol.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace tavlen {

namespace {

QPen linePen(const QColor& colour, const QRectF& box, double weight = 12)
{
    return QPen(colour, std::max(1.0, box.height() / weight), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
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
    const QRectF frame =
        box.adjusted(box.width() * 0.04, box.height() * 0.14, -box.width() * 0.04, -box.height() * 0.14);
    painter.setPen(linePen(colour, box));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame, box.width() * 0.12, box.width() * 0.12);
    const double dot = box.height() * 0.09;
    for (int row = 0; row < 3; ++row) {
        const double y = frame.top() + frame.height() * (0.28 + row * 0.22);
        painter.setBrush(colour);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(frame.left() + frame.width() * 0.22, y), dot / 2 + 0.5, dot / 2 + 0.5);
        painter.setPen(linePen(colour, box));
        painter.drawLine(QPointF(frame.left() + frame.width() * 0.36, y),
                         QPointF(frame.right() - frame.width() * 0.16, y));
    }
}

void drawCommandWindow(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF frame =
        box.adjusted(box.width() * 0.04, box.height() * 0.1, -box.width() * 0.04, -box.height() * 0.1);
    painter.setPen(linePen(colour, box));
    painter.setBrush(Qt::NoBrush);
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
    const QRectF frame =
        box.adjusted(box.width() * 0.1, box.height() * 0.2, -box.width() * 0.1, -box.height() * 0.2);
    const double head = box.height() * 0.16;
    painter.setPen(linePen(colour, box, 10));
    painter.setBrush(Qt::NoBrush);
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
    const QRectF frame = box.adjusted(0, box.height() * 0.2, 0, -box.height() * 0.2);
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
    painter.setPen(linePen(colour, box, 9));
    painter.setBrush(Qt::NoBrush);
    // Open at the top, where the stroke stands: from one o'clock clockwise round to eleven.
    // Qt's angles are in sixteenths of a degree, counter-clockwise from three o'clock.
    painter.drawArc(ring, 60 * 16, -300 * 16);
    painter.drawLine(QPointF(box.center().x(), box.top() + box.height() * 0.08),
                     QPointF(box.center().x(), ring.center().y()));
}

void drawInfoCircle(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF ring =
        box.adjusted(box.width() * 0.08, box.height() * 0.08, -box.width() * 0.08, -box.height() * 0.08);
    painter.setPen(linePen(colour, box, 14));
    painter.setBrush(Qt::NoBrush);
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

} // namespace

SettingsSymbol::SettingsSymbol(QString symbol, int side, QWidget* parent)
    : QWidget(parent), m_symbol(std::move(symbol)), m_side(side)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SettingsSymbol::setSymbol(const QString& symbol)
{
    if (symbol == m_symbol)
        return;
    m_symbol = symbol;
    update();
}

void SettingsSymbol::setOpacity(double opacity)
{
    if (opacity == m_opacity)
        return;
    m_opacity = opacity;
    update();
}

bool SettingsSymbol::isKnown(const QString& symbol)
{
    static const QStringList names{
        QStringLiteral("list.bullet.rectangle"),
        QStringLiteral("text.and.command.macwindow"),
        QStringLiteral("gearshape.2.fill"),
        QStringLiteral("arrow.2.squarepath"),
        QStringLiteral("keyboard.fill"),
        QStringLiteral("command"),
        QStringLiteral("pause.fill"),
        QStringLiteral("play.fill"),
        QStringLiteral("power"),
        QStringLiteral("info.circle"),
        QStringLiteral("exclamationmark.triangle.fill"),
        QStringLiteral("textformat.size.smaller"),
        QStringLiteral("textformat.size.larger"),
        QStringLiteral("control"),
    };
    return names.contains(symbol);
}

void SettingsSymbol::paint(QPainter& painter, const QRectF& frame, const QString& symbol,
                           const QColor& colour)
{
    const double side = std::min(frame.width(), frame.height());
    const QRectF box(frame.center().x() - side / 2, frame.center().y() - side / 2, side, side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(colour);
    if (symbol == QLatin1String("list.bullet.rectangle"))
        drawListRectangle(painter, box, colour);
    else if (symbol == QLatin1String("text.and.command.macwindow"))
        drawCommandWindow(painter, box, colour);
    else if (symbol == QLatin1String("gearshape.2.fill"))
        drawCharacter(painter, box, QStringLiteral("⚙"), 1.0);
    else if (symbol == QLatin1String("arrow.2.squarepath"))
        drawSquarePath(painter, box, colour);
    else if (symbol == QLatin1String("keyboard.fill"))
        drawKeyboard(painter, box, colour);
    else if (symbol == QLatin1String("command"))
        drawCharacter(painter, box, QStringLiteral("⌘"), 0.85);
    else if (symbol == QLatin1String("control"))
        drawCharacter(painter, box, QStringLiteral("⌃"), 0.9);
    else if (symbol == QLatin1String("pause.fill"))
        drawPause(painter, box, colour);
    else if (symbol == QLatin1String("play.fill"))
        drawPlay(painter, box, colour);
    else if (symbol == QLatin1String("power"))
        drawPower(painter, box, colour);
    else if (symbol == QLatin1String("info.circle"))
        drawInfoCircle(painter, box, colour);
    else if (symbol == QLatin1String("exclamationmark.triangle.fill"))
        drawWarning(painter, box, colour);
    else if (symbol == QLatin1String("textformat.size.smaller"))
        drawCharacter(painter, box, QStringLiteral("A"), 0.6);
    else if (symbol == QLatin1String("textformat.size.larger"))
        drawCharacter(painter, box, QStringLiteral("A"), 1.0);
    painter.restore();
}

QIcon SettingsSymbol::icon(const QString& symbol, int side, const QColor& colour)
{
    QIcon icon;
    // Drawn for the common pixel densities, so that the pictogram stays sharp on a HiDPI screen.
    for (const int scale : {1, 2}) {
        QPixmap picture(side * scale, side * scale);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(painter, QRectF(0, 0, side * scale, side * scale), symbol, colour);
        painter.end();
        picture.setDevicePixelRatio(scale);
        icon.addPixmap(picture);
    }
    return icon;
}

void SettingsSymbol::paintEvent(QPaintEvent*)
{
    if (m_opacity <= 0)
        return;
    QPainter painter(this);
    painter.setOpacity(m_opacity);
    paint(painter, QRectF(rect()), m_symbol, palette().color(QPalette::WindowText));
}

} // namespace tavlen
