#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace tavlen {

// The modal dialogs around importing and exporting custom shortcuts, replaceable so that the
// editor can be driven without a dialog waiting for a user.
struct TransferDialogs {
    // A save panel with the title and the proposed file name (without extension); the chosen
    // path, or none when cancelled.
    using SaveFile = std::function<std::optional<QString>(QWidget* parent, const QString& title,
                                                          const QString& proposedName)>;
    // An open panel for one export file; the chosen path, or none when cancelled.
    using OpenFile = std::function<std::optional<QString>(QWidget* parent, const QString& title)>;
    // An alert with one button "OK": the title as its message, the message below it.
    using Alert = std::function<void(QWidget* parent, const QString& title, const QString& message)>;

    SaveFile saveFile;
    OpenFile openFile;
    Alert alert;

    // File dialogs for ".tavlen" files and a message box.
    static TransferDialogs standard();
};

} // namespace tavlen
