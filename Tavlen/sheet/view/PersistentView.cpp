#include "sheet/view/PersistentView.h"

#include "platform/Accessibility.h"
#include "settings/AppSettings.h"
#include "sheet/view/AppearancePalette.h"
#include "sheet/view/HotkeysView.h"
#include "sheet/view/MenuItemView.h"
#include "sheet/view/NoAccessView.h"
#include "sheet/view/PanelSizes.h"
#include "sheet/view/SheetFont.h"
#include "sheet/view/SheetGrowth.h"
#include "sheet/view/TavlenTitleView.h"

#include <QVBoxLayout>
#include <cmath>

namespace tavlen {

namespace {
// The persistent panel answers three presses of Command.
constexpr int tripleCommandActivation = 1;
} // namespace

PersistentView::PersistentView(const RowServices& services, const QString& currentAppIdentifier,
                               const std::optional<QSizeF>& visibleFrame, QWidget* parent)
    : QWidget(parent), m_panelSize(persistentPanelSize(visibleFrameOrFallback(visibleFrame)))
{
    setFixedSize(static_cast<int>(std::ceil(m_panelSize.width())),
                 static_cast<int>(std::ceil(m_panelSize.height())));
    AppSettings& settings = services.appSettings;
    applyAppearance(*this, settings.appearance());

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    const bool trusted = services.accessibility.isProcessTrusted(true);

    if (currentAppIdentifier == AppSettings::APP_IDENTIFIER) {
        stack->addStretch(1);
        stack->addWidget(new TavlenTitleView(settings, QIcon(), this));
        if (settings.activationPersistentKeyType() == tripleCommandActivation) {
            m_hint = new QLabel(toggleHint(), this);
            m_hint->setFont(sheetFont(settings.fontSize()));
            m_hint->setWordWrap(true);
            m_hint->setAlignment(Qt::AlignCenter);
            stack->addWidget(m_hint, 0, Qt::AlignHCenter);
        }
        if (!trusted) {
            m_noAccess = accessRequestView(services, this);
            stack->addWidget(m_noAccess, 0, Qt::AlignHCenter);
        }
        stack->addStretch(1);
        return;
    }
    if (trusted) {
        m_sheet = addGrowingSheet(*stack, services, 1, *this, m_panelSize.height(), visibleFrame);
    } else {
        m_noAccess = accessRequestView(services, this);
        stack->addWidget(m_noAccess, 0, Qt::AlignCenter);
    }
}

} // namespace tavlen
