#pragma once

#include "platform/ApplicationLauncher.h"
#include "platform/linux/DesktopEntryDirectory.h"

#include <QStringList>
#include <functional>
#include <optional>

namespace tavlen::linux_platform {

// Starts applications through their desktop entries: the entry's Exec line, split into
// arguments, with its field codes expanded the way a launcher does when it opens no file (%f,
// %U and the like dropped; %i, %c and %k standing for the icon, the name and the entry's path),
// run detached.
class DesktopEntryLauncher final : public ApplicationLauncher {
public:
    // Starts a program detached; true when it started. Replaceable for tests.
    using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;

    explicit DesktopEntryLauncher(const DesktopEntryDirectory& directory, Starter starter = {});

    bool launch(const QString& applicationId) override;

    // The program and its arguments for an application entry's Exec; none when the entry has
    // nothing to run.
    static std::optional<QStringList> commandLine(const DesktopEntry& entry);

private:
    const DesktopEntryDirectory& m_directory;
    Starter m_starter;
};

} // namespace tavlen::linux_platform
