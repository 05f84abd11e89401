#include "app/single_instance.h"

#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

using kbs::SingleInstance;

class TstSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondStartAsksTheFirstToComeForward();
    void otherProgramNameIsNoSecondInstance();
    void lockOfCrashedInstanceIsTakenOver();
    void secondStartEndsQuietlyWhenTheFirstCannotBeReached();
};

void TstSingleInstance::secondStartAsksTheFirstToComeForward()
{
    QTemporaryDir directory;
    SingleInstance first("kbs18r", directory.path());
    QVERIFY(first.claim());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    SingleInstance second("kbs18r", directory.path());
    QVERIFY(!second.claim());
    QVERIFY(raised.wait(5000));
    QCOMPARE(raised.count(), 1);
}

void TstSingleInstance::otherProgramNameIsNoSecondInstance()
{
    QTemporaryDir directory;
    SingleInstance original("kbs62d", directory.path());
    QVERIFY(original.claim());
    SingleInstance renamedCopy("kbs62d-copy", directory.path());
    QVERIFY(renamedCopy.claim());
    SingleInstance otherProgram("kbs18t", directory.path());
    QVERIFY(otherProgram.claim());
}

void TstSingleInstance::lockOfCrashedInstanceIsTakenOver()
{
    QTemporaryDir directory;
    const QString lockPath = directory.filePath("knobstation-kbs18r.lock");
    // A process that takes the lock and dies without releasing it.
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        QLockFile lock(lockPath);
        _exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QVERIFY(QFile::exists(lockPath));

    SingleInstance next("kbs18r", directory.path());
    QVERIFY(next.claim());
    QSignalSpy raised(&next, &SingleInstance::raiseRequested);
    SingleInstance later("kbs18r", directory.path());
    QVERIFY(!later.claim());
    QVERIFY(raised.wait(5000));
}

void TstSingleInstance::secondStartEndsQuietlyWhenTheFirstCannotBeReached()
{
    QTemporaryDir directory;
    // The lock is held, but nobody listens (a first start still setting up).
    QLockFile held(directory.filePath("knobstation-kbs62d.lock"));
    QVERIFY(held.tryLock(0));
    SingleInstance second("kbs62d", directory.path());
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!second.claim());
    QVERIFY(timer.elapsed() < 3000);
}

QTEST_GUILESS_MAIN(TstSingleInstance)
#include "tst_single_instance.moc"
