#include "sheet/RowModel.h"

namespace tavlen {

RowModel::RowModel(QString appTitle, QString bundleIdentifier, bool bookmarked, bool hidden,
                   const RowServices& services, QObject* parent)
    : QObject(parent)
    , m_appTitle(std::move(appTitle))
    , m_bundleIdentifier(std::move(bundleIdentifier))
    , m_bookmarked(bookmarked)
    , m_hidden(hidden)
    , m_services(services)
{}

void RowModel::setHovered(bool hovered)
{
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    Q_EMIT changed();
}

QString RowModel::bookmarkSymbolName() const
{
    return m_bookmarked ? QStringLiteral("bookmark.fill") : QStringLiteral("bookmark");
}

double RowModel::bookmarkOpacity() const
{
    return m_bookmarked || m_hovered ? 1.0 : 0.0;
}

void RowModel::toggleBookmark()
{
    // Bookmarking un-hides; un-bookmarking leaves the row as it was.
    setFlags(!m_bookmarked, m_hidden && m_bookmarked);
}

void RowModel::toggleHidden()
{
    setFlags(m_bookmarked && m_hidden, !m_hidden);
}

void RowModel::setFlags(bool bookmarked, bool hidden)
{
    m_bookmarked = bookmarked;
    m_hidden = hidden;
    saveState();
    Q_EMIT changed();
}

} // namespace tavlen
