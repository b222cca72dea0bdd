#include "core/RunningApplicationMatch.h"

#include <gtest/gtest.h>

using namespace tavlen;

TEST(RunningApplicationMatch, TheIdFirstThenAnyCaseThenTheProgramThenTheName)
{
    const RunningApplication designer{QStringLiteral("Designer"), QStringLiteral("Qt Designer"), 10,
                                      QStringLiteral("designer")};
    const RunningApplication editor{QStringLiteral("org.gnome.TextEditor"), QStringLiteral("Text Editor"), 20,
                                    QStringLiteral("gnome-text-editor")};
    const RunningApplication geany{QStringLiteral("geany"), QStringLiteral("Geany"), 30,
                                   QStringLiteral("geany")};
    const RunningApplication secondGeany{QStringLiteral("geany"), QStringLiteral("Geany"), 31,
                                         QStringLiteral("geany")};
    // A program that calls itself by another application's id.
    const RunningApplication impostor{QStringLiteral("other"), QStringLiteral("Other"), 40,
                                      QStringLiteral("Geany")};
    const QList<RunningApplication> running{designer, editor, geany, secondGeany, impostor};

    EXPECT_EQ(matchRunningApplications(QStringLiteral("geany"), running), (QList{geany, secondGeany}));
    EXPECT_EQ(matchRunningApplications(QStringLiteral("GEANY"), running), (QList{geany, secondGeany}));
    EXPECT_EQ(matchRunningApplications(QStringLiteral("designer"), running), (QList{designer}));
    EXPECT_EQ(matchRunningApplications(QStringLiteral("gnome-text-editor"), running), (QList{editor}));
    EXPECT_EQ(matchRunningApplications(QStringLiteral("text editor"), running), (QList{editor}));
    EXPECT_EQ(matchRunningApplications(QStringLiteral(" Qt Designer "), running), (QList{designer}));
    EXPECT_TRUE(matchRunningApplications(QStringLiteral("Text"), running).isEmpty());
    EXPECT_TRUE(matchRunningApplications(QString(), running).isEmpty());
}
