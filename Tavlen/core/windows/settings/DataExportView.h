#pragma once

#include "core/windows/settings/TransferView.h"

#include <QString>

namespace tavlen {

// Exports custom shortcuts to a file the user picks: shortly after it is presented, a save
// panel titled "Export" proposes "all" (for all applications) or the application's title;
// once confirmed, the file is written. A failed write is reported in an alert. Presented until
// the panel has closed either way.
class DataExportView : public TransferView {
    Q_OBJECT
public:
    using TransferView::TransferView;

    // Ignored while presented.
    void present(const QString& appTitle, const QString& appIdentifier, bool all);

    static QString alertTitle() { return QStringLiteral("Tavlen Export file"); }
    // The alert's message when the file could not be written.
    static QString failureMessage(const QString& filePath, const QString& error);

private:
    void run(const QString& appTitle, const QString& appIdentifier, bool all);
};

} // namespace tavlen
