#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

namespace tavlen {

// A running application as the desktop knows it.
struct RunningApplication {
    QString identifier;    // application id (desktop entry id, else window class, else executable)
    QString localizedName; // empty when the application has none
    qint64 processIdentifier = 0;
    QString executable = {}; // the program file without folder; empty when unknown

    friend bool operator==(const RunningApplication&, const RunningApplication&) = default;
};

// The running applications and which one is frontmost.
class Workspace : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Workspace() override = default;

    virtual std::optional<RunningApplication> frontmostApplication() const = 0;

    // Every running application with that id, the longest-running first when the platform knows.
    virtual QList<RunningApplication> runningApplications(const QString& identifier) const
    {
        QList<RunningApplication> found = allRunningApplications();
        found.removeIf(
            [&](const RunningApplication& application) { return application.identifier != identifier; });
        return found;
    }

    // Every running application the desktop knows, one entry per process, the longest-running
    // first when the platform knows.
    virtual QList<RunningApplication> allRunningApplications() const = 0;

Q_SIGNALS:
    // Another application became frontmost.
    void frontmostApplicationChanged();
};

} // namespace tavlen
