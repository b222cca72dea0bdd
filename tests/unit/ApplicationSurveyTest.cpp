#include "harvest/ApplicationSurvey.h"

#include "platform/fake/FakeAccessibility.h"
#include "support/MenuFixtureBuilder.h"
#include "support/ShortcutGroup.h"

#include <gtest/gtest.h>

using namespace tavlen;
using namespace tavlen::test::menus;

namespace {

// A source that gives the calculator one group of two shortcuts, and nothing to anybody else.
class CalculatorWindow final : public ShortcutSupplier {
public:
    QString sourceName() const override { return QStringLiteral("shortcuts window"); }
    QList<MenuItem> groups(const SupplierRequest& request, const QList<MenuItem>&) override
    {
        if (request.applicationIdentifier != QLatin1String("org.example.Calculator"))
            return {};
        return {test::shortcutGroup(QStringLiteral("Calculator"),
                                    {QStringLiteral("⌃ Q"), QStringLiteral("⌥ 1…9"), QString()})};
    }
};

} // namespace

TEST(ApplicationSurvey, EveryApplicationWithItsToolkitSourcesOrReason)
{
    fake::FakeAccessibility accessibility;
    const MenuFixture editor = parsed(application(
        QStringLiteral("org.example.Editor"), QStringLiteral("Editor"), 10,
        menuBar(
            {menu(QStringLiteral("File"),
                  {keyed(QStringLiteral("New"), QStringLiteral("N")),
                   keyed(QStringLiteral("Open"), QStringLiteral("O")), titled(QStringLiteral("Recent"))}),
             menu(QStringLiteral("Edit"),
                  {menu(QStringLiteral("Find"), {keyed(QStringLiteral("Find…"), QStringLiteral("F"))})})})));
    const MenuFixture calculator = parsed(application(QStringLiteral("org.example.Calculator"),
                                                      QStringLiteral("Calculator"), 20, std::nullopt));
    accessibility.addApplication(editor);
    accessibility.addApplication(calculator);
    ApplicationAccess gtk;
    gtk.toolkit = QStringLiteral("GTK");
    gtk.toolkitVersion = QStringLiteral("3.24.38");
    accessibility.setApplicationAccess(10, gtk);
    const RunningApplication old{QStringLiteral("old"), QString(), 30};
    ApplicationAccess offBus;
    offBus.onBus = false;
    offBus.toolkit = QStringLiteral("GTK 2");
    accessibility.setApplicationAccess(30, offBus);
    // On the bus, but hanging from its first answer on.
    const MenuFixture hung = parsed(application(QStringLiteral("hung"), QStringLiteral("Hung"), 40,
                                                menuBar({menu(QStringLiteral("File"), {})})));

    const QList<ApplicationSurveyRow> rows = surveyApplications(
        accessibility, {editor.application, calculator.application, old}, MenuWalkLimits{}, 1000);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].application, editor.application);
    EXPECT_EQ(rows[0].access, gtk);
    EXPECT_TRUE(rows[0].readable);
    EXPECT_EQ(rows[0].sources, (QList<ApplicationSurveyRow::Source>{{QStringLiteral("menu bar"), 3}}));
    EXPECT_TRUE(rows[0].reason.isEmpty());

    // Other sources count apart from the menu bar, and stand in for a menu bar there is not.
    CalculatorWindow window;
    const QList<ApplicationSurveyRow> withWindow = surveyApplications(
        accessibility, {editor.application, calculator.application}, MenuWalkLimits{}, 1000, {&window});
    ASSERT_EQ(withWindow.size(), 2);
    EXPECT_EQ(withWindow[0].sources, rows[0].sources);
    EXPECT_EQ(withWindow[1].sources,
              (QList<ApplicationSurveyRow::Source>{{QStringLiteral("shortcuts window"), 2}}));
    EXPECT_TRUE(withWindow[1].reason.isEmpty());

    EXPECT_TRUE(rows[1].readable);
    EXPECT_TRUE(rows[1].sources.isEmpty());
    EXPECT_TRUE(rows[1].reason.contains(QStringLiteral("Calculator has no menu bar")));

    EXPECT_FALSE(rows[2].readable);
    EXPECT_EQ(rows[2].access.toolkit, QStringLiteral("GTK 2"));
    EXPECT_TRUE(rows[2].reason.startsWith(QStringLiteral("old (GTK 2) is not on the accessibility bus")));

    accessibility.addApplication(hung);
    accessibility.setTroubleAfter(std::pair{0, Accessibility::ReadTrouble{true, false}});
    const QList<ApplicationSurveyRow> hanging =
        surveyApplications(accessibility, {hung.application}, MenuWalkLimits{}, 1000);
    ASSERT_EQ(hanging.size(), 1);
    EXPECT_FALSE(hanging[0].readable);
    EXPECT_TRUE(hanging[0].reason.contains(QStringLiteral("did not answer")))
        << hanging[0].reason.toStdString();
}
