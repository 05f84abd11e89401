// The instance check in process, and the command users start with its real window program on
// the offscreen platform. No print server answers there, so a window program that stays up
// waits in its no-printer message.
#include "app/single_instance.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

using kbs::SingleInstance;
using Claim = SingleInstance::Claim;

class TstSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        for (const auto& program : programs_)
            program->kill(), program->waitForFinished();
        programs_.clear();
    }

    void laterStartsBringTheFirstForward()
    {
        QProcess child;
        {
            SingleInstance first("kbs18r", scratch_.path());
            QCOMPARE(first.claim(), Claim::Owner);
            // A start while the first one is still starting up waits in the socket's queue.
            QCOMPARE(SingleInstance("kbs18r", scratch_.path()).claim(), Claim::AnotherRuns);
            first.listen();
            QSignalSpy raised(&first, &SingleInstance::raiseRequested);
            QVERIFY(raised.wait(5000));
            QCOMPARE(SingleInstance("kbs18r", scratch_.path()).claim(), Claim::AnotherRuns);
            QVERIFY(raised.wait(5000));
            QCOMPARE(SingleInstance("kbs18t", scratch_.path()).claim(), Claim::Owner);
            // A program it starts (a browser showing the help) must not keep the lock after it.
            child.start("sleep", {"30"});
            QVERIFY(child.waitForStarted());
        }
        QCOMPARE(SingleInstance("kbs18r", scratch_.path()).claim(), Claim::Owner);
        child.kill(), child.waitForFinished();
        // Only a running instance ends a start quietly; a lock that cannot be used does not.
        QVERIFY(QDir(scratch_.path()).mkdir("knobstation-kbs62d.lock"));
        QCOMPARE(SingleInstance("kbs62d", scratch_.path()).claim(), Claim::Unguarded);
    }

    // Of starts at the same moment one window program stays; the others, and a later start,
    // hand over and end with status 0. A killed window program keeps no start from its window.
    void oneWindowProgramRuns()
    {
        for (int i = 0; i < 3; ++i)
            start(scratch_.path());
        QTRY_COMPARE_WITH_TIMEOUT(count(QProcess::NotRunning), 2, 30000);
        QCOMPARE(count(QProcess::Running), 1);
        QVERIFY(start(scratch_.path())->waitForFinished(10000));
        QCOMPARE(count(QProcess::NotRunning), 3);
        cleanup();
        QProcess* next = start(scratch_.path());
        QTest::qWait(3000);
        QCOMPARE(next->state(), QProcess::Running);
    }

    // A runtime folder it cannot use is no reason to end without a window, and it says why.
    void unusableRuntimeFolder()
    {
        QProcess* program = start("/proc"); // nobody may write there, root included
        QString told;
        QTRY_VERIFY_WITH_TIMEOUT((told += QString::fromLocal8Bit(program->readAllStandardError()))
                                     .contains("starting without the check for a running instance"),
                                 15000);
        QCOMPARE(program->state(), QProcess::Running);
    }

private:
    QProcess* start(const QString& runtimeFolder)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"XDG_RUNTIME_DIR", "TMPDIR"})
            environment.insert(variable, runtimeFolder);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("CUPS_SERVER", scratch_.filePath("no-print-server"));
        auto& program = programs_.emplace_back(std::make_unique<QProcess>());
        program->setProcessEnvironment(environment);
        program->start(KBS18R_PATH, {});
        return program.get();
    }

    // Programs in `state`; of the ended ones only those that ended normally with status 0.
    int count(QProcess::ProcessState state) const
    {
        return int(std::ranges::count_if(programs_, [state](const auto& p) {
            return p->state() == state && (state == QProcess::Running ||
                                           (p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0));
        }));
    }

    QTemporaryDir scratch_;
    std::vector<std::unique_ptr<QProcess>> programs_;
};

QTEST_GUILESS_MAIN(TstSingleInstance)
#include "tst_single_instance.moc"
