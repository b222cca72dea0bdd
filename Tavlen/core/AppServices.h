#pragma once

#include "platform/Platform.h"
#include "settings/AppSettings.h"
#include "store/DatabaseManager.h"

namespace tavlen {

// The two objects every part of a process shares, the store and the settings, built once over
// one set of platform services and kept until the process ends. The application and tavlenctl
// both start from here, so they open the same store with the same settings.
class AppServices {
public:
    // Throws StoreStartupError when the store cannot be opened; nothing else can be done then.
    explicit AppServices(const Platform& platform);
    AppServices(const AppServices&) = delete;
    AppServices& operator=(const AppServices&) = delete;

    const Platform& platform() const { return m_platform; }
    DatabaseManager& databaseManager() { return m_databaseManager; }
    AppSettings& appSettings() { return m_appSettings; }

private:
    Platform m_platform;
    DatabaseManager m_databaseManager;
    AppSettings m_appSettings;
};

} // namespace tavlen
