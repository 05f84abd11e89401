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

bool writeRaw(const std::string& path, const QByteArray& bytes)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readRaw(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Exit status of `operation` run in a child process, which a call that blocks for seconds ends
// instead of hanging the test; -1 when it did not exit.
int exitStatusOf(const std::function<int()>& operation)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(5);
        ::_exit(operation());
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

enum class Obstacle { ReadOnlyFile, SizeLimit, Fifo, Folder };

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void roundTripKeepsEveryByte_data();
    void roundTripKeepsEveryByte();
    void malformedFilesAreRefused_data();
    void malformedFilesAreRefused();
    void failuresAreReportedWithoutBlocking_data();
    void failuresAreReportedWithoutBlocking();

private:
    std::string path(const QString& name) const { return dir_->filePath(name).toStdString(); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestSettingsFile::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    // Open to everyone, so that a test that drops root can reach its files.
    QCOMPARE(::chmod(QFile::encodeName(dir_->path()).constData(), 0755), 0);
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
    // Saved over a longer file, which keeps its tail.
    const QByteArray old(fileSize + 500, 'Z');
    QVERIFY(writeRaw(path("out.dat"), old));
    QCOMPARE(writeSettingsFile(path("out.dat"), *variant, loaded), WriteResult::Ok);
    QCOMPARE(readRaw(path("out.dat")), content + old.mid(fileSize));
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

void TestSettingsFile::failuresAreReportedWithoutBlocking_data()
{
    QTest::addColumn<Obstacle>("obstacle");
    QTest::addColumn<WriteResult>("saved");

    QTest::newRow("read-only file") << Obstacle::ReadOnlyFile << WriteResult::AccessDenied;
    QTest::newRow("file size limit") << Obstacle::SizeLimit << WriteResult::Failed;
    QTest::newRow("FIFO") << Obstacle::Fifo << WriteResult::Failed;
    QTest::newRow("folder") << Obstacle::Folder << WriteResult::Failed;
}

void TestSettingsFile::failuresAreReportedWithoutBlocking()
{
    QFETCH(Obstacle, obstacle);
    QFETCH(WriteResult, saved);

    const std::string target = path("x.dat");
    const QByteArray old("old content");
    if (obstacle == Obstacle::ReadOnlyFile) {
        QVERIFY(writeRaw(target, old));
        QVERIFY(QFile::setPermissions(QString::fromStdString(target), QFileDevice::ReadOther));
    } else if (obstacle == Obstacle::Fifo) {
        QCOMPARE(::mkfifo(target.c_str(), 0666), 0);
    } else if (obstacle == Obstacle::Folder) {
        QVERIFY(QDir(dir_->path()).mkdir("x.dat"));
    }
    const ModelVariant& variant = kbs62d::variant();
    const SettingsBlock before = otherBlock(variant);

    // In a child: root drops to nobody so that permissions apply, and a blocking call cannot hang the test.
    const int status = exitStatusOf([&] {
        if (obstacle == Obstacle::ReadOnlyFile && ::geteuid() == 0 &&
            (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 99;
        const rlimit limit{100, 100};
        std::signal(SIGXFSZ, SIG_IGN); // beyond the limit a write then fails with EFBIG
        if (obstacle == Obstacle::SizeLimit && ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 99;
        return int(writeSettingsFile(target, variant, before));
    });
    if (status == 99)
        QSKIP("unable to drop root or to limit the file size");
    QCOMPARE(status, int(saved));
    if (obstacle == Obstacle::ReadOnlyFile)
        QCOMPARE(readRaw(target), old);
    if (obstacle == Obstacle::SizeLimit)
        QCOMPARE(readRaw(target).size(), qsizetype(100));
    // Exit status 0: the load was refused and left the block as it was.
    const auto load = [&] {
        SettingsBlock block = before;
        return readSettingsFile(target, variant, block) == ReadResult::NotSettingsFile && block == before ? 0
                                                                                                          : 1;
    };
    if (obstacle == Obstacle::Fifo || obstacle == Obstacle::Folder)
        QCOMPARE(exitStatusOf(load), 0);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
