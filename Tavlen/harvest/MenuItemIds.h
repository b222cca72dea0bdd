#pragma once

#include <QUuid>

namespace tavlen {

// Fresh ids for the records of one harvest or one grouping. A random UUID per record costs a
// system call each, which on a large menu bar took a fifth of the whole sheet load; the records
// need only be told apart from each other and from any other record, so they count up from one
// random UUID (distinct counters give distinct ids; version and variant bits are untouched).
class MenuItemIds {
public:
    QUuid next()
    {
        QUuid id = m_base;
        id.data1 ^= m_counter++;
        return id;
    }

private:
    QUuid m_base = QUuid::createUuid();
    uint m_counter = 1;
};

} // namespace tavlen
