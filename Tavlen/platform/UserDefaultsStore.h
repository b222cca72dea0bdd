#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

namespace tavlen {

// Persistent key-value preferences. Values come back as they were stored or, from a text
// backend, as text: the typed readers in settings/ interpret both. An absent key reads as an
// invalid QVariant.
class UserDefaultsStore : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~UserDefaultsStore() override = default;

    virtual QVariant value(const QString& key) const = 0;
    virtual void setValue(const QString& key, const QVariant& value) = 0;
    virtual void remove(const QString& key) = 0;

Q_SIGNALS:
    // Emitted after every write through this object, and for every key whose value another
    // process changed.
    void valueChanged(const QString& key);
};

} // namespace tavlen
