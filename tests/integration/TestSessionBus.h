#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <memory>

namespace tavlen::test {

// Starts a session bus of the tests' own in `environment` (its process ends with `bus`); its
// address, or an empty one with `error` set.
QByteArray startSessionBus(std::unique_ptr<QProcess>& bus, const QProcessEnvironment& environment,
                           QString& error);

} // namespace tavlen::test
