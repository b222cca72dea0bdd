#include "harvest/MessageCatalog.h"

#include <QByteArrayView>
#include <optional>

namespace tavlen {

namespace {

constexpr quint32 MAGIC = 0x950412de;
constexpr quint32 MAGIC_SWAPPED = 0xde120495;

class CatalogReader {
public:
    explicit CatalogReader(const QByteArray& file) : m_file(file) {}

    bool open()
    {
        m_swapped = false;
        const std::optional<quint32> magic = word(0);
        if (magic == MAGIC_SWAPPED)
            m_swapped = true;
        else if (magic != MAGIC)
            return false;
        const std::optional<quint32> revision = word(4);
        // Major revisions other than 0 and 1 may change the layout.
        return revision && (*revision >> 16) <= 1;
    }

    std::optional<quint32> word(quint64 offset) const
    {
        if (offset + 4 > quint64(m_file.size()))
            return std::nullopt;
        quint32 value = 0;
        for (int i = 0; i < 4; ++i) {
            const quint32 byte = quint8(m_file[qsizetype(offset) + (m_swapped ? i : 3 - i)]);
            value = (value << 8) | byte;
        }
        return value;
    }

    // The string that the table entry at `entry` (length, offset) describes.
    std::optional<QByteArrayView> string(quint64 entry) const
    {
        const std::optional<quint32> length = word(entry);
        const std::optional<quint32> offset = word(entry + 4);
        if (!length || !offset || quint64(*offset) + *length > quint64(m_file.size()))
            return std::nullopt;
        return QByteArrayView(m_file).sliced(qsizetype(*offset), qsizetype(*length));
    }

private:
    const QByteArray& m_file;
    bool m_swapped = false;
};

// The first of the NUL-separated forms of a message (the singular of a plural one).
QByteArray singular(QByteArrayView text)
{
    const qsizetype end = text.indexOf('\0');
    return (end < 0 ? text : text.first(end)).toByteArray();
}

} // namespace

MessageCatalog::MessageCatalog(const QByteArray& moFile)
{
    CatalogReader reader(moFile);
    if (!reader.open())
        return;
    const std::optional<quint32> count = reader.word(8);
    const std::optional<quint32> originals = reader.word(12);
    const std::optional<quint32> translations = reader.word(16);
    if (!count || !originals || !translations)
        return;
    // Every entry takes eight bytes of each table, so a count the file cannot hold is damage;
    // this also bounds the loop by the file's size.
    if (quint64(*count) * 8 > quint64(moFile.size()))
        return;
    m_messages.reserve(*count);
    for (quint32 index = 0; index < *count; ++index) {
        const std::optional<QByteArrayView> original = reader.string(*originals + quint64(index) * 8);
        const std::optional<QByteArrayView> translation = reader.string(*translations + quint64(index) * 8);
        // The empty original holds the catalog's header, not a message.
        if (!original || !translation || original->isEmpty())
            continue;
        const QByteArray translated = singular(*translation);
        if (!translated.isEmpty())
            m_messages.insert(singular(*original), translated);
    }
}

QString MessageCatalog::translate(const QString& context, const QString& text) const
{
    QByteArray key = context.toUtf8();
    if (!key.isEmpty())
        key.append('\004');
    key.append(text.toUtf8());
    const auto found = m_messages.constFind(key);
    return found == m_messages.constEnd() ? text : QString::fromUtf8(*found);
}

} // namespace tavlen
