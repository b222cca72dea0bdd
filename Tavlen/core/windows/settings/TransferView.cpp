#include "core/windows/settings/TransferView.h"

#include <QTimer>
#include <QWidget>

namespace tavlen {

TransferView::TransferView(const RowServices& services, TransferDialogs dialogs, QWidget* dialogParent,
                           QObject* parent)
    : QObject(parent), m_services(services), m_dialogs(std::move(dialogs)), m_dialogParent(dialogParent)
{}

void TransferView::presentWith(std::function<void()> transfer)
{
    if (m_presented)
        return;
    m_presented = true;
    QTimer::singleShot(PresentationDelayMilliseconds, this, [this, transfer = std::move(transfer)] {
        transfer();
        m_presented = false;
        Q_EMIT dismissed();
    });
}

} // namespace tavlen
