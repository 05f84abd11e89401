#include "core_rig.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace kbs;
using namespace kbs::test;

namespace {
constexpr uid_t kNobody = 65534;

// Root ignores file permissions; while this lives, the test runs with nobody's effective
// ids so that a folder without write permission really refuses the file.
struct UnprivilegedScope {
    const bool wasRoot = geteuid() == 0;
    UnprivilegedScope()
    {
        if (wasRoot && (setegid(kNobody) != 0 || seteuid(kNobody) != 0))
            qFatal("cannot drop to an unprivileged user");
    }
    ~UnprivilegedScope()
    {
        if (wasRoot && (seteuid(0) != 0 || setegid(0) != 0))
            qFatal("cannot return to root");
    }
};
} // namespace

// Saving and loading settings files through the core.
class TestCoreFiles : public QObject, RigHolder {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QString path(const QString& name) const { return dir_->filePath(name); }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() { verifyRigAndDrop(); }

    void saveWritesIdentifierNulAndBlock_data() { addVariantRows(); }
    void saveWritesIdentifierNulAndBlock()
    {
        QFETCH(const ModelVariant*, variant);
        CoreRig& rig = makeRig(*variant);
        rig.startUp();
        rig.pages.edit("font1", "3"); // not collected yet

        QVERIFY(rig.saveSucceeds(path("settings.dat")));
        QCOMPARE(rig.core.editBlock()[16], std::uint8_t('3'));
        QCOMPARE(readFile(path("settings.dat")), settingsFile(*variant, rig.core.editBlock()));
        QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
    }

    void writeFailureKeepsFileCopy()
    {
        CoreRig& rig = makeRig(*allVariants()[0]);
        rig.startUp();
        rig.change("msw1", std::string("\x01\x01", 2));
        rig.chooser.expectSave(path("missing/settings.dat").toStdString());
        QCOMPARE(rig.run(&CommandCore::SaveSettingsFile),
                 QStringList({"choose file to save", tell(messages::kSaveFailed)}));
        QVERIFY(rig.core.fileBlock() == rig.factoryDefaults());
    }

    void saveRetriesAfterAccessDenied_data()
    {
        QTest::addColumn<bool>("findsWritableFolder");
        QTest::newRow("then a writable folder") << true;
        QTest::newRow("then cancel") << false;
    }
    void saveRetriesAfterAccessDenied()
    {
        QFETCH(bool, findsWritableFolder);
        const ModelVariant& variant = *allVariants()[1];
        CoreRig& rig = makeRig(variant);
        rig.startUp();
        rig.change("msw4", std::string("\x05\x05", 2));
        const QString denied = path("denied");
        const QString writable = path("writable");
        // Read-only for everyone, and writable by everyone, nobody included.
        QVERIFY(::chmod(qPrintable(dir_->path()), 0755) == 0 && ::mkdir(qPrintable(denied), 0555) == 0);
        QVERIFY(::mkdir(qPrintable(writable), 0755) == 0 && ::chmod(qPrintable(writable), 0777) == 0);

        rig.chooser.expectSave((denied + "/first.dat").toStdString());
        rig.chooser.expectSave((denied + "/second.dat").toStdString());
        rig.chooser.expectSave(findsWritableFolder ? std::optional((writable + "/third.dat").toStdString())
                                                   : std::nullopt);
        QStringList events;
        {
            UnprivilegedScope nobody;
            events = rig.run(&CommandCore::SaveSettingsFile);
        }
        const QString chooser = "choose file to save";
        const QString deniedMessage = tell(variant.saveDeniedMessage);
        QCOMPARE(events, QStringList({chooser, deniedMessage, chooser, deniedMessage, chooser}));
        QVERIFY(QDir(denied).isEmpty());
        if (findsWritableFolder)
            QCOMPARE(readFile(writable + "/third.dat"), settingsFile(variant, rig.core.editBlock()));
        QVERIFY(rig.core.fileBlock() == (findsWritableFolder ? rig.core.editBlock() : rig.factoryDefaults()));
    }

    void loadAsksOnlyAgainstPrinterCopy_data()
    {
        QTest::addColumn<bool>("saveFirst");
        QTest::addColumn<bool>("sendFirst");
        QTest::addColumn<Script>("script");
        using enum Answer;
        const std::string_view question = messages::kLoadDiscardsChanges;
        QTest::newRow("changed, No") << false << false << Script{{question, No}};
        QTest::newRow("changed and saved, still asks") << true << false << Script{{question, Yes}};
        QTest::newRow("changed and sent") << false << true << Script{};
    }
    void loadAsksOnlyAgainstPrinterCopy()
    {
        QFETCH(bool, saveFirst);
        QFETCH(bool, sendFirst);
        QFETCH(Script, script);
        const ModelVariant& variant = *allVariants()[2];
        CoreRig& rig = makeRig(variant);
        rig.startUp();
        rig.pages.edit("msw3", std::string("\x01\x02", 2)); // left for the load to collect
        if (saveFirst)
            QVERIFY(rig.saveSucceeds(path("saved.dat")));
        if (sendFirst)
            QVERIFY(rig.sendSucceeds());
        rig.window.selectTab(3);
        SettingsBlock inFile = rig.factoryDefaults();
        inFile[4] = 0x09; // msw1
        inFile[16] = '2'; // font1
        QVERIFY(writeFile(path("load.dat"), settingsFile(variant, inFile)));
        const SettingsBlock sentBefore = rig.core.sentBlock();
        const SettingsBlock fileBefore = rig.core.fileBlock();

        const bool loads = script.isEmpty() || script[0].second == Answer::Yes;
        QStringList expected;
        if (!script.isEmpty())
            expected << ask(messages::kLoadDiscardsChanges);
        if (loads) { // and the selected tab stays
            rig.chooser.expectOpen(path("load.dat").toStdString());
            expected << "choose file to open" << rig.formButtonEntry();
        }
        QCOMPARE(rig.run(&CommandCore::LoadSettingsFile, script), expected);
        QVERIFY(
            rig.copiesAre(loads ? inFile : rig.core.editBlock(), loads ? inFile : fileBefore, sentBefore));
        QCOMPARE(rig.core.editBlock() == inFile, loads);
        QVERIFY(rig.pages.show(rig.core.editBlock()));
        QVERIFY(rig.sendCommandEnabled());
    }

    void refusedFileKeepsEveryCopy_data()
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
    void refusedFileKeepsEveryCopy()
    {
        QFETCH(QByteArray, content);
        CoreRig& rig = makeRig(*allVariants()[2]);
        rig.startUp();
        rig.change("font2", "1");
        QVERIFY(rig.saveSucceeds(path("kept.dat")));
        rig.change("msw2", std::string("\x00\x01", 2));
        const SettingsBlock edited = rig.core.editBlock();
        const SettingsBlock saved = rig.core.fileBlock();
        if (!content.isEmpty())
            QVERIFY(writeFile(path("refused.dat"), content));

        rig.chooser.expectOpen(path("refused.dat").toStdString());
        QCOMPARE(
            rig.run(&CommandCore::LoadSettingsFile, {{messages::kLoadDiscardsChanges, Answer::Yes}}).last(),
            tell(messages::kNotSettingsFile));
        QVERIFY(rig.copiesAre(edited, saved, rig.factoryDefaults()));
        QVERIFY(rig.pages.show(edited));
    }

    void unownedBytesPassThrough_data() { addVariantRows(); }
    void unownedBytesPassThrough()
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
        for (std::size_t offset = 0; offset < inFile.size(); ++offset)
            if (!owned[offset])
                inFile[offset] = std::uint8_t(inFile[offset] ^ 0xA5);
        QVERIFY(std::count(owned.begin(), owned.end(), false) > 30);
        QVERIFY(writeFile(path("odd-bytes.dat"), settingsFile(*variant, inFile)));

        rig.chooser.expectOpen(path("odd-bytes.dat").toStdString());
        rig.core.LoadSettingsFile();
        rig.change("msw1", std::string("\x0F\x00", 2));
        rig.pages.edit("font1", "1");
        QVERIFY(rig.saveSucceeds(path("resaved.dat")));
        QVERIFY(rig.sendSucceeds());

        const QByteArray saved =
            readFile(path("resaved.dat")).mid(qsizetype(variant->fileIdentifier.size()) + 1);
        const QByteArray sent = bytesOf(rig.spooler.lastWrite);
        QCOMPARE(saved, sent);
        QCOMPARE(sent.mid(4, 2), QByteArray("\x0F\x00", 2));
        QCOMPARE(sent.at(16), '1');
        for (std::size_t offset = 0; offset < inFile.size(); ++offset)
            if (!owned[offset])
                QCOMPARE(std::uint8_t(sent.at(qsizetype(offset))), inFile[offset]);
    }
};

QTEST_GUILESS_MAIN(TestCoreFiles)
#include "tst_core_files.moc"
