#pragma once

#include "core/windows/settings/TransferDialogs.h"
#include "sheet/RowServices.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace tavlen {

// What exporting and importing custom shortcuts have in common: a file panel shown shortly after
// the view is presented, so that the click asking for it has finished; one at a time; and
// dismissed() once the panel has closed either way.
class TransferView : public QObject {
    Q_OBJECT
public:
    static constexpr int PresentationDelayMilliseconds = 100;

    TransferView(const RowServices& services, TransferDialogs dialogs, QWidget* dialogParent,
                 QObject* parent = nullptr);

    bool isPresented() const { return m_presented; }

    void setDialogs(TransferDialogs dialogs) { m_dialogs = std::move(dialogs); }

Q_SIGNALS:
    // The panel has closed, with or without a file transferred.
    void dismissed();

protected:
    // Runs `transfer` (the panel and what follows it) after the delay; ignored while presented.
    void presentWith(std::function<void()> transfer);

    RowServices m_services;
    TransferDialogs m_dialogs;
    QPointer<QWidget> m_dialogParent;

private:
    bool m_presented = false;
};

} // namespace tavlen
