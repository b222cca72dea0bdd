#pragma once

#include "platform/Platform.h"

#include <QString>
#include <memory>
#include <optional>

namespace tavlen::linux_platform {

// Owns the real platform services of one process. Created once by an executable's main.
class LinuxPlatform {
public:
    LinuxPlatform();
    ~LinuxPlatform();
    LinuxPlatform(const LinuxPlatform&) = delete;
    LinuxPlatform& operator=(const LinuxPlatform&) = delete;

    Platform services() const;

    // Where the settings are kept; none when there is no configuration folder.
    std::optional<QString> settingsFile() const;

private:
    struct Services;
    std::unique_ptr<Services> m_services;
};

} // namespace tavlen::linux_platform
