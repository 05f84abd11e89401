#include "core/messages.h"
#include "core_rig.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace kbs;
using namespace kbs::test;

// Saving and loading settings files through the core.
class TestCoreFiles : public QObject, RigHolder {
    Q_OBJECT

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() { verifyRigAndDrop(); }

    void saveWritesIdentifierNulAndBlock_data() { addVariantRows(); }
    void saveWritesIdentifierNulAndBlock();
    void writeFailureKeepsFileCopy();
    void saveRetriesAfterAccessDenied_data();
    void saveRetriesAfterAccessDenied();
    void loadAsksOnlyAgainstPrinterCopy_data();
    void loadAsksOnlyAgainstPrinterCopy();
    void refusedFileKeepsEveryCopy_data();
    void refusedFileKeepsEveryCopy();
    void unownedBytesPassThrough_data() { addVariantRows(); }
    void unownedBytesPassThrough();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestCoreFiles::saveWritesIdentifierNulAndBlock()
{
    QFETCH(const ModelVariant*, variant);
    CoreRig& rig = makeRig(*variant);
    rig.startUp();
    rig.pages.edit("font1", "3"); // not collected yet

    rig.chooser.expectSave(path("settings.dat").toStdString());
    rig.core.SaveSettingsFile();

    QCOMPARE(rig.core.editBlock()[16], std::uint8_t('3'));
    QCOMPARE(readFile(path("settings.dat")), settingsFile(*variant, rig.core.editBlock()));
    QVERIFY(rig.core.fileBlock() == rig.core.editBlock());
    QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
    QCOMPARE(rig.chooser.initialFolders, std::vector<std::string>{CoreRig::kProgramDirectory});
    QVERIFY(rig.window.messages.empty());
}

void TestCoreFiles::writeFailureKeepsFileCopy()
{
    CoreRig& rig = makeRig(*allVariants()[0]);
    rig.startUp();
    rig.change("msw1", std::string("\x01\x01", 2));

    rig.chooser.expectSave(path("missing/settings.dat").toStdString());
    rig.core.SaveSettingsFile();

    QVERIFY(rig.core.fileBlock() == rig.factoryDefaults());
    QCOMPARE(messageTexts(rig.window), QStringList{toQString(messages::kSaveFailed)});
    QCOMPARE(rig.window.messages[0].icon, MessageIcon::Hand);
}

namespace {
constexpr uid_t kNobody = 65534;

// Root ignores file permissions; while this lives, the test runs with nobody's effective
// ids so that a folder without write permission really refuses the file.
class UnprivilegedScope {
public:
    UnprivilegedScope() : wasRoot_(geteuid() == 0)
    {
        if (wasRoot_ && (setegid(kNobody) != 0 || seteuid(kNobody) != 0))
            qFatal("cannot drop to an unprivileged user");
    }
    ~UnprivilegedScope()
    {
        if (wasRoot_ && (seteuid(0) != 0 || setegid(0) != 0))
            qFatal("cannot return to root");
    }

private:
    bool wasRoot_;
};

// A folder the unprivileged user may not write to, and one it may.
bool makeFolders(const QString& base, const QString& denied, const QString& writable)
{
    const bool root = geteuid() == 0;
    return ::chmod(qPrintable(base), 0755) == 0 && ::mkdir(qPrintable(denied), 0755) == 0 &&
           (root || ::chmod(qPrintable(denied), 0555) == 0) && ::mkdir(qPrintable(writable), 0755) == 0 &&
           (!root || ::chown(qPrintable(writable), kNobody, kNobody) == 0);
}
} // namespace

void TestCoreFiles::saveRetriesAfterAccessDenied_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<bool>("findsWritableFolder");
    for (const ModelVariant* variant : allVariants())
        for (bool writable : {true, false})
            QTest::addRow("%s, %s", variant->deliverable.data(), writable ? "then writable" : "then cancel")
                << variant << writable;
}

void TestCoreFiles::saveRetriesAfterAccessDenied()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(bool, findsWritableFolder);
    CoreRig& rig = makeRig(*variant);
    rig.startUp();
    rig.change("msw4", std::string("\x05\x05", 2));
    const QString denied = path("denied");
    const QString writable = path("writable");
    QVERIFY(makeFolders(dir_->path(), denied, writable));

    rig.chooser.expectSave((denied + "/first.dat").toStdString());
    rig.chooser.expectSave((denied + "/second.dat").toStdString());
    rig.chooser.expectSave(findsWritableFolder ? std::optional((writable + "/third.dat").toStdString())
                                               : std::nullopt);
    {
        UnprivilegedScope nobody;
        rig.core.SaveSettingsFile();
    }

    const QString deniedMessage = toQString(variant->saveDeniedMessage);
    QCOMPARE(messageTexts(rig.window), QStringList({deniedMessage, deniedMessage}));
    QCOMPARE(rig.window.messages[0].icon, MessageIcon::Exclamation);
    QCOMPARE(rig.chooser.initialFolders, std::vector<std::string>(3, CoreRig::kProgramDirectory));
    QVERIFY(QDir(denied).isEmpty());
    if (findsWritableFolder) {
        QCOMPARE(readFile(writable + "/third.dat"), settingsFile(*variant, rig.core.editBlock()));
        QVERIFY(rig.core.fileBlock() == rig.core.editBlock());
    } else {
        QVERIFY(rig.core.fileBlock() == rig.factoryDefaults());
    }
}

void TestCoreFiles::loadAsksOnlyAgainstPrinterCopy_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("saveFirst");
    QTest::addColumn<bool>("sendFirst");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<Answer>("answer");

    const auto variants = allVariants();
    QTest::newRow("kbs18r, nothing changed")
        << variants[0] << false << false << false << false << Answer::Yes;
    QTest::newRow("kbs62d, changed, No") << variants[1] << true << false << false << true << Answer::No;
    QTest::newRow("kbs18t, changed, Yes") << variants[2] << true << false << false << true << Answer::Yes;
    QTest::newRow("kbs18r, changed and saved, still asks")
        << variants[0] << true << true << false << true << Answer::Yes;
    QTest::newRow("kbs62d, changed and sent") << variants[1] << true << false << true << false << Answer::Yes;
}

void TestCoreFiles::loadAsksOnlyAgainstPrinterCopy()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(bool, changed);
    QFETCH(bool, saveFirst);
    QFETCH(bool, sendFirst);
    QFETCH(bool, asked);
    QFETCH(Answer, answer);
    CoreRig& rig = makeRig(*variant);
    rig.startUp();
    if (changed)
        rig.pages.edit("msw3", std::string("\x01\x02", 2)); // left for the load to collect
    if (saveFirst)
        QVERIFY(rig.saveSucceeds(path("saved.dat").toStdString()));
    if (sendFirst)
        QVERIFY(rig.sendSucceeds());
    rig.clearRecords();
    rig.window.selectTab(3);
    SettingsBlock inFile = rig.factoryDefaults();
    inFile[4] = 0x09; // msw1
    inFile[16] = '2'; // font1
    QVERIFY(writeFile(path("load.dat"), settingsFile(*variant, inFile)));
    const SettingsBlock sentBefore = rig.core.sentBlock();
    const SettingsBlock fileBefore = rig.core.fileBlock();

    if (asked)
        rig.window.expectQuestion(messages::kLoadDiscardsChanges, answer);
    const bool loads = answer == Answer::Yes;
    if (loads)
        rig.chooser.expectOpen(path("load.dat").toStdString());
    rig.core.LoadSettingsFile();

    QStringList events;
    if (asked)
        events << ask(messages::kLoadDiscardsChanges);
    if (loads) // and the selected tab stays
        events << "choose file to open" << rig.formButtonEntry();
    QCOMPARE(toList(rig.journal.entries), events);
    if (asked) {
        QCOMPARE(rig.window.messages[0].buttons, ButtonSet::YesNo);
        QCOMPARE(rig.window.messages[0].icon, MessageIcon::Exclamation);
    }
    QCOMPARE(rig.core.editBlock() == inFile, loads);
    QVERIFY(rig.core.fileBlock() == (loads ? inFile : fileBefore));
    QVERIFY(rig.core.sentBlock() == sentBefore);
    QVERIFY(rig.pages.show(rig.core.editBlock()));
    QVERIFY(rig.sendCommandEnabled());
    if (loads)
        QCOMPARE(rig.chooser.initialFolders.back(), CoreRig::kProgramDirectory);
}

void TestCoreFiles::refusedFileKeepsEveryCopy_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no such file
    const ModelVariant& other = *allVariants()[0];
    const ModelVariant& own = *allVariants()[2];
    QByteArray noNul = settingsFile(own, SettingsBlock(own.factoryDefaults));
    noNul[qsizetype(own.fileIdentifier.size())] = ' ';
    QTest::newRow("file of another program") << settingsFile(other, SettingsBlock(other.factoryDefaults));
    QTest::newRow("identifier not ended by NUL") << noNul;
    QTest::newRow("no such file") << QByteArray();
}

void TestCoreFiles::refusedFileKeepsEveryCopy()
{
    QFETCH(QByteArray, content);
    CoreRig& rig = makeRig(*allVariants()[2]);
    rig.startUp();
    rig.change("font2", "1");
    QVERIFY(rig.saveSucceeds(path("kept.dat").toStdString()));
    rig.change("msw2", std::string("\x00\x01", 2));
    const SettingsBlock edited = rig.core.editBlock();
    const SettingsBlock saved = rig.core.fileBlock();
    if (!content.isEmpty())
        QVERIFY(writeFile(path("refused.dat"), content));

    rig.window.expectQuestion(messages::kLoadDiscardsChanges, Answer::Yes);
    rig.chooser.expectOpen(path("refused.dat").toStdString());
    rig.core.LoadSettingsFile();

    QCOMPARE(messageTexts(rig.window).last(), toQString(messages::kNotSettingsFile));
    QCOMPARE(rig.window.messages.back().icon, MessageIcon::Exclamation);
    QVERIFY(rig.core.editBlock() == edited);
    QVERIFY(rig.core.fileBlock() == saved);
    QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
    QVERIFY(rig.pages.show(edited));
}

void TestCoreFiles::unownedBytesPassThrough()
{
    QFETCH(const ModelVariant*, variant);
    CoreRig& rig = makeRig(*variant);
    rig.startUp();

    // Every byte no page owns changed: lead-in, separators, reserved fields, trailer.
    std::vector<bool> owned(variant->blockLength, false);
    for (const FieldSpec& field : variant->fields)
        if (field.owner != PageId::None)
            std::fill_n(owned.begin() + long(field.offset), field.width, true);
    SettingsBlock inFile = rig.factoryDefaults();
    std::vector<std::size_t> unowned;
    for (std::size_t offset = 0; offset < inFile.size(); ++offset)
        if (!owned[offset]) {
            unowned.push_back(offset);
            inFile[offset] = std::uint8_t(inFile[offset] ^ 0xA5);
        }
    QVERIFY2(unowned.size() > 30, qPrintable(QString::number(unowned.size())));
    QVERIFY(writeFile(path("odd-bytes.dat"), settingsFile(*variant, inFile)));

    rig.chooser.expectOpen(path("odd-bytes.dat").toStdString());
    rig.core.LoadSettingsFile();
    rig.change("msw1", std::string("\x0F\x00", 2));
    rig.pages.edit("font1", "1");
    QVERIFY(rig.saveSucceeds(path("resaved.dat").toStdString()));
    QVERIFY(rig.sendSucceeds());

    const QByteArray saved = readFile(path("resaved.dat")).mid(qsizetype(variant->fileIdentifier.size()) + 1);
    const QByteArray sent = bytesOf(rig.spooler.queues.back().bytes);
    QCOMPARE(saved, sent);
    QCOMPARE(sent.mid(4, 2), QByteArray("\x0F\x00", 2));
    QCOMPARE(sent.at(16), '1');
    for (std::size_t offset : unowned)
        QCOMPARE(std::uint8_t(sent.at(qsizetype(offset))), inFile[offset]);
}

QTEST_GUILESS_MAIN(TestCoreFiles)
#include "tst_core_files.moc"
