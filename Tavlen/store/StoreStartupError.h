#pragma once

#include <QString>
#include <stdexcept>

namespace tavlen {

// The store could not be set up; the process cannot go on without it. message() is the text
// to show the user.
class StoreStartupError : public std::runtime_error {
public:
    explicit StoreStartupError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}

    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace tavlen
