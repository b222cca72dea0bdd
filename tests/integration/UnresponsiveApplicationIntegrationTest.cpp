#include "IntegrationDesktop.h"

#include "harvest/MenuSource.h"
#include "harvest/ThreadedMenuReader.h"
#include "platform/AccessibilityError.h"
#include "platform/linux/AtspiAccessibility.h"
#include "platform/linux/AtspiEventListener.h"
#include "platform/linux/QtTimers.h"
#include "platform/linux/SystemClock.h"
#include "support/MenuItemSearch.h"
#include "support/WaitUntil.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace tavlen;
using tavlen::test::find;
using tavlen::test::waitUntil;

namespace {

// Applications that stop answering, and applications whose menus change, met through the real
// accessibility bus: a Geany stopped with SIGSTOP answers nothing until it is continued.
class UnresponsiveApplication : public test::DesktopTest {
protected:
    // A Geany of the test's own, showing its menu bar.
    QProcess* startGeany(const QString& name)
    {
        QProcess* geany = session->startGeany(name);
        if (geany == nullptr || !session->waitForMenuBar(geany->processId()))
            return nullptr;
        return geany;
    }

    static void stop(qint64 pid) { ::kill(static_cast<pid_t>(pid), SIGSTOP); }
    static void resume(qint64 pid) { ::kill(static_cast<pid_t>(pid), SIGCONT); }

    struct CtlRun {
        int exitCode = -1;
        QString out;
        QString err;
    };

    CtlRun runCtl(const QStringList& arguments)
    {
        QProcessEnvironment environment = session->environment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TAVLENCTL_PATH), arguments);
        // Far below the bus's own 25 s time-out, which is what a call without a deadline waits.
        EXPECT_TRUE(process.waitForFinished(10000));
        return CtlRun{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                      QString::fromUtf8(process.readAllStandardOutput()),
                      QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir home;
};

// The menu source as the application wires it: reads on a thread of their own, the real timers
// and clock; what it announces is collected.
struct ThreadedMenus {
    ThreadedMenus()
    {
        QObject::connect(&source, &MenuSource::menusChanged,
                         [this](qint64, const MenuSnapshot& snapshot) { announced.append(snapshot); });
    }

    ThreadedMenuReader reader{[] { return std::make_unique<linux_platform::AtspiAccessibility>(); }};
    linux_platform::QtTimers timers;
    linux_platform::SystemClock clock;
    MenuSource source{reader, timers, clock};
    QList<MenuSnapshot> announced;
};

} // namespace

TEST_F(UnresponsiveApplication, TheCommandLineSaysThatAStoppedApplicationDidNotAnswerAndExitsWithItsOwnStatus)
{
    // The command line picks the first Geany, the desktop's own: it is continued whatever happens.
    const qint64 pid = session->geanyPid();
    stop(pid);
    auto continued = qScopeGuard([pid] { resume(pid); });

    const QString said = QStringLiteral("Geany (pid %1) did not answer within 1 s\n").arg(pid);
    const CtlRun menus = runCtl({QStringLiteral("menus"), QStringLiteral("--app"), QStringLiteral("geany")});
    EXPECT_EQ(menus.exitCode, 3);
    EXPECT_TRUE(menus.err.endsWith(said)) << menus.err.toStdString();
    const CtlRun sheet = runCtl({QStringLiteral("sheet"), QStringLiteral("--app"), QStringLiteral("geany")});
    EXPECT_EQ(sheet.exitCode, 3);
    EXPECT_TRUE(sheet.err.endsWith(said)) << sheet.err.toStdString();

    resume(pid);
    continued.dismiss();
    const CtlRun again = runCtl({QStringLiteral("menus"), QStringLiteral("--app"), QStringLiteral("geany")});
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_TRUE(again.out.contains(QStringLiteral("Open Selected File")));
}

TEST_F(UnresponsiveApplication, AStoppedApplicationNeverHoldsTheEventLoopAndIsReadAgainOnceItAnswers)
{
    QProcess* geany = startGeany(QStringLiteral("stopped"));
    ASSERT_NE(geany, nullptr);
    const qint64 pid = geany->processId();
    const auto cleanUp = qScopeGuard([geany, pid] {
        resume(pid);
        geany->kill();
        geany->waitForFinished(5000);
    });

    ThreadedMenus menus;
    MenuSource& source = menus.source;
    QList<MenuSnapshot>& announced = menus.announced;
    const RunningApplication app{QStringLiteral("geany"), QStringLiteral("Geany"), pid};

    stop(pid);
    // Were the read made on this thread, the answer would come before menus returned, and the
    // timer could not fire before it.
    bool timerFired = false;
    bool timerFiredBeforeTheAnswer = false;
    QTimer::singleShot(100, [&timerFired] { timerFired = true; });
    std::optional<MenuSnapshot> handed;
    QObject context;
    source.menus(app, {}, &context, [&](const MenuSnapshot& snapshot) {
        timerFiredBeforeTheAnswer = timerFired;
        handed = snapshot;
    });
    EXPECT_FALSE(handed.has_value());
    ASSERT_TRUE(waitUntil([&] { return handed.has_value(); }, 10000));
    EXPECT_TRUE(timerFiredBeforeTheAnswer);
    EXPECT_EQ(handed->status, MenuStatus::NotAnswering);

    // Continued, it answers the cheap request the next question sends, and is read again.
    resume(pid);
    handed.reset();
    source.menus(app, {}, &context, [&](const MenuSnapshot& snapshot) { handed = snapshot; });
    ASSERT_TRUE(handed.has_value());
    EXPECT_EQ(handed->status, MenuStatus::NotAnswering);
    ASSERT_TRUE(waitUntil([&] { return !announced.isEmpty(); }, 10000));
    EXPECT_EQ(announced.last().status, MenuStatus::Read);
    EXPECT_NE(find(announced.last().items, {QStringLiteral("File"), QStringLiteral("Open Selected File")}),
              nullptr);
}

TEST_F(UnresponsiveApplication, AMenuEntryThatChangesInAKeptMenuIsReadAgainFromTheApplicationsOwnEvents)
{
    QProcess* geany = startGeany(QStringLiteral("changing"));
    ASSERT_NE(geany, nullptr);
    const auto cleanUp = qScopeGuard([geany] {
        geany->kill();
        geany->waitForFinished(5000);
    });

    ThreadedMenus menus;
    MenuSource& source = menus.source;
    QList<MenuSnapshot>& announced = menus.announced;
    linux_platform::AtspiEventListener events;
    ASSERT_TRUE(events.start());
    QObject::connect(&events, &linux_platform::AtspiEventListener::elementChanged, &source,
                     &MenuSource::elementChanged);
    const RunningApplication app{QStringLiteral("geany"), QStringLiteral("Geany"), geany->processId()};

    // Every entry, so that the one without a shortcut that the test presses is read too.
    const MenuWalkLimits everyEntry{9999, true};
    std::optional<MenuSnapshot> handed;
    QObject context;
    source.menus(app, everyEntry, &context, [&](const MenuSnapshot& snapshot) { handed = snapshot; });
    ASSERT_TRUE(waitUntil([&] { return handed.has_value(); }, 10000));
    ASSERT_EQ(handed->status, MenuStatus::Read);
    const MenuItem* save = find(handed->items, {QStringLiteral("File"), QStringLiteral("Save")});
    ASSERT_NE(save, nullptr);
    EXPECT_FALSE(save->isActive) << "an untouched document has nothing to save";

    // Inserting text through a menu entry makes the document modified, and Save enabled: Geany
    // says so with a state change of the Save entry, and nothing else asks for the menus.
    const MenuItem* insert = find(handed->items, {QStringLiteral("Edit"), QStringLiteral("Insert Comments"),
                                                  QStringLiteral("Insert ChangeLog Entry")});
    if (insert == nullptr)
        insert = find(handed->items, {QStringLiteral("Edit"), QStringLiteral("Comments"),
                                      QStringLiteral("Insert ChangeLog Entry")});
    ASSERT_NE(insert, nullptr);
    ASSERT_EQ(session->accessibility().performAction(insert->axuieElement, QStringLiteral("AXPress")),
              AXErrorCode::Success);

    ASSERT_TRUE(waitUntil(
        [&] {
            if (announced.isEmpty())
                return false;
            const MenuItem* saved =
                find(announced.last().items, {QStringLiteral("File"), QStringLiteral("Save")});
            return saved != nullptr && saved->isActive;
        },
        10000));
    EXPECT_EQ(announced.last().status, MenuStatus::Read);
}
