#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <utility>
#include <vector>

namespace tavlen::test {

// A temporary home for one test: XDG_DATA_HOME and XDG_CONFIG_HOME point into a fresh folder
// for the lifetime of the object, and are restored afterwards.
class TempEnvironment {
public:
    TempEnvironment()
    {
        set("XDG_DATA_HOME", dataHome().toUtf8());
        set("XDG_CONFIG_HOME", configHome().toUtf8());
    }
    ~TempEnvironment()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->second.isNull())
                qunsetenv(it->first.constData());
            else
                qputenv(it->first.constData(), it->second);
        }
    }
    TempEnvironment(const TempEnvironment&) = delete;
    TempEnvironment& operator=(const TempEnvironment&) = delete;

    QString root() const { return m_dir.path(); }
    QString dataHome() const { return m_dir.path() + QStringLiteral("/data"); }
    QString configHome() const { return m_dir.path() + QStringLiteral("/config"); }

    // Sets a variable for this test only; unset with a null value.
    void set(const char* name, const QByteArray& value)
    {
        m_saved.emplace_back(QByteArray(name),
                             qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

private:
    QTemporaryDir m_dir;
    std::vector<std::pair<QByteArray, QByteArray>> m_saved;
};

} // namespace tavlen::test
