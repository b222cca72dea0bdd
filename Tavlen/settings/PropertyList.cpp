#include "settings/PropertyList.h"

#include <QDateTime>
#include <QLocale>
#include <QXmlStreamReader>

namespace tavlen {
namespace {

// Real property lists nest a handful of levels; the cap keeps hostile input from exhausting
// the stack.
constexpr int maximumDepth = 256;

class Reader {
public:
    explicit Reader(const QByteArray& xml) : m_xml(xml) {}

    std::optional<QVariant> document()
    {
        if (!nextElement())
            return std::nullopt;
        std::optional<QVariant> result;
        if (m_xml.name() == QLatin1String("plist")) {
            if (!nextElement())
                return std::nullopt;
            result = value(0);
            if (!result || !nextEndElement())
                return std::nullopt;
        } else {
            result = value(0);
            if (!result)
                return std::nullopt;
        }
        // Nothing but whitespace, comments and processing instructions may follow.
        while (!m_xml.atEnd()) {
            const auto token = m_xml.readNext();
            if (token == QXmlStreamReader::StartElement ||
                (token == QXmlStreamReader::Characters && !m_xml.isWhitespace()))
                return std::nullopt;
        }
        if (m_xml.hasError())
            return std::nullopt;
        return result;
    }

private:
    // Moves to the next start element; false at an end element, the end or an error. Text
    // between elements must be whitespace.
    bool nextElement() { return nextTag(QXmlStreamReader::StartElement); }

    // Expects the end of the current container next, allowing whitespace before it.
    bool nextEndElement() { return nextTag(QXmlStreamReader::EndElement); }

    // Skips whitespace and whatever is not a tag; true when the next tag is of the wanted kind.
    bool nextTag(QXmlStreamReader::TokenType wanted)
    {
        while (!m_xml.atEnd()) {
            switch (const auto token = m_xml.readNext()) {
            case QXmlStreamReader::StartElement:
            case QXmlStreamReader::EndElement:
                return token == wanted;
            case QXmlStreamReader::Characters:
                if (!m_xml.isWhitespace())
                    return false;
                break;
            default:
                break;
            }
        }
        return false;
    }

    // Reads the value whose start element is current, up to and including its end element.
    std::optional<QVariant> value(int depth)
    {
        if (depth > maximumDepth)
            return std::nullopt;
        const QStringView name = m_xml.name();
        if (name == QLatin1String("dict"))
            return dictionary(depth);
        if (name == QLatin1String("array"))
            return array(depth);
        if (name == QLatin1String("true") || name == QLatin1String("false")) {
            const bool flag = name == QLatin1String("true");
            if (!nextEndElement())
                return std::nullopt;
            return QVariant(flag);
        }
        if (name == QLatin1String("string"))
            return text();
        if (name == QLatin1String("integer"))
            return integer();
        if (name == QLatin1String("real"))
            return real();
        if (name == QLatin1String("date"))
            return date();
        if (name == QLatin1String("data"))
            return data();
        return std::nullopt;
    }

    std::optional<QVariant> dictionary(int depth)
    {
        QVariantMap map;
        while (nextElement()) {
            if (m_xml.name() != QLatin1String("key"))
                return std::nullopt;
            const std::optional<QString> key = elementText();
            if (!key || !nextElement())
                return std::nullopt;
            std::optional<QVariant> item = value(depth + 1);
            if (!item)
                return std::nullopt;
            map.insert(*key, *item);
        }
        if (m_xml.hasError() || !m_xml.isEndElement())
            return std::nullopt;
        return QVariant(map);
    }

    std::optional<QVariant> array(int depth)
    {
        QVariantList list;
        while (nextElement()) {
            std::optional<QVariant> item = value(depth + 1);
            if (!item)
                return std::nullopt;
            list.append(*item);
        }
        if (m_xml.hasError() || !m_xml.isEndElement())
            return std::nullopt;
        return QVariant(list);
    }

    // Text content of a leaf element; none when it holds child elements or the XML is broken.
    std::optional<QString> elementText()
    {
        QString content = m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (m_xml.hasError())
            return std::nullopt;
        return content;
    }

    std::optional<QVariant> text()
    {
        const std::optional<QString> content = elementText();
        if (!content)
            return std::nullopt;
        return QVariant(*content);
    }

    std::optional<QVariant> integer()
    {
        const std::optional<QString> content = elementText();
        if (!content)
            return std::nullopt;
        QString digits = content->trimmed();
        bool negative = false;
        if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
            negative = digits.front() == QLatin1Char('-');
            digits.remove(0, 1);
        }
        int base = 10;
        if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
            base = 16;
            digits.remove(0, 2);
        }
        if (digits.isEmpty())
            return std::nullopt;
        for (const QChar c : std::as_const(digits)) {
            const bool valid = base == 10 ? c.isDigit() && c.unicode() < 128 : isHexDigit(c);
            if (!valid)
                return std::nullopt;
        }
        bool ok = false;
        const qulonglong magnitude = digits.toULongLong(&ok, base);
        if (!ok)
            return std::nullopt;
        constexpr qulonglong largestSigned = static_cast<qulonglong>(std::numeric_limits<qlonglong>::max());
        if (negative) {
            if (magnitude > largestSigned + 1)
                return std::nullopt;
            // Negating in unsigned arithmetic keeps the minimum value exact.
            return QVariant(static_cast<qlonglong>(0ULL - magnitude));
        }
        if (magnitude > largestSigned)
            return QVariant(magnitude);
        return QVariant(static_cast<qlonglong>(magnitude));
    }

    static bool isHexDigit(QChar c)
    {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
    }

    std::optional<QVariant> real()
    {
        const std::optional<QString> content = elementText();
        if (!content)
            return std::nullopt;
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        const double number = c.toDouble(content->trimmed(), &ok);
        if (!ok)
            return std::nullopt;
        return QVariant(number);
    }

    std::optional<QVariant> date()
    {
        const std::optional<QString> content = elementText();
        if (!content)
            return std::nullopt;
        const QString trimmed = content->trimmed();
        // Property lists write dates in UTC with a trailing "Z".
        if (!trimmed.endsWith(QLatin1Char('Z')))
            return std::nullopt;
        QDateTime moment = QDateTime::fromString(trimmed, Qt::ISODate);
        if (!moment.isValid())
            return std::nullopt;
        return QVariant(moment.toUTC());
    }

    std::optional<QVariant> data()
    {
        const std::optional<QString> content = elementText();
        if (!content)
            return std::nullopt;
        QByteArray encoded;
        for (const QChar c : *content) {
            if (!c.isSpace())
                encoded.append(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '!');
        }
        auto decoded = QByteArray::fromBase64Encoding(encoded, QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            return std::nullopt;
        return QVariant(*decoded);
    }

    QXmlStreamReader m_xml;
};

} // namespace

std::optional<QVariant> PropertyList::parse(const QByteArray& xml)
{
    return Reader(xml).document();
}

} // namespace tavlen
