#pragma once

// Lets GoogleTest print Qt strings and lists as text in failure messages instead of byte dumps.
// Force-included into every test source (tests/CMakeLists.txt), so a failure anywhere reads well.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    *out << '"' << bytes.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << "{";
    for (qsizetype i = 0; i < list.size(); ++i) {
        *out << (i ? ", " : " ");
        PrintTo(list.at(i), out);
    }
    *out << " }";
}
