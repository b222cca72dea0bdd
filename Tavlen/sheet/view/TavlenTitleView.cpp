#include "sheet/view/TavlenTitleView.h"

#include "settings/AppSettings.h"
#include "sheet/view/AppIconView.h"
#include "sheet/view/SheetFont.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tavlen {

TavlenTitleView::TavlenTitleView(const AppSettings& appSettings, const QIcon& appIcon, QWidget* parent)
    : QWidget(parent)
{
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    auto* line = new QHBoxLayout;
    line->addStretch(1);
    if (appSettings.showAppIcon())
        line->addWidget(
            new AppIconView(appIcon.isNull() ? QApplication::windowIcon() : appIcon, 32, false, this), 0,
            Qt::AlignVCenter);
    auto* name = new QLabel(QStringLiteral("Tavlen"), this);
    name->setFont(sheetFont(appSettings.fontSize() + 7));
    name->setFixedHeight(32);
    line->addWidget(name, 0, Qt::AlignVCenter);
    line->addStretch(1);
    stack->addLayout(line);
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    stack->addWidget(divider);
    stack->addSpacing(6);
}

} // namespace tavlen
