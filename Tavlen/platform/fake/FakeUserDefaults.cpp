#include "platform/fake/FakeUserDefaults.h"

namespace tavlen::fake {

FakeUserDefaults::FakeUserDefaults(Storage storage, QObject* parent)
    : UserDefaultsStore(parent), m_storage(storage)
{}

QVariant FakeUserDefaults::value(const QString& key) const
{
    return m_values.value(key);
}

void FakeUserDefaults::setValue(const QString& key, const QVariant& value)
{
    m_values.insert(key, stored(value));
    Q_EMIT valueChanged(key);
}

void FakeUserDefaults::remove(const QString& key)
{
    m_values.remove(key);
    Q_EMIT valueChanged(key);
}

void FakeUserDefaults::simulateOutsideEdit(const QString& key, const QVariant& value)
{
    if (value.isValid())
        m_values.insert(key, value);
    else
        m_values.remove(key);
    Q_EMIT valueChanged(key);
}

QVariant FakeUserDefaults::stored(const QVariant& value) const
{
    if (m_storage == Storage::Native || !value.isValid())
        return value;
    // Lists stay lists: the INI reader splits a comma-separated value back into one.
    if (value.metaType().id() == QMetaType::QStringList)
        return value;
    return QVariant(value.toString());
}

} // namespace tavlen::fake
