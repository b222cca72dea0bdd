#include "store/EditRequest.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeKeyboardLayout.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTimeZone>
#include <gtest/gtest.h>

using tavlen::fake::FakeKeyboardLayout;

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

// Restores the process's default locale after a test changed it.
struct DefaultLocale {
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(saved); }
    QLocale saved;
};

QDateTime at(int offsetSeconds)
{
    return QDateTime(QDate(2024, 5, 1), QTime(9, 30, 0, 7), QTimeZone(offsetSeconds));
}

} // namespace

TEST(EditRequest, TextFollowsTheLayoutLineForLine)
{
    const DefaultLocale locale(QLocale(QStringLiteral("de_DE")));
    const FakeKeyboardLayout keyboard(FakeKeyboardLayout::Layout::German);

    const QString text = tavlen::editRequestText(s("org.gnome.gedit"), s("Text Editor"), s("Save As…"),
                                                 {s("File"), s("Recent")}, keyboard, at(7200));

    EXPECT_EQ(text, s("{\n"
                      "    \"locale\": \"de_DE\",\n"
                      "    \"inputSource\": \"de\",\n"
                      "    \"dateCreated\": \"2024-05-01T09:30:00.007+0200\",\n"
                      "    \"version\": 1,\n"
                      "    \"kind\": \"request\",\n"
                      "    \"creator\": \"com.Fenwater.Tavlen\",\n"
                      "    \"inputSourceName\": \"German\",\n"
                      "    \"applications\": [{\n"
                      "        \"localizedName\": \"Text Editor\",\n"
                      "        \"bundleIdentifier\": \"org.gnome.gedit\",\n"
                      "        \"shortcuts\": [{\n"
                      "            \"title\": \"Save As…\",\n"
                      "            \"parents\": [\n"
                      "                \"File\", \"Recent\"\n"
                      "            ]\n"
                      "        }]\n"
                      "    }]\n"
                      "}"));
}

TEST(EditRequest, EveryStringIsEscapedAndTheResultIsJson)
{
    const FakeKeyboardLayout keyboard;
    const QString title = s("Say \"hi\" \\ now\n\tand \x01 then 🌐 Ünïcode");
    const QString parent = s("Back\\slash \"menu\"\r");

    const QString text =
        tavlen::editRequestText(s("it's\"odd"), s("App\x1f"), title, {parent}, keyboard, at(0));

    EXPECT_TRUE(text.contains(s("\"title\": \"Say \\\"hi\\\" \\\\ now\\n\\tand \\u0001 then 🌐 Ünïcode\",")));
    QJsonParseError error;
    const QJsonObject request = QJsonDocument::fromJson(text.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject app = request.value(s("applications")).toArray().at(0).toObject();
    EXPECT_EQ(app.value(s("bundleIdentifier")).toString(), s("it's\"odd"));
    EXPECT_EQ(app.value(s("localizedName")).toString(), s("App\x1f"));
    const QJsonObject shortcut = app.value(s("shortcuts")).toArray().at(0).toObject();
    EXPECT_EQ(shortcut.value(s("title")).toString(), title);
    EXPECT_EQ(shortcut.value(s("parents")).toArray(), QJsonArray{parent});
    EXPECT_EQ(request.value(s("version")).toInt(), 1);
}

TEST(EditRequest, ElementWithoutParentsHasAnEmptyListLine)
{
    const FakeKeyboardLayout keyboard;
    const QStringList lines =
        tavlen::editRequestText(s("a"), s("A"), s("Quit"), {}, keyboard, at(0)).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[13], s("            \"parents\": ["));
    EXPECT_EQ(lines[14], QString(16, QLatin1Char(' ')));
    EXPECT_EQ(lines[15], s("            ]"));
}

TEST(EditRequest, DateCarriesItsOffsetInHoursAndMinutes)
{
    EXPECT_EQ(tavlen::editRequestDate(at(0)), s("2024-05-01T09:30:00.007+0000"));
    EXPECT_EQ(tavlen::editRequestDate(at(19800)), s("2024-05-01T09:30:00.007+0530"));
    EXPECT_EQ(tavlen::editRequestDate(at(-12600)), s("2024-05-01T09:30:00.007-0330"));
    EXPECT_EQ(tavlen::editRequestDate(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59, 999), Qt::UTC)),
              s("2023-12-31T23:59:59.999+0000"));
}

TEST(EditRequest, WritesANewFileForEveryRequest)
{
    const tavlen::fake::FakeFileLocations locations(s("/home/me"));
    tavlen::fake::FakeFileSystem files;
    const FakeKeyboardLayout keyboard;
    const tavlen::fake::FakeClock clock(QDateTime::fromSecsSinceEpoch(1714548600, Qt::UTC));

    const auto first = tavlen::writeEditRequest(s("org.gnome.gedit"), s("Text Editor"), s("Save"),
                                                {s("File")}, locations, files, keyboard, clock);
    const auto second = tavlen::writeEditRequest(s("org.gnome.gedit"), s("Text Editor"), s("Save"),
                                                 {s("File")}, locations, files, keyboard, clock);

    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    const QString folder = s("/home/me/data/com.houdah.CustomShortcuts/EditRequests/");
    for (const QString& path : {*first, *second}) {
        ASSERT_TRUE(path.startsWith(folder)) << path.toStdString();
        const QString name = path.mid(folder.size());
        EXPECT_TRUE(name.endsWith(s(".customshortcuts")));
        const QString id = name.chopped(16);
        EXPECT_EQ(id, id.toUpper());
        EXPECT_FALSE(QUuid::fromString(id).isNull()) << id.toStdString();
    }
    const QByteArray bytes = files.file(*first);
    EXPECT_EQ(bytes, tavlen::editRequestText(s("org.gnome.gedit"), s("Text Editor"), s("Save"), {s("File")},
                                             keyboard, clock.now().toLocalTime())
                         .toUtf8());
    // Whatever the machine's time zone, the date names the clock's instant.
    const QString date = QJsonDocument::fromJson(bytes).object().value(s("dateCreated")).toString();
    const QDateTime parsed = QDateTime::fromString(date, s("yyyy-MM-dd'T'HH:mm:ss.zzzt"));
    EXPECT_EQ(parsed.toSecsSinceEpoch(), 1714548600) << date.toStdString();
}

TEST(EditRequest, NothingIsWrittenWithoutAFolder)
{
    tavlen::fake::FakeFileLocations locations(s("/home/me"));
    tavlen::fake::FakeFileSystem files;
    const FakeKeyboardLayout keyboard;
    const tavlen::fake::FakeClock clock;

    files.failMakingPath(s("/home/me/data/com.houdah.CustomShortcuts/EditRequests"));
    EXPECT_EQ(tavlen::writeEditRequest(s("a"), s("A"), s("Quit"), {}, locations, files, keyboard, clock),
              std::nullopt);
    locations.setHasDataHome(false);
    EXPECT_EQ(tavlen::writeEditRequest(s("a"), s("A"), s("Quit"), {}, locations, files, keyboard, clock),
              std::nullopt);
    EXPECT_TRUE(files.files().isEmpty());
}
