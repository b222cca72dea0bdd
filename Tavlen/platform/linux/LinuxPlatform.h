#pragma once

#include "platform/Platform.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace tavlen {
class Accessibility;
class ApplicationLauncher;
class DataFolders;
class KeySender;
class Timers;
class WindowActivator;
class Workspace;
} // namespace tavlen

namespace tavlen::linux_platform {

// Owns the real platform services of one process. Created once by an executable's main.
class LinuxPlatform {
public:
    LinuxPlatform();
    ~LinuxPlatform();
    LinuxPlatform(const LinuxPlatform&) = delete;
    LinuxPlatform& operator=(const LinuxPlatform&) = delete;

    Platform services() const;

    // The desktop-facing services, opened at first use: a command that only works on the store
    // neither connects to the X server nor to the accessibility bus.
    Accessibility& accessibility();
    Workspace& workspace();
    ApplicationLauncher& launcher();
    KeySender& keySender();
    WindowActivator& windowActivator();
    Timers& timers();

    // How custom shortcuts reach applications in this session, to be said once at start; empty
    // where there is nothing to say (X11 with XTEST).
    QString keySendingNotice();
    // Where what the session does not allow is said when it first matters (a key that cannot be
    // typed); set before keySender is first used.
    void setReport(std::function<void(const QString&)> report) { m_report = std::move(report); }

    // Where the data of installed programs and of the user lie (shortcut lists among them).
    const DataFolders& dataFolders() const;

    // Where the settings are kept; none when there is no configuration folder.
    std::optional<QString> settingsFile() const;

private:
    struct Services;
    std::unique_ptr<Services> m_services;
    std::unique_ptr<Accessibility> m_accessibility;
    // The workspaces the one handed out consults, EWMH and the accessibility bus.
    std::unique_ptr<Workspace> m_windowManagerWorkspace;
    std::unique_ptr<Workspace> m_accessibilityWorkspace;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<ApplicationLauncher> m_launcher;
    std::unique_ptr<KeySender> m_typingSender;
    std::unique_ptr<KeySender> m_keySender;
    QString m_keySendingNotice;
    std::function<void(const QString&)> m_report;
    std::unique_ptr<WindowActivator> m_windowActivator;
    std::unique_ptr<Timers> m_timers;
};

} // namespace tavlen::linux_platform
