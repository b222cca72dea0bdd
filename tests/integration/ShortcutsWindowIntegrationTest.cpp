#include "IntegrationDesktop.h"

#include "harvest/MessageCatalog.h"
#include "harvest/linux/ShortcutsWindowSupplier.h"
#include "support/MenuItemSearch.h"
#include "support/WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavlen;
using tavlen::test::find;

namespace {

const QString CALCULATOR_ID = QStringLiteral("org.gnome.Calculator");
const QString GERMAN_CATALOG = QStringLiteral("/usr/share/locale/de/LC_MESSAGES/gnome-calculator.mo");

// GNOME's calculator (GTK 4, no menu bar), started in German on the test desktop: its keys are in
// its shortcuts window alone.
class ShortcutsWindowIntegration : public test::DesktopTest {
protected:
    void SetUpOnDesktop() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("gnome-calculator")).isEmpty())
            GTEST_SKIP() << "gnome-calculator is not installed";
        environment = session->environment();
        environment.insert(QStringLiteral("GDK_BACKEND"), QStringLiteral("x11"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
        environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("de"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        // Settings of its own, in a key file: the calculator otherwise fetches exchange rates
        // from the network as it starts, and the tests reach no network.
        const QString settings = home.filePath(QStringLiteral("config/glib-2.0/settings"));
        ASSERT_TRUE(QDir().mkpath(settings));
        QFile keyfile(settings + QStringLiteral("/keyfile"));
        ASSERT_TRUE(keyfile.open(QIODevice::WriteOnly));
        keyfile.write("[org/gnome/calculator]\nrefresh-interval=0\n");
        keyfile.close();
        environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        calculator.setProcessEnvironment(environment);
        // It warns of every network and settings service the test desktop lacks.
        calculator.setStandardOutputFile(QProcess::nullDevice());
        calculator.setStandardErrorFile(QProcess::nullDevice());
        calculator.start(QStringLiteral("gnome-calculator"), {});
        ASSERT_TRUE(calculator.waitForStarted(10000));
    }

    void TearDown() override
    {
        if (calculator.state() != QProcess::NotRunning) {
            calculator.terminate();
            if (!calculator.waitForFinished(5000))
                calculator.kill();
            calculator.waitForFinished(5000);
        }
    }

    // What the calculator's catalog says for a text of its shortcuts window.
    static QString german(const QString& text)
    {
        QFile file(GERMAN_CATALOG);
        if (!file.open(QIODevice::ReadOnly))
            return text;
        return MessageCatalog(file.readAll()).translate(QStringLiteral("shortcut window"), text);
    }

    QTemporaryDir home;
    QProcessEnvironment environment;
    QProcess calculator;
};

} // namespace

TEST_F(ShortcutsWindowIntegration, TheCalculatorsShortcutsWindowIsReadInItsLanguage)
{
    // The supplier needs the process alone, not the accessibility bus.
    linux_harvest::ShortcutsWindowSupplier supplier;
    QList<MenuItem> groups;
    ASSERT_TRUE(test::waitUntil(
        [&] {
            groups = supplier.groups({calculator.processId(), CALCULATOR_ID}, {});
            return !groups.isEmpty();
        },
        15000));
    const QString general = german(QStringLiteral("General"));
    const QString modes = german(QStringLiteral("Switching modes"));
    // The package ships its German catalog: the titles must come out translated.
    EXPECT_NE(general, QStringLiteral("General"));
    EXPECT_EQ(test::titlesOf(groups).mid(0, 2), (QStringList{general, modes}));
    const MenuItem* basic = find(groups, {modes, german(QStringLiteral("Switch to Basic mode"))});
    ASSERT_NE(basic, nullptr);
    EXPECT_EQ(basic->keys, QStringLiteral("⌃⌥ B"));
    // A supplied entry is typed, not pressed.
    EXPECT_TRUE(basic->hotkeys);
    EXPECT_TRUE(basic->axuieElement.isNull());
    const MenuItem* quit = find(groups, {general, german(QStringLiteral("Quit the application"))});
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->keys, QStringLiteral("⌃ Q"));

    // tavlenctl finds the calculator on the accessibility bus and shows the same groups after
    // its (empty) menus.
    QString out;
    const bool shown = test::waitUntil(
        [&] {
            QProcess ctl;
            ctl.setProcessEnvironment(environment);
            ctl.start(QStringLiteral(TAVLENCTL_PATH),
                      {QStringLiteral("menus"), QStringLiteral("--app"), CALCULATOR_ID});
            if (!ctl.waitForFinished(40000) || ctl.exitCode() != 0)
                return false;
            out = QString::fromUtf8(ctl.readAllStandardOutput());
            return out.contains(modes);
        },
        20000);
    ASSERT_TRUE(shown) << out.toStdString();
    const QStringList lines = out.split(QLatin1Char('\n'));
    const qsizetype modesLine = lines.indexOf(modes);
    ASSERT_GE(modesLine, 0) << out.toStdString();
    EXPECT_EQ(lines.value(modesLine + 1).simplified(),
              german(QStringLiteral("Switch to Basic mode")) + QStringLiteral(" ⌃⌥ B"));
    EXPECT_TRUE(lines.contains(general)) << out.toStdString();
}
