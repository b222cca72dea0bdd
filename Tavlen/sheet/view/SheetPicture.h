#pragma once

#include "sheet/RowServices.h"

#include <QImage>
#include <QSizeF>
#include <QString>

namespace tavlen {

class MenuItemViewModel;

// The shortcut panel's sheet drawn into an image without a window on screen, in the panel's
// size for a screen whose visible frame is `visibleFrame`, with the appearance setting's
// colours on the panel's background. Needs a QApplication (the offscreen platform will do).
class SheetPicture {
public:
    // `model` is loaded first if it has not been.
    static QImage render(MenuItemViewModel& model, const RowServices& services, const QSizeF& visibleFrame,
                         qreal devicePixelRatio = 1.0);

    // As render, written as PNG; false (with `error` set) when the file cannot be written.
    static bool save(MenuItemViewModel& model, const RowServices& services, const QSizeF& visibleFrame,
                     const QString& path, QString& error, qreal devicePixelRatio = 1.0);
};

} // namespace tavlen
