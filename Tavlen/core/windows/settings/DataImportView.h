#pragma once

#include "core/windows/settings/TransferView.h"

namespace tavlen {

// Imports custom shortcuts from a file the user picks: shortly after it is presented, an open
// panel titled "Import" asks for an export file; a chosen file is imported, the result shown
// in the alert "Tavlen Import file", and importCompleted emitted. Presented until the panel has
// closed either way.
class DataImportView : public TransferView {
    Q_OBJECT
public:
    using TransferView::TransferView;

    // Ignored while presented.
    void present();

Q_SIGNALS:
    // A file was imported (the alert has been dismissed by then).
    void importCompleted(bool completed);

private:
    void run();
};

} // namespace tavlen
