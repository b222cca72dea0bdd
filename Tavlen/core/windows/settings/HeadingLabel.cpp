#include "core/windows/settings/HeadingLabel.h"

#include <QLabel>

namespace tavlen {

QLabel* headingLabel(const QString& text, double scale, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    if (scale != 1.0)
        font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace tavlen
