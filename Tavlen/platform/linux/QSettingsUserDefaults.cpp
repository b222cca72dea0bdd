#include "platform/linux/QSettingsUserDefaults.h"

#include "platform/FileLocations.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSet>
#include <QSettings>

namespace tavlen::linux_platform {

std::optional<QString> QSettingsUserDefaults::defaultFilePath(const FileLocations& locations)
{
    const std::optional<QString> config = locations.configHome();
    if (!config || config->isEmpty())
        return std::nullopt;
    return *config + QStringLiteral("/Fenwater/Tavlen.conf");
}

QSettingsUserDefaults::QSettingsUserDefaults(const FileLocations& locations, QObject* parent)
    : UserDefaultsStore(parent)
{
    const std::optional<QString> path = defaultFilePath(locations);
    if (!path)
        return;
    // The folder must exist before the first write so that it can be watched: QSettings
    // replaces the file on every save, and only the folder sees the new one arrive.
    QDir().mkpath(QFileInfo(*path).absolutePath());
    m_settings = std::make_unique<QSettings>(*path, QSettings::IniFormat);
    m_seen = snapshot();
    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &QSettingsUserDefaults::fileChanged);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &QSettingsUserDefaults::fileChanged);
    watch();
}

QSettingsUserDefaults::~QSettingsUserDefaults() = default;

std::optional<QString> QSettingsUserDefaults::filePath() const
{
    if (!m_settings)
        return std::nullopt;
    return m_settings->fileName();
}

QVariant QSettingsUserDefaults::value(const QString& key) const
{
    if (!m_settings)
        return m_memoryOnly.value(key);
    return m_settings->value(key);
}

void QSettingsUserDefaults::setValue(const QString& key, const QVariant& value)
{
    if (!m_settings) {
        m_memoryOnly.insert(key, value);
    } else {
        m_settings->setValue(key, value);
        // Saved at once so that other processes see the change and the file's next
        // notification compares against what is really on disk.
        m_settings->sync();
        m_seen.insert(key, m_settings->value(key));
        watch();
    }
    Q_EMIT valueChanged(key);
}

void QSettingsUserDefaults::remove(const QString& key)
{
    if (!m_settings) {
        m_memoryOnly.remove(key);
    } else {
        m_settings->remove(key);
        m_settings->sync();
        m_seen.remove(key);
        watch();
    }
    Q_EMIT valueChanged(key);
}

void QSettingsUserDefaults::watch()
{
    const QString file = m_settings->fileName();
    const QString folder = QFileInfo(file).absolutePath();
    const QStringList watched = m_watcher->files() + m_watcher->directories();
    if (!watched.contains(folder) && QFileInfo(folder).isDir())
        m_watcher->addPath(folder);
    // A replaced file is a new inode: the watch on the old one is gone and must be renewed.
    if (!watched.contains(file) && QFileInfo(file).isFile())
        m_watcher->addPath(file);
}

QVariantMap QSettingsUserDefaults::snapshot() const
{
    QVariantMap values;
    const QStringList keys = m_settings->allKeys();
    for (const QString& key : keys)
        values.insert(key, m_settings->value(key));
    return values;
}

void QSettingsUserDefaults::fileChanged()
{
    watch();
    // Reloads the file when it differs from the copy QSettings holds.
    m_settings->sync();
    const QVariantMap now = snapshot();
    QStringList changedKeys;
    for (auto it = now.constBegin(); it != now.constEnd(); ++it) {
        const auto before = m_seen.constFind(it.key());
        if (before == m_seen.constEnd() || *before != it.value())
            changedKeys << it.key();
    }
    for (auto it = m_seen.constBegin(); it != m_seen.constEnd(); ++it) {
        if (!now.contains(it.key()))
            changedKeys << it.key();
    }
    m_seen = now;
    for (const QString& key : std::as_const(changedKeys))
        Q_EMIT valueChanged(key);
}

} // namespace tavlen::linux_platform
