#include "core_rig.h"
#include "expected_texts.h"

#include <QTemporaryDir>
#include <QtTest>

#include <set>

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

    void saveWritesIdentifierNulAndBlock_data();
    void saveWritesIdentifierNulAndBlock();
    void unsuccessfulSaveKeepsFileCopy_data();
    void unsuccessfulSaveKeepsFileCopy();

    void saveRetriesAfterAccessDenied_data();
    void saveRetriesAfterAccessDenied();

    void loadReplacesEditAndFileCopies_data() { addVariantRows(); }
    void loadReplacesEditAndFileCopies();
    void loadAsksOnlyAgainstPrinterCopy_data();
    void loadAsksOnlyAgainstPrinterCopy();
    void refusedFileKeepsEveryCopy_data();
    void refusedFileKeepsEveryCopy();
    void loadedValuesPagesRewriteLeadToSaveQuestion();

    void unownedBytesPassThrough_data() { addVariantRows(); }
    void unownedBytesPassThrough();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path(const QString& name) const { return dir_->filePath(name); }
};

void TestCoreFiles::saveWritesIdentifierNulAndBlock_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<int>("fileSize");
    const int sizes[] = {298, 215, 208};
    const auto variants = allVariants();
    for (std::size_t i = 0; i < variants.size(); ++i)
        QTest::newRow(variants[i]->deliverable.data()) << variants[i] << sizes[i];
}

void TestCoreFiles::saveWritesIdentifierNulAndBlock()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(int, fileSize);
    CoreRig& rig = makeRig(*variant);
    rig.startUp();
    rig.pages.edit("font1", "3"); // not collected yet
    const int sendUpdates = rig.window.commandUpdates[cmd::Send];
    const QString file = path("settings.dat");

    rig.chooser.expectSave(file.toStdString());
    rig.core.SaveSettingsFile();

    const QByteArray written = readFile(file);
    QCOMPARE(written.size(), fileSize);
    QCOMPARE(written, settingsFile(*variant, rig.core.editBlock()));
    QCOMPARE(written.at(fileSize - int(variant->blockLength) - 1), '\0');
    QCOMPARE(rig.core.editBlock()[16], std::uint8_t('3'));
    QVERIFY(rig.core.fileBlock() == rig.core.editBlock());
    QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
    QCOMPARE(rig.chooser.saveFolders, std::vector<std::string>{CoreRig::kProgramDirectory});
    QVERIFY(rig.window.messages.empty());
    QCOMPARE(rig.window.commandUpdates[cmd::Send], sendUpdates);
}

void TestCoreFiles::unsuccessfulSaveKeepsFileCopy_data()
{
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QString>("target");
    QTest::newRow("chooser cancelled") << true << QString();
    QTest::newRow("folder missing") << false << "missing/settings.dat";
    QTest::newRow("path is a folder") << false << ".";
}

void TestCoreFiles::unsuccessfulSaveKeepsFileCopy()
{
    QFETCH(bool, cancelled);
    QFETCH(QString, target);
    CoreRig& rig = makeRig(*allVariants()[0]);
    rig.startUp();
    rig.change("msw1", std::string("\x01\x01", 2));

    rig.chooser.expectSave(cancelled ? std::nullopt : std::optional(dir_->filePath(target).toStdString()));
    rig.core.SaveSettingsFile();

    QVERIFY(rig.core.fileBlock() == rig.factoryDefaults());
    if (cancelled) {
        QVERIFY(rig.window.messages.empty());
        return;
    }
    QCOMPARE(messageTexts(rig.window), QStringList{expected::kSaveFailed});
    QCOMPARE(rig.window.messages[0].icon, MessageIcon::Hand);
    QCOMPARE(rig.window.messages[0].buttons, ButtonSet::Ok);
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
    QTest::addColumn<QString>("deniedMessage");
    QTest::addColumn<bool>("findsWritableFolder");
    const QString messages[] = {expected::kSaveDeniedMayLackPermission, expected::kSaveDeniedAskAdministrator,
                                expected::kSaveDeniedMayLackPermission};
    const auto variants = allVariants();
    for (std::size_t i = 0; i < variants.size(); ++i)
        for (bool writable : {true, false})
            QTest::addRow("%s, %s", variants[i]->deliverable.data(),
                          writable ? "then writable" : "then cancel")
                << variants[i] << messages[i] << writable;
}

void TestCoreFiles::saveRetriesAfterAccessDenied()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(QString, deniedMessage);
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

    QCOMPARE(messageTexts(rig.window), QStringList({deniedMessage, deniedMessage}));
    for (const fakes::MessageRecord& message : rig.window.messages) {
        QCOMPARE(message.buttons, ButtonSet::Ok);
        QCOMPARE(message.icon, MessageIcon::Exclamation);
    }
    QCOMPARE(rig.chooser.saveFolders, std::vector<std::string>(3, CoreRig::kProgramDirectory));
    QVERIFY(QDir(denied).isEmpty());
    if (findsWritableFolder) {
        QCOMPARE(readFile(writable + "/third.dat"), settingsFile(*variant, rig.core.editBlock()));
        QVERIFY(rig.core.fileBlock() == rig.core.editBlock());
    } else {
        QVERIFY(QDir(writable).isEmpty());
        QVERIFY(rig.core.fileBlock() == rig.factoryDefaults());
    }
}

void TestCoreFiles::loadReplacesEditAndFileCopies()
{
    QFETCH(const ModelVariant*, variant);
    CoreRig& rig = makeRig(*variant);
    rig.startUp();
    SettingsBlock inFile = rig.factoryDefaults();
    inFile[4] = 0x09; // msw1
    inFile[16] = '2'; // font1
    QVERIFY(writeFile(path("load.dat"), settingsFile(*variant, inFile)));
    rig.window.selectTab(3);
    const int loadsBefore = rig.pages.totalLoads();

    rig.chooser.expectOpen(path("load.dat").toStdString());
    rig.core.LoadSettingsFile();

    QVERIFY(rig.window.messages.empty()); // nothing differed from the printer copy
    QCOMPARE(rig.chooser.openFolders, std::vector<std::string>{CoreRig::kProgramDirectory});
    QVERIFY(rig.core.editBlock() == inFile);
    QVERIFY(rig.core.fileBlock() == inFile);
    QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
    QVERIFY(rig.pages.show(inFile));
    QCOMPARE(rig.pages.totalLoads(), loadsBefore + int(variant->tabs.size()));
    QCOMPARE(rig.pages.tab(variant->formButtonTabIndex).formButtonRefreshes, 2);
    QVERIFY(rig.window.shownPages.empty());
    QCOMPARE(rig.window.selectedTab(), 3u);
    QVERIFY(rig.sendCommandEnabled());
}

void TestCoreFiles::loadAsksOnlyAgainstPrinterCopy_data()
{
    QTest::addColumn<bool>("saveFirst");
    QTest::addColumn<bool>("sendFirst");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<Answer>("answer");

    QTest::newRow("changed, No") << false << false << true << Answer::No;
    QTest::newRow("changed, Yes") << false << false << true << Answer::Yes;
    QTest::newRow("changed and saved, still asks") << true << false << true << Answer::Yes;
    QTest::newRow("changed and sent") << false << true << false << Answer::Yes;
}

void TestCoreFiles::loadAsksOnlyAgainstPrinterCopy()
{
    QFETCH(bool, saveFirst);
    QFETCH(bool, sendFirst);
    QFETCH(bool, asked);
    QFETCH(Answer, answer);
    CoreRig& rig = makeRig(*allVariants()[1]);
    rig.startUp();
    rig.pages.edit("msw3", std::string("\x01\x02", 2)); // collected by the load
    if (saveFirst)
        QVERIFY(rig.saveSucceeds(path("saved.dat").toStdString()));
    if (sendFirst)
        QVERIFY(rig.sendSucceeds());
    rig.window.messages.clear();
    SettingsBlock changed = rig.factoryDefaults();
    changed[10] = 0x01;
    changed[11] = 0x02;
    const SettingsBlock fileBefore = rig.core.fileBlock();
    // The file holds what the printer got last.
    QVERIFY(writeFile(path("last-sent.dat"), settingsFile(rig.variant, rig.core.sentBlock())));

    if (asked)
        rig.window.expectQuestion(expected::kLoadQuestion, answer);
    if (answer == Answer::Yes)
        rig.chooser.expectOpen(path("last-sent.dat").toStdString());
    rig.core.LoadSettingsFile();

    if (asked) {
        QCOMPARE(rig.window.messages.size(), 1u);
        QCOMPARE(rig.window.messages[0].buttons, ButtonSet::YesNo);
        QCOMPARE(rig.window.messages[0].icon, MessageIcon::Exclamation);
    } else {
        QVERIFY(rig.window.messages.empty());
    }
    if (answer == Answer::No) {
        QVERIFY(rig.core.editBlock() == changed);
        QVERIFY(rig.pages.show(changed));
        QVERIFY(rig.core.fileBlock() == fileBefore);
        return;
    }
    QVERIFY(rig.core.editBlock() == rig.core.sentBlock());
    QVERIFY(rig.core.fileBlock() == rig.core.sentBlock());
    QVERIFY(rig.pages.show(rig.core.sentBlock()));
    // Only "never sent" keeps the command enabled once the copy equals the printer's again.
    QCOMPARE(rig.sendCommandEnabled(), !sendFirst);
}

void TestCoreFiles::refusedFileKeepsEveryCopy_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no such file
    const SettingsBlock other(allVariants()[0]->factoryDefaults);
    const SettingsBlock own(allVariants()[2]->factoryDefaults);
    QByteArray noNul = settingsFile(*allVariants()[2], own);
    noNul[21] = ' ';
    QTest::newRow("file of another program") << settingsFile(*allVariants()[0], other);
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
    const int loadsBefore = rig.pages.totalLoads();
    const QString file = path("refused.dat");
    QFile::remove(file);
    if (!content.isEmpty())
        QVERIFY(writeFile(file, content));

    rig.window.expectQuestion(expected::kLoadQuestion, Answer::Yes);
    rig.chooser.expectOpen(file.toStdString());
    rig.core.LoadSettingsFile();

    QCOMPARE(messageTexts(rig.window).last(), QString(expected::kNotSettingsFile));
    QCOMPARE(rig.window.messages.back().icon, MessageIcon::Exclamation);
    QVERIFY(rig.core.editBlock() == edited);
    QVERIFY(rig.core.fileBlock() == saved);
    QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
    QCOMPARE(rig.pages.totalLoads(), loadsBefore);
    QVERIFY(rig.pages.show(edited));
}

void TestCoreFiles::loadedValuesPagesRewriteLeadToSaveQuestion()
{
    // A page that stores a loaded value back in another form: the collected copy then
    // differs from the file copy, and exit offers to save.
    CoreRig& rig = makeRig(*allVariants()[0]);
    rig.startUp();
    rig.pages.pageOwning("font1").storeAlways("font1", "0");
    SettingsBlock inFile = rig.factoryDefaults();
    inFile[16] = 'Z';
    QVERIFY(writeFile(path("odd.dat"), settingsFile(rig.variant, inFile)));

    rig.chooser.expectOpen(path("odd.dat").toStdString());
    rig.core.LoadSettingsFile();
    QVERIFY(rig.core.fileBlock() == inFile);
    QVERIFY(rig.core.editBlock() == rig.factoryDefaults());

    rig.window.expectQuestion(expected::kSaveBeforeExit, Answer::No);
    rig.core.OnExit();
    QCOMPARE(rig.window.closeRequests, std::vector<int>{0});
}

void TestCoreFiles::unownedBytesPassThrough()
{
    QFETCH(const ModelVariant*, variant);
    CoreRig& rig = makeRig(*variant);
    rig.startUp();

    std::set<std::size_t> owned;
    for (const FieldSpec& field : variant->fields)
        if (field.owner != PageId::None)
            for (std::size_t i = 0; i < field.width; ++i)
                owned.insert(field.offset + i);
    // Every byte no page owns changed: lead-in, separators, reserved fields, trailer.
    SettingsBlock inFile = rig.factoryDefaults();
    std::vector<std::size_t> unowned;
    for (std::size_t offset = 0; offset < inFile.size(); ++offset)
        if (!owned.count(offset)) {
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

    const QByteArray saved = readFile(path("resaved.dat")).mid(int(variant->fileIdentifier.size()) + 1);
    const QByteArray sent = bytesOf(rig.spooler.queues.back().bytes);
    QCOMPARE(saved.size(), int(variant->blockLength));
    for (std::size_t offset : unowned) {
        QCOMPARE(rig.core.editBlock()[offset], inFile[offset]);
        QCOMPARE(std::uint8_t(saved.at(int(offset))), inFile[offset]);
        QCOMPARE(std::uint8_t(sent.at(int(offset))), inFile[offset]);
    }
    QCOMPARE(sent.mid(4, 2), QByteArray("\x0F\x00", 2));
    QCOMPARE(saved.at(16), '1');
}

QTEST_GUILESS_MAIN(TestCoreFiles)
#include "tst_core_files.moc"
