#include "core/windows/WidgetWindowSystem.h"

#include "core/windows/CustomPanel.h"
#include "core/windows/FadingWindow.h"
#include "core/windows/SettingsWindow.h"
#include "core/windows/TrayStatusItem.h"
#include "core/windows/settings/SettingsView.h"
#include "platform/Workspace.h"
#include "sheet/MenuItemViewModel.h"
#include "sheet/view/HotkeysView.h"
#include "sheet/view/MenuItemView.h"
#include "sheet/view/PersistentView.h"
#include "sheet/view/SectionHeaderView.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QVBoxLayout>

namespace tavlen {

namespace {

// Longer than any hold delay the settings offer; a panel built earlier is built again.
constexpr qint64 PreparedPanelLifetimeMs = 3000;

// The sheet's groups as their headers name them.
QString sheetSummary(MenuItemView& sheet)
{
    QStringList groups;
    for (const SectionHeaderView* header : sheet.headers()) {
        if (!header->title().isEmpty())
            groups.append(header->title());
    }
    const QString application = sheet.viewModel().bundleIdentifier();
    return (application.isEmpty() ? QStringLiteral("none") : application) + QStringLiteral(": ") +
           (groups.isEmpty() ? QStringLiteral("(no shortcuts)") : groups.join(QStringLiteral(", ")));
}

} // namespace

WidgetWindowSystem::WidgetWindowSystem(const RowServices& services, WindowStacking& stacking,
                                       SystemSettingsOpener& systemSettings)
    : m_services(services), m_stacking(stacking), m_systemSettings(systemSettings)
{
    m_frontmostWatch = QObject::connect(&m_services.workspace, &Workspace::frontmostApplicationChanged,
                                        [this] { m_preparedStale = true; });
}

WidgetWindowSystem::~WidgetWindowSystem()
{
    QObject::disconnect(m_frontmostWatch);
}

QWidget* WidgetWindowSystem::makePanelContent(const PanelContent& content) const
{
    // Measured for every new content: its size is fixed from the screen as it is now.
    const std::optional<QRectF> screen = mainScreenVisibleFrame();
    const std::optional<QSizeF> visibleFrame = screen ? std::optional(screen->size()) : std::nullopt;
    if (content.kind == PanelContent::Kind::Persistent)
        return new PersistentView(m_services, content.appIdentifier, visibleFrame);
    return new HotkeysView(m_services, content.isGlobal, visibleFrame);
}

QString WidgetWindowSystem::describe(const CustomPanel& panel)
{
    const bool persistent = panel.panelContent().kind == PanelContent::Kind::Persistent;
    QString shows;
    if (const auto* hotkeys = qobject_cast<const HotkeysView*>(panel.content())) {
        shows = hotkeys->sheet()    ? sheetSummary(*hotkeys->sheet())
                : hotkeys->legend() ? QStringLiteral("the legend")
                                    : QStringLiteral("no accessibility access");
    } else if (const auto* own = qobject_cast<const PersistentView*>(panel.content())) {
        shows = own->sheet()      ? sheetSummary(*own->sheet())
                : own->noAccess() ? QStringLiteral("no accessibility access")
                                  : QStringLiteral("Tavlen's own heading");
    }
    return (persistent ? QStringLiteral("persistent panel: ") : QStringLiteral("shortcut panel: ")) + shows;
}

void WidgetWindowSystem::preparePanel(const PanelContent& content)
{
    m_prepared = buildPanel(content);
    m_prepared->prepare();
    if (auto* hotkeys = qobject_cast<HotkeysView*>(m_prepared->content()); hotkeys && hotkeys->sheet())
        hotkeys->sheet()->loadSheet();
    if (QLayout* layout = m_prepared->layout())
        layout->activate();
    m_preparedStale = false;
    m_preparedAt.start();
}

std::unique_ptr<PanelWindow> WidgetWindowSystem::createPanel(const PanelContent& content)
{
    std::unique_ptr<CustomPanel> prepared = std::move(m_prepared);
    if (prepared && prepared->panelContent() == content && !m_preparedStale &&
        m_preparedAt.elapsed() <= PreparedPanelLifetimeMs)
        return prepared;
    return buildPanel(content);
}

std::unique_ptr<CustomPanel> WidgetWindowSystem::buildPanel(const PanelContent& content)
{
    CustomPanel::Observer observer;
    if (m_log) {
        observer = [log = m_log](const CustomPanel& panel, bool shown) {
            if (!shown) {
                log(panel.panelContent().kind == PanelContent::Kind::Persistent
                        ? QStringLiteral("persistent panel: hidden")
                        : QStringLiteral("shortcut panel: hidden"));
                return;
            }
            const QRect frame = panel.geometry();
            log(describe(panel) + QStringLiteral(" (%1×%2 at %3,%4)")
                                      .arg(frame.width())
                                      .arg(frame.height())
                                      .arg(frame.x())
                                      .arg(frame.y()));
        };
    }
    return std::make_unique<CustomPanel>(
        content, [this](const PanelContent& next) { return makePanelContent(next); }, m_stacking,
        mainScreenVisibleFrame(), std::move(observer));
}

std::unique_ptr<ManagedWindow> WidgetWindowSystem::createSettingsWindow(std::function<void()> willClose)
{
    QWidget* myShortcuts = m_myShortcutsPaneFactory ? m_myShortcutsPaneFactory() : nullptr;
    const SettingsViewServices services{m_services.appSettings,
                                        m_services.notifications,
                                        m_systemSettings,
                                        QCoreApplication::applicationFilePath(),
                                        QCoreApplication::applicationVersion(),
                                        m_keyboardNote};
    auto window =
        std::make_unique<SettingsWindow>(new SettingsView(services, myShortcuts), std::move(willClose));
    m_settingsWindow = window.get();
    return window;
}

std::unique_ptr<FadeWindow> WidgetWindowSystem::createFadeWindow(FadeWindow::Kind kind)
{
    log(kind == FadeWindow::Kind::Intro ? QStringLiteral("fade: intro") : QStringLiteral("fade: outro"));
    return std::make_unique<FadingWindow>(kind, m_stacking);
}

std::unique_ptr<StatusItem> WidgetWindowSystem::createStatusItem(std::function<void()> clicked)
{
    auto item = std::make_unique<TrayStatusItem>(std::move(clicked));
    log(statusAreaAvailable() ? QStringLiteral("status item: shown in the tray")
                              : QStringLiteral("status item: no tray to show it in"));
    return item;
}

bool WidgetWindowSystem::statusAreaAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

std::optional<QRectF> WidgetWindowSystem::mainScreenVisibleFrame() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    return QRectF(screen->availableGeometry());
}

void WidgetWindowSystem::showAlert(const QString& title, const QString& message)
{
    QMessageBox alert(QMessageBox::Information, alertWindowTitle(), title, QMessageBox::Ok);
    alert.setInformativeText(message);
    alert.setDefaultButton(QMessageBox::Ok);
    // Tavlen has no window of its own in front: an alert behind the user's windows would wait
    // unseen.
    alert.setWindowFlag(Qt::WindowStaysOnTopHint);
    log(QStringLiteral("alert: %1: %2").arg(title, message));
    alert.exec();
    log(QStringLiteral("alert: dismissed"));
}

void WidgetWindowSystem::activateApplication()
{
    // Only the settings window takes the keyboard; the panels and fades never do.
    if (m_settingsWindow && m_settingsWindow->isVisible()) {
        m_settingsWindow->raise();
        m_settingsWindow->activateWindow();
    }
}

void WidgetWindowSystem::deactivateApplication()
{
    // Nothing to do: once Tavlen's window is hidden the window manager gives the focus to
    // another application's window, and a desktop has no "hide the application" to ask for.
}

void WidgetWindowSystem::orderOutAllWindows()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->hide();
    }
}

void WidgetWindowSystem::terminate()
{
    log(QStringLiteral("quitting"));
    QCoreApplication::quit();
}

void WidgetWindowSystem::log(const QString& line) const
{
    if (m_log)
        m_log(line);
}

} // namespace tavlen
