#pragma once

#include "platform/AXElement.h"

#include "platform/linux/AtspiBusConnection.h"

#include <QDBusMessage>
#include <QObject>
#include <QString>

namespace tavlen::linux_platform {

// Hears what applications say on the accessibility bus about elements that may be menu entries:
// children added or removed, a new name, a changed state (enabled, sensitive, visible, checked),
// and applications leaving the bus. Applications send these only while someone has asked the
// registry for them, which start does.
class AtspiEventListener final : public QObject {
    Q_OBJECT
public:
    explicit AtspiEventListener(QObject* parent = nullptr);

    // Connects to the accessibility bus; false when there is none. Waits for nothing but the
    // bus's address.
    bool start();

Q_SIGNALS:
    void elementChanged(const tavlen::AXElement& element);
    // `origin` is the application's bus name, as its elements' origin says.
    void applicationGone(const QString& origin);

private Q_SLOTS:
    void onChildrenChanged(const QDBusMessage& message);
    void onPropertyChange(const QDBusMessage& message);
    void onStateChanged(const QDBusMessage& message);
    void onNameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);

private:
    void announce(const QDBusMessage& message);

    AtspiBusConnection m_bus;
};

} // namespace tavlen::linux_platform
