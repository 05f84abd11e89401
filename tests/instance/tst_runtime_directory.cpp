#include "instance/runtime_directory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

class TstRuntimeDirectory : public QObject {
    Q_OBJECT
private slots:
    // The lock lives only in a folder the user alone may enter; a folder anyone else owns,
    // may enter or has swapped for a link is passed over, with the reason.
    void choice()
    {
        const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        const QFile::Permissions openToAll = owner | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        const QString fallback = "tmp/runtime-someone";
        struct Case {
            const char* name;
            bool xdgSet;
            std::function<void(const QDir&)> given;
            uid_t otherUser;
            QString expected; // relative to the scratch folder; empty for none
            bool problemTold;
        };
        const auto openedUp = [&](const QString& path) {
            return [=](const QDir& root) {
                root.mkpath(path), QFile::setPermissions(root.filePath(path), openToAll);
            };
        };
        const Case cases[] = {
            {"private XDG_RUNTIME_DIR", true, {}, 0, "xdg", false},
            {"XDG_RUNTIME_DIR open to others", true, openedUp("xdg"), 0, fallback, true},
            {"XDG_RUNTIME_DIR unset, fallback opened up", false, openedUp(fallback), 0, fallback, false},
            {"fallback is a link", false,
             [&](const QDir& root) { QFile::link(root.filePath("xdg"), root.filePath(fallback)); }, 0, "",
             true},
            {"no temporary folder", false, [](const QDir& root) { root.rmdir("tmp"); }, 0, "", true},
            {"every folder another user's", true, {}, 1, "", true},
        };
        for (const Case& c : cases) {
            QTemporaryDir scratch;
            const QDir root(scratch.path());
            QVERIFY(root.mkdir("tmp") && root.mkdir("xdg") &&
                    QFile::setPermissions(root.filePath("xdg"), owner));
            if (c.given)
                c.given(root);
            const QByteArray xdg = QFile::encodeName(root.filePath("xdg"));
            const kbs::RuntimeDirectory chosen = kbs::chooseRuntimeDirectory(
                c.xdgSet ? xdg.constData() : nullptr, QFile::encodeName(root.filePath("tmp")).toStdString(),
                ::geteuid() + c.otherUser, "someone");
            const QString expected = c.expected.isEmpty() ? QString() : root.filePath(c.expected);
            QVERIFY2(QString::fromStdString(chosen.path) == expected, c.name);
            QVERIFY2(chosen.problem.empty() != c.problemTold, c.name);
            struct stat info {};
            QVERIFY2(expected.isEmpty() ||
                         (::lstat(chosen.path.c_str(), &info) == 0 && (info.st_mode & 07777) == 0700),
                     c.name);
        }
    }
};

QTEST_GUILESS_MAIN(TstRuntimeDirectory)
#include "tst_runtime_directory.moc"
