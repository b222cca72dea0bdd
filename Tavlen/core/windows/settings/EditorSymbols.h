#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRectF>
#include <QString>

class QPainter;

namespace tavlen {

// The pictograms of the custom shortcut editor: the check mark, the chevron, plus and minus are
// drawn here, every other name (key symbols, the bookmark) as the sheet draws it.
class EditorSymbols {
public:
    EditorSymbols() = delete;

    static void paint(QPainter& painter, const QRectF& frame, const QString& symbol, const QFont& font,
                      const QColor& colour, double rotationDegrees = 0);
    static QIcon icon(const QString& symbol, int side, const QColor& colour);
};

} // namespace tavlen
