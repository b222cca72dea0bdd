#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QtGlobal>

namespace tavlen::linux_platform {

// A section of an ELF file that holds bytes in the file.
struct ElfSection {
    QByteArray name;
    qint64 offset = 0;
    qint64 size = 0;
};

// Reads the section header table of an ELF file (32 or 64 bits, either byte order) from its
// bytes, trusting nothing in it: a file that is not ELF, is cut short or points outside itself
// gives no sections rather than a read out of bounds.
class ElfSections {
public:
    ElfSections() = delete;

    // Whether the bytes start like an ELF file.
    static bool isElf(QByteArrayView file);

    // The sections whose name starts with `prefix` and whose bytes lie wholly inside the file.
    static QList<ElfSection> named(QByteArrayView file, QByteArrayView prefix);
};

} // namespace tavlen::linux_platform
