#pragma once

#include "sheet/RowServices.h"

#include <QImage>
#include <QLocale>
#include <QPageSize>
#include <QSizeF>
#include <QString>

namespace tavlen {

class MenuItemViewModel;

// The shortcut panel's sheet drawn without a window on screen, as wide as the panel for a screen
// whose visible frame is `visibleFrame` and as tall as the whole sheet, with the appearance setting's
// colours on the panel's background. Needs a QApplication (the offscreen platform will do).
class SheetPicture {
public:
    // `model` is loaded first if it has not been.
    static QImage render(MenuItemViewModel& model, const RowServices& services, const QSizeF& visibleFrame,
                         qreal devicePixelRatio = 1.0);

    // As render, written as PNG; false (with `error` set) when the file cannot be written.
    static bool save(MenuItemViewModel& model, const RowServices& services, const QSizeF& visibleFrame,
                     const QString& path, QString& error, qreal devicePixelRatio = 1.0);

    // The whole sheet as a PDF for printing: as wide as the page, cut into pages between rows,
    // on the paper of the locale (Letter where US measures are used, A4 elsewhere).
    static bool savePdf(MenuItemViewModel& model, const RowServices& services, const QSizeF& visibleFrame,
                        const QString& path, QString& error);
    static QPageSize pageSizeFor(const QLocale& locale);
};

} // namespace tavlen
