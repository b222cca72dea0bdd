#pragma once

#include "core/windows/settings/TransferDialogs.h"
#include "sheet/RowServices.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace tavlen {

// Imports custom shortcuts from a file the user picks: shortly after it is presented, an open
// panel titled "Import" asks for an export file; a chosen file is imported, the result shown
// in the alert "Tavlen Import file", and importCompleted emitted. Presented until the panel has
// closed either way.
class DataImportView : public QObject {
    Q_OBJECT
public:
    static constexpr int PresentationDelayMilliseconds = 100;

    DataImportView(const RowServices& services, TransferDialogs dialogs, QWidget* dialogParent,
                   QObject* parent = nullptr);

    // Ignored while presented.
    void present();
    bool isPresented() const { return m_presented; }

    void setDialogs(TransferDialogs dialogs) { m_dialogs = std::move(dialogs); }

Q_SIGNALS:
    // A file was imported (the alert has been dismissed by then).
    void importCompleted(bool completed);
    // The panel has closed, with or without a file imported.
    void dismissed();

private:
    void run();

    RowServices m_services;
    TransferDialogs m_dialogs;
    QPointer<QWidget> m_dialogParent;
    bool m_presented = false;
};

} // namespace tavlen
