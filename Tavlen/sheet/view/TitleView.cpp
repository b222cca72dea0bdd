#include "sheet/view/TitleView.h"

#include "sheet/view/SheetFont.h"

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

} // namespace tavlen
