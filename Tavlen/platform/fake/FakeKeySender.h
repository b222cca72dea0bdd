#pragma once

#include "platform/KeySender.h"

#include <QList>

namespace tavlen::fake {

// Records every key combination it is asked to type.
class FakeKeySender final : public KeySender {
public:
    struct Post {
        quint16 macVirtualKey = 0;
        qint64 eventFlags = 0;

        friend bool operator==(const Post&, const Post&) = default;
    };

    // With `succeeds` off, posts answer false and are not recorded, like a key the platform
    // cannot type.
    bool post(quint16 macVirtualKey, qint64 eventFlags) override
    {
        if (!m_succeeds)
            return false;
        m_posts.append({macVirtualKey, eventFlags});
        return true;
    }

    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }
    const QList<Post>& posts() const { return m_posts; }
    void clear() { m_posts.clear(); }

private:
    QList<Post> m_posts;
    bool m_succeeds = true;
};

} // namespace tavlen::fake
