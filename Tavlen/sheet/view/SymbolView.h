#pragma once

#include "sheet/view/PictogramView.h"

#include <QFont>
#include <optional>

class QPainter;

namespace tavlen {

// One pictogram, by its symbol name: key symbols are drawn as their characters in `font`, key
// glyphs scaled to the letters' cap height;
// the few other names the sheet uses (bookmarks, the gear, the eye, the highlighter) are drawn
// as small pictures of their own at the font's size; a name neither knows falls back to the
// icon theme. Drawn in the palette's text colour at the view's opacity, centred in the frame.
class SymbolView : public PictogramView {
    Q_OBJECT
public:
    SymbolView(QString symbol, QFont font, QWidget* parent = nullptr);

    const QFont& symbolFont() const { return m_font; }

    // A fixed width for the frame; by default the frame is as wide as the pictogram.
    void setFrameWidth(double width);

    // Whether a click in the frame is the view's own (it then emits clicked() and is not passed
    // to the widget below).
    void setClickable(bool clickable) { m_clickable = clickable; }

    // The character a key symbol name stands for; none for other names.
    static std::optional<QString> keyCharacter(const QString& symbol);
    // Whether a character is a key glyph (an arrow, ⌃ ⌘ ⎋ ⇞, a control picture such as ␣) rather
    // than a letter: such glyphs are drawn at the letters' cap height and weight, and stand for
    // themselves as symbol names.
    static bool isKeyGlyph(const QString& character);
    // Whether the name is drawn by this view itself rather than taken from the icon theme.
    static bool isKnownSymbol(const QString& symbol);

    // Draws a pictogram centred in `frame`; also used for menu icons.
    static void paint(QPainter& painter, const QRectF& frame, const QString& symbol, const QFont& font,
                      const QColor& colour);
    static QIcon icon(const QString& symbol, const QFont& font, const QColor& colour);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void clicked();

protected:
    void paintPictogram(QPainter& painter, const QRectF& frame, const QColor& colour) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QFont m_font;
    std::optional<double> m_frameWidth;
    bool m_clickable = false;
};

} // namespace tavlen
