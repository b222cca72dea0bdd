#include "harvest/MenuSource.h"

#include "harvest/InlineMenuReader.h"
#include "platform/fake/FakeAccessibility.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeTimers.h"
#include "support/ManualMenuReader.h"
#include "support/MenuFixtureBuilder.h"
#include "support/MenuItemSearch.h"
#include "support/ShortcutGroup.h"

#include <gtest/gtest.h>

using namespace tavlen;
using namespace tavlen::test::menus;
using namespace std::chrono_literals;
using tavlen::test::titlesOf;

namespace {

const QString EDITOR = QStringLiteral("org.example.Editor");
constexpr qint64 EDITOR_PID = 4242;
const RunningApplication EDITOR_APP{EDITOR, QStringLiteral("Editor"), EDITOR_PID};
const auto DEADLINE = std::chrono::milliseconds(MenuSource::READ_DEADLINE_MS + MenuSource::ANSWER_GRACE_MS);

class MenuSourceTest : public ::testing::Test {
protected:
    MenuSourceTest()
    {
        install(QStringLiteral("Copy"));
        QObject::connect(&source, &MenuSource::menusChanged, &source,
                         [this](qint64 pid, const MenuSnapshot& snapshot) {
                             announced.append({pid, snapshot});
                         });
    }

    // The editor with one menu, Edit, holding one keyed entry.
    void install(const QString& entry)
    {
        accessibility.addApplication(parsed(
            application(EDITOR, QStringLiteral("Editor"), EDITOR_PID,
                        menuBar({menu(QStringLiteral("Edit"), {keyed(entry, QStringLiteral("C"))})}))));
    }

    // Asks for the editor's menus; what is handed out lands in `handed`.
    void ask()
    {
        source.menus(EDITOR_APP, {}, &context, [this](const MenuSnapshot& s) { handed.append(s); });
    }

    static QStringList entries(const MenuSnapshot& snapshot)
    {
        QStringList titles;
        for (const MenuItem& menu : snapshot.items)
            titles << titlesOf(menu.submenu);
        return titles;
    }

    fake::FakeAccessibility accessibility;
    fake::FakeClock clock;
    fake::FakeTimers timers{&clock};
    test::ManualMenuReader reader;
    MenuSource source{reader, timers, clock};
    QObject context;
    QList<MenuSnapshot> handed;
    QList<std::pair<qint64, MenuSnapshot>> announced;
};

TEST_F(MenuSourceTest, AnApplicationThatNeverAnswersIsGivenUpAtTheDeadlineAndPingedBeforeItIsReadAgain)
{
    ask();
    ASSERT_EQ(reader.readCount(), 1);
    EXPECT_TRUE(handed.isEmpty());

    timers.advance(DEADLINE - 1ms);
    EXPECT_TRUE(handed.isEmpty());
    timers.advance(1ms);
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0].status, MenuStatus::NotAnswering);
    EXPECT_TRUE(handed[0].items.isEmpty());
    EXPECT_TRUE(reader.isCancelled(reader.lastTicket()));

    // Its answer, should it come after all, changes nothing: the read was abandoned.
    reader.finishNext(accessibility);
    EXPECT_EQ(handed.size(), 1);
    EXPECT_TRUE(announced.isEmpty());

    // Asked again, the source answers at once and sends only a cheap request.
    ask();
    ASSERT_EQ(handed.size(), 2);
    EXPECT_EQ(handed[1].status, MenuStatus::NotAnswering);
    EXPECT_EQ(reader.readCount(), 0);
    ASSERT_EQ(reader.pingCount(), 1);
    reader.answerPing(false);
    EXPECT_EQ(reader.readCount(), 0);

    // Once it answers, it is read again, and the menus handed out before are replaced.
    ask();
    reader.answerPing(true);
    ASSERT_EQ(reader.readCount(), 1);
    reader.finishNext(accessibility);
    ASSERT_EQ(announced.size(), 1);
    EXPECT_EQ(announced[0].first, EDITOR_PID);
    EXPECT_EQ(announced[0].second.status, MenuStatus::Read);
    EXPECT_EQ(entries(announced[0].second), QStringList{"Copy"});
}

TEST_F(MenuSourceTest, AReadThatMissesItsDeadlineOrMeetsAQuittingApplicationHandsOutWhatItHas)
{
    // Stopped after the menu bar and the first menu were listed.
    accessibility.setTroubleAfter(std::pair{3, Accessibility::ReadTrouble{true, false}});
    ask();
    reader.finishNext(accessibility);
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0].status, MenuStatus::NotAnswering);
    EXPECT_EQ(timers.pendingCount(), 0) << "the give-up timer goes with the read";

    // A complete earlier read is kept over a partial one.
    accessibility.setTroubleAfter(std::nullopt);
    ask();
    reader.answerPing(true);
    reader.finishNext(accessibility);
    timers.advance(1s);
    accessibility.setTroubleAfter(std::pair{1, Accessibility::ReadTrouble{true, false}});
    ask();
    reader.finishNext(accessibility);
    EXPECT_EQ(entries(handed.last()), QStringList{"Copy"});
    EXPECT_EQ(handed.last().status, MenuStatus::Cached);
    EXPECT_EQ(announced.last().second.status, MenuStatus::NotAnswering);
    EXPECT_EQ(entries(announced.last().second), QStringList{"Copy"});

    // An application that quits: said once, and nothing is kept of it.
    accessibility.setTroubleAfter(std::pair{0, Accessibility::ReadTrouble{false, true}});
    source.clear();
    handed.clear();
    ask();
    reader.finishNext(accessibility);
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0].status, MenuStatus::Quit);
    EXPECT_FALSE(source.isKept(EDITOR_PID));
}

TEST_F(MenuSourceTest, KeptMenusAreHandedOutAtOnceAndCheckedBehindWithAReadThatAnnouncesOnlyChanges)
{
    ask();
    reader.finishNext(accessibility);
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0].status, MenuStatus::Read);

    // Right after a read, nothing is read again.
    ask();
    EXPECT_EQ(handed[1].status, MenuStatus::Read);
    EXPECT_EQ(reader.readCount(), 0);

    timers.advance(std::chrono::milliseconds(MenuSource::FRESH_FOR_MS + 1));
    ask();
    ASSERT_EQ(handed.size(), 3);
    EXPECT_EQ(handed[2].status, MenuStatus::Cached);
    EXPECT_EQ(entries(handed[2]), QStringList{"Copy"});
    ASSERT_EQ(reader.readCount(), 1);
    reader.finishNext(accessibility);
    EXPECT_TRUE(announced.isEmpty()) << "the same menus are not announced";

    // A key binding changed without an event: the read behind the next use finds it.
    timers.advance(1s);
    install(QStringLiteral("Copy Line"));
    ask();
    EXPECT_EQ(entries(handed.last()), QStringList{"Copy"});
    reader.finishNext(accessibility);
    ASSERT_EQ(announced.size(), 1);
    EXPECT_EQ(entries(announced[0].second), QStringList{"Copy Line"});
}

TEST_F(MenuSourceTest, ChangeEventsOfKeptElementsHaveTheApplicationReadAgainAndADepartureDropsIt)
{
    ask();
    reader.finishNext(accessibility);
    const AXElement copy =
        accessibility.findElement(EDITOR_PID, {QStringLiteral("Edit"), QStringLiteral("Copy")});
    ASSERT_FALSE(copy.isNull());

    // Elements the read never kept say nothing about the menus.
    source.elementChanged(AXElement());
    timers.advance(1s);
    EXPECT_EQ(reader.readCount(), 0);

    // A burst of events makes one read, after the burst.
    install(QStringLiteral("Duplicate"));
    source.elementChanged(copy);
    source.elementChanged(copy);
    EXPECT_EQ(reader.readCount(), 0);
    timers.advance(std::chrono::milliseconds(MenuSource::REREAD_DELAY_MS));
    ASSERT_EQ(reader.readCount(), 1);
    reader.finishNext(accessibility);
    ASSERT_EQ(announced.size(), 1);
    EXPECT_EQ(entries(announced[0].second), QStringList{"Duplicate"});

    source.applicationGone(QStringLiteral("pid:1"));
    EXPECT_TRUE(source.isKept(EDITOR_PID));
    source.applicationGone(fake::FakeAccessibility::originOf(EDITOR_PID));
    EXPECT_FALSE(source.isKept(EDITOR_PID));
}

TEST_F(MenuSourceTest, NothingIsHandedToAContextThatHasGoneAndReadsAheadStartAfterTheDelay)
{
    {
        QObject shortLived;
        source.menus(EDITOR_APP, {}, &shortLived, [this](const MenuSnapshot& s) { handed.append(s); });
    }
    reader.finishNext(accessibility);
    EXPECT_TRUE(handed.isEmpty());
    EXPECT_TRUE(source.isKept(EDITOR_PID));

    source.clear();
    const RunningApplication other{QStringLiteral("org.example.Other"), QString(), 7};
    source.readAhead(other, {});
    source.readAhead(EDITOR_APP, {});
    timers.advance(std::chrono::milliseconds(MenuSource::READ_AHEAD_DELAY_MS));
    ASSERT_EQ(reader.readCount(), 1) << "a later read ahead replaces an earlier one";
    reader.finishNext(accessibility);
    EXPECT_TRUE(source.isKept(EDITOR_PID));
    EXPECT_FALSE(source.isKept(7));
}

// The editor with two menus, Edit and View, one keyed entry in each.
class InlineMenuReaderTest : public ::testing::Test {
protected:
    InlineMenuReaderTest()
    {
        accessibility.addApplication(parsed(application(
            EDITOR, QStringLiteral("Editor"), EDITOR_PID,
            menuBar({menu(QStringLiteral("Edit"), {keyed(QStringLiteral("Copy"), QStringLiteral("C"))}),
                     menu(QStringLiteral("View"), {keyed(QStringLiteral("Zoom"), QStringLiteral("Z"))})}))));
    }

    // The editor's menus as `reader` reads them, at once.
    MenuRead readNow(InlineMenuReader& reader)
    {
        MenuRead result;
        reader.read({EDITOR_PID, {}, 1000, EDITOR}, [&result](const MenuRead& read) { result = read; });
        return result;
    }

    fake::FakeAccessibility accessibility;
};

TEST_F(InlineMenuReaderTest, TellsHowAReadEnded)
{
    InlineMenuReader reader(accessibility);

    const MenuRead complete = readNow(reader);
    EXPECT_EQ(complete.outcome, MenuReadOutcome::Complete);
    EXPECT_EQ(titlesOf(complete.items), (QStringList{"Edit", "View"}));
    EXPECT_EQ(complete.menuBar.origin(), fake::FakeAccessibility::originOf(EDITOR_PID));

    accessibility.setTroubleAfter(std::pair{6, Accessibility::ReadTrouble{true, false}});
    const MenuRead partial = readNow(reader);
    EXPECT_EQ(partial.outcome, MenuReadOutcome::TimedOut);
    EXPECT_EQ(titlesOf(partial.items), QStringList{"Edit"}) << "what was read before the deadline stays";

    accessibility.setTroubleAfter(std::pair{2, Accessibility::ReadTrouble{true, true}});
    EXPECT_EQ(readNow(reader).outcome, MenuReadOutcome::Gone);
}

// A source that gives one group per call, remembering what it was asked.
class GroupSupplier final : public ShortcutSupplier {
public:
    GroupSupplier(QString name, QList<MenuItem> groups) : m_name(std::move(name)), m_groups(std::move(groups))
    {}
    QString sourceName() const override { return m_name; }
    QList<MenuItem> groups(const SupplierRequest& request, const QList<MenuItem>& menus) override
    {
        asked.append(request);
        menusSeen = titlesOf(menus);
        return m_groups;
    }
    QList<SupplierRequest> asked;
    QStringList menusSeen;

private:
    QString m_name;
    QList<MenuItem> m_groups;
};

TEST_F(InlineMenuReaderTest, OtherSourcesFollowTheMenusEvenWhenTheApplicationDidNotAnswer)
{
    const MenuItem tabs = test::shortcutGroup(QStringLiteral("Tabs"),
                                              {QStringLiteral("⌃ T"), QStringLiteral("⌥ 1…9"), QString()});
    GroupSupplier window(QStringLiteral("shortcuts window"), {});
    GroupSupplier list(QStringLiteral("shortcut list"), {tabs});
    InlineMenuReader reader(accessibility, {&window, &list});

    const MenuRead read = readNow(reader);
    EXPECT_EQ(titlesOf(read.items), (QStringList{"Edit", "View", "Tabs"}));
    EXPECT_EQ(window.menusSeen, (QStringList{"Edit", "View"}));
    ASSERT_EQ(list.asked.size(), 1);
    EXPECT_EQ(list.asked.first().applicationIdentifier, EDITOR);
    EXPECT_EQ(list.asked.first().processIdentifier, EDITOR_PID);
    // Only sources that gave something are named; an entry without keys is no shortcut.
    using Count = QPair<QString, qsizetype>;
    EXPECT_EQ(read.supplied, QList<Count>{Count(QStringLiteral("shortcut list"), 2)});

    accessibility.setTroubleAfter(std::pair{2, Accessibility::ReadTrouble{true, false}});
    const MenuRead late = readNow(reader);
    EXPECT_EQ(late.outcome, MenuReadOutcome::TimedOut);
    EXPECT_EQ(titlesOf(late.items).last(), QStringLiteral("Tabs"));
}

} // namespace
