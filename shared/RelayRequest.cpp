#include "shared/RelayRequest.h"

#include "shared/XpcProtocol.h"

namespace tavlen {

std::optional<RelayRequest> relayRequestFromArguments(const QStringList& arguments)
{
    const QStringList options = arguments.mid(1);
    if (options.contains(QStringLiteral("--show-shortcuts")))
        return RelayRequest::ShowHotkeys;
    if (options.contains(QStringLiteral("--toggle-persistent")))
        return RelayRequest::TogglePersistent;
    return std::nullopt;
}

QString relayMethodName(RelayRequest request)
{
    switch (request) {
    case RelayRequest::ShowHotkeys:
        return QString::fromLatin1(xpc::SHOW_HOTKEYS_METHOD);
    case RelayRequest::TogglePersistent:
        return QString::fromLatin1(xpc::TOGGLE_PERSISTENT_METHOD);
    }
    return {};
}

} // namespace tavlen
