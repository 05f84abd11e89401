#include "app/runtime_directory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using kbs::chooseRuntimeDirectory;

class TstRuntimeDirectory : public QObject {
    Q_OBJECT

    enum class Given {
        PrivateXdg,
        NoXdg,
        OpenXdg,
        FallbackMadeOpenByUs,
        FallbackIsALink,
        NoTempFolder,
        OtherUser
    };

    static mode_t modeOf(const QString& path)
    {
        struct stat info {};
        return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
    }

private slots:
    // The lock lives only in a folder the user alone may enter; a folder anyone else owns,
    // may enter or has swapped for a link is passed over, with the reason.
    void choice_data()
    {
        QTest::addColumn<Given>("given");
        QTest::addColumn<QString>("expected"); // "xdg", "fallback" or "" for none
        QTest::addColumn<bool>("problemTold");
        QTest::newRow("private XDG_RUNTIME_DIR") << Given::PrivateXdg << "xdg" << false;
        QTest::newRow("XDG_RUNTIME_DIR unset") << Given::NoXdg << "fallback" << false;
        QTest::newRow("XDG_RUNTIME_DIR open to others") << Given::OpenXdg << "fallback" << true;
        QTest::newRow("fallback opened up by the user") << Given::FallbackMadeOpenByUs << "fallback" << false;
        QTest::newRow("fallback is a link") << Given::FallbackIsALink << "" << true;
        QTest::newRow("no temporary folder") << Given::NoTempFolder << "" << true;
        QTest::newRow("every folder another user's") << Given::OtherUser << "" << true;
    }

    void choice()
    {
        QFETCH(Given, given);
        QFETCH(QString, expected);
        QFETCH(bool, problemTold);
        QTemporaryDir scratch;
        const QDir root(scratch.path());
        const QString xdg = root.filePath("xdg");
        QString temp = root.filePath("tmp");
        const QString fallback = temp + "/runtime-someone";
        QVERIFY(root.mkdir("xdg") && root.mkdir("tmp") && root.mkdir("elsewhere"));
        const QFile::Permissions privateMode = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        QFile::setPermissions(xdg, privateMode);
        uid_t uid = ::geteuid();
        switch (given) {
        case Given::OpenXdg:
            QFile::setPermissions(xdg, privateMode | QFile::ReadOther | QFile::ExeOther);
            break;
        case Given::FallbackMadeOpenByUs:
            QVERIFY(QDir(temp).mkdir("runtime-someone"));
            QFile::setPermissions(fallback,
                                  privateMode | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
            break;
        case Given::FallbackIsALink:
            QFile::setPermissions(root.filePath("elsewhere"), privateMode);
            QVERIFY(QFile::link(root.filePath("elsewhere"), fallback));
            break;
        case Given::NoTempFolder:
            temp = root.filePath("missing");
            break;
        case Given::OtherUser:
            uid += 1;
            break;
        case Given::PrivateXdg:
        case Given::NoXdg:
            break;
        }
        const bool xdgSet =
            given == Given::PrivateXdg || given == Given::OpenXdg || given == Given::OtherUser;
        const QByteArray xdgSetting = xdgSet ? QFile::encodeName(xdg) : QByteArray();

        const kbs::RuntimeDirectory chosen =
            chooseRuntimeDirectory(xdgSetting.isEmpty() ? nullptr : xdgSetting.constData(),
                                   QFile::encodeName(temp).toStdString(), uid, "someone");

        const QString path = QString::fromStdString(chosen.path);
        QCOMPARE(path, expected == "xdg" ? xdg : expected == "fallback" ? fallback : QString());
        QCOMPARE(!chosen.problem.empty(), problemTold);
        if (!path.isEmpty())
            QCOMPARE(modeOf(path), mode_t(0700));
    }
};

QTEST_GUILESS_MAIN(TstRuntimeDirectory)
#include "tst_runtime_directory.moc"
