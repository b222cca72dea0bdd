#include "sheet/view/HotkeysView.h"

#include "platform/Accessibility.h"
#include "settings/AppSettings.h"
#include "sheet/view/AppearancePalette.h"
#include "sheet/view/LegendView.h"
#include "sheet/view/MenuItemView.h"
#include "sheet/view/NoAccessView.h"
#include "sheet/view/PanelSizes.h"
#include "sheet/view/SheetFont.h"
#include "sheet/view/SheetGrowth.h"
#include "sheet/view/TavlenTitleView.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace tavlen {

namespace {
constexpr int legendWidth = 350;
}

NoAccessView* accessRequestView(const RowServices& services, QWidget* parent)
{
    Accessibility& accessibility = services.accessibility;
    return new NoAccessView(
        QString(HotkeysView::accessibilitySettingsUrl), services.appSettings, services.notifications, false,
        [&accessibility](const QString&) { accessibility.isProcessTrusted(true); }, parent);
}

HotkeysView::HotkeysView(const RowServices& services, bool isGlobal,
                         const std::optional<QSizeF>& visibleFrame, QWidget* parent)
    : QWidget(parent)
    , m_isGlobal(isGlobal)
    , m_panelSize(hotkeysPanelSize(isGlobal, visibleFrameOrFallback(visibleFrame)))
{
    // Widgets are whole points; half a point more rounds up, so nothing is cut off.
    setFixedSize(static_cast<int>(std::ceil(m_panelSize.width())),
                 static_cast<int>(std::ceil(m_panelSize.height())));
    applyAppearance(*this, services.appSettings.appearance());

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    const bool trusted = services.accessibility.isProcessTrusted(true);
    if (isGlobal) {
        if (trusted) {
            m_sheet = addGrowingSheet(*stack, services, 0, *this, m_panelSize.height(), visibleFrame);
        } else {
            m_noAccess = accessRequestView(services, this);
            stack->addWidget(m_noAccess, 0, Qt::AlignCenter);
        }
        return;
    }
    stack->addWidget(new TavlenTitleView(services.appSettings, QIcon(), this));
    if (trusted) {
        m_legendCaption = new QLabel(legendCaptionText(), this);
        m_legendCaption->setFont(sheetFont(services.appSettings.fontSize()));
        m_legendCaption->setWordWrap(true);
        m_legendCaption->setAlignment(Qt::AlignCenter);
        m_legendCaption->setFixedWidth(legendWidth + 100);
        stack->addWidget(m_legendCaption, 0, Qt::AlignHCenter);
        m_legend = new LegendView(services.appSettings, this);
        m_legend->setFixedWidth(legendWidth);
        stack->addWidget(m_legend, 1, Qt::AlignHCenter);
    } else {
        m_noAccess = accessRequestView(services, this);
        stack->addWidget(m_noAccess, 1, Qt::AlignCenter);
    }
}

} // namespace tavlen
