#pragma once

#include "sheet/ContextMenuEntry.h"
#include "sheet/RowServices.h"
#include "sheet/RowTextStyle.h"

#include <QList>
#include <QObject>
#include <QString>

namespace tavlen {

// The state and actions of one sheet row, as the row's view sees them; ElementRowModel and
// CustomRowModel say what the row shows and what a click does.
//
// The flags start from what the sheet read from the store and are from then on the row's own:
// each action changes them, writes the store at once and emits changed(), but is never re-read.
// A row is never both bookmarked and hidden: hiding un-bookmarks, bookmarking un-hides.
class RowModel : public QObject {
    Q_OBJECT
public:
    // `appTitle` and `bundleIdentifier` name the application the row belongs to.
    RowModel(QString appTitle, QString bundleIdentifier, bool bookmarked, bool hidden,
             const RowServices& services, QObject* parent = nullptr);

    const QString& appTitle() const { return m_appTitle; }
    const QString& bundleIdentifier() const { return m_bundleIdentifier; }

    bool bookmarked() const { return m_bookmarked; }
    bool hidden() const { return m_hidden; }

    // Whether the pointer is over the row: it lights the row up and shows the bookmark mark.
    bool isHovered() const { return m_hovered; }
    void setHovered(bool hovered);

    // The bookmark mark: "bookmark.fill" when bookmarked, else "bookmark"; opacity 1 when
    // bookmarked or hovered, else 0 (the mark keeps its room and its click while invisible).
    QString bookmarkSymbolName() const;
    double bookmarkOpacity() const;

    // The shortcut text shown on the row.
    virtual QString keyText() const = 0;
    // The colour of the title and shortcut.
    virtual RowTextStyle textStyle() const = 0;
    // The context menu as it is to be shown now.
    virtual QList<ContextMenuEntry> contextMenuEntries() const = 0;

    // A click on the row.
    virtual void press() = 0;
    // A click on the bookmark mark.
    void toggleBookmark();
    // "Hide" / "Show".
    void toggleHidden();
    // Runs the action of a context menu entry; a divider does nothing.
    virtual void trigger(ContextMenuEntry::Kind kind) = 0;

Q_SIGNALS:
    // A flag or the hover state changed: the row is to be redrawn.
    void changed();

protected:
    const RowServices& services() const { return m_services; }

private:
    void setFlags(bool bookmarked, bool hidden);
    // Writes the bookmarked and hidden flags where the row's kind keeps them.
    virtual void saveState() = 0;

    QString m_appTitle;
    QString m_bundleIdentifier;
    bool m_bookmarked = false;
    bool m_hidden = false;
    bool m_hovered = false;
    RowServices m_services;
};

} // namespace tavlen
