#pragma once

#include "platform/UserDefaultsStore.h"

#include <QVariantMap>
#include <memory>
#include <optional>

class QFileSystemWatcher;
class QSettings;

namespace tavlen {
class FileLocations;
}

namespace tavlen::linux_platform {

// The preferences as an INI file at $XDG_CONFIG_HOME/Fenwater/Tavlen.conf. INI has no types:
// every scalar comes back as text, which the typed readers in settings/ interpret.
//
// Other processes (a second Tavlen, the user's editor) may change the file at any time. The
// file and its folder are watched; after each change the whole file is read again and
// compared with what this object last saw, and valueChanged is emitted for every key that was
// added, removed or given another value. Writes through this object update that record at
// once, so they are announced exactly once.
//
// Without a configuration folder (no HOME, no XDG_CONFIG_HOME) the preferences are kept in
// memory for the life of the process.
class QSettingsUserDefaults final : public UserDefaultsStore {
    Q_OBJECT
public:
    explicit QSettingsUserDefaults(const FileLocations& locations, QObject* parent = nullptr);
    ~QSettingsUserDefaults() override;

    QVariant value(const QString& key) const override;
    void setValue(const QString& key, const QVariant& value) override;
    void remove(const QString& key) override;

    // The file in use; none when the preferences live in memory only.
    std::optional<QString> filePath() const;

    static std::optional<QString> defaultFilePath(const FileLocations& locations);

private:
    void fileChanged();
    void watch();
    QVariantMap snapshot() const;

    std::unique_ptr<QSettings> m_settings;
    QFileSystemWatcher* m_watcher = nullptr;
    QVariantMap m_seen;
    QVariantMap m_memoryOnly;
};

} // namespace tavlen::linux_platform
