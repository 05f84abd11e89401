#include "app/single_instance.h"

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
};

QTEST_GUILESS_MAIN(TstSingleInstance)
#include "tst_single_instance.moc"
