#include "sheet/view/TitleView.h"

#include "sheet/view/SheetFont.h"

#include <QFontMetrics>

namespace tavlen {

TitleView::TitleView(const QString& title, double fontSize, bool singleLine, QWidget* parent)
    : QLabel(title, parent)
{
    setTextFormat(Qt::PlainText);
    setFont(sheetFont(fontSize));
    setWordWrap(!singleLine);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSizePolicy(singleLine ? QSizePolicy::Fixed : QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void TitleView::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (!wordWrap())
        return;
    const int needed = heightForWidth(width());
    if (needed > 0 && needed != minimumHeight())
        setMinimumHeight(needed);
}

QSize TitleView::sizeHint() const
{
    if (!wordWrap())
        return QLabel::sizeHint();
    const QFontMetrics metrics(font());
    const QMargins margins = contentsMargins();
    return {metrics.horizontalAdvance(text()) + 1 + margins.left() + margins.right(),
            metrics.height() + margins.top() + margins.bottom()};
}

} // namespace tavlen
