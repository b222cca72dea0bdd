#pragma once

#include "harvest/MenuItem.h"
#include "sheet/ContextMenuEntry.h"
#include "sheet/RowServices.h"
#include "sheet/RowTextStyle.h"

#include <QList>
#include <QObject>
#include <QString>

namespace tavlen {

// The state and actions of one sheet row of a harvested menu element; the view draws from the
// queries and forwards clicks and menu choices to the actions.
//
// The flags start from what the sheet read from the store and are from then on the row's own:
// each action changes them, writes the store at once and emits changed(), but is never re-read.
// A row is never both bookmarked and hidden: hiding un-bookmarks, bookmarking un-hides.
class ElementRowModel : public QObject {
    Q_OBJECT
public:
    // `appTitle` and `bundleIdentifier` name the application the sheet shows.
    ElementRowModel(QString appTitle, QString bundleIdentifier, MenuItem element, bool bookmarked,
                    bool hidden, bool hiddenGlobally, const RowServices& services, QObject* parent = nullptr);

    const QString& appTitle() const { return m_appTitle; }
    const QString& bundleIdentifier() const { return m_bundleIdentifier; }
    const MenuItem& element() const { return m_element; }
    // The element's shortcut text; empty for an element shown only because every menu is.
    QString keyText() const;

    bool bookmarked() const { return m_bookmarked; }
    bool hidden() const { return m_hidden; }
    bool hiddenGlobally() const { return m_hiddenGlobally; }

    // Whether the pointer is over the row: it lights the row up and shows the bookmark mark.
    bool isHovered() const { return m_hovered; }
    void setHovered(bool hovered);

    // The bookmark mark: "bookmark.fill" when bookmarked, else "bookmark"; opacity 1 when
    // bookmarked or hovered, else 0 (the mark keeps its room and its click while invisible).
    QString bookmarkSymbolName() const;
    double bookmarkOpacity() const;

    // The colour of the title and shortcut, from the element's activity and the row's flags.
    RowTextStyle textStyle() const;

    // The context menu as it is to be shown now: "Customize" (only with the setting
    // `enableCustomShortcuts`; disabled while the CustomShortcuts application is not known to
    // be installed) and a divider, "Hide"/"Show" (not while hidden globally), then "Hide
    // Globally"/"Show Globally".
    QList<ContextMenuEntry> contextMenuEntries() const;

    // A click on the row: an inactive element does nothing; otherwise a use is counted (for an
    // element with a shortcut) and the element is pressed. The press's outcome is not checked.
    void press();
    // A click on the bookmark mark.
    void toggleBookmark();
    // "Hide" / "Show".
    void toggleHidden();
    // "Hide Globally" / "Show Globally": stored under "global", never bookmarked there.
    void toggleHiddenGlobally();
    // "Customize": writes an edit request for the CustomShortcuts application; when that
    // application is installed and starts, asks for the panel to close.
    void customize();

    // Runs the action of a context menu entry; a divider does nothing.
    void trigger(ContextMenuEntry::Kind kind);

Q_SIGNALS:
    // A flag or the hover state changed: the row is to be redrawn.
    void changed();

private:
    void saveState();

    QString m_appTitle;
    QString m_bundleIdentifier;
    MenuItem m_element;
    bool m_bookmarked = false;
    bool m_hidden = false;
    bool m_hiddenGlobally = false;
    bool m_hovered = false;
    RowServices m_services;
};

} // namespace tavlen
