#include "settingsfile/settings_file.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"
#include "write_fault.h"

#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kbs;

namespace {

constexpr int kNobody = 65534;

QByteArray bytesOf(const SettingsBlock& block)
{
    return QByteArray(reinterpret_cast<const char*>(block.data()), qsizetype(block.size()));
}

// The file as the program writes it: identifier, NUL, block.
QByteArray fileContent(const ModelVariant& variant, const SettingsBlock& block)
{
    return QByteArray(variant.fileIdentifier.data(), qsizetype(variant.fileIdentifier.size())) + '\0' +
           bytesOf(block);
}

// A block unlike the factory defaults, its lead-in, separators and trailer included, so that
// a byte lost on the way or a read that changed the block shows.
SettingsBlock otherBlock(const ModelVariant& variant)
{
    SettingsBlock block(variant.factoryDefaults);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = std::uint8_t(i * 7 + 1);
    return block;
}

// The kbs62d file (215 bytes) that the tests save over, and what they save.
QByteArray newContent()
{
    return fileContent(kbs62d::variant(), otherBlock(kbs62d::variant()));
}
QByteArray oldFile(const QByteArray& tail)
{
    return fileContent(kbs62d::variant(), SettingsBlock(kbs62d::variant().factoryDefaults)) + tail;
}
const QByteArray kTail = "bytes after the block, which every save keeps";

bool writeRaw(const std::string& path, const QByteArray& bytes)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readRaw(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

int modeOf(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? int(status.st_mode & 07777) : -1;
}

// How a child process runs its save.
struct ChildSetup {
    bool asNobody = false; // root drops to nobody so that permissions apply
    rlim_t sizeLimit = 0;  // RLIMIT_FSIZE in bytes; 0: none
    mode_t umask = 022;
    std::int64_t faultAfter = -1; // an injected short write after so many bytes; -1: none
    bool faultFails = true;       // the writes after the short one fail; else they go on
};

// Exit status of `operation` run in a child process, which a call that blocks for seconds ends
// instead of hanging the test; -1 when it did not exit (e.g. killed by a signal); 99 when the
// setup was impossible. SIGXFSZ is at its default, which ends the process, unless the code
// under test sees to it.
int exitStatusOf(const ChildSetup& setup, const std::function<int()>& operation)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(5);
        std::signal(SIGXFSZ, SIG_DFL);
        ::umask(setup.umask);
        if (setup.asNobody && ::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(99);
        const rlimit limit{setup.sizeLimit, setup.sizeLimit};
        if (setup.sizeLimit > 0 && ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(99);
        if (setup.faultAfter >= 0)
            test::armWriteFault(setup.faultAfter, setup.faultFails);
        ::_exit(operation());
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The save's WriteResult, or 98 when it left SIGXFSZ other than at its default.
int save(const ChildSetup& setup, const std::string& path)
{
    return exitStatusOf(setup, [&] {
        const int result = int(writeSettingsFile(path, kbs62d::variant(), otherBlock(kbs62d::variant())));
        struct sigaction after {};
        return ::sigaction(SIGXFSZ, nullptr, &after) == 0 && after.sa_handler == SIG_DFL ? result : 98;
    });
}

enum class Target { Fifo, Folder, MissingFolder };

} // namespace

Q_DECLARE_METATYPE(Target)

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void roundTripKeepsEveryByte_data();
    void roundTripKeepsEveryByte();
    void malformedFilesAreRefused_data();
    void malformedFilesAreRefused();
    void saving_data();
    void saving();
    void linkAndOwnerKept();
    void unwritableTargetsFailWithoutBlocking_data();
    void unwritableTargetsFailWithoutBlocking();

private:
    std::string path(const QString& name) const { return dir_->filePath(name).toStdString(); }
    QStringList entries(const QString& folder = ".") const
    {
        return QDir(dir_->filePath(folder))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestSettingsFile::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    // Open to everyone, so that a test that drops root can reach its files.
    QCOMPARE(::chmod(QFile::encodeName(dir_->path()).constData(), 0777), 0);
}

void TestSettingsFile::roundTripKeepsEveryByte_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<qsizetype>("fileSize");
    QTest::addColumn<QByteArray>("identifier");

    QTest::newRow("kbs18r") << &kbs18r::variant() << qsizetype(298) << QByteArray("ZAV Ferrostrike Q18RW_RV");
    QTest::newRow("kbs62d") << &kbs62d::variant() << qsizetype(215) << QByteArray("ZAV Ferrostrike P62DW_DV");
    QTest::newRow("kbs18t") << &kbs18t::variant() << qsizetype(208) << QByteArray("ZAV Ferrostrike Q18TS");
}

void TestSettingsFile::roundTripKeepsEveryByte()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(qsizetype, fileSize);
    QFETCH(QByteArray, identifier);

    const SettingsBlock saved = otherBlock(*variant);
    const QByteArray content = identifier + '\0' + bytesOf(saved);
    QCOMPARE(content.size(), fileSize);
    QVERIFY(writeRaw(path("in.dat"), content + "longer")); // what follows the block is not read

    SettingsBlock loaded(variant->factoryDefaults);
    QCOMPARE(readSettingsFile(path("in.dat"), *variant, loaded), ReadResult::Ok);
    QCOMPARE(bytesOf(loaded), bytesOf(saved));
    QCOMPARE(writeSettingsFile(path("out.dat"), *variant, loaded), WriteResult::Ok);
    QCOMPARE(readRaw(path("out.dat")), content);
}

void TestSettingsFile::malformedFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("content");

    const ModelVariant& variant = kbs18r::variant();
    const QByteArray good = fileContent(variant, otherBlock(variant));
    QTest::newRow("another byte for the NUL")
        << QByteArray(good).replace(qsizetype(variant.fileIdentifier.size()), 1, " ");
    QTest::newRow("block one byte short") << good.chopped(1);
    QTest::newRow("file of kbs62d") << fileContent(kbs62d::variant(), otherBlock(kbs62d::variant()));
}

void TestSettingsFile::malformedFilesAreRefused()
{
    QFETCH(QByteArray, content);

    const ModelVariant& variant = kbs18r::variant();
    QVERIFY(writeRaw(path("in.dat"), content));
    SettingsBlock block(variant.factoryDefaults);
    QCOMPARE(readSettingsFile(path("in.dat"), variant, block), ReadResult::NotSettingsFile);
    QVERIFY(block == SettingsBlock(variant.factoryDefaults));
}

void TestSettingsFile::saving_data()
{
    QTest::addColumn<QByteArray>("old"); // empty: no file yet
    QTest::addColumn<int>("mode");       // of the old file, and of the saved one
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<ChildSetup>("setup");
    QTest::addColumn<WriteResult>("result");
    QTest::addColumn<QByteArray>("after"); // empty: no file

    const QByteArray old = oldFile(kTail);
    const QByteArray saved = newContent();
    QTest::newRow("new file, umask 022")
        << QByteArray() << 0644 << 0777 << ChildSetup{} << WriteResult::Ok << saved;
    QTest::newRow("new file, umask 077")
        << QByteArray() << 0600 << 0777 << ChildSetup{.umask = 077} << WriteResult::Ok << saved;
    QTest::newRow("over a longer file: its tail stays")
        << old << 0640 << 0777 << ChildSetup{} << WriteResult::Ok << saved + kTail;
    QTest::newRow("over a shorter file")
        << QByteArray("ZAV") << 0604 << 0777 << ChildSetup{} << WriteResult::Ok << saved;
    QTest::newRow("over a file with more permissions than the umask gives")
        << oldFile({}) << 0666 << 0777 << ChildSetup{} << WriteResult::Ok << saved;
    // The new content is 215 bytes: identifier 0..24, block 25..214, then the old tail.
    QTest::newRow("short write in the block, then the rest")
        << old << 0600 << 0777 << ChildSetup{.faultAfter = 100, .faultFails = false} << WriteResult::Ok
        << saved + kTail;
    QTest::newRow("short write in the tail, then the rest")
        << old << 0600 << 0777 << ChildSetup{.faultAfter = 230, .faultFails = false} << WriteResult::Ok
        << saved + kTail;

    // A failed save leaves an old file byte for byte and no new one. A status of -1: the
    // process was killed, by SIGXFSZ for one.
    for (const auto& [file, content] : {std::pair("over a file", old), std::pair("new file", QByteArray())}) {
        QTest::addRow("%s, size limit in the identifier", file)
            << content << 0640 << 0777 << ChildSetup{.sizeLimit = 10} << WriteResult::Failed << content;
        QTest::addRow("%s, short write in the block, disk full", file)
            << content << 0640 << 0777 << ChildSetup{.faultAfter = 150} << WriteResult::Failed << content;
    }
    QTest::newRow("over a file, size limit in the block")
        << old << 0640 << 0777 << ChildSetup{.sizeLimit = 150} << WriteResult::Failed << old;
    QTest::newRow("over a file, size limit in its tail")
        << old << 0640 << 0777 << ChildSetup{.sizeLimit = 220} << WriteResult::Failed << old;
    QTest::newRow("over a file, short write in its tail, disk full")
        << old << 0640 << 0777 << ChildSetup{.faultAfter = 220} << WriteResult::Failed << old;
    QTest::newRow("over a file, disk full before the first byte")
        << old << 0640 << 0777 << ChildSetup{.faultAfter = 0} << WriteResult::Failed << old;

    // As an ordinary user, whom the permissions stop.
    const ChildSetup nobody{.asNobody = true};
    QTest::newRow("read-only file, writable folder: refused, not replaced")
        << old << 0444 << 0777 << nobody << WriteResult::AccessDenied << old;
    QTest::newRow("new file, read-only folder")
        << QByteArray() << 0 << 0555 << nobody << WriteResult::AccessDenied << QByteArray();
    QTest::newRow("read-only file, read-only folder")
        << old << 0444 << 0555 << nobody << WriteResult::AccessDenied << old;
    QTest::newRow("writable file, read-only folder: written in place")
        << old << 0666 << 0555 << nobody << WriteResult::Ok << saved + kTail;
}

void TestSettingsFile::saving()
{
    QFETCH(QByteArray, old);
    QFETCH(int, mode);
    QFETCH(int, folderMode);
    QFETCH(ChildSetup, setup);
    QFETCH(WriteResult, result);
    QFETCH(QByteArray, after);

    const std::string folder = path("f");
    const std::string target = folder + "/x.dat";
    QCOMPARE(::mkdir(folder.c_str(), 0777), 0);
    struct stat before {};
    if (!old.isEmpty())
        QVERIFY(writeRaw(target, old) && ::chmod(target.c_str(), mode_t(mode)) == 0 &&
                ::stat(target.c_str(), &before) == 0);
    QCOMPARE(::chmod(folder.c_str(), mode_t(folderMode)), 0);

    const int status = save(setup, target);
    ::chmod(folder.c_str(), 0777);
    if (status == 99)
        QSKIP("unable to drop root or to limit the file size");
    QCOMPARE(status, int(result));
    QCOMPARE(entries("f"), after.isEmpty() ? QStringList() : QStringList{"x.dat"}); // nothing beside it
    if (!after.isEmpty()) {
        QCOMPARE(readRaw(target), after);
        QCOMPARE(modeOf(target), mode);
    }
    struct stat now {};
    if (folderMode == 0555 && !old.isEmpty())
        QVERIFY(::stat(target.c_str(), &now) == 0 && now.st_ino == before.st_ino);
}

// A save through a symbolic link replaces the file it leads to; a file of another user that
// root saves stays that user's.
void TestSettingsFile::linkAndOwnerKept()
{
    const std::string target = path("real.dat");
    const std::string link = path("link.dat");
    QVERIFY(writeRaw(target, oldFile(kTail)) && ::chmod(target.c_str(), 0640) == 0);
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::chown(target.c_str(), kNobody, kNobody), 0);
    QCOMPARE(::symlink("real.dat", link.c_str()), 0);

    QCOMPARE(save({}, link), int(WriteResult::Ok));
    QCOMPARE(QFileInfo(QString::fromStdString(link)).symLinkTarget(), QString::fromStdString(target));
    QCOMPARE(readRaw(target), newContent() + kTail);
    QCOMPARE(modeOf(target), 0640);
    QCOMPARE(entries(), QStringList({"link.dat", "real.dat"}));
    struct stat status {};
    QVERIFY(::stat(target.c_str(), &status) == 0);
    if (root)
        QVERIFY(status.st_uid == kNobody && status.st_gid == kNobody);
}

void TestSettingsFile::unwritableTargetsFailWithoutBlocking_data()
{
    QTest::addColumn<Target>("target");
    QTest::newRow("FIFO") << Target::Fifo;
    QTest::newRow("folder") << Target::Folder;
    QTest::newRow("missing folder") << Target::MissingFolder;
}

void TestSettingsFile::unwritableTargetsFailWithoutBlocking()
{
    QFETCH(Target, target);

    const std::string file = target == Target::MissingFolder ? path("missing/x.dat") : path("x.dat");
    if (target == Target::Fifo)
        QCOMPARE(::mkfifo(file.c_str(), 0666), 0);
    if (target == Target::Folder)
        QVERIFY(QDir(dir_->path()).mkdir("x.dat"));
    const QStringList before = entries();

    // In a child, so that a blocking call cannot hang the test.
    QCOMPARE(save({}, file), int(WriteResult::Failed));
    QCOMPARE(entries(), before);
    // Exit status 0: the load was refused and left the block as it was.
    const SettingsBlock kept = otherBlock(kbs62d::variant());
    QCOMPARE(exitStatusOf({},
                          [&] {
                              SettingsBlock block = kept;
                              return readSettingsFile(file, kbs62d::variant(), block) ==
                                                 ReadResult::NotSettingsFile &&
                                             block == kept
                                         ? 0
                                         : 1;
                          }),
             0);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
