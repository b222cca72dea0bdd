#include "platform/linux/ElfSections.h"
#include "support/SampleResourceModule.h"

#include <QFile>
#include <gtest/gtest.h>

using tavlen::linux_platform::ElfSection;
using tavlen::linux_platform::ElfSections;

namespace {

// Writes a small ELF file: header, the sections' bytes, the section name table, and the
// section header table last, as linkers lay them out.
class ElfWriter {
public:
    ElfWriter(bool wide, bool bigEndian) : m_wide(wide), m_bigEndian(bigEndian) {}

    void add(const QByteArray& name, const QByteArray& contents) { m_sections.append({name, contents}); }

    QByteArray write() const
    {
        QByteArray file(m_wide ? 64 : 52, '\0');
        QByteArray names(1, '\0');
        QList<QPair<quint64, quint64>> placed; // offset, size
        QList<quint64> nameAt;
        for (const auto& [name, contents] : m_sections) {
            nameAt.append(names.size());
            names += name + '\0';
            placed.append({quint64(file.size()), quint64(contents.size())});
            file += contents;
        }
        const quint64 namesName = names.size();
        names += QByteArrayLiteral(".shstrtab") + '\0';
        const quint64 namesOffset = file.size();
        file += names;
        while (file.size() % 8)
            file += '\0';
        const quint64 tableOffset = file.size();
        const int entry = m_wide ? 64 : 40;
        // The null section, the sections, and the name table last.
        const int count = int(m_sections.size()) + 2;
        file += QByteArray(entry * count, '\0');
        const auto header = [&](int index, quint64 name, quint64 type, quint64 offset, quint64 size) {
            const qsizetype at = qsizetype(tableOffset) + index * entry;
            put(file, at, name, 4);
            put(file, at + 4, type, 4);
            put(file, at + (m_wide ? 0x18 : 0x10), offset, m_wide ? 8 : 4);
            put(file, at + (m_wide ? 0x20 : 0x14), size, m_wide ? 8 : 4);
        };
        for (int i = 0; i < m_sections.size(); ++i)
            header(i + 1, nameAt[i], 1, placed[i].first, placed[i].second);
        header(count - 1, namesName, 3, namesOffset, names.size());

        file.replace(0, 4,
                     QByteArray("\x7f"
                                "ELF",
                                4));
        file[4] = char(m_wide ? 2 : 1);
        file[5] = char(m_bigEndian ? 2 : 1);
        file[6] = 1;
        put(file, m_wide ? 0x28 : 0x20, tableOffset, m_wide ? 8 : 4);
        put(file, m_wide ? 0x3a : 0x2e, entry, 2);
        put(file, m_wide ? 0x3c : 0x30, count, 2);
        put(file, m_wide ? 0x3e : 0x32, count - 1, 2);
        return file;
    }

    qsizetype tableOffsetField() const { return m_wide ? 0x28 : 0x20; }
    qsizetype countField() const { return m_wide ? 0x3c : 0x30; }

    void put(QByteArray& file, qsizetype at, quint64 value, int width) const
    {
        for (int i = 0; i < width; ++i)
            file[at + (m_bigEndian ? width - 1 - i : i)] = char((value >> (8 * i)) & 0xff);
    }

private:
    bool m_wide;
    bool m_bigEndian;
    QList<QPair<QByteArray, QByteArray>> m_sections;
};

QList<QByteArray> contentsOf(const QByteArray& file, const QList<ElfSection>& sections)
{
    QList<QByteArray> contents;
    for (const ElfSection& section : sections)
        contents.append(file.mid(section.offset, section.size));
    return contents;
}

} // namespace

TEST(ElfSectionsTest, FindsTheResourceSectionsInEveryClassAndByteOrder)
{
    for (const bool wide : {true, false}) {
        for (const bool bigEndian : {false, true}) {
            ElfWriter writer(wide, bigEndian);
            writer.add(".text", "code");
            writer.add(".gresource.app", "first bundle");
            writer.add(".gresource.lib", "second");
            const QByteArray file = writer.write();
            const QList<ElfSection> sections = ElfSections::named(file, ".gresource.");
            ASSERT_EQ(sections.size(), 2) << wide << bigEndian;
            EXPECT_EQ(sections[0].name, QByteArrayLiteral(".gresource.app"));
            EXPECT_EQ(contentsOf(file, sections),
                      (QList<QByteArray>{QByteArrayLiteral("first bundle"), QByteArrayLiteral("second")}));
        }
    }
}

TEST(ElfSectionsTest, DamagedFilesGiveNoSectionsAndNoReadOutside)
{
    ElfWriter writer(true, false);
    writer.add(".gresource.app", "bundle");
    const QByteArray good = writer.write();
    ASSERT_EQ(ElfSections::named(good, ".gresource.").size(), 1);

    EXPECT_TRUE(ElfSections::named(QByteArrayLiteral("#!/bin/sh\necho not a program\n"), "").isEmpty());
    EXPECT_FALSE(ElfSections::isElf(QByteArrayLiteral("\x7f"
                                                      "EL")));
    // Every cut of the file short of the whole: the table is no longer wholly inside.
    for (qsizetype size = 0; size < good.size(); size += 7)
        EXPECT_TRUE(ElfSections::named(QByteArrayView(good).first(size), ".gresource.").isEmpty()) << size;

    QByteArray tableOutside = good;
    writer.put(tableOutside, writer.tableOffsetField(), quint64(1) << 62, 8);
    EXPECT_TRUE(ElfSections::named(tableOutside, ".gresource.").isEmpty());

    QByteArray manySections = good;
    writer.put(manySections, writer.countField(), 0xfff0, 2);
    EXPECT_TRUE(ElfSections::named(manySections, ".gresource.").isEmpty());

    // A section whose bytes would end past the file, and a name past the name table's end.
    const qsizetype table = qsizetype(good.size()) - 3 * 64;
    QByteArray sectionOutside = good;
    writer.put(sectionOutside, table + 64 + 0x20, quint64(-1) - 4, 8);
    EXPECT_TRUE(ElfSections::named(sectionOutside, ".gresource.").isEmpty());
    QByteArray nameOutside = good;
    writer.put(nameOutside, table + 64, 0x7fffffff, 4);
    EXPECT_TRUE(ElfSections::named(nameOutside, ".gresource.").isEmpty());
}

TEST(ElfSectionsTest, ReadsTheSectionsOfTheBuiltModule)
{
    const QByteArray file = tavlen::test::sampleResourceModule();
    ASSERT_FALSE(file.isEmpty());
    const QList<ElfSection> sections = ElfSections::named(file, ".gresource.");
    ASSERT_EQ(sections.size(), 1);
    EXPECT_EQ(sections[0].name, QByteArrayLiteral(".gresource.tavlen_sample"));
    // A compiled bundle starts with GVDB's signature.
    EXPECT_TRUE(file.mid(sections[0].offset, 8) == QByteArrayLiteral("GVariant"));
}
