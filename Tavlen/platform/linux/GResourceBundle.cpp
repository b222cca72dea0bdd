#include "platform/linux/GResourceBundle.h"

#include <gio/gio.h>

namespace tavlen::linux_platform {

namespace {

// Resource bundles are a few folders deep and hold at most a few thousand files (GTK's own
// holds about 550); the bounds keep a damaged or hostile bundle from running away.
constexpr int MAX_DEPTH = 32;
constexpr qsizetype MAX_FILES = 20000;

GResource* resourceOf(void* resource)
{
    return static_cast<GResource*>(resource);
}

} // namespace

GResourceBundle::GResourceBundle(QByteArrayView data)
{
    if (data.isEmpty())
        return;
    // Static bytes: GIO copies them itself where their alignment does not suit it.
    GBytes* bytes = g_bytes_new_static(data.data(), gsize(data.size()));
    m_resource = g_resource_new_from_data(bytes, nullptr);
    g_bytes_unref(bytes);
}

GResourceBundle::~GResourceBundle()
{
    if (m_resource)
        g_resource_unref(resourceOf(m_resource));
}

QStringList GResourceBundle::paths() const
{
    QStringList paths;
    if (m_resource)
        collect(QByteArrayLiteral("/"), 0, paths);
    return paths;
}

void GResourceBundle::collect(const QByteArray& folder, int depth, QStringList& paths) const
{
    if (depth > MAX_DEPTH)
        return;
    char** children = g_resource_enumerate_children(resourceOf(m_resource), folder.constData(),
                                                    G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
    if (!children)
        return;
    for (char** child = children; *child && paths.size() < MAX_FILES; ++child) {
        const QByteArray path = folder + QByteArray(*child);
        if (path.endsWith('/'))
            collect(path, depth + 1, paths);
        else
            paths.append(QString::fromUtf8(path));
    }
    g_strfreev(children);
}

QByteArray GResourceBundle::file(const QString& path, qsizetype maxSize) const
{
    if (!m_resource)
        return {};
    const QByteArray name = path.toUtf8();
    gsize size = 0;
    if (!g_resource_get_info(resourceOf(m_resource), name.constData(), G_RESOURCE_LOOKUP_FLAGS_NONE, &size,
                             nullptr, nullptr) ||
        size > gsize(maxSize))
        return {};
    GBytes* bytes = g_resource_lookup_data(resourceOf(m_resource), name.constData(),
                                           G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
    if (!bytes)
        return {};
    const auto* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
    QByteArray contents(data, qsizetype(size));
    g_bytes_unref(bytes);
    return contents;
}

} // namespace tavlen::linux_platform
