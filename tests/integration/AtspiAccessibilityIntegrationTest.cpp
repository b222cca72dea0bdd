#include "IntegrationDesktop.h"

#include "platform/AXUIHelper.h"
#include "platform/AccessibilityError.h"
#include "support/AccessibilityTree.h"
#include "support/MenuKeyText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace tavlen;
using tavlen::test::IntegrationDesktop;

namespace {

const QStringList& keyAttributes = test::menuEntryKeyAttributes;

// One menu entry's key equivalent as the harvest reads it.
struct EntryKey {
    QString character;
    quint64 modifiers = 0;
    quint64 virtualKey = 0;
    quint64 glyph = 0;
    bool hasShortcut = false;
    QString text;
};

class AtspiIntegration : public test::DesktopTest {
protected:
    void SetUpOnDesktop() override { ax = &session->accessibility(); }

    std::vector<AXElement> childrenOf(const AXElement& element) { return test::childrenOf(*ax, element); }

    std::optional<QString> titleOf(const AXElement& element)
    {
        AXValue value;
        if (ax->copyAttributeValue(element, QStringLiteral("AXTitle"), value) != AXErrorCode::Success)
            return std::nullopt;
        if (const auto* text = value.get<QString>())
            return *text;
        return std::nullopt;
    }

    AXElement menuBarOf(qint64 pid) { return test::menuBarOf(*ax, pid); }

    // The child titled `title`, looking through title-less containers the way the harvest does.
    std::optional<AXElement> childTitled(const AXElement& parent, const QString& title)
    {
        for (const AXElement& child : childrenOf(parent)) {
            const std::optional<QString> childTitle = titleOf(child);
            if (!childTitle) {
                if (std::optional<AXElement> found = childTitled(child, title))
                    return found;
            } else if (*childTitle == title) {
                return child;
            }
        }
        return std::nullopt;
    }

    std::optional<AXElement> entry(qint64 pid, const QStringList& path)
    {
        AXElement current = menuBarOf(pid);
        if (current.isNull())
            return std::nullopt;
        for (const QString& title : path) {
            std::optional<AXElement> next = childTitled(current, title);
            if (!next)
                return std::nullopt;
            current = *next;
        }
        return current;
    }

    EntryKey keyOf(const AXElement& element)
    {
        std::vector<AXValue> values;
        EXPECT_EQ(ax->copyMultipleAttributeValues(element, keyAttributes, values), AXErrorCode::Success);
        const AXAttributesResult result = AXUIHelper(element).attributeValues(keyAttributes, values);
        const auto* attributes = std::get_if<AXAttributes>(&result);
        EXPECT_NE(attributes, nullptr);
        EntryKey key;
        if (!attributes)
            return key;
        if (auto it = attributes->find(keyAttributes[0]); it != attributes->end())
            key.character = axvalue::toString(*it).value_or(QString());
        if (auto it = attributes->find(keyAttributes[1]); it != attributes->end())
            key.modifiers = axvalue::toUnsigned(*it).value_or(0);
        if (auto it = attributes->find(keyAttributes[2]); it != attributes->end())
            key.virtualKey = axvalue::toUnsigned(*it).value_or(0);
        if (auto it = attributes->find(keyAttributes[3]); it != attributes->end())
            key.glyph = axvalue::toUnsigned(*it).value_or(0);
        const quint16 character = key.character.isEmpty() ? 0 : key.character.front().unicode();
        key.hasShortcut = character != 0 || key.virtualKey != 0 || key.glyph != 0;
        key.text = key.hasShortcut ? test::menuKeyText(character, key.modifiers, key.virtualKey, key.glyph)
                                   : QString();
        return key;
    }

    // The notation text of the entry at a path, "<missing>" when there is no such entry.
    QString keyText(qint64 pid, const QStringList& path)
    {
        const std::optional<AXElement> found = entry(pid, path);
        return found ? keyOf(*found).text : QStringLiteral("<missing>");
    }

    Accessibility* ax = nullptr;
};

} // namespace

TEST_F(AtspiIntegration, GeanyMenuBarBeginsWithTheSystemMenuStandIn)
{
    const AXElement menuBar = menuBarOf(session->geanyPid());
    ASSERT_FALSE(menuBar.isNull());
    const std::vector<AXElement> menus = childrenOf(menuBar);
    ASSERT_GE(menus.size(), 3u);
    // The harvest passes over the first entry of a menu bar; the application's own menus follow.
    EXPECT_FALSE(titleOf(menus[0]));
    EXPECT_EQ(titleOf(menus[1]), QStringLiteral("File"));
    EXPECT_EQ(titleOf(menus[2]), QStringLiteral("Edit"));
    qint64 count = -1;
    EXPECT_EQ(ax->attributeValueCount(menuBar, QStringLiteral("AXChildren"), count), AXErrorCode::Success);
    EXPECT_EQ(count, static_cast<qint64>(menus.size()));
}

TEST_F(AtspiIntegration, GeanyShortcuts)
{
    const qint64 pid = session->geanyPid();
    const std::optional<AXElement> newEntry = entry(pid, {QStringLiteral("File"), QStringLiteral("New")});
    ASSERT_TRUE(newEntry);
    const EntryKey key = keyOf(*newEntry);
    EXPECT_EQ(key.character, QStringLiteral("N"));
    EXPECT_EQ(key.modifiers, 12u);
    EXPECT_EQ(key.text, QStringLiteral("⌃ N"));

    EXPECT_EQ(keyText(pid, {QStringLiteral("File"), QStringLiteral("Open Selected File")}),
              QStringLiteral("⌃⇧ O"));
    EXPECT_EQ(keyText(pid, {QStringLiteral("Edit"), QStringLiteral("Copy")}), QStringLiteral("⌃ C"));
    EXPECT_EQ(keyText(pid, {QStringLiteral("Build"), QStringLiteral("Execute")}), QStringLiteral("F5"));
    EXPECT_EQ(keyText(pid, {QStringLiteral("Build"), QStringLiteral("Make")}), QStringLiteral("⇧ F9"));
    EXPECT_EQ(keyText(pid, {QStringLiteral("Search"), QStringLiteral("Go to Next Marker")}),
              QStringLiteral("⌃ ."));
    // Mnemonics alone are no shortcut.
    EXPECT_EQ(keyText(pid, {QStringLiteral("File"), QStringLiteral("Save As...")}), QString());
}

TEST_F(AtspiIntegration, GeanyMenusLeaveOutHiddenEntriesAndTellDisabledOnes)
{
    const qint64 pid = session->geanyPid();
    // The Build menu holds hidden, nameless entries for commands that are not configured.
    const std::optional<AXElement> build = entry(pid, {QStringLiteral("Build")});
    ASSERT_TRUE(build);
    for (const AXElement& child : childrenOf(*build)) {
        const EntryKey key = keyOf(child);
        const std::optional<QString> title = titleOf(child);
        ASSERT_TRUE(title);
        if (title->isEmpty()) {
            EXPECT_FALSE(key.hasShortcut) << "a hidden build command is listed: " << key.text.toStdString();
        }
    }

    // Nothing to save in a fresh, unmodified document.
    const std::optional<AXElement> save = entry(pid, {QStringLiteral("File"), QStringLiteral("Save")});
    ASSERT_TRUE(save);
    AXValue enabled;
    ASSERT_EQ(ax->copyAttributeValue(*save, QStringLiteral("AXEnabled"), enabled), AXErrorCode::Success);
    ASSERT_NE(enabled.get<AXValue::Boolean>(), nullptr);
    EXPECT_FALSE(enabled.get<AXValue::Boolean>()->value);
    const std::optional<AXElement> open = entry(pid, {QStringLiteral("File"), QStringLiteral("Open...")});
    ASSERT_TRUE(open);
    ASSERT_EQ(ax->copyAttributeValue(*open, QStringLiteral("AXEnabled"), enabled), AXErrorCode::Success);
    EXPECT_TRUE(enabled.get<AXValue::Boolean>()->value);
}

TEST_F(AtspiIntegration, QpdfviewShortcuts)
{
    const qint64 pid = session->qpdfviewPid();
    EXPECT_EQ(keyText(pid, {QStringLiteral("File"), QStringLiteral("Refresh")}), QStringLiteral("F5"));
    EXPECT_EQ(keyText(pid, {QStringLiteral("Edit"), QStringLiteral("Find previous")}),
              QStringLiteral("⇧ F3"));
    EXPECT_EQ(keyText(pid, {QStringLiteral("Edit"), QStringLiteral("Jump backward")}), QStringLiteral("⌃ ⏎"));
    EXPECT_EQ(keyText(pid, {QStringLiteral("Edit"), QStringLiteral("Jump forward")}), QStringLiteral("⌃⇧ ⏎"));
    EXPECT_EQ(keyText(pid, {QStringLiteral("View"), QStringLiteral("Zoom in")}), QStringLiteral("⌃ ↑"));
    EXPECT_EQ(keyText(pid, {QStringLiteral("File"), QStringLiteral("Open...")}), QStringLiteral("⌃ O"));
    // Only a mnemonic: no shortcut at all.
    const std::optional<AXElement> saveAs =
        entry(pid, {QStringLiteral("File"), QStringLiteral("Save as...")});
    ASSERT_TRUE(saveAs);
    std::vector<AXValue> values;
    ASSERT_EQ(ax->copyMultipleAttributeValues(*saveAs, keyAttributes, values), AXErrorCode::Success);
    ASSERT_EQ(values.size(), 5u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(values[static_cast<std::size_t>(i)], AXValue::error(AXErrorCode::NoValue)) << i;
}

TEST_F(AtspiIntegration, QtSubmenusAreTitleLessContainers)
{
    // Qt hangs each menu's entries below a nameless popup menu, as the Mac does.
    const std::optional<AXElement> file = entry(session->qpdfviewPid(), {QStringLiteral("File")});
    ASSERT_TRUE(file);
    const std::vector<AXElement> kids = childrenOf(*file);
    ASSERT_EQ(kids.size(), 1u);
    EXPECT_FALSE(titleOf(kids[0]));
    qint64 count = 0;
    EXPECT_EQ(ax->attributeValueCount(kids[0], QStringLiteral("AXChildren"), count), AXErrorCode::Success);
    EXPECT_GE(count, 5);
}

TEST_F(AtspiIntegration, AnApplicationThatQuitsMidWalkAnswersErrors)
{
    QProcess* geany = session->startGeany(QStringLiteral("doomed"));
    ASSERT_NE(geany, nullptr);
    const qint64 pid = geany->processId();
    ASSERT_TRUE(session->waitForMenuBar(pid));
    const AXElement menuBar = menuBarOf(pid);
    ASSERT_FALSE(menuBar.isNull());
    const std::vector<AXElement> menus = childrenOf(menuBar);
    ASSERT_GE(menus.size(), 3u);
    const std::vector<AXElement> fileEntries = childrenOf(menus[1]);
    ASSERT_FALSE(fileEntries.empty());

    geany->kill();
    ASSERT_TRUE(geany->waitForFinished(10000));

    // A new read: nothing of what was read while the application was there is answered again.
    ax->beginRead(QDeadlineTimer(5000));
    QElapsedTimer timer;
    timer.start();
    std::vector<AXValue> values;
    EXPECT_NE(ax->copyAttributeValues(menus[2], QStringLiteral("AXChildren"), 0, 9999, values),
              AXErrorCode::Success);
    qint64 count = 0;
    EXPECT_NE(ax->attributeValueCount(menus[3], QStringLiteral("AXChildren"), count), AXErrorCode::Success);
    AXValue value;
    EXPECT_NE(ax->copyAttributeValue(ax->createApplication(pid), QStringLiteral("AXMenuBar"), value),
              AXErrorCode::Success);
    const Accessibility::ReadTrouble trouble = ax->endRead();
    EXPECT_TRUE(trouble.gone);
    EXPECT_FALSE(trouble.timedOut);
    EXPECT_NE(ax->performAction(fileEntries.front(), QStringLiteral("AXPress")), AXErrorCode::Success);
    // A vanished application answers at once; nothing waits for a time-out.
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST_F(AtspiIntegration, AProcessWithoutAccessibilityHasNoMenuBar)
{
    AXValue value;
    const AXElement nobody = ax->createApplication(QCoreApplication::applicationPid());
    EXPECT_NE(ax->copyAttributeValue(nobody, QStringLiteral("AXMenuBar"), value), AXErrorCode::Success);
    EXPECT_TRUE(value.isNull());
    EXPECT_TRUE(ax->isProcessTrusted(false));
}
