#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

namespace tavlen::linux_platform {

// A compiled GLib resource bundle (what glib-compile-resources writes and programs carry in an
// ELF section), read through GIO. The bundle's bytes must outlive the object.
class GResourceBundle {
public:
    explicit GResourceBundle(QByteArrayView data);
    ~GResourceBundle();
    GResourceBundle(const GResourceBundle&) = delete;
    GResourceBundle& operator=(const GResourceBundle&) = delete;

    // False when the bytes are no resource bundle; it then holds no files.
    bool isValid() const { return m_resource != nullptr; }

    // The paths of every file in the bundle ("/org/gnome/app/gtk/help-overlay.ui").
    QStringList paths() const;
    // A file's contents, uncompressed; empty when there is no such file or when it would be
    // larger than `maxSize` uncompressed (a compressed file may claim any size).
    QByteArray file(const QString& path, qsizetype maxSize) const;

private:
    void collect(const QByteArray& folder, int depth, QStringList& paths) const;

    // GResource, kept opaque so that GLib's headers stay inside this class's source.
    void* m_resource = nullptr;
};

} // namespace tavlen::linux_platform
