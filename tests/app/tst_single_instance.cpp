#include "app/single_instance.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using kbs::SingleInstance;

// A renamed copy and the lock of a killed instance are proven with the real programs.
class TstSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondStartAsksTheFirstToComeForward()
    {
        QTemporaryDir directory;
        SingleInstance first("kbs18r", directory.path());
        QVERIFY(first.claim());
        QSignalSpy raised(&first, &SingleInstance::raiseRequested);
        SingleInstance second("kbs18r", directory.path());
        QVERIFY(!second.claim());
        QVERIFY(raised.wait(5000));
        QCOMPARE(raised.count(), 1);
        SingleInstance otherProgram("kbs18t", directory.path());
        QVERIFY(otherProgram.claim());
    }

    void secondStartEndsQuietlyWhenTheFirstCannotBeReached()
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
};

QTEST_GUILESS_MAIN(TstSingleInstance)
#include "tst_single_instance.moc"
