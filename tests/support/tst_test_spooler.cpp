// The private spooler of the tests stops all it started, however its test ends.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TstTestSpooler : public QObject {
    Q_OBJECT

    // Processes whose command line names a path under `state`, found without the fixture's
    // own pid files: its cupsd and its simulators.
    static QStringList runningUnder(const QString& state)
    {
        QStringList found;
        const QString self = QString::number(QCoreApplication::applicationPid());
        for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
            QFile cmdline("/proc/" + pid + "/cmdline");
            if (pid == self || !pid.front().isDigit() || !cmdline.open(QIODevice::ReadOnly))
                continue;
            const QString line = QString::fromLocal8Bit(cmdline.readAll().replace('\0', ' '));
            if (line.contains(state + "/"))
                found << pid + ": " + line;
        }
        return found;
    }

    static int script(const QStringList& arguments, QString* told = nullptr)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start("bash", QStringList{KBS_TEST_SPOOLER} + arguments);
        if (!process.waitForFinished(60000))
            return -1;
        if (told)
            *told = QString::fromLocal8Bit(process.readAll());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("cupsd").isEmpty() ||
            QStandardPaths::findExecutable("lpadmin").isEmpty())
            QSKIP("cupsd and lpadmin are needed (tools/install-deps.sh installs them)");
    }

    // lpadmin refuses the second queue (no '#' in a queue name) after the cupsd and both
    // simulators have started.
    void failedSetUpStopsAllItStarted()
    {
        QTemporaryDir scratch;
        const QString state = scratch.filePath("spooler");
        QString told;

        const int status = script(
            {"start", state, "--owner", QString::number(QCoreApplication::applicationPid()), "--simulator",
             KBS_PRINTER_SIMULATOR, "ZAV Ferrostrike Q18RW", "ZAV Ferrostrike Q18RW#refused"},
            &told);

        QVERIFY2(status != 0, qPrintable(told));
        QVERIFY2(told.contains("lpadmin"), qPrintable(told));
        QVERIFY(QFile::exists(state + "/simulators/ZAV_Ferrostrike_Q18RW#refused/log")); // it got that far
        QCOMPARE(runningUnder(state), QStringList());
    }

    // The owner dies and its temporary directory, pid files and all, goes with it.
    void ownerGoneWithItsDirectory()
    {
        QTemporaryDir scratch;
        const QString state = scratch.filePath("spooler");
        QProcess owner;
        owner.start("sleep", {"300"});
        QVERIFY(owner.waitForStarted());
        QString told;
        QCOMPARE(script({"start", state, "--owner", QString::number(owner.processId()), "--simulator",
                         KBS_PRINTER_SIMULATOR, "ZAV Ferrostrike Q18RW"},
                        &told),
                 0);
        QVERIFY2(runningUnder(state).size() >= 2, qPrintable(told)); // the cupsd and the simulator

        owner.kill();
        QVERIFY(owner.waitForFinished(5000));
        QVERIFY(QDir(state).removeRecursively());

        QTRY_COMPARE_WITH_TIMEOUT(runningUnder(state), QStringList(), 20000);
    }
};

QTEST_GUILESS_MAIN(TstTestSpooler)
#include "tst_test_spooler.moc"
