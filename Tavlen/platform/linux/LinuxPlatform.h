#pragma once

#include "platform/Platform.h"

#include <QString>
#include <memory>
#include <optional>

namespace tavlen {
class Accessibility;
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

    // Where the settings are kept; none when there is no configuration folder.
    std::optional<QString> settingsFile() const;

private:
    struct Services;
    std::unique_ptr<Services> m_services;
    std::unique_ptr<Accessibility> m_accessibility;
    std::unique_ptr<Workspace> m_workspace;
};

} // namespace tavlen::linux_platform
