#include "settingsfile/settings_file.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kbs;

namespace {

const ModelVariant* const kVariants[] = {&kbs18r::variant(), &kbs62d::variant(), &kbs18t::variant()};

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

// The factory defaults with every byte that no page owns changed: lead-in, separators,
// reserved fields and trailer. A file must carry them through unchanged.
SettingsBlock unownedBytesChanged(const ModelVariant& variant)
{
    SettingsBlock block(variant.factoryDefaults);
    for (const FieldSpec& field : variant.fields) {
        if (field.owner == PageId::None) {
            for (std::size_t i = field.offset; i < field.offset + field.width; ++i)
                block[i] ^= 0x5A;
        }
        if (field.commaAfter)
            block[field.offset + field.width] = ';';
    }
    return block;
}

// A block that differs from the factory defaults, to see whether a read changed it.
SettingsBlock otherBlock(const ModelVariant& variant)
{
    SettingsBlock block(variant.factoryDefaults);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = std::uint8_t(i * 7 + 1);
    return block;
}

bool writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readRaw(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string local(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Bytes this process has read through read() so far (Linux), or -1.
qint64 bytesReadSoFar()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n')) {
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

// Runs `operation` in a child process and gives its exit status, or -1 when it did not end
// within a few seconds (the child is then killed), so a blocking call cannot hang the test.
int exitStatusWithin(const std::function<int()>& operation)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(operation());
    if (child < 0)
        return -2;
    for (int waited = 0; waited < 500; ++waited) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
        ::usleep(10'000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return -1;
}

// Lowers the effective user and group to nobody while it lives, so that file permissions
// apply to a test running as root.
class Unprivileged {
public:
    Unprivileged() { active_ = ::setegid(65534) == 0 && ::seteuid(65534) == 0; }
    ~Unprivileged()
    {
        if (::seteuid(0) != 0 || ::setegid(0) != 0)
            qFatal("cannot restore the root user");
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;
    bool active() const { return active_; }

private:
    bool active_ = false;
};

// Limits the size of files this process writes while it lives; going beyond fails with
// EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
    bool active_ = false;
};

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void init();

    void roundTripKeepsEveryByte_data() { addVariantRows(); }
    void roundTripKeepsEveryByte();
    void malformedFilesAreRefused_data();
    void malformedFilesAreRefused();
    void longerFileLoadsWithoutReadingItWhole_data() { addVariantRows(); }
    void longerFileLoadsWithoutReadingItWhole();
    void saveOverLongerFileKeepsItsTail_data() { addVariantRows(); }
    void saveOverLongerFileKeepsItsTail();
    void saveCreatesFileWithUmask();
    void saveWithoutPermissionIsAccessDenied_data();
    void saveWithoutPermissionIsAccessDenied();
    void failedWriteIsReported();
    void unusablePathsAreRefusedWithoutBlocking_data();
    void unusablePathsAreRefusedWithoutBlocking();

private:
    void addVariantRows();
    QString path(const QString& name) const { return dir_->filePath(name); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestSettingsFile::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    // Readable to everyone, so that a test that drops root can reach its files.
    QVERIFY(QFile::setPermissions(dir_->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                    QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                                    QFileDevice::ExeGroup));
}

void TestSettingsFile::addVariantRows()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<qsizetype>("fileSize");
    QTest::addColumn<QByteArray>("identifier");

    QTest::newRow("kbs18r") << kVariants[0] << qsizetype(298) << QByteArray("ZAV Ferrostrike Q18RW_RV");
    QTest::newRow("kbs62d") << kVariants[1] << qsizetype(215) << QByteArray("ZAV Ferrostrike P62DW_DV");
    QTest::newRow("kbs18t") << kVariants[2] << qsizetype(208) << QByteArray("ZAV Ferrostrike Q18TS");
}

void TestSettingsFile::roundTripKeepsEveryByte()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(qsizetype, fileSize);
    QFETCH(QByteArray, identifier);

    // Loading a file and saving it again reproduces it byte for byte, unowned bytes included.
    const SettingsBlock changed = unownedBytesChanged(*variant);
    const QByteArray content = identifier + '\0' + bytesOf(changed);
    QCOMPARE(content.size(), fileSize);
    QVERIFY(writeRaw(path("in.dat"), content));

    SettingsBlock loaded(variant->factoryDefaults);
    QCOMPARE(readSettingsFile(local(path("in.dat")), *variant, loaded), ReadResult::Ok);
    QCOMPARE(bytesOf(loaded), bytesOf(changed));

    QCOMPARE(writeSettingsFile(local(path("out.dat")), *variant, loaded), WriteResult::Ok);
    QCOMPARE(readRaw(path("out.dat")), content);
}

void TestSettingsFile::malformedFilesAreRefused_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<QByteArray>("content");

    for (std::size_t i = 0; i < std::size(kVariants); ++i) {
        const ModelVariant* variant = kVariants[i];
        const ModelVariant* other = kVariants[(i + 1) % std::size(kVariants)];
        const QByteArray good = fileContent(*variant, SettingsBlock(variant->factoryDefaults));
        const qsizetype nul = qsizetype(variant->fileIdentifier.size());
        const char* name = variant->deliverable.data();
        QTest::addRow("%s: empty", name) << variant << QByteArray();
        QTest::addRow("%s: another byte for the NUL", name)
            << variant << QByteArray(good).replace(nul, 1, " ");
        QTest::addRow("%s: identifier cut short", name) << variant << QByteArray(good).remove(nul - 1, 1);
        QTest::addRow("%s: block one byte short", name) << variant << good.chopped(1);
        QTest::addRow("%s: file of %s", name, other->deliverable.data())
            << variant << fileContent(*other, SettingsBlock(other->factoryDefaults));
    }
}

void TestSettingsFile::malformedFilesAreRefused()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(QByteArray, content);

    QVERIFY(writeRaw(path("bad.dat"), content));
    const SettingsBlock before = otherBlock(*variant);
    SettingsBlock block = before;
    QCOMPARE(readSettingsFile(local(path("bad.dat")), *variant, block), ReadResult::NotSettingsFile);
    QCOMPARE(bytesOf(block), bytesOf(before));
}

void TestSettingsFile::longerFileLoadsWithoutReadingItWhole()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(qsizetype, fileSize);

    const SettingsBlock saved = otherBlock(*variant);
    QVERIFY(writeRaw(path("huge.dat"), fileContent(*variant, saved) + "tail"));
    QVERIFY(QFile::resize(path("huge.dat"), qint64(1) << 30)); // sparse, no disk space used

    const qint64 before = bytesReadSoFar();
    SettingsBlock loaded(variant->factoryDefaults);
    QCOMPARE(readSettingsFile(local(path("huge.dat")), *variant, loaded), ReadResult::Ok);
    const qint64 read = bytesReadSoFar() - before;
    QCOMPARE(bytesOf(loaded), bytesOf(saved));
    if (before < 0)
        QSKIP("the bytes read by this process cannot be counted here");
    // Counting itself reads /proc/self/io once; allow for that, not for the gigabyte.
    QVERIFY2(read < fileSize + 4096, qPrintable(QString::number(read)));
}

void TestSettingsFile::saveOverLongerFileKeepsItsTail()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(qsizetype, fileSize);

    const QByteArray old(fileSize + 500, 'Z');
    QVERIFY(writeRaw(path("old.dat"), old));
    const SettingsBlock saved = otherBlock(*variant);
    QCOMPARE(writeSettingsFile(local(path("old.dat")), *variant, saved), WriteResult::Ok);
    QCOMPARE(readRaw(path("old.dat")), fileContent(*variant, saved) + old.mid(fileSize));
}

void TestSettingsFile::saveCreatesFileWithUmask()
{
    const mode_t previous = ::umask(027);
    const WriteResult result = writeSettingsFile(local(path("new.dat")), kbs18t::variant(),
                                                 SettingsBlock(kbs18t::variant().factoryDefaults));
    ::umask(previous);
    QCOMPARE(result, WriteResult::Ok);

    struct stat status {};
    QCOMPARE(::stat(local(path("new.dat")).c_str(), &status), 0);
    QCOMPARE(status.st_mode & 0777, mode_t(0640));
}

void TestSettingsFile::saveWithoutPermissionIsAccessDenied_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("existing");

    QTest::newRow("new file in a read-only folder") << QStringLiteral("locked/new.dat") << false;
    QTest::newRow("read-only file") << QStringLiteral("readonly.dat") << true;
}

void TestSettingsFile::saveWithoutPermissionIsAccessDenied()
{
    QFETCH(QString, target);
    QFETCH(bool, existing);

    const QFileDevice::Permissions readOnly =
        QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("locked")));
    QVERIFY(QFile::setPermissions(path(QStringLiteral("locked")), readOnly));
    const QByteArray old("old content");
    if (existing) {
        QVERIFY(writeRaw(path(target), old));
        QVERIFY(QFile::setPermissions(path(target), QFileDevice::ReadOwner | QFileDevice::ReadOther));
    }

    const ModelVariant& variant = kbs62d::variant();
    const SettingsBlock block(variant.factoryDefaults);
    WriteResult result;
    if (::geteuid() == 0) {
        const Unprivileged nobody;
        if (!nobody.active())
            QSKIP("running as root and unable to drop to an unprivileged user");
        result = writeSettingsFile(local(path(target)), variant, block);
    } else {
        result = writeSettingsFile(local(path(target)), variant, block);
        if (result == WriteResult::Ok)
            QSKIP("this user may write anywhere; access cannot be denied here");
    }
    QCOMPARE(result, WriteResult::AccessDenied);
    QCOMPARE(QFile::exists(path(target)), existing);
    if (existing)
        QCOMPARE(readRaw(path(target)), old);
}

void TestSettingsFile::failedWriteIsReported()
{
    const ModelVariant& variant = kbs18r::variant();
    WriteResult result;
    {
        const FileSizeLimit limit(100);
        if (!limit.active())
            QSKIP("the file size limit cannot be set");
        result =
            writeSettingsFile(local(path("limited.dat")), variant, SettingsBlock(variant.factoryDefaults));
    }
    QCOMPARE(result, WriteResult::Failed);
    QCOMPARE(readRaw(path("limited.dat")).size(), qsizetype(100));
}

void TestSettingsFile::unusablePathsAreRefusedWithoutBlocking_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("FIFO") << QStringLiteral("fifo");
    QTest::newRow("folder") << QStringLiteral("folder");
    QTest::newRow("missing folder") << QStringLiteral("missing");
}

void TestSettingsFile::unusablePathsAreRefusedWithoutBlocking()
{
    QFETCH(QString, kind);

    const std::string target =
        local(path(kind == "missing" ? QStringLiteral("missing/x.dat") : kind + ".dat"));
    if (kind == "fifo")
        QCOMPARE(::mkfifo(target.c_str(), 0666), 0);
    else if (kind == "folder")
        QVERIFY(QDir(dir_->path()).mkdir(kind + ".dat"));
    const ModelVariant& variant = kbs62d::variant();
    const SettingsBlock before = otherBlock(variant);

    // Exit status 0: refused as expected and the block unchanged.
    const int loadStatus = exitStatusWithin([&] {
        SettingsBlock block = before;
        const ReadResult result = readSettingsFile(target, variant, block);
        return result == ReadResult::NotSettingsFile && block == before ? 0 : 1;
    });
    QCOMPARE(loadStatus, 0);

    const int saveStatus = exitStatusWithin(
        [&] { return writeSettingsFile(target, variant, before) == WriteResult::Failed ? 0 : 1; });
    QCOMPARE(saveStatus, 0);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
