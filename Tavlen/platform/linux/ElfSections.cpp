#include "platform/linux/ElfSections.h"

#include <optional>

namespace tavlen::linux_platform {

namespace {

constexpr int CLASS_32 = 1;
constexpr int CLASS_64 = 2;
constexpr int DATA_LITTLE = 1;
constexpr int DATA_BIG = 2;
constexpr quint32 SECTION_NOBITS = 8;
constexpr quint32 SECTION_INDEX_ESCAPE = 0xffff;
// Real files have a few dozen sections; a count far beyond that is a damaged header, and
// walking it would only cost time.
constexpr quint64 MAX_SECTIONS = 1 << 16;

// Reads fixed-size fields of one byte order at offsets that are checked against the file.
class FieldReader {
public:
    FieldReader(QByteArrayView file, bool bigEndian) : m_file(file), m_bigEndian(bigEndian) {}

    std::optional<quint64> read(quint64 offset, int width) const
    {
        if (offset > quint64(m_file.size()) || quint64(width) > quint64(m_file.size()) - offset)
            return std::nullopt;
        quint64 value = 0;
        for (int i = 0; i < width; ++i) {
            const quint64 byte = quint8(m_file[qsizetype(offset) + (m_bigEndian ? i : width - 1 - i)]);
            value = (value << 8) | byte;
        }
        return value;
    }

private:
    QByteArrayView m_file;
    bool m_bigEndian;
};

struct Layout {
    bool wide = false;
    // Offsets inside a section header, and the widths of its address-sized fields.
    int nameAt = 0, typeAt = 4, linkAt = 0, offsetAt = 0, sizeAt = 0, word = 4, headerSize = 0;
};

Layout layoutFor(bool wide)
{
    Layout layout;
    layout.wide = wide;
    layout.word = wide ? 8 : 4;
    layout.offsetAt = wide ? 0x18 : 0x10;
    layout.sizeAt = wide ? 0x20 : 0x14;
    layout.linkAt = wide ? 0x28 : 0x18;
    layout.headerSize = wide ? 0x40 : 0x28;
    return layout;
}

struct Header {
    quint64 offset = 0;
    quint64 size = 0;
    quint64 type = 0;
    quint64 nameIndex = 0;
    quint64 link = 0;
};

} // namespace

bool ElfSections::isElf(QByteArrayView file)
{
    return file.size() >= 16 && file.first(4) == QByteArrayView("\x7f"
                                                                "ELF",
                                                                4);
}

QList<ElfSection> ElfSections::named(QByteArrayView file, QByteArrayView prefix)
{
    if (!isElf(file))
        return {};
    const int elfClass = quint8(file[4]);
    const int data = quint8(file[5]);
    if ((elfClass != CLASS_32 && elfClass != CLASS_64) || (data != DATA_LITTLE && data != DATA_BIG))
        return {};
    const Layout layout = layoutFor(elfClass == CLASS_64);
    const FieldReader reader(file, data == DATA_BIG);

    const auto tableOffset = reader.read(layout.wide ? 0x28 : 0x20, layout.word);
    const auto entrySize = reader.read(layout.wide ? 0x3a : 0x2e, 2);
    auto count = reader.read(layout.wide ? 0x3c : 0x30, 2);
    auto namesIndex = reader.read(layout.wide ? 0x3e : 0x32, 2);
    if (!tableOffset || !entrySize || !count || !namesIndex || *tableOffset == 0 ||
        *entrySize < quint64(layout.headerSize))
        return {};

    const auto headerAt = [&](quint64 index) -> std::optional<Header> {
        // The table's extent is checked before any index is used, so this cannot overflow.
        const quint64 at = *tableOffset + index * *entrySize;
        const auto offset = reader.read(at + layout.offsetAt, layout.word);
        const auto size = reader.read(at + layout.sizeAt, layout.word);
        const auto type = reader.read(at + layout.typeAt, 4);
        const auto nameIndex = reader.read(at + layout.nameAt, 4);
        const auto link = reader.read(at + layout.linkAt, 4);
        if (!offset || !size || !type || !nameIndex || !link)
            return std::nullopt;
        return Header{*offset, *size, *type, *nameIndex, *link};
    };
    const auto fileHolds = [&](quint64 offset, quint64 size) {
        return offset <= quint64(file.size()) && size <= quint64(file.size()) - offset;
    };
    if (!fileHolds(*tableOffset, *entrySize))
        return {};

    // Files with very many sections keep the count and the name table's index in the first
    // section header instead.
    if (*count == 0 || *namesIndex == SECTION_INDEX_ESCAPE) {
        const std::optional<Header> first = headerAt(0);
        if (!first)
            return {};
        if (*count == 0)
            count = first->size;
        if (*namesIndex == SECTION_INDEX_ESCAPE)
            namesIndex = first->link;
    }
    if (*count == 0 || *count > MAX_SECTIONS || *namesIndex >= *count ||
        !fileHolds(*tableOffset, *count * *entrySize))
        return {};

    const std::optional<Header> names = headerAt(*namesIndex);
    if (!names || names->type == SECTION_NOBITS || !fileHolds(names->offset, names->size))
        return {};
    const QByteArrayView nameTable = file.sliced(qsizetype(names->offset), qsizetype(names->size));

    QList<ElfSection> sections;
    for (quint64 index = 0; index < *count; ++index) {
        const std::optional<Header> header = headerAt(index);
        if (!header || header->type == SECTION_NOBITS || header->nameIndex >= quint64(nameTable.size()))
            continue;
        QByteArrayView name = nameTable.sliced(qsizetype(header->nameIndex));
        const qsizetype end = name.indexOf('\0');
        if (end < 0)
            continue;
        name = name.first(end);
        if (!name.startsWith(prefix) || !fileHolds(header->offset, header->size))
            continue;
        sections.append({name.toByteArray(), qint64(header->offset), qint64(header->size)});
    }
    return sections;
}

} // namespace tavlen::linux_platform
