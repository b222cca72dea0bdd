#pragma once

#include <QObject>
#include <QString>

namespace tavlen {

// The application whose shortcuts the panels show, for the views to observe.
class ActiveApp : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString bundleIdentifier READ bundleIdentifier WRITE setBundleIdentifier NOTIFY
                   bundleIdentifierChanged)
public:
    explicit ActiveApp(QString bundleIdentifier, QObject* parent = nullptr)
        : QObject(parent), m_bundleIdentifier(std::move(bundleIdentifier))
    {}

    const QString& bundleIdentifier() const { return m_bundleIdentifier; }

    void setBundleIdentifier(const QString& value)
    {
        if (value == m_bundleIdentifier)
            return;
        m_bundleIdentifier = value;
        Q_EMIT bundleIdentifierChanged(m_bundleIdentifier);
    }

Q_SIGNALS:
    void bundleIdentifierChanged(const QString& bundleIdentifier);

private:
    QString m_bundleIdentifier;
};

} // namespace tavlen
