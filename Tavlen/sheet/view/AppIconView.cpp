#include "sheet/view/AppIconView.h"

#include "sheet/view/SheetFont.h"
#include "sheet/view/SymbolView.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <cmath>

namespace tavlen {

AppIconView::AppIconView(const QIcon& image, double size, bool fallback, QWidget* parent)
    : QWidget(parent), m_image(image), m_size(size), m_fallback(fallback)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
    if (m_image.isNull() && !m_fallback)
        hide();
}

QIcon AppIconView::iconNamed(const std::optional<QString>& nameOrPath)
{
    if (!nameOrPath || nameOrPath->isEmpty())
        return {};
    if (QDir::isAbsolutePath(*nameOrPath)) {
        // An image that is missing or unreadable is no image, not an empty square.
        if (!QFileInfo(*nameOrPath).isFile())
            return {};
        QIcon icon(*nameOrPath);
        return icon.availableSizes().isEmpty() && icon.pixmap(16).isNull() ? QIcon() : icon;
    }
    return QIcon::fromTheme(*nameOrPath);
}

QSize AppIconView::sizeHint() const
{
    const int side = static_cast<int>(std::lround(m_size));
    return {side, side};
}

void AppIconView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame(QPoint(0, 0), sizeHint());
    if (!m_image.isNull()) {
        // Stretched to the frame: the largest picture the icon has, scaled.
        const QList<QSize> sizes = m_image.availableSizes();
        const QSize source = sizes.isEmpty() ? frame.size() * devicePixelRatioF() : sizes.last();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(frame, m_image.pixmap(source));
        return;
    }
    if (m_fallback)
        SymbolView::paint(painter, QRectF(frame), QStringLiteral("command"), sheetFont(fallbackFontSize()),
                          palette().color(QPalette::WindowText));
}

} // namespace tavlen
