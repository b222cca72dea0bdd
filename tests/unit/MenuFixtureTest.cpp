#include "platform/MenuFixture.h"

#include "harvest/HotkeyManager.h"
#include "platform/AccessibilityError.h"
#include "platform/fake/FakeAccessibility.h"
#include "support/MenuFixtureBuilder.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tavlen;
using namespace tavlen::test::menus;
using fake::FakeAccessibility;
using Operation = FakeAccessibility::Operation;

namespace {

QByteArray textEditorJson()
{
    QFile file(QStringLiteral(TAVLEN_TEST_DATA_DIR "/menus/text-editor.json"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QString parseError(const QByteArray& json)
{
    const auto result = MenuFixture::parse(json);
    const auto* error = std::get_if<QString>(&result);
    return error ? *error : QStringLiteral("<parsed>");
}

// A document around one element as the menu bar.
QByteArray withMenuBar(const QByteArray& element)
{
    return R"({"application": {"identifier": "app", "pid": 1}, "menuBar": )" + element + "}";
}

// Records the fixture's menu bar through the fake adapter, as it would be recorded from a real
// application.
QJsonObject recordThroughFake(const MenuFixture& fixture, FakeAccessibility& accessibility)
{
    accessibility.addApplication(fixture);
    AXValue menuBar;
    const AXElement app = accessibility.createApplication(fixture.application.processIdentifier);
    if (accessibility.copyAttributeValue(app, QStringLiteral("AXMenuBar"), menuBar) != AXErrorCode::Success)
        return MenuFixture::record(accessibility, AXElement(), fixture.application);
    return MenuFixture::record(accessibility, *menuBar.get<AXElement>(), fixture.application);
}

TEST(MenuFixture, ReadsTheDocumentedFormat)
{
    const MenuFixture fixture = parsed(textEditorJson());
    EXPECT_EQ(fixture.application.identifier, QStringLiteral("org.gnome.TextEditor"));
    EXPECT_EQ(fixture.application.localizedName, QStringLiteral("Text Editor"));
    EXPECT_EQ(fixture.application.processIdentifier, 4242);
    ASSERT_TRUE(fixture.menuBar.has_value());
    EXPECT_EQ(fixture.menuBar->children.size(), 6);

    const MenuFixture::Element& file = fixture.menuBar->children[1];
    EXPECT_EQ(file.title, QStringLiteral("File"));
    const MenuFixture::Element& section = file.children.front();
    EXPECT_FALSE(section.title.has_value());
    const MenuFixture::Element& saveAs = section.children[4];
    EXPECT_EQ(saveAs.cmdChar, QStringLiteral("S"));
    EXPECT_EQ(saveAs.cmdModifiers, 1u);
    EXPECT_EQ(saveAs.enabled, true);
    EXPECT_FALSE(saveAs.cmdGlyph.has_value());
    const MenuFixture::Element& print = section.children[5];
    EXPECT_EQ(print.errors.value(QStringLiteral("AXEnabled")), AXErrorCode::Failure);
    EXPECT_FALSE(print.enabled.has_value());

    // No name and no menu bar are allowed.
    const MenuFixture bare =
        parsed(QByteArray(R"({"application": {"identifier": "x", "pid": 0}, "menuBar": null})"));
    EXPECT_TRUE(bare.application.localizedName.isEmpty());
    EXPECT_FALSE(bare.menuBar.has_value());
}

TEST(MenuFixture, MalformedInputSaysWhatAndWhere)
{
    struct Case {
        QByteArray json;
        const char* error;
    };
    const Case cases[] = {
        {"{\"application\": ", "not valid JSON"},
        {"[]", "the document: expected an object"},
        {"{}", "application: expected an object"},
        {R"({"application": {"pid": 1}})", "application.identifier: expected a non-empty string"},
        {R"({"application": {"identifier": "a", "pid": -1}})",
         "application.pid: expected a non-negative integer"},
        {R"({"application": {"identifier": "a", "pid": 1.5}})",
         "application.pid: expected a non-negative integer"},
        {R"({"application": {"identifier": "a"}})", "application.pid: expected a non-negative integer"},
        {R"({"application": {"identifier": "a", "name": 3, "pid": 1}})",
         "application.name: expected a string"},
        {R"({"application": {"identifier": "a", "pid": 1}, "menubar": {}})", "menubar: unknown member"},
        {withMenuBar("[]"), "menuBar: expected an object"},
        {withMenuBar(R"({"AXChildren": [{"AXTitle": "A"}, {"AXTitel": "B"}]})"),
         "menuBar.AXChildren[1].AXTitel: unknown member"},
        {withMenuBar(R"({"AXChildren": {}})"), "menuBar.AXChildren: expected an array"},
        {withMenuBar(R"({"AXTitle": 1})"), "menuBar.AXTitle: expected a string"},
        {withMenuBar(R"({"AXEnabled": "yes"})"), "menuBar.AXEnabled: expected a Boolean"},
        {withMenuBar(R"({"AXMenuItemCmdModifiers": -1})"),
         "menuBar.AXMenuItemCmdModifiers: expected a non-negative integer"},
        {withMenuBar(R"({"AXMenuItemCmdGlyph": "27"})"),
         "menuBar.AXMenuItemCmdGlyph: expected a non-negative integer"},
        {withMenuBar(R"({"AXMenuItemCmdVirtualKey": 1e300})"),
         "menuBar.AXMenuItemCmdVirtualKey: expected a non-negative integer"},
        {withMenuBar(R"({"errors": {"AXTitle": 0}})"),
         "menuBar.errors.AXTitle: expected a non-zero 32-bit error code"},
        {withMenuBar(R"({"errors": {"AXTitle": "-25200"}})"),
         "menuBar.errors.AXTitle: expected a non-zero 32-bit error code"},
        {withMenuBar(R"({"errors": []})"), "menuBar.errors: expected an object"},
    };
    for (const Case& c : cases) {
        const QString error = parseError(c.json);
        EXPECT_TRUE(error.startsWith(QLatin1String(c.error)))
            << c.json.toStdString() << " gave " << error.toStdString();
    }

    // A tree nested without end is refused rather than followed.
    QByteArray deep = R"({"AXTitle": "leaf"})";
    for (int i = 0; i < 100; ++i)
        deep = R"({"AXChildren": [)" + deep + "]}";
    EXPECT_TRUE(parseError(withMenuBar(deep)).contains(QLatin1String("nested deeper")));
}

TEST(MenuFixture, WritesWhatItReads)
{
    const MenuFixture fixture = parsed(textEditorJson());
    const QJsonObject written = fixture.toJson();
    EXPECT_EQ(written, QJsonDocument::fromJson(textEditorJson()).object());
    EXPECT_EQ(parsed(written), fixture);
}

TEST(MenuFixture, RecordingThroughAnAdapterGivesTheFixtureBack)
{
    const MenuFixture original = parsed(textEditorJson());
    FakeAccessibility accessibility;
    const QJsonObject recorded = recordThroughFake(original, accessibility);
    EXPECT_EQ(parsed(recorded), original);

    // Key equivalents are read only where the harvest reads them, in one request per element.
    for (const auto& call : accessibility.calls()) {
        if (call.operation == Operation::CopyMultipleAttributeValues) {
            EXPECT_TRUE(accessibility.fixtureOf(call.element)->children.isEmpty());
        }
    }
    EXPECT_EQ(accessibility.callCount(Operation::CopyMultipleAttributeValues), 1 + 8 + 5 + 2 + 1 + 1);

    // Replaying the recording harvests what the original harvests.
    FakeAccessibility replay;
    MenuFixture again = parsed(recorded);
    replay.addApplication(again);
    const AXElement bar = replay.findElement(4242, {});
    ASSERT_FALSE(bar.isNull());
    EXPECT_EQ(MenuFixture::record(replay, bar, again.application), recorded);
}

TEST(MenuFixture, RecordingKeepsFailuresAndLeavesOutWhatIsAbsent)
{
    QJsonObject unreadable = menu(QStringLiteral("Hidden"), {keyed(QStringLiteral("Inner"), "I")});
    unreadable.insert(QStringLiteral("errors"),
                      QJsonObject{{QStringLiteral("AXChildren"), -25204},
                                  {QStringLiteral("AXTitle"), AXErrorCode::Failure}});
    QJsonObject absent = titled(QStringLiteral("Absent"));
    absent.insert(QStringLiteral("errors"),
                  QJsonObject{{QStringLiteral("AXMenuItemCmdChar"), AXErrorCode::NoValue}});
    const MenuFixture original =
        parsed(application(QStringLiteral("app"), QString(), 9, menuBar({unreadable, absent})));

    FakeAccessibility accessibility;
    const MenuFixture recorded = parsed(recordThroughFake(original, accessibility));
    ASSERT_TRUE(recorded.menuBar.has_value());
    ASSERT_EQ(recorded.menuBar->children.size(), 3);
    const MenuFixture::Element& hidden = recorded.menuBar->children[1];
    EXPECT_FALSE(hidden.title.has_value());
    EXPECT_TRUE(hidden.children.isEmpty());
    EXPECT_EQ(hidden.errors.value(QStringLiteral("AXTitle")), AXErrorCode::Failure);
    EXPECT_EQ(hidden.errors.value(QStringLiteral("AXChildren")), -25204);
    // "No value" is what an absent attribute answers anyway: nothing to keep.
    const MenuFixture::Element& absentRecorded = recorded.menuBar->children[2];
    EXPECT_EQ(absentRecorded.title, QStringLiteral("Absent"));
    EXPECT_TRUE(absentRecorded.errors.isEmpty());

    // A whole request that fails is kept as a failure of each of its attributes.
    FakeAccessibility failing;
    failing.setOperationFailure(Operation::CopyMultipleAttributeValues, AXErrorCode::Failure);
    const MenuFixture whole = parsed(recordThroughFake(original, failing));
    EXPECT_EQ(whole.menuBar->children[2].errors.size(), 6);

    // Without a menu bar there is nothing to record but the application.
    const QJsonObject none = MenuFixture::record(accessibility, AXElement(), original.application);
    EXPECT_FALSE(none.contains(QStringLiteral("menuBar")));
    EXPECT_EQ(parsed(none).application, original.application);
}

} // namespace
