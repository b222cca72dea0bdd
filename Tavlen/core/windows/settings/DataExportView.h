#pragma once

#include "core/windows/settings/TransferDialogs.h"
#include "sheet/RowServices.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace tavlen {

// Exports custom shortcuts to a file the user picks: shortly after it is presented, a save
// panel titled "Export" proposes "all" (for all applications) or the application's title;
// once confirmed, the file is written. A failed write is reported in an alert. Presented until
// the panel has closed either way.
class DataExportView : public QObject {
    Q_OBJECT
public:
    static constexpr int PresentationDelayMilliseconds = 100;

    DataExportView(const RowServices& services, TransferDialogs dialogs, QWidget* dialogParent,
                   QObject* parent = nullptr);

    // Ignored while presented.
    void present(const QString& appTitle, const QString& appIdentifier, bool all);
    bool isPresented() const { return m_presented; }

    void setDialogs(TransferDialogs dialogs) { m_dialogs = std::move(dialogs); }

    static QString alertTitle() { return QStringLiteral("Tavlen Export file"); }
    // The alert's message when the file could not be written.
    static QString failureMessage(const QString& filePath, const QString& error);

Q_SIGNALS:
    // The panel has closed, with or without a file written.
    void dismissed();

private:
    void run(const QString& appTitle, const QString& appIdentifier, bool all);

    RowServices m_services;
    TransferDialogs m_dialogs;
    QPointer<QWidget> m_dialogParent;
    bool m_presented = false;
};

} // namespace tavlen
