#include "app/single_instance.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <unistd.h>

using kbs::SingleInstance;
using Claim = SingleInstance::Claim;

// A renamed copy and the lock of a killed instance are proven with the real programs.
class TstSingleInstance : public QObject {
    Q_OBJECT

    enum class Folder {
        Free,
        HeldByRunningInstance,
        HeldByAnotherProgram,
        ReadOnly,
        None,
        UnreadableLockLeftBehind,
        FolderInLocksPlace
    };

    // A folder nobody may write, not even root, who writes wherever permissions say no.
    static QString readOnlyFolder(const QTemporaryDir& scratch)
    {
        if (::geteuid() == 0)
            return QStringLiteral("/proc");
        QFile::setPermissions(scratch.path(), QFile::ReadOwner | QFile::ExeOwner);
        return scratch.path();
    }

private slots:
    // Only a running instance ends a start quietly; any other trouble starts without the
    // guard and says why.
    void claim_data()
    {
        QTest::addColumn<Folder>("folder");
        QTest::addColumn<Claim>("expected");
        QTest::newRow("free") << Folder::Free << Claim::Owner;
        QTest::newRow("held by a running instance") << Folder::HeldByRunningInstance << Claim::AnotherRuns;
        QTest::newRow("held by another program") << Folder::HeldByAnotherProgram << Claim::Owner;
        QTest::newRow("read-only folder") << Folder::ReadOnly << Claim::Unguarded;
        QTest::newRow("no private folder") << Folder::None << Claim::Unguarded;
        QTest::newRow("unreadable lock left behind") << Folder::UnreadableLockLeftBehind << Claim::Owner;
        QTest::newRow("a folder in the lock's place") << Folder::FolderInLocksPlace << Claim::Unguarded;
    }

    void claim()
    {
        QFETCH(Folder, folder);
        QFETCH(Claim, expected);
        QTemporaryDir scratch;
        QString path = scratch.path();
        std::unique_ptr<SingleInstance> running;
        switch (folder) {
        case Folder::HeldByRunningInstance:
        case Folder::HeldByAnotherProgram:
            running = std::make_unique<SingleInstance>(
                folder == Folder::HeldByRunningInstance ? "kbs62d" : "kbs18t", path);
            QCOMPARE(running->claim(), Claim::Owner);
            break;
        case Folder::ReadOnly:
            path = readOnlyFolder(scratch);
            break;
        case Folder::None:
            path.clear();
            break;
        case Folder::UnreadableLockLeftBehind: {
            QFile lock(QDir(path).filePath("knobstation-kbs62d.lock"));
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write("\xff\n");
            break;
        }
        case Folder::FolderInLocksPlace:
            QVERIFY(QDir(path).mkdir("knobstation-kbs62d.lock"));
            break;
        case Folder::Free:
            break;
        }

        std::unique_ptr<QSignalSpy> raised;
        if (running)
            raised = std::make_unique<QSignalSpy>(running.get(), &SingleInstance::raiseRequested);
        SingleInstance instance("kbs62d", path);
        const Claim claim = instance.claim();
        QFile::setPermissions(scratch.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QCOMPARE(claim, expected);
        QCOMPARE(instance.problem().isEmpty(), expected != Claim::Unguarded);
        if (expected == Claim::Owner) // and it now keeps later starts out
            QCOMPARE(SingleInstance("kbs62d", path).claim(), Claim::AnotherRuns);
        // The instance a start hands over to is asked, once, to come forward.
        if (folder == Folder::HeldByRunningInstance)
            QVERIFY(raised->wait(5000));
        if (raised)
            QCOMPARE(raised->count(), folder == Folder::HeldByRunningInstance ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TstSingleInstance)
#include "tst_single_instance.moc"
