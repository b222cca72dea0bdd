#include "harvest/MessageCatalog.h"
#include "harvest/MessageLanguages.h"

#include <gtest/gtest.h>
#include <map>

using namespace tavlen;

namespace {

// Writes an .mo file as msgfmt does: header, the two tables of (length, offset), the strings.
QByteArray moFile(const std::map<QByteArray, QByteArray>& messages, bool bigEndian = false)
{
    const auto word = [bigEndian](QByteArray& out, quint32 value) {
        for (int i = 0; i < 4; ++i)
            out += char((value >> (8 * (bigEndian ? 3 - i : i))) & 0xff);
    };
    const quint32 count = quint32(messages.size());
    const quint32 originals = 28;
    const quint32 translations = originals + 8 * count;
    QByteArray header;
    for (quint32 value : {0x950412deu, 0u, count, originals, translations, 0u, translations + 8 * count})
        word(header, value);
    QByteArray tables;
    QByteArray strings;
    const quint32 stringsAt = translations + 8 * count;
    QList<QByteArray> ordered;
    for (const auto& [original, translation] : messages)
        ordered << original;
    for (const auto& [original, translation] : messages)
        ordered << translation;
    for (const QByteArray& text : ordered) {
        word(tables, quint32(text.size()));
        word(tables, stringsAt + quint32(strings.size()));
        strings += text + '\0';
    }
    return header + tables + strings;
}

} // namespace

TEST(MessageCatalogTest, TranslatesWithAndWithoutContextInEitherByteOrder)
{
    const std::map<QByteArray, QByteArray> messages{
        {"", "Content-Type: text/plain; charset=UTF-8\n"},
        {"shortcut window\004Open a document", "Ein Dokument öffnen"},
        {"Documents", "Dokumente"},
        {QByteArray("File\0Files", 10), QByteArray("Datei\0Dateien", 13)},
        {"Untranslated", ""}};
    for (const bool bigEndian : {false, true}) {
        const MessageCatalog catalog(moFile(messages, bigEndian));
        EXPECT_EQ(catalog.size(), 3);
        EXPECT_EQ(catalog.translate(QStringLiteral("shortcut window"), QStringLiteral("Open a document")),
                  QStringLiteral("Ein Dokument öffnen"));
        // The context is part of the key: without it, or with another, there is no translation.
        EXPECT_EQ(catalog.translate(QString(), QStringLiteral("Open a document")),
                  QStringLiteral("Open a document"));
        EXPECT_EQ(catalog.translate(QStringLiteral("menu"), QStringLiteral("Documents")),
                  QStringLiteral("Documents"));
        EXPECT_EQ(catalog.translate(QString(), QStringLiteral("Documents")), QStringLiteral("Dokumente"));
        EXPECT_EQ(catalog.translate(QString(), QStringLiteral("File")), QStringLiteral("Datei"));
        EXPECT_EQ(catalog.translate(QString(), QStringLiteral("Untranslated")),
                  QStringLiteral("Untranslated"));
    }
}

TEST(MessageCatalogTest, DamagedCatalogsTranslateNothing)
{
    const QByteArray good = moFile({{"Documents", "Dokumente"}, {"Open", "Öffnen"}});
    EXPECT_TRUE(MessageCatalog(QByteArrayLiteral("not a catalog")).isEmpty());
    for (qsizetype size = 0; size < good.size(); ++size)
        EXPECT_LE(MessageCatalog(good.left(size)).size(), 2) << size;
    // A count of entries that the file could never hold, and a string past the end.
    QByteArray huge = good;
    huge[8] = char(0xff);
    huge[9] = char(0xff);
    huge[10] = char(0xff);
    EXPECT_TRUE(MessageCatalog(huge).isEmpty());
    QByteArray outside = good;
    outside[28 + 4 + 3] = char(0x7f);
    const MessageCatalog partial(outside);
    EXPECT_EQ(partial.size(), 1);
    EXPECT_EQ(partial.translate(QString(), QStringLiteral("Open")), QStringLiteral("Öffnen"));
}

TEST(MessageLanguagesTest, FollowsGettextsOrderOfVariables)
{
    using Env = QHash<QString, QString>;
    EXPECT_EQ(messageLanguages(Env{{"LANG", "de_AT.UTF-8"}}), (QStringList{"de_AT", "de"}));
    EXPECT_EQ(messageLanguages(Env{{"LANG", "sr_RS.UTF-8@latin"}}),
              (QStringList{"sr_RS@latin", "sr_RS", "sr@latin", "sr"}));
    // LC_ALL before LC_MESSAGES before LANG, and LANGUAGE's list before all of them.
    EXPECT_EQ(messageLanguages(Env{{"LANG", "fr_FR.UTF-8"}, {"LC_MESSAGES", "it_IT.UTF-8"}}),
              (QStringList{"it_IT", "it"}));
    EXPECT_EQ(messageLanguages(Env{{"LC_ALL", "nb_NO.UTF-8"}, {"LC_MESSAGES", "it_IT.UTF-8"}}),
              (QStringList{"nb_NO", "nb"}));
    EXPECT_EQ(messageLanguages(Env{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "pt_BR:en::de"}}),
              (QStringList{"pt_BR", "pt", "en", "de"}));
    // In the C locale nothing is translated, whatever LANGUAGE says.
    EXPECT_TRUE(messageLanguages(Env{{"LANG", "C.UTF-8"}, {"LANGUAGE", "de"}}).isEmpty());
    EXPECT_TRUE(messageLanguages(Env{{"LC_ALL", "POSIX"}, {"LANG", "de_DE.UTF-8"}}).isEmpty());
    EXPECT_TRUE(messageLanguages(Env{{"LANGUAGE", "de"}}).isEmpty());
    // A language cannot lead out of the locale folder.
    EXPECT_EQ(messageLanguages(Env{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "../../etc:de"}}),
              QStringList{"de"});
}
