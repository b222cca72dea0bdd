#pragma once

#include "platform/UserDefaultsStore.h"

#include <QVariantMap>

namespace tavlen::fake {

// Preferences in memory. In `Storage::Text` mode every written value is kept as the text an
// INI file would hold, so typed readers can be checked against both forms a real store
// returns.
class FakeUserDefaults final : public UserDefaultsStore {
    Q_OBJECT
public:
    enum class Storage { Native, Text };

    explicit FakeUserDefaults(Storage storage = Storage::Native, QObject* parent = nullptr);

    QVariant value(const QString& key) const override;
    void setValue(const QString& key, const QVariant& value) override;
    void remove(const QString& key) override;

    // Another process changed the key: the value is stored exactly as given (an invalid
    // QVariant removes the key) and valueChanged is emitted, as the real store does when it
    // notices the file changed.
    void simulateOutsideEdit(const QString& key, const QVariant& value);

    // Every stored key and its value, for inspecting what a write left behind.
    const QVariantMap& contents() const { return m_values; }

private:
    QVariant stored(const QVariant& value) const;

    Storage m_storage;
    QVariantMap m_values;
};

} // namespace tavlen::fake
