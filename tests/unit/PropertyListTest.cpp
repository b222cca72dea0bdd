#include "settings/PropertyList.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <map>
#include <string>

using tavlen::PropertyList;

TEST(PropertyList, ReadsEveryValueType)
{
    const QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<!-- written by hand -->
<dict>
    <key>name</key><string>Caf&#233; &amp; <![CDATA[<bar>]]></string>
    <key>empty</key><string/>
    <key>count</key><integer> -42 </integer>
    <key>big</key><integer>18446744073709551615</integer>
    <key>hex</key><integer>0x1F</integer>
    <key>ratio</key><real>0.25</real>
    <key>whole</key><real>3</real>
    <key>on</key><true/>
    <key>off</key><false/>
    <key>when</key><date>2024-03-01T12:30:00Z</date>
    <key>blob</key><data>
        SGVs
        bG8=
    </data>
    <key>list</key><array><integer>1</integer><array/><dict/></array>
</dict>
</plist>)";
    const auto parsed = PropertyList::parse(xml);
    ASSERT_TRUE(parsed.has_value());
    ASSERT_EQ(parsed->metaType().id(), QMetaType::QVariantMap);
    const QVariantMap map = parsed->toMap();
    EXPECT_EQ(map.size(), 12);
    EXPECT_EQ(map.value(QStringLiteral("name")), QVariant(QStringLiteral("Caf\u00e9 & <bar>")));
    EXPECT_EQ(map.value(QStringLiteral("empty")), QVariant(QString()));
    EXPECT_EQ(map.value(QStringLiteral("count")), QVariant(qlonglong(-42)));
    EXPECT_EQ(map.value(QStringLiteral("big")), QVariant(qulonglong(18446744073709551615ULL)));
    EXPECT_EQ(map.value(QStringLiteral("hex")), QVariant(qlonglong(31)));
    EXPECT_EQ(map.value(QStringLiteral("ratio")), QVariant(0.25));
    EXPECT_EQ(map.value(QStringLiteral("whole")).metaType().id(), QMetaType::Double);
    EXPECT_EQ(map.value(QStringLiteral("on")), QVariant(true));
    EXPECT_EQ(map.value(QStringLiteral("off")), QVariant(false));
    EXPECT_EQ(map.value(QStringLiteral("when")).toDateTime(),
              QDateTime(QDate(2024, 3, 1), QTime(12, 30), Qt::UTC));
    EXPECT_EQ(map.value(QStringLiteral("blob")), QVariant(QByteArray("Hello")));
    const QVariantList list = map.value(QStringLiteral("list")).toList();
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list.at(0), QVariant(qlonglong(1)));
    EXPECT_EQ(list.at(1).metaType().id(), QMetaType::QVariantList);
    EXPECT_EQ(list.at(2).metaType().id(), QMetaType::QVariantMap);
}

TEST(PropertyList, ExtremeIntegersAndABareRoot)
{
    EXPECT_EQ(PropertyList::parse("<integer>-9223372036854775808</integer>"),
              QVariant(std::numeric_limits<qlonglong>::min()));
    EXPECT_EQ(PropertyList::parse("<integer>9223372036854775807</integer>"),
              QVariant(std::numeric_limits<qlonglong>::max()));
    EXPECT_EQ(PropertyList::parse("<string>x</string>"), QVariant(QStringLiteral("x")));
}

TEST(PropertyList, MalformedInputGivesNone)
{
    const std::map<std::string, QByteArray> cases{
        {"empty", ""},
        {"not xml", "Browsers = firefox"},
        {"truncated", "<plist><dict><key>a</key><string>b</string>"},
        {"empty plist", "<plist version=\"1.0\"></plist>"},
        {"two values in plist", "<plist><string>a</string><string>b</string></plist>"},
        {"two roots", "<string>a</string><string>b</string>"},
        {"text after root", "<plist><string>a</string></plist>trailing"},
        {"unknown element", "<plist><set/></plist>"},
        {"key without value", "<plist><dict><key>a</key></dict></plist>"},
        {"value without key", "<plist><dict><string>a</string></dict></plist>"},
        {"nested key", "<plist><dict><key><string>a</string></key><true/></dict></plist>"},
        {"element inside string", "<plist><string>a<b/></string></plist>"},
        {"text in dict", "<plist><dict>loose<key>a</key><true/></dict></plist>"},
        {"text in array", "<plist><array><true/>loose</array></plist>"},
        {"content in true", "<plist><true>yes</true></plist>"},
        {"integer with fraction", "<integer>1.5</integer>"},
        {"integer empty", "<integer></integer>"},
        {"integer words", "<integer>twelve</integer>"},
        {"integer overflow", "<integer>18446744073709551616</integer>"},
        {"negative overflow", "<integer>-9223372036854775809</integer>"},
        {"real words", "<real>half</real>"},
        {"real with comma", "<real>0,5</real>"},
        {"date garbage", "<date>yesterday</date>"},
        {"date without zone", "<date>2024-03-01T12:30:00</date>"},
        {"data not base64", "<data>!!!</data>"},
        {"mismatched tags", "<plist><array></dict></plist>"},
    };
    for (const auto& [what, xml] : cases)
        EXPECT_FALSE(PropertyList::parse(xml).has_value()) << what;
}

TEST(PropertyList, DeepNestingIsRefusedWithoutExhaustingTheStack)
{
    const int depth = 100000;
    const QByteArray deep = QByteArray("<array>").repeated(depth) + QByteArray("</array>").repeated(depth);
    EXPECT_FALSE(PropertyList::parse(deep).has_value());

    const QByteArray modest = QByteArray("<array>").repeated(50) + QByteArray("</array>").repeated(50);
    EXPECT_TRUE(PropertyList::parse(modest).has_value());
}
