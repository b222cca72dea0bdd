#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace tavlen {

// A compiled gettext catalog (an .mo file), read from its bytes so that Tavlen can translate an
// application's texts in the application's language without switching its own locale or
// binding the application's domain inside its own process.
class MessageCatalog {
public:
    MessageCatalog() = default;
    // An empty catalog when the bytes are no catalog; entries that point outside the bytes are
    // skipped.
    explicit MessageCatalog(const QByteArray& moFile);

    bool isEmpty() const { return m_messages.isEmpty(); }
    qsizetype size() const { return m_messages.size(); }

    // The translation of `text` in `context` (pgettext's lookup: "context\004text"), or `text`
    // itself when the catalog has none.
    QString translate(const QString& context, const QString& text) const;

private:
    // Original (singular, with its context) to translation (singular), as UTF-8.
    QHash<QByteArray, QByteArray> m_messages;
};

} // namespace tavlen
