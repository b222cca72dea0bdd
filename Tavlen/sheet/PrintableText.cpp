#include "sheet/PrintableText.h"

namespace tavlen {

namespace {

bool turnsDirection(char16_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

bool actsOnTerminal(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

} // namespace

QString printableText(const QString& text)
{
    QString printable;
    printable.reserve(text.size());
    for (const QChar character : text) {
        const char16_t c = character.unicode();
        if (c == u'\\') {
            printable += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            printable += QStringLiteral("\\n");
        } else if (c == u'\r') {
            printable += QStringLiteral("\\r");
        } else if (c == u'\t') {
            printable += QStringLiteral("\\t");
        } else if (actsOnTerminal(c) || turnsDirection(c)) {
            printable +=
                QStringLiteral("\\u") +
                QString::number(static_cast<uint>(c), 16).rightJustified(4, QLatin1Char('0')).toUpper();
        } else {
            printable += character;
        }
    }
    return printable;
}

} // namespace tavlen
