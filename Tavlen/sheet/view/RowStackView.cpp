#include "sheet/view/RowStackView.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace tavlen {

namespace {
constexpr double highlightRadius = 5;
constexpr double highlightVertical = 3;
constexpr double highlightHorizontal = 5;
constexpr double highlightOpacity = 0.1;
} // namespace

RowStackView::RowStackView(QWidget* parent) : QWidget(parent)
{
    auto* stack = new QVBoxLayout(this);
    stack->setSpacing(0);
    stack->setContentsMargins(static_cast<int>(highlightHorizontal), static_cast<int>(highlightVertical),
                              static_cast<int>(highlightHorizontal), static_cast<int>(highlightVertical));
}

void RowStackView::addRowWidget(QWidget* row, std::function<bool()> isHovered)
{
    row->setParent(this);
    layout()->addWidget(row);
    m_rows.append({row, std::move(isHovered)});
}

QRectF RowStackView::highlightRect(const QRect& rowGeometry)
{
    return QRectF(rowGeometry)
        .adjusted(-highlightHorizontal, -highlightVertical, highlightHorizontal, highlightVertical);
}

void RowStackView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor colour = palette().color(QPalette::WindowText);
    colour.setAlphaF(static_cast<float>(highlightOpacity));
    for (const Row& row : m_rows) {
        if (!row.isHovered())
            continue;
        QPainterPath shape;
        shape.addRoundedRect(highlightRect(row.widget->geometry()), highlightRadius, highlightRadius);
        painter.fillPath(shape, colour);
    }
}

} // namespace tavlen
