#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tavlen {

// What a process started as a one-shot relay asks of the running instance.
enum class RelayRequest {
    ShowHotkeys,
    TogglePersistent,
};

// The request named by the command line, or nothing for a process that is to become the
// resident instance. "--show-shortcuts" wins when both arguments are given; only exact
// arguments count (the first entry, the program, is never one of them).
std::optional<RelayRequest> relayRequestFromArguments(const QStringList& arguments);

// The service method that carries the request.
QString relayMethodName(RelayRequest request);

} // namespace tavlen
