#pragma once

#include "harvest/MenuItem.h"
#include "sheet/RowModel.h"

namespace tavlen {

// The state and actions of one sheet row of a harvested menu element; the view draws from the
// queries and forwards clicks and menu choices to the actions. Besides the row's own flags
// (see RowModel) it keeps whether the element is hidden in every application.
class ElementRowModel : public RowModel {
    Q_OBJECT
public:
    // `appTitle` and `bundleIdentifier` name the application the sheet shows.
    ElementRowModel(QString appTitle, QString bundleIdentifier, MenuItem element, bool bookmarked,
                    bool hidden, bool hiddenGlobally, const RowServices& services, QObject* parent = nullptr);

    const MenuItem& element() const { return m_element; }
    // The element's shortcut text; empty for an element shown only because every menu is.
    QString keyText() const override;

    bool hiddenGlobally() const { return m_hiddenGlobally; }

    // The colour of the title and shortcut, from the element's activity and the row's flags.
    RowTextStyle textStyle() const override;

    // The context menu as it is to be shown now: "Customize" (only with the setting
    // `enableCustomShortcuts`; disabled while the CustomShortcuts application is not known to
    // be installed) and a divider, "Hide"/"Show" (not while hidden globally), then "Hide
    // Globally"/"Show Globally".
    QList<ContextMenuEntry> contextMenuEntries() const override;

    // A click on the row: an inactive element does nothing; otherwise a use is counted (for an
    // element with a shortcut) and the element is pressed. The press's outcome is not checked.
    void press() override;
    // "Hide Globally" / "Show Globally": stored under "global", never bookmarked there.
    void toggleHiddenGlobally();
    // "Customize": writes an edit request for the CustomShortcuts application; when that
    // application is installed and starts, asks for the panel to close.
    void customize();

    // Runs the action of a context menu entry; a divider does nothing.
    void trigger(ContextMenuEntry::Kind kind) override;

private:
    void saveState() override;

    MenuItem m_element;
    bool m_hiddenGlobally = false;
};

} // namespace tavlen
