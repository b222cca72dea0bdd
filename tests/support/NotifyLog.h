#pragma once

#include <QHash>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QObject>
#include <QStringList>
#include <gtest/gtest.h>

namespace tavlen::test {

// The names of the properties whose NOTIFY signals fired, in the order they fired, for the
// properties of `object` named here.
class NotifyLog final : public QObject {
    Q_OBJECT

public:
    NotifyLog(QObject& object, const QStringList& properties)
    {
        const QMetaObject* meta = object.metaObject();
        const QMetaMethod notified = metaObject()->method(metaObject()->indexOfSlot("notified()"));
        for (const QString& name : properties) {
            const QMetaProperty property = meta->property(meta->indexOfProperty(name.toLatin1().constData()));
            EXPECT_TRUE(property.hasNotifySignal()) << name.toStdString() << " has no NOTIFY signal";
            if (!property.hasNotifySignal())
                continue;
            m_names.insert(property.notifySignalIndex(), name);
            connect(&object, property.notifySignal(), this, notified);
        }
    }

    QStringList names;

private Q_SLOTS:
    void notified() { names << m_names.value(senderSignalIndex()); }

private:
    QHash<int, QString> m_names;
};

} // namespace tavlen::test
