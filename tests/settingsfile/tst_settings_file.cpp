#include "core/core_rig.h"
#include "settingsfile/settings_file.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace kbs;
using namespace kbs::test;

class TestSettingsFile : public QObject, CoreTerms {
    Q_OBJECT
    QTemporaryDir dir_;

    // A block with no byte of the factory defaults' pattern, so that a byte lost or moved shows.
    static SettingsBlock oddBlock(const ModelVariant& variant)
    {
        SettingsBlock block(variant.factoryDefaults);
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = std::uint8_t(i * 7 + 1);
        return block;
    }
    static QByteArray oddFile(const ModelVariant& variant)
    {
        return settingsFile(variant, oddBlock(variant));
    }
    static bool writeRaw(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    static QByteArray readRaw(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The WriteResult of saving the odd kbs62d block from a child process, which a blocking call
    // cannot hang; -1 when it was killed (by SIGXFSZ for one), 98 when it left SIGXFSZ other than
    // at its default, 99 when the user or the file size limit could not be set.
    static int save(const QString& path, bool asNobody = false, rlim_t sizeLimit = 0)
    {
        const pid_t child = ::fork();
        if (child == 0) {
            ::alarm(5);
            ::umask(022);
            const rlimit limit{sizeLimit, sizeLimit};
            if ((asNobody && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ||
                (sizeLimit > 0 && ::setrlimit(RLIMIT_FSIZE, &limit) != 0))
                ::_exit(99);
            const int result =
                int(writeSettingsFile(path.toStdString(), kbs62d::variant(), oddBlock(kbs62d::variant())));
            struct sigaction after {};
            ::_exit(::sigaction(SIGXFSZ, nullptr, &after) == 0 && after.sa_handler == SIG_DFL ? result : 98);
        }
        int status = 0;
        return ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private slots:
    void initTestCase() { QCOMPARE(::chmod(QFile::encodeName(dir_.path()), 0777), 0); }

    // Every program reads every byte back and nothing after the block; the identifier, its NUL
    // and the whole block are required; a FIFO or a folder is no file, and blocks nothing.
    void reading()
    {
        const QString path = dir_.filePath("in.dat");
        QVERIFY(::mkfifo(QFile::encodeName(dir_.filePath("fifo")), 0666) == 0);
        for (const auto& [variant, identifier] : {std::pair(&kbs18r::variant(), "ZAV Ferrostrike Q18RW_RV"),
                                                  {&kbs62d::variant(), "ZAV Ferrostrike P62DW_DV"},
                                                  {&kbs18t::variant(), "ZAV Ferrostrike Q18TS"}}) {
            const QByteArray good = oddFile(*variant);
            QVERIFY(good.startsWith(QByteArray(identifier) + '\0'));
            const ModelVariant& other = variant == &kbs62d::variant() ? kbs18r::variant() : kbs62d::variant();
            QByteArray noNul = good;
            noNul[qsizetype(variant->fileIdentifier.size())] = ' ';
            for (const QByteArray& bad :
                 {good.chopped(1), noNul, oddFile(other), QByteArray("fifo"), QByteArray(".")}) {
                SettingsBlock block(variant->factoryDefaults);
                const QString file = bad.size() > 4 ? path : dir_.filePath(bad);
                QVERIFY(bad.size() <= 4 || writeRaw(path, bad));
                QCOMPARE(readSettingsFile(file.toStdString(), *variant, block), ReadResult::NotSettingsFile);
                QVERIFY(block == SettingsBlock(variant->factoryDefaults));
            }
            SettingsBlock block(variant->factoryDefaults);
            QVERIFY(writeRaw(path, good + "longer"));
            QCOMPARE(readSettingsFile(path.toStdString(), *variant, block), ReadResult::Ok);
            QVERIFY(block == oddBlock(*variant));
        }
    }

    // A save keeps what follows the block in an old file, the file's mode, and a link as a link;
    // a failed one leaves an old file byte for byte, and nothing beside it.
    // Each line: the old file ("" none, "old" the kbs62d defaults and a tail, "link" the same
    // behind a symbolic link, or its content) and its mode, the folder's mode, "nobody" where root
    // drops to nobody so that permissions apply, a file size limit (a write beyond it stops short,
    // the next fails), the WriteResult (0 Ok, 1 AccessDenied, 2 Failed), and the file afterwards
    // ("new": the saved 215 bytes).
    void saving_data()
    {
        QTest::addColumn<QStringList>("row");
        const QString table = R"(|644|777||0|0|new
old|640|777||0|0|new+tail
ZAV|604|777||0|0|new
|0|777||150|2|
old|640|777||150|2|old
old|640|777||220|2|old
old|444|777|nobody|0|1|old
|0|555|nobody|0|1|
old|666|555|nobody|0|0|new+tail
link|640|777||0|0|new+tail)";
        for (const QString& line : table.split('\n'))
            QTest::newRow(qPrintable(line)) << line.split('|');
    }
    void saving()
    {
        QFETCH(QStringList, row);
        const QByteArray tail = "bytes after the block, which every save keeps";
        const QByteArray defaults =
            settingsFile(kbs62d::variant(), SettingsBlock(kbs62d::variant().factoryDefaults));
        const std::map<QString, QByteArray> content{{"", {}},
                                                    {"old", defaults + tail},
                                                    {"link", defaults + tail},
                                                    {"ZAV", "ZAV"},
                                                    {"new", oddFile(kbs62d::variant())},
                                                    {"new+tail", oddFile(kbs62d::variant()) + tail}};
        const QByteArray old = content.at(row[0]), after = content.at(row[6]);
        const int mode = row[1].toInt(nullptr, 8), folderMode = row[2].toInt(nullptr, 8);
        QTemporaryDir folder(dir_.filePath("f"));
        const QString target = folder.filePath("x.dat");
        const bool link = row[0] == "link";
        QVERIFY(old.isEmpty() ||
                (writeRaw(target, old) && ::chmod(QFile::encodeName(target), mode_t(mode)) == 0));
        QVERIFY(!link || (QFile::rename(target, folder.filePath("real")) && QFile::link("real", target)));
        QCOMPARE(::chmod(QFile::encodeName(folder.path()), mode_t(folderMode)), 0);
        const int status = save(target, row[3] == "nobody", rlim_t(row[4].toInt()));
        ::chmod(QFile::encodeName(folder.path()), 0777);
        if (status == 99)
            QSKIP("unable to drop root or to limit the file size");
        QCOMPARE(status, row[5].toInt());
        const QStringList entries =
            QDir(folder.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        const QStringList kept = link ? QStringList{"real", "x.dat"} : QStringList{"x.dat"};
        QCOMPARE(entries, after.isEmpty() ? QStringList() : kept);
        QCOMPARE(readRaw(target), after);
        QVERIFY(!link || QFileInfo(target).isSymLink());
        struct stat status_ {};
        QVERIFY(after.isEmpty() ||
                (::stat(QFile::encodeName(target), &status_) == 0 && int(status_.st_mode & 0777) == mode));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
