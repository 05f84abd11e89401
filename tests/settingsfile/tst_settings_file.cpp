#include "settingsfile/settings_file.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kbs;

namespace {

QByteArray bytesOf(const SettingsBlock& block)
{
    return QByteArray(reinterpret_cast<const char*>(block.data()), qsizetype(block.size()));
}
// A block with no byte of the factory defaults' pattern, so that a byte lost or moved shows.
SettingsBlock oddBlock(const ModelVariant& variant)
{
    SettingsBlock block(variant.factoryDefaults);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = std::uint8_t(i * 7 + 1);
    return block;
}
QByteArray fileOf(const ModelVariant& variant, const SettingsBlock& block)
{
    return QByteArray(variant.fileIdentifier.data(), qsizetype(variant.fileIdentifier.size())) + '\0' +
           bytesOf(block);
}
bool writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
QByteArray readRaw(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

// How a child process runs its save of the odd kbs62d block.
struct Setup {
    bool asNobody = false; // root drops to nobody so that permissions apply
    rlim_t sizeLimit = 0;  // RLIMIT_FSIZE: a write beyond it stops short, the next one fails
};

// The save's WriteResult from a child process, which a blocking call cannot hang: 98 when it
// left SIGXFSZ other than at its default, 99 when the setup was impossible, -1 when it was
// killed (by SIGXFSZ for one).
int save(const Setup& setup, const QString& path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(5);
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{setup.sizeLimit, setup.sizeLimit};
        if ((setup.asNobody && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ||
            (setup.sizeLimit > 0 && ::setrlimit(RLIMIT_FSIZE, &limit) != 0))
            ::_exit(99);
        const int result =
            int(writeSettingsFile(path.toStdString(), kbs62d::variant(), oddBlock(kbs62d::variant())));
        struct sigaction after {};
        ::_exit(::sigaction(SIGXFSZ, nullptr, &after) == 0 && after.sa_handler == SIG_DFL ? result : 98);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestSettingsFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void initTestCase() { QCOMPARE(::chmod(QFile::encodeName(dir_.path()), 0777), 0); }

    // Every byte comes back; what follows the block is not read; the identifier, its NUL and
    // the whole block are required.
    void reading_data()
    {
        QTest::addColumn<const ModelVariant*>("variant");
        QTest::addColumn<QByteArray>("identifier");
        QTest::newRow("kbs18r") << &kbs18r::variant() << QByteArray("ZAV Ferrostrike Q18RW_RV");
        QTest::newRow("kbs62d") << &kbs62d::variant() << QByteArray("ZAV Ferrostrike P62DW_DV");
        QTest::newRow("kbs18t") << &kbs18t::variant() << QByteArray("ZAV Ferrostrike Q18TS");
    }
    void reading()
    {
        QFETCH(const ModelVariant*, variant);
        QFETCH(QByteArray, identifier);
        const QByteArray good = identifier + '\0' + bytesOf(oddBlock(*variant));
        const QString path = dir_.filePath("in.dat");
        const ModelVariant* other = variant == &kbs62d::variant() ? &kbs18r::variant() : &kbs62d::variant();
        QByteArray noNul = good;
        noNul[identifier.size()] = ' ';
        for (const QByteArray& bad : {good.chopped(1), noNul, fileOf(*other, oddBlock(*other))}) {
            SettingsBlock block(variant->factoryDefaults);
            QVERIFY(writeRaw(path, bad));
            QCOMPARE(readSettingsFile(path.toStdString(), *variant, block), ReadResult::NotSettingsFile);
            QVERIFY(block == SettingsBlock(variant->factoryDefaults));
        }
        SettingsBlock block(variant->factoryDefaults);
        QVERIFY(writeRaw(path, good + "longer"));
        QCOMPARE(readSettingsFile(path.toStdString(), *variant, block), ReadResult::Ok);
        QCOMPARE(bytesOf(block), bytesOf(oddBlock(*variant)));
    }

    // A save keeps what follows the block in an old file, and the file's mode; a failed save
    // leaves an old file byte for byte, and nothing beside it.
    void saving_data()
    {
        QTest::addColumn<QByteArray>("old"); // empty: no file yet
        QTest::addColumn<int>("mode");       // of the old file, and of the saved one
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("after"); // empty: no file
        const QByteArray tail = "bytes after the block, which every save keeps";
        const QByteArray old =
            fileOf(kbs62d::variant(), SettingsBlock(kbs62d::variant().factoryDefaults)) + tail;
        const QByteArray saved = fileOf(kbs62d::variant(), oddBlock(kbs62d::variant())); // 215 bytes
        const int ok = int(WriteResult::Ok), failed = int(WriteResult::Failed),
                  denied = int(WriteResult::AccessDenied);
        QTest::newRow("new file") << QByteArray() << 0644 << 0777 << Setup{} << ok << saved;
        QTest::newRow("over a longer file") << old << 0640 << 0777 << Setup{} << ok << saved + tail;
        QTest::newRow("new file, size limit in the block")
            << QByteArray() << 0 << 0777 << Setup{.sizeLimit = 150} << failed << QByteArray();
        QTest::newRow("size limit in the block")
            << old << 0640 << 0777 << Setup{.sizeLimit = 150} << failed << old;
        QTest::newRow("size limit in the tail")
            << old << 0640 << 0777 << Setup{.sizeLimit = 220} << failed << old;
        QTest::newRow("read-only file") << old << 0444 << 0777 << Setup{.asNobody = true} << denied << old;
        QTest::newRow("new file, read-only folder")
            << QByteArray() << 0 << 0555 << Setup{.asNobody = true} << denied << QByteArray();
        QTest::newRow("writable file, read-only folder: in place")
            << old << 0666 << 0555 << Setup{.asNobody = true} << ok << saved + tail;
    }
    void saving()
    {
        QFETCH(QByteArray, old);
        QFETCH(int, mode);
        QFETCH(int, folderMode);
        QFETCH(Setup, setup);
        QFETCH(int, result);
        QFETCH(QByteArray, after);
        QTemporaryDir folder(dir_.filePath("f"));
        const QString target = folder.filePath("x.dat");
        QVERIFY(old.isEmpty() ||
                (writeRaw(target, old) && ::chmod(QFile::encodeName(target), mode_t(mode)) == 0));
        QCOMPARE(::chmod(QFile::encodeName(folder.path()), mode_t(folderMode)), 0);
        const int status = save(setup, target);
        ::chmod(QFile::encodeName(folder.path()), 0777);
        if (status == 99)
            QSKIP("unable to drop root or to limit the file size");
        QCOMPARE(status, result);
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 after.isEmpty() ? QStringList() : QStringList{"x.dat"});
        QCOMPARE(readRaw(target), after.isEmpty() ? QByteArray("<none>") : after);
        struct stat status_ {};
        QVERIFY(after.isEmpty() ||
                (::stat(QFile::encodeName(target), &status_) == 0 && int(status_.st_mode & 0777) == mode));
    }

    // A save through a symbolic link replaces the file it leads to, whose owner stays; a FIFO or
    // a folder is neither written nor read, and nothing blocks.
    void linksAndOddTargets()
    {
        const QString real = dir_.filePath("real.dat"), link = dir_.filePath("link.dat");
        QVERIFY(writeRaw(real, "old") &&
                (::geteuid() != 0 || ::chown(QFile::encodeName(real), 65534, 65534) == 0));
        QVERIFY(QFile::link("real.dat", link));
        QCOMPARE(save({}, link), int(WriteResult::Ok));
        QCOMPARE(QFileInfo(link).symLinkTarget(), real);
        QCOMPARE(readRaw(real), fileOf(kbs62d::variant(), oddBlock(kbs62d::variant())));
        QVERIFY(::geteuid() != 0 || QFileInfo(real).ownerId() == 65534);
        QVERIFY(::mkfifo(QFile::encodeName(dir_.filePath("fifo")), 0666) == 0 &&
                QDir(dir_.path()).mkdir("folder"));
        for (const QString& name : {"fifo", "folder"}) {
            QCOMPARE(save({}, dir_.filePath(name)), int(WriteResult::Failed));
            SettingsBlock block = oddBlock(kbs62d::variant());
            QCOMPARE(readSettingsFile(dir_.filePath(name).toStdString(), kbs62d::variant(), block),
                     ReadResult::NotSettingsFile);
        }
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
