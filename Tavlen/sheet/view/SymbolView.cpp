#include "sheet/view/SymbolView.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace tavlen {

namespace {

struct SymbolCharacter {
    const char16_t* name;
    const char16_t* character;
};

// Names of key symbols, and names that a key font draws well enough as a character.
constexpr SymbolCharacter keyCharacters[] = {
    {u"plus", u"+"},
    {u"minus", u"-"},
    {u"equal", u"="},
    {u"lessthan", u"<"},
    {u"greaterthan", u">"},
    {u"asterisk", u"*"},
    {u"delete.right", u"⌦"},
    {u"delete.left", u"⌫"},
    {u"return", u"⏎"},
    {u"capslock", u"⇪"},
    {u"shift", u"⇧"},
    {u"option", u"⌥"},
    {u"control", u"⌃"},
    {u"command", u"⌘"},
    {u"escape", u"⎋"},
    {u"arrow.right.to.line", u"⇥"},
    {u"space", u"␣"},
    // Few desktops have a colour emoji font; the key's printed label reads just as well.
    {u"fn", u"fn"},
    {u"globe", u"fn"},
    {u"gear", u"⚙"},
};

// The share of the letters' cap height a key glyph's ink fills: carets and the space bracket
// are flat by nature and would read as taller marks than they are.
double inkShareOfCapHeight(const QString& glyph)
{
    if (glyph == QStringLiteral("⌃"))
        return 0.55;
    if (glyph == QStringLiteral("␣"))
        return 0.45;
    return 1.0;
}

// Page Up and Page Down drawn as pictures: their glyphs, an arrow with a double stroke, come out
// as blots at row size, alike but for their direction. An arrow with two crossbars near its tail
// keeps the two apart.
void drawPageArrow(QPainter& painter, const QRectF& band, bool up, double stem)
{
    const double height = band.height();
    const double x = band.center().x();
    const double tip = up ? band.top() : band.bottom();
    const double tail = up ? band.bottom() : band.top();
    const double towardsTail = up ? 1.0 : -1.0;
    const double head = height * 0.38;
    QPainterPath path;
    path.moveTo(x, tip);
    path.lineTo(x, tail);
    path.moveTo(x - head, tip + towardsTail * head);
    path.lineTo(x, tip);
    path.lineTo(x + head, tip + towardsTail * head);
    for (const double at : {0.58, 0.8}) {
        path.moveTo(x - head * 0.7, tip + towardsTail * height * at);
        path.lineTo(x + head * 0.7, tip + towardsTail * height * at);
    }
    painter.strokePath(path, PictogramView::roundPen(painter.pen().color(), stem));
}

// A key glyph at the optical size and weight of the letter keys beside it: fonts draw ⌃, ⇞ or ⎋
// from fallbacks of their own, smaller, lighter and higher than letters. The glyph's outline is
// scaled to the letters' cap height (no wider than its frame), centred on the letters' cap band,
// and thickened by a hairline outline, as the letters are demi-bold.
void drawKeyGlyph(QPainter& painter, const QRectF& frame, const QString& glyph, const QFont& font)
{
    // The letters' baseline and cap height, as a letter would stand in this frame.
    const QFontMetricsF metrics(font);
    const double capHeight = metrics.capHeight();
    const double baseline = frame.top() + (frame.height() - metrics.height()) / 2 + metrics.ascent();
    if (glyph == QStringLiteral("⇞") || glyph == QStringLiteral("⇟")) {
        const QRectF band(frame.left(), baseline - capHeight, frame.width(), capHeight);
        drawPageArrow(painter, band, glyph == QStringLiteral("⇞"), std::max(1.0, font.pixelSize() / 8.5));
        return;
    }
    QPainterPath outline;
    outline.addText(0, 0, font, glyph);
    const QRectF ink = outline.boundingRect();
    if (ink.width() <= 0 || ink.height() <= 0)
        return;
    const double scale =
        std::min(capHeight * inkShareOfCapHeight(glyph) / ink.height(), frame.width() / ink.width());
    QTransform placed;
    placed.translate(frame.center().x(), baseline - capHeight / 2);
    placed.scale(scale, scale);
    placed.translate(-ink.center().x(), -ink.center().y());
    const QPainterPath shape = placed.map(outline);
    const QColor colour = painter.pen().color();
    painter.fillPath(shape, colour);
    painter.strokePath(shape, PictogramView::roundPen(colour, std::max(0.4, font.pixelSize() / 30.0)));
}

const QString bookmark = QStringLiteral("bookmark");
const QString bookmarkFill = QStringLiteral("bookmark.fill");
const QString eye = QStringLiteral("eye");
const QString eyeSlash = QStringLiteral("eye.slash");
const QString highlighter = QStringLiteral("highlighter");

// Icon theme names for pictograms without a picture of their own.
QString themeIconName(const QString& symbol)
{
    if (symbol == QLatin1String("mic"))
        return QStringLiteral("audio-input-microphone");
    return symbol;
}

void drawBookmark(QPainter& painter, const QRectF& box, bool filled)
{
    const double width = box.height() * 0.62;
    const QRectF shape(box.center().x() - width / 2, box.top(), width, box.height());
    QPainterPath path;
    path.moveTo(shape.topLeft());
    path.lineTo(shape.topRight());
    path.lineTo(shape.bottomRight());
    path.lineTo(shape.center().x(), shape.bottom() - shape.height() * 0.28);
    path.lineTo(shape.bottomLeft());
    path.closeSubpath();
    const QColor colour = painter.pen().color();
    if (filled)
        painter.fillPath(path, colour);
    else
        painter.strokePath(path, PictogramView::linePen(colour, box, 10));
}

void drawEye(QPainter& painter, const QRectF& box, bool slashed)
{
    const QColor colour = painter.pen().color();
    const QPen pen = PictogramView::linePen(colour, box, 10);
    const QRectF lid(box.left(), box.center().y() - box.height() * 0.32, box.width(), box.height() * 0.64);
    QPainterPath outline;
    outline.moveTo(lid.left(), lid.center().y());
    outline.quadTo(lid.center().x(), lid.top() - lid.height() * 0.45, lid.right(), lid.center().y());
    outline.quadTo(lid.center().x(), lid.bottom() + lid.height() * 0.45, lid.left(), lid.center().y());
    painter.strokePath(outline, pen);
    const double pupil = box.height() * 0.3;
    QPainterPath iris;
    iris.addEllipse(box.center(), pupil / 2, pupil / 2);
    painter.fillPath(iris, colour);
    if (slashed) {
        painter.setPen(pen);
        painter.drawLine(QPointF(box.left() + box.width() * 0.1, box.top()),
                         QPointF(box.right() - box.width() * 0.1, box.bottom()));
    }
}

void drawHighlighter(QPainter& painter, const QRectF& box)
{
    const QColor colour = painter.pen().color();
    QPainterPath body;
    body.moveTo(box.left() + box.width() * 0.55, box.top());
    body.lineTo(box.right(), box.top() + box.height() * 0.45);
    body.lineTo(box.left() + box.width() * 0.45, box.bottom() - box.height() * 0.1);
    body.lineTo(box.left() + box.width() * 0.1, box.bottom() - box.height() * 0.45);
    body.closeSubpath();
    painter.strokePath(body, PictogramView::linePen(colour, box, 10));
    painter.fillRect(
        QRectF(box.left(), box.bottom() - box.height() * 0.12, box.width() * 0.4, box.height() * 0.12),
        colour);
}

// The size of the pictures drawn for names without a character: the font's size.
double pictureSize(const QFont& font)
{
    return font.pixelSize() > 0 ? double(font.pixelSize()) : QFontMetricsF(font).ascent();
}

} // namespace

SymbolView::SymbolView(QString symbol, QFont font, QWidget* parent)
    : PictogramView(std::move(symbol), parent), m_font(std::move(font))
{}

std::optional<QString> SymbolView::keyCharacter(const QString& symbol)
{
    for (const SymbolCharacter& entry : keyCharacters) {
        if (symbol == QStringView(entry.name))
            return QString::fromUtf16(entry.character);
    }
    if (isKeyGlyph(symbol))
        return symbol;
    return std::nullopt;
}

bool SymbolView::isKeyGlyph(const QString& character)
{
    if (character.size() != 1)
        return false;
    const char16_t code = character.front().unicode();
    // Arrows, the technical symbols (⌃ ⌘ ⎋ ⏏ …) and the control pictures (␣ ␡ …).
    return (code >= 0x2190 && code <= 0x21FF) || (code >= 0x2300 && code <= 0x23FF) ||
           (code >= 0x2400 && code <= 0x243F);
}

bool SymbolView::isKnownSymbol(const QString& symbol)
{
    return keyCharacter(symbol).has_value() || symbol == bookmark || symbol == bookmarkFill ||
           symbol == eye || symbol == eyeSlash || symbol == highlighter;
}

void SymbolView::setFrameWidth(double width)
{
    m_frameWidth = width;
    updateGeometry();
}

QSize SymbolView::sizeHint() const
{
    const QFontMetricsF metrics(m_font);
    double width = pictureSize(m_font) * 1.15;
    if (const auto character = keyCharacter(symbol()))
        width = metrics.horizontalAdvance(*character);
    if (m_frameWidth)
        width = *m_frameWidth;
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(metrics.height()))};
}

void SymbolView::paint(QPainter& painter, const QRectF& frame, const QString& symbol, const QFont& font,
                       const QColor& colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour);
    painter.setFont(font);
    if (const auto character = keyCharacter(symbol)) {
        if (isKeyGlyph(*character))
            drawKeyGlyph(painter, frame, *character, font);
        else
            painter.drawText(frame, Qt::AlignCenter, *character);
        painter.restore();
        return;
    }
    const double size = std::min({pictureSize(font), frame.width(), frame.height()});
    const QRectF box(QPointF(frame.center().x() - size / 2, frame.center().y() - size / 2),
                     QSizeF(size, size));
    if (symbol == bookmark || symbol == bookmarkFill)
        drawBookmark(painter, box, symbol == bookmarkFill);
    else if (symbol == eye || symbol == eyeSlash)
        drawEye(painter, box, symbol == eyeSlash);
    else if (symbol == highlighter)
        drawHighlighter(painter, box);
    else
        QIcon::fromTheme(themeIconName(symbol)).paint(&painter, box.toAlignedRect());
    painter.restore();
}

QIcon SymbolView::icon(const QString& symbol, const QFont& font, const QColor& colour)
{
    return drawnIcon(std::max(16, font.pixelSize() + 4), {1},
                     [&symbol, &font, &colour](QPainter& painter, const QRectF& frame) {
                         paint(painter, frame, symbol, font, colour);
                     });
}

void SymbolView::paintPictogram(QPainter& painter, const QRectF& frame, const QColor& colour) const
{
    paint(painter, frame, symbol(), m_font, colour);
}

void SymbolView::mousePressEvent(QMouseEvent* event)
{
    if (m_clickable && event->button() == Qt::LeftButton)
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

void SymbolView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_clickable && event->button() == Qt::LeftButton) {
        event->accept();
        if (rect().contains(event->position().toPoint()))
            Q_EMIT clicked();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace tavlen
