#include "platform/NotificationCenter.h"

#include <algorithm>

namespace tavlen {

NotificationCenter::Token NotificationCenter::addObserver(const QString& name, Callback callback)
{
    if (!callback)
        return 0;
    const Token token = ++m_lastToken;
    m_observers.push_back(Observer{token, name, std::make_shared<const Callback>(std::move(callback))});
    return token;
}

void NotificationCenter::removeObserver(Token token)
{
    std::erase_if(m_observers, [token](const Observer& observer) { return observer.token == token; });
}

void NotificationCenter::post(QString name, QVariantMap userInfo)
{
    // The observers of this moment, by token: the list may change under every call below.
    std::vector<Token> recipients;
    for (const Observer& observer : m_observers) {
        if (observer.name == name)
            recipients.push_back(observer.token);
    }
    for (const Token token : recipients) {
        const auto it = std::find_if(m_observers.cbegin(), m_observers.cend(),
                                     [token](const Observer& observer) { return observer.token == token; });
        if (it == m_observers.cend())
            continue;
        const std::shared_ptr<const Callback> callback = it->callback;
        (*callback)(name, userInfo);
    }
}

qsizetype NotificationCenter::observerCount(const QString& name) const
{
    return std::count_if(m_observers.cbegin(), m_observers.cend(),
                         [&name](const Observer& observer) { return observer.name == name; });
}

} // namespace tavlen
