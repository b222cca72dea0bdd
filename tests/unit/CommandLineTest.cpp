// The two executables as users run them: exit statuses, messages and the files they leave.

#include "store/SqliteConnection.h"
#include "support/TempEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using tavlen::test::TempEnvironment;

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    return Outcome{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                   QString::fromUtf8(process.readAllStandardOutput()),
                   QString::fromUtf8(process.readAllStandardError())};
}

Outcome ctl(const QStringList& arguments)
{
    return run(QStringLiteral(TAVLENCTL_PATH), arguments);
}

class CommandLine : public ::testing::Test {
protected:
    QString file(const QString& name) const { return env.root() + QLatin1Char('/') + name; }

    QString write(const QString& name, const QByteArray& content) const
    {
        QFile out(file(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        return out.fileName();
    }

    static QByteArray read(const QString& path)
    {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    QString databasePath() const
    {
        return env.dataHome() +
               QStringLiteral(
                   "/group.com.Fenwater.Tavlen/Library/Application Support/Tavlen/Tavlen.sqlitedb");
    }

    TempEnvironment env;
};

TEST_F(CommandLine, ImportedShortcutsComeBackOutOfAnExport)
{
    const QString source = write(QStringLiteral("kate.tavlen"), R"({
        "org.kde.kate": {"Kate Shortcuts": [["Zoom in", "shift+command", 24], ["Later", "", -1]]},
        "global": {"Global Custom Shortcuts": [["Lock", "control+command", 12]]}
    })");

    const Outcome imported = ctl({QStringLiteral("import"), source});
    EXPECT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, QStringLiteral("File 'kate.tavlen' imported successfully.\n"));

    const Outcome one = ctl({QStringLiteral("export"), file(QStringLiteral("one.tavlen")),
                             QStringLiteral("--app"), QStringLiteral("org.kde.kate")});
    ASSERT_EQ(one.exitCode, 0) << one.err.toStdString();
    const QJsonObject kate = QJsonDocument::fromJson(read(file(QStringLiteral("one.tavlen")))).object();
    ASSERT_EQ(kate.keys(), QStringList{QStringLiteral("org.kde.kate")});
    const QJsonObject captions = kate.value(QStringLiteral("org.kde.kate")).toObject();
    ASSERT_EQ(captions.size(), 1);
    const QJsonArray rows = captions.begin()->toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(1).toArray(),
              (QJsonArray{QStringLiteral("Zoom in"), QStringLiteral("shift+command"), 24}));
    EXPECT_EQ(rows.at(0).toArray(), (QJsonArray{QStringLiteral("Later"), QString(), -1}));

    const Outcome all = ctl({QStringLiteral("export"), file(QStringLiteral("all.tavlen"))});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_EQ(all.out,
              QStringLiteral("Exported 3 shortcuts to '%1'.\n").arg(file(QStringLiteral("all.tavlen"))));
    const QJsonObject everything = QJsonDocument::fromJson(read(file(QStringLiteral("all.tavlen")))).object();
    EXPECT_EQ(everything.keys(), (QStringList{QStringLiteral("global"), QStringLiteral("org.kde.kate")}));
    EXPECT_EQ(everything.value(QStringLiteral("global")).toObject().keys(),
              QStringList{QStringLiteral("Global Custom Shortcuts")});
}

TEST_F(CommandLine, AnExportSaysWhatItLeftOutAndAStoreItCannotReadIsAFailure)
{
    const QString source =
        write(QStringLiteral("kate.tavlen"),
              R"({"org.kde.kate": {"K": [["Zoom in", "shift+command", 24], ["Out", "", 25]]}})");
    ASSERT_EQ(ctl({QStringLiteral("import"), source}).exitCode, 0);
    const auto edit = [this](const QString& sql) {
        QString error;
        const auto db = tavlen::SqliteConnection::open(databasePath(), error);
        ASSERT_TRUE(db) << error.toStdString();
        EXPECT_EQ(db->execute(sql), std::nullopt);
    };
    // Edited by hand into a key no shortcut can have.
    edit(QStringLiteral(R"(UPDATE "CustomHotkeys" SET "raw_value" = 'x' WHERE "title" = 'Out')"));
    const QString out = file(QStringLiteral("out.tavlen"));
    const Outcome partial = ctl({QStringLiteral("export"), out});
    EXPECT_EQ(partial.exitCode, 0) << partial.err.toStdString();
    EXPECT_EQ(
        partial.out,
        QStringLiteral("Exported 1 shortcut to '%1'; 1 stored row could not be read and was left out.\n")
            .arg(out));

    edit(QStringLiteral(R"(DROP TABLE "CustomHotkeys")"));
    const Outcome broken = ctl({QStringLiteral("export"), out});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_TRUE(broken.err.contains(QStringLiteral("could not be read"))) << broken.err.toStdString();
    EXPECT_TRUE(read(out).contains("Zoom in")) << "the earlier export is left as it was";
}

TEST_F(CommandLine, ImportFailuresSayWhatWentWrongAndExitNonZero)
{
    const Outcome malformed =
        ctl({QStringLiteral("import"), write(QStringLiteral("bad.tavlen"), "{\"a\": [")});
    EXPECT_EQ(malformed.exitCode, 1);
    EXPECT_TRUE(malformed.err.startsWith(QStringLiteral("File 'bad.tavlen' import failed. \nError: ")))
        << malformed.err.toStdString();

    const Outcome array = ctl({QStringLiteral("import"), write(QStringLiteral("list.tavlen"), "[1, 2]")});
    EXPECT_EQ(array.exitCode, 1);
    EXPECT_EQ(array.err, QStringLiteral("File 'list.tavlen' import failed. \nError: Invalid JSON format.\n"));

    const Outcome missing = ctl({QStringLiteral("import"), file(QStringLiteral("nowhere.tavlen"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.startsWith(QStringLiteral("File 'nowhere.tavlen' import failed. \nError: ")));

    const Outcome two = ctl({QStringLiteral("import"), file(QStringLiteral("a")), file(QStringLiteral("b"))});
    EXPECT_EQ(two.exitCode, 1);
    EXPECT_EQ(two.err, QStringLiteral("Can only process a single file at the time.\n"));
}

TEST_F(CommandLine, AFailedExportSaysSoAndLeavesNothingBehind)
{
    // A folder stands where the file should go: the export cannot replace it, whoever runs it.
    const QString target = file(QStringLiteral("taken.tavlen"));
    ASSERT_TRUE(QDir().mkpath(target + QStringLiteral("/inside")));
    const Outcome failed = ctl({QStringLiteral("export"), target});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(
        failed.err.startsWith(QStringLiteral("Could not export to '") + target + QStringLiteral("': ")))
        << failed.err.toStdString();
    EXPECT_TRUE(QFileInfo(target + QStringLiteral("/inside")).isDir());
    EXPECT_EQ(QDir(env.root()).entryList(QDir::Files), QStringList());

    const Outcome noFolder = ctl({QStringLiteral("export"), file(QStringLiteral("missing/x.tavlen"))});
    EXPECT_EQ(noFolder.exitCode, 1);
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("missing"))));
}

TEST_F(CommandLine, UsageErrorsExitWithTwo)
{
    EXPECT_EQ(ctl({}).exitCode, 2);
    EXPECT_EQ(ctl({QStringLiteral("frobnicate")}).exitCode, 2);
    EXPECT_EQ(ctl({QStringLiteral("export")}).exitCode, 2);
    EXPECT_EQ(ctl({QStringLiteral("export"), file(QStringLiteral("x")), QStringLiteral("--app"),
                   QStringLiteral("a"), QStringLiteral("--all")})
                  .exitCode,
              2);
    EXPECT_EQ(ctl({QStringLiteral("import")}).exitCode, 2);
    EXPECT_EQ(ctl({QStringLiteral("help")}).exitCode, 0);
}

TEST_F(CommandLine, StartUpStopsOnAFileThatIsNoDatabaseAndLeavesItAlone)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(databasePath()).path()));
    const QByteArray content("these are somebody's notes, not a database\n");
    {
        QFile out(databasePath());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
    }

    const Outcome app = run(QStringLiteral(TAVLEN_APP_PATH), {});
    EXPECT_EQ(app.exitCode, 1);
    // The window system may have something to say first (Qt's own warnings); the reason is last.
    EXPECT_TRUE(
        app.err.endsWith(QStringLiteral("\nUnable to perform migrations: file is not a database\n")) ||
        app.err == QStringLiteral("Unable to perform migrations: file is not a database\n"))
        << app.err.toStdString();
    EXPECT_EQ(read(databasePath()), content);

    const Outcome companion = ctl({QStringLiteral("export"), file(QStringLiteral("x.tavlen"))});
    EXPECT_EQ(companion.exitCode, 1);
    EXPECT_EQ(companion.err, QStringLiteral("Unable to perform migrations: file is not a database\n"));
}

TEST_F(CommandLine, SpecialFilesAreRefusedAtOnceAndLeftAsTheyAre)
{
    const QString fifo = file(QStringLiteral("pipe.tavlen"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A pipe nobody writes to would hold a reader forever; a device never ends.
    for (const QString& source : {fifo, QStringLiteral("/dev/zero")}) {
        const Outcome imported = ctl({QStringLiteral("import"), source});
        EXPECT_EQ(imported.exitCode, 1) << source.toStdString();
        EXPECT_TRUE(imported.err.contains(QStringLiteral("is not a regular file")))
            << imported.err.toStdString();
    }
    const QString large = write(QStringLiteral("large.tavlen"), QByteArray(17 * 1024 * 1024, ' '));
    const Outcome tooLarge = ctl({QStringLiteral("import"), large});
    EXPECT_EQ(tooLarge.exitCode, 1);
    EXPECT_TRUE(tooLarge.err.contains(QStringLiteral("too large"))) << tooLarge.err.toStdString();

    const Outcome exported = ctl({QStringLiteral("export"), fifo});
    EXPECT_EQ(exported.exitCode, 1);
    EXPECT_TRUE(exported.err.contains(QStringLiteral("is not a regular file"))) << exported.err.toStdString();
    EXPECT_FALSE(QFileInfo(fifo).isFile()) << "the pipe is still a pipe";
}

TEST_F(CommandLine, TheApplicationAnswersHelpAndVersionWithoutADisplay)
{
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("--version")}) {
        QProcess app;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        app.setProcessEnvironment(environment);
        app.start(QStringLiteral(TAVLEN_APP_PATH), {option});
        ASSERT_TRUE(app.waitForFinished(30000));
        EXPECT_EQ(app.exitStatus(), QProcess::NormalExit) << option.toStdString();
        EXPECT_EQ(app.exitCode(), 0) << app.readAllStandardError().toStdString();
        const QString out = QString::fromUtf8(app.readAllStandardOutput());
        EXPECT_TRUE(out.contains(option == QLatin1String("--help") ? QStringLiteral("--show-shortcuts")
                                                                   : QStringLiteral("Tavlen ")))
            << out.toStdString();
    }
}

TEST_F(CommandLine, TheApplicationCreatesItsStoreAndEndsCleanlyOnASignal)
{
    QProcess app;
    app.start(QStringLiteral(TAVLEN_APP_PATH), {});
    ASSERT_TRUE(app.waitForStarted());
    // The start-up line is written once the store and the settings exist.
    QByteArray out;
    while (!out.contains("Settings:") && app.waitForReadyRead(30000))
        out += app.readAllStandardOutput();
    ASSERT_TRUE(out.contains("is running")) << out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(databasePath()));

    app.terminate();
    ASSERT_TRUE(app.waitForFinished(30000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), 0) << app.readAllStandardError().toStdString();
}

} // namespace

TEST_F(CommandLine, CheckShortcutsNamesEachFaultWithItsPlaceAndTouchesNoStore)
{
    const QString good = write(QStringLiteral("org.example.Good.json"), R"({"version": 1,
        "application": "org.example.Good",
        "groups": [{"title": "Tabs", "shortcuts": [
            {"title": "Next tab", "accelerator": ["<Primary>Tab", "Ctrl+PgDown"]},
            {"title": "Tab 1 to 8", "accelerator": "<Alt>1...8"}]}]})");
    const Outcome checked = ctl({QStringLiteral("check-shortcuts"), good});
    EXPECT_EQ(checked.exitCode, 0) << checked.err.toStdString();
    EXPECT_EQ(checked.out, good + QStringLiteral(": 1 group, 3 shortcuts\n"));
    EXPECT_FALSE(QFileInfo::exists(databasePath())) << "checking a file opens no store";

    const QString faulty =
        write(QStringLiteral("faulty.json"), "{\"version\": 1,\n"
                                             " \"application\": \"other\",\n"
                                             " \"groups\": [{\"title\": \"T\", \"shortcuts\": [\n"
                                             "   {\"title\": \"X\", \"accelerator\": \"<Primary>Nope\"}]}]}");
    const Outcome faults = ctl({QStringLiteral("check-shortcuts"), faulty});
    EXPECT_EQ(faults.exitCode, 1);
    EXPECT_TRUE(faults.err.contains(faulty + QStringLiteral(":groups[0].shortcuts[0].accelerator: ")))
        << faults.err.toStdString();
    EXPECT_TRUE(faults.err.contains(faulty + QStringLiteral(":application: "))) << faults.err.toStdString();
    EXPECT_TRUE(faults.out.isEmpty());

    const QString notJson = write(QStringLiteral("broken.json"), "{\"version\": 1,\n  \"groups\": [,]}");
    const Outcome broken = ctl({QStringLiteral("check-shortcuts"), notJson});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_TRUE(broken.err.startsWith(notJson + QStringLiteral(":2:"))) << broken.err.toStdString();

    EXPECT_EQ(ctl({QStringLiteral("check-shortcuts"), file(QStringLiteral("absent.json"))}).exitCode, 1);
    EXPECT_EQ(ctl({QStringLiteral("check-shortcuts")}).exitCode, 2);
    EXPECT_EQ(ctl({QStringLiteral("check-shortcuts"), good, good}).exitCode, 2);
}

TEST_F(CommandLine, EveryShippedShortcutListPassesItsCheckAndSaysWhereItsShortcutsComeFrom)
{
    const QDir shipped(QStringLiteral(TAVLEN_SHIPPED_DATA_DIR "/shortcuts"));
    const QStringList lists = shipped.entryList({QStringLiteral("*.json")}, QDir::Files);
    EXPECT_GE(lists.size(), 3);
    for (const QString& name : lists) {
        const QString path = shipped.filePath(name);
        const Outcome checked = ctl({QStringLiteral("check-shortcuts"), path});
        EXPECT_EQ(checked.exitCode, 0) << checked.err.toStdString();
        const QJsonObject list = QJsonDocument::fromJson(read(path)).object();
        EXPECT_FALSE(list.value(QStringLiteral("source")).toString().isEmpty()) << name.toStdString();
        EXPECT_EQ(list.value(QStringLiteral("application")).toString() + QStringLiteral(".json"), name);
    }
}
