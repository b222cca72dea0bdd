#include "core/RunningApplicationMatch.h"

#include <functional>

namespace tavlen {

QList<RunningApplication> matchRunningApplications(const QString& typed,
                                                   const QList<RunningApplication>& running)
{
    const QString wanted = typed.trimmed();
    if (wanted.isEmpty())
        return {};
    const auto sameText = [&wanted](const QString& text, Qt::CaseSensitivity sensitivity) {
        return !text.isEmpty() && text.compare(wanted, sensitivity) == 0;
    };
    // From the most to the least precise: a looser rule is tried only when a stricter one found
    // nothing, so that an exact id is never outvoted by another application's name.
    const std::function<bool(const RunningApplication&)> rules[] = {
        [&](const RunningApplication& app) { return sameText(app.identifier, Qt::CaseSensitive); },
        [&](const RunningApplication& app) { return sameText(app.identifier, Qt::CaseInsensitive); },
        [&](const RunningApplication& app) { return sameText(app.executable, Qt::CaseInsensitive); },
        [&](const RunningApplication& app) { return sameText(app.localizedName, Qt::CaseInsensitive); },
    };
    for (const auto& rule : rules) {
        QList<RunningApplication> found;
        for (const RunningApplication& app : running) {
            if (rule(app))
                found << app;
        }
        if (!found.isEmpty())
            return found;
    }
    return {};
}

} // namespace tavlen
