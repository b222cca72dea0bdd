#pragma once

#include <QString>
#include <QVariantMap>
#include <QtGlobal>
#include <functional>
#include <memory>
#include <vector>

namespace tavlen {

// Named notifications within one process: parts of Tavlen tell the application controller
// what to do without holding a reference to it. Used from the main thread only.
//
// Observers of a name are called in the order they were added. An observer removed while a
// notification is being delivered (by itself or by another observer) is not called afterwards;
// one added meanwhile first hears the next notification. Observers may post in turn.
class NotificationCenter {
public:
    using Callback = std::function<void(const QString& name, const QVariantMap& userInfo)>;
    // Never 0 for a registration, so that 0 can stand for "none" in the holder's field.
    using Token = quint64;

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // 0 (and nothing registered) for an empty callback.
    Token addObserver(const QString& name, Callback callback);
    // Unknown and already removed tokens are ignored.
    void removeObserver(Token token);
    void post(QString name, QVariantMap userInfo = {});

    qsizetype observerCount(const QString& name) const;

private:
    struct Observer {
        Token token = 0;
        QString name;
        // Shared so that an observer that removes itself can finish its own call.
        std::shared_ptr<const Callback> callback;
    };

    std::vector<Observer> m_observers;
    Token m_lastToken = 0;
};

} // namespace tavlen
