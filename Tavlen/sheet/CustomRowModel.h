#pragma once

#include "sheet/ContextMenuEntry.h"
#include "sheet/RowServices.h"
#include "sheet/RowTextStyle.h"
#include "store/GlobalApp.h"
#include "store/ManualHotkey.h"

#include <QList>
#include <QObject>
#include <QString>

namespace tavlen {

// The state and actions of one sheet row of a custom shortcut. Like ElementRowModel, the flags
// start from the sheet's values and are the row's own afterwards; "hidden" is the stored
// "is_enabled" turned round.
class CustomRowModel : public QObject {
    Q_OBJECT
public:
    // The application identifier the shortcut is sent to: "global" (with the title "Global")
    // for a global custom shortcut, which goes to whatever application is frontmost.
    static constexpr QLatin1String globalIdentifier{global_app::IDENTIFIER,
                                                    sizeof(global_app::IDENTIFIER) - 1};
    // How long after asking a background application to come to the front its keys are sent.
    static constexpr int activationDelayMilliseconds = 500;

    CustomRowModel(QString appTitle, QString bundleIdentifier, ManualHotkey item, bool bookmarked,
                   bool hidden, const RowServices& services, QObject* parent = nullptr);

    const QString& appTitle() const { return m_appTitle; }
    const QString& bundleIdentifier() const { return m_bundleIdentifier; }
    const ManualHotkey& item() const { return m_item; }

    bool bookmarked() const { return m_bookmarked; }
    bool hidden() const { return m_hidden; }

    bool isHovered() const { return m_hovered; }
    void setHovered(bool hovered);
    // As ElementRowModel's.
    QString bookmarkSymbolName() const;
    double bookmarkOpacity() const;

    // The recorded key as the sheet shows it (fn as the globe; the current keyboard layout when
    // the setting `showLocalizedCustomShortcuts` is on, else the first Latin one); empty when
    // nothing was recorded. Read afresh on every call, so a changed layout shows on redraw.
    QString keyText() const;

    // Rows without a key text are drawn grayed out (or in the hidden colour, fainter).
    RowTextStyle textStyle() const;

    // The only entry: "Show" while hidden, else "Hide".
    QList<ContextMenuEntry> contextMenuEntries() const;

    // A click on the row: counts a use, then sends the shortcut (see sendShortcut).
    void press();
    // A click on the bookmark mark.
    void toggleBookmark();
    // "Hide" / "Show".
    void toggleHidden();
    void trigger(ContextMenuEntry::Kind kind);

    // Types the recorded key: nothing without a recorded key code. A global shortcut goes to
    // whatever application is frontmost. Otherwise it goes to the first running application
    // with the row's identifier (nothing when none runs): at once when it is frontmost, else
    // that application is asked to activate and the key is sent activationDelayMilliseconds
    // later, only if the request was made. The delayed send does not need the row any more.
    void sendShortcut();

Q_SIGNALS:
    void changed();

private:
    void saveState();

    QString m_appTitle;
    QString m_bundleIdentifier;
    ManualHotkey m_item;
    bool m_bookmarked = false;
    bool m_hidden = false;
    bool m_hovered = false;
    RowServices m_services;
};

} // namespace tavlen
