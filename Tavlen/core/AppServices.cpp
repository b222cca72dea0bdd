#include "core/AppServices.h"

namespace tavlen {

AppServices::AppServices(const Platform& platform)
    : m_platform(platform)
    , m_databaseManager(platform.locations, platform.files)
    , m_appSettings(platform.defaults, platform.locations, platform.files, platform.applications,
                    AppSettings::processEnvironment())
{}

} // namespace tavlen
