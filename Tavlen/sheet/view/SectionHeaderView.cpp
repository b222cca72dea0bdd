#include "sheet/view/SectionHeaderView.h"

#include "sheet/view/AppIconView.h"
#include "sheet/view/SheetFont.h"

#include <QHBoxLayout>
#include <QLabel>

namespace tavlen {

namespace {
constexpr int headingHeight = 32;
}

SectionHeaderView::SectionHeaderView(const QString& title, double fontSize, const QIcon& image,
                                     QWidget* parent)
    : QWidget(parent)
{
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);
    if (!image.isNull()) {
        m_icon = new AppIconView(image, headingHeight, false, this);
        line->addWidget(m_icon, 0, Qt::AlignVCenter);
    }
    m_title = new QLabel(title, this);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setFont(sheetFont(fontSize + 7));
    m_title->setFixedHeight(headingHeight);
    line->addWidget(m_title, 0, Qt::AlignVCenter);
    line->addStretch(1);
}

QString SectionHeaderView::title() const
{
    return m_title->text();
}

bool SectionHeaderView::showsImage() const
{
    return m_icon != nullptr;
}

} // namespace tavlen
