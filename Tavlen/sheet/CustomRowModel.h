#pragma once

#include "sheet/RowModel.h"
#include "store/GlobalApp.h"
#include "store/ManualHotkey.h"

namespace tavlen {

// The state and actions of one sheet row of a custom shortcut; "hidden" is the stored
// "is_enabled" turned round.
class CustomRowModel : public RowModel {
    Q_OBJECT
public:
    // The application identifier the shortcut is sent to: "global" (with the title "Global")
    // for a global custom shortcut, which goes to whatever application is frontmost.
    static constexpr QLatin1String globalIdentifier{global_app::IDENTIFIER,
                                                    sizeof(global_app::IDENTIFIER) - 1};

    CustomRowModel(QString appTitle, QString bundleIdentifier, ManualHotkey item, bool bookmarked,
                   bool hidden, const RowServices& services, QObject* parent = nullptr);

    const ManualHotkey& item() const { return m_item; }

    // The recorded key as the sheet shows it (fn as the globe; the current keyboard layout when
    // the setting `showLocalizedCustomShortcuts` is on, else the first Latin one); empty when
    // nothing was recorded. Read afresh on every call, so a changed layout shows on redraw.
    QString keyText() const override;

    // Rows without a key text are drawn grayed out (or in the hidden colour, fainter).
    RowTextStyle textStyle() const override;

    // The only entry: "Show" while hidden, else "Hide".
    QList<ContextMenuEntry> contextMenuEntries() const override;

    // A click on the row: counts a use, then sends the shortcut (see sendShortcut).
    void press() override;
    void trigger(ContextMenuEntry::Kind kind) override;

    // Types the recorded key: nothing without a recorded key code. A global shortcut goes to
    // whatever application is frontmost. Otherwise it goes to the first running application
    // with the row's identifier (nothing when none runs): at once when it is frontmost, else
    // that application is asked to activate and the key is sent ACTIVATION_DELAY_MS later (see
    // typeShortcut), only if the request was made. The delayed send does not need the row any more.
    void sendShortcut();

private:
    void saveState() override;

    ManualHotkey m_item;
};

} // namespace tavlen
