#include "store/AppIcon.h"

#include "platform/ApplicationDirectory.h"

namespace tavlen {

std::optional<QString> appIcon(const QString& identifier, const ApplicationDirectory& applications)
{
    const auto info = applications.find(identifier);
    if (!info)
        return std::nullopt;
    // Every installed application has an icon of some kind; the freedesktop generic one stands
    // in for entries without their own.
    if (info->icon.isEmpty())
        return QStringLiteral("application-x-executable");
    return info->icon;
}

} // namespace tavlen
