#include "settings/view/SettingsView.h"

#include "core/windows/TabView.h"
#include "platform/NotificationCenter.h"
#include "platform/NotificationNames.h"
#include "settings/AppSettings.h"
#include "settings/PaneSettings.h"
#include "settings/view/AboutView.h"
#include "settings/view/AdvancedPresetsView.h"
#include "settings/view/GeneralPresetsView.h"
#include "settings/view/IntegrationsView.h"
#include "settings/view/SettingsSymbol.h"
#include "settings/view/VisualPresetsView.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace tavlen {

namespace {

constexpr int tabSymbolSide = 24;
constexpr int pauseSymbolSide = 32;
constexpr int quitSymbolSide = 24;
constexpr double pauseOpacityNormal = 0.8;
constexpr double pauseOpacityBlocked = 0.4;

QToolButton* windowButton(QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

SettingsView::SettingsView(const SettingsViewServices& services, QWidget* myShortcutsPane, QWidget* parent)
    : QWidget(parent)
    , m_appSettings(services.appSettings)
    , m_paneSettings(new PaneSettings(services.appSettings.defaults(), this))
    , m_tabs(new TabView(this))
    , m_general(new GeneralPresetsView(services.appSettings, *m_paneSettings, services.systemSettings,
                                       services.keyboardNote))
    , m_visual(new VisualPresetsView(services.appSettings, *m_paneSettings))
    , m_advanced(new AdvancedPresetsView(services.appSettings))
    , m_integrations(new IntegrationsView(services.appSettings, services.program))
    , m_myShortcuts(myShortcutsPane ? myShortcutsPane
                                    : new SettingsPane(QString::fromUtf8(tabs[MyShortcutsIndex].title)))
    , m_about(new AboutView(services.version))
    , m_pause(windowButton(this))
    , m_quit(windowButton(this))
{
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(m_tabs);

    const QColor primary = palette().color(QPalette::WindowText);
    const std::array<QWidget*, tabs.size()> panes{m_general,      m_visual,      m_advanced,
                                                  m_integrations, m_myShortcuts, m_about};
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        m_tabs->addTab(panes.at(i), QString::fromUtf8(tabs.at(i).title),
                       SettingsSymbol::icon(QString::fromUtf8(tabs.at(i).symbol), tabSymbolSide, primary));
    }

    m_pause->setIconSize(QSize(pauseSymbolSide, pauseSymbolSide));
    connect(m_pause, &QToolButton::clicked, this, [&notifications = services.notifications] {
        notifications.post(QString(NotificationNames::toggleApp));
    });
    connect(&m_appSettings, &AppSettings::pauseMonitoringChanged, this, &SettingsView::showPauseState);
    connect(&m_appSettings, &AppSettings::blockedMonitoringChanged, this, &SettingsView::showPauseState);
    showPauseState();
    m_tabs->addBarButton(m_pause);

    m_quit->setIconSize(QSize(quitSymbolSide, quitSymbolSide));
    m_quit->setText(QStringLiteral("Quit"));
    m_quit->setToolTip(quitHelp());
    m_quit->setIcon(SettingsSymbol::icon(QStringLiteral("power"), quitSymbolSide, primary));
    connect(m_quit, &QToolButton::clicked, this, [&notifications = services.notifications] {
        notifications.post(QString(NotificationNames::quitApp));
    });
    m_tabs->addBarButton(m_quit);
}

QString SettingsView::pauseSymbol() const
{
    return m_appSettings.pauseMonitoring() ? QStringLiteral("play.fill") : QStringLiteral("pause.fill");
}

double SettingsView::pauseOpacity() const
{
    return m_appSettings.blockedMonitoring() ? pauseOpacityBlocked : pauseOpacityNormal;
}

void SettingsView::showPauseState()
{
    const bool paused = m_appSettings.pauseMonitoring();
    m_pause->setText(paused ? QStringLiteral("Resume") : QStringLiteral("Pause"));
    m_pause->setToolTip(paused ? resumeHelp() : pauseHelp());
    QColor colour = palette().color(QPalette::WindowText);
    colour.setAlphaF(static_cast<float>(pauseOpacity()));
    m_pause->setIcon(SettingsSymbol::icon(pauseSymbol(), pauseSymbolSide, colour));
}

} // namespace tavlen
