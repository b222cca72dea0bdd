#pragma once

#include "sheet/view/PictogramView.h"

class QPainter;

namespace tavlen {

// A pictogram of the settings window, by its symbol name: the tab symbols
// ("list.bullet.rectangle", "text.and.command.macwindow", "gearshape.2.fill",
// "arrow.2.squarepath", "keyboard.fill", "command"), the window buttons ("pause.fill",
// "play.fill", "power") and the marks beside controls ("info.circle",
// "exclamationmark.triangle.fill", "textformat.size.smaller", "textformat.size.larger",
// "control"). Drawn by Tavlen itself, so that the window looks the same with every icon theme
// and in the pictures made without one. Drawn in the palette's text colour at the view's
// opacity.
class SettingsSymbol : public PictogramView {
    Q_OBJECT
public:
    SettingsSymbol(QString symbol, int side, QWidget* parent = nullptr);

    // Whether the name is one of the pictograms above.
    static bool isKnown(const QString& symbol);
    // Draws the pictogram filling the square centred in `frame`; nothing for an unknown name.
    static void paint(QPainter& painter, const QRectF& frame, const QString& symbol, const QColor& colour);
    static QIcon icon(const QString& symbol, int side, const QColor& colour);

    QSize sizeHint() const override { return {m_side, m_side}; }

protected:
    void paintPictogram(QPainter& painter, const QRectF& frame, const QColor& colour) const override;

private:
    int m_side;
};

} // namespace tavlen
