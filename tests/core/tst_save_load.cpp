#include "core_rig.h"

#include <sys/stat.h>
#include <unistd.h>

using namespace kbs;
using namespace kbs::test;
using namespace kbs::said;

namespace {
// A block for the kbs18t whose msw1 and font1 differ from the factory defaults.
SettingsBlock loadableBlock()
{
    SettingsBlock block(kbs18t::variant().factoryDefaults);
    block[4] = 0x09;
    block[16] = '2';
    return block;
}

// Runs `work` as the user nobody where the test runs as root, who ignores permissions.
template <class Work> bool asOrdinaryUser(Work work)
{
    const bool root = ::getuid() == 0;
    if (root && (::setegid(65534) != 0 || ::seteuid(65534) != 0))
        return false;
    work();
    return !root || (::seteuid(0) == 0 && ::setegid(0) == 0);
}
} // namespace

class TestSaveLoad : public RigTest {
    Q_OBJECT

private slots:
    void saveThenLoad_data()
    {
        QTest::addColumn<const ModelVariant*>("variant");
        QTest::addColumn<qsizetype>("fileSize");
        QTest::addColumn<QString>("formButton");
        QTest::newRow("kbs18r") << &kbs18r::variant() << qsizetype(298) << "refresh form button on tab 0";
        QTest::newRow("kbs62d") << &kbs62d::variant() << qsizetype(215) << "refresh form button on tab 0";
        QTest::newRow("kbs18t") << &kbs18t::variant() << qsizetype(208) << "refresh form button on tab 1";
    }
    // A file in which every byte differs from the factory defaults is loaded, changed and saved;
    // the saved file holds the edit copy, bytes no page owns included, and loads back as it.
    void saveThenLoad()
    {
        QFETCH(const ModelVariant*, variant);
        QFETCH(qsizetype, fileSize);
        QFETCH(QString, formButton);
        CoreRig& rig = holder_.make(*variant);
        rig.startUp();
        SettingsBlock loaded = rig.defaults();
        for (std::size_t offset = 0; offset < loaded.size(); ++offset)
            loaded[offset] = std::uint8_t(loaded[offset] ^ 0x5A);
        QVERIFY(writeFile(holder_.path("odd.dat"), settingsFile(*variant, loaded)));
        rig.chooser.expectOpen(holder_.path("odd.dat").toStdString());
        QCOMPARE(rig.run(&CommandCore::LoadSettingsFile), QStringList({"choose file to open", formButton}));
        QVERIFY(rig.copiesAre(loaded, loaded, rig.defaults()) && rig.showing(loaded) && rig.sendEnabled);

        rig.change("font1", "2", false); // the save must collect it
        const SettingsBlock edited = [&] {
            SettingsBlock b = loaded;
            b[16] = '2';
            return b;
        }();
        rig.chooser.expectSave(holder_.path("saved.dat").toStdString());
        QCOMPARE(rig.run(&CommandCore::SaveSettingsFile), QStringList{"choose file to save"});
        QVERIFY(rig.copiesAre(edited, edited, rig.defaults()));
        const QByteArray saved = readFile(holder_.path("saved.dat"));
        QCOMPARE(saved.size(), fileSize);
        QCOMPARE(saved, settingsFile(*variant, edited));
        rig.core.OnDataCheck();
        QVERIFY(rig.sendEnabled);

        // Loading asks, since the edit copy was never sent, and gives back the saved copy.
        rig.change("font1", "3");
        rig.chooser.expectOpen(holder_.path("saved.dat").toStdString());
        QCOMPARE(rig.run(&CommandCore::LoadSettingsFile, {{kLoadDiscards, Answer::Yes}}),
                 QStringList({askYesNo(kLoadDiscards), "choose file to open", formButton}));
        QVERIFY(rig.copiesAre(edited, edited, rig.defaults()) && rig.showing(edited));
    }

    // A save that did not happen leaves the file copy as it was.
    void saveNotDone_data()
    {
        QTest::addColumn<const ModelVariant*>("variant");
        QTest::addColumn<QStringList>("choices"); // in the temporary folder; empty: cancelled
        QTest::addColumn<QStringList>("journal");
        QTest::addColumn<bool>("saved");
        const QString choose = "choose file to save";
        const QString deniedAsk = warn(kSaveDeniedAskAdministrator);
        const QString deniedMay = warn(kSaveDeniedMayLackPermission);
        QTest::newRow("dialog cancelled")
            << &kbs18r::variant() << QStringList{""} << QStringList{choose} << false;
        QTest::newRow("folder missing") << &kbs18r::variant() << QStringList{"missing/x.dat"}
                                        << QStringList{choose, stop(kSaveFailed)} << false;
        QTest::newRow("access refused twice, then folder missing")
            << &kbs62d::variant() << QStringList{"denied/first.dat", "denied/second.dat", "missing/third.dat"}
            << QStringList{choose, deniedAsk, choose, deniedAsk, choose, stop(kSaveFailed)} << false;
        QTest::newRow("access refused, then cancelled")
            << &kbs18t::variant() << QStringList{"denied/first.dat", ""}
            << QStringList{choose, deniedMay, choose} << false;
        QTest::newRow("access refused, then a writable folder")
            << &kbs18r::variant() << QStringList{"denied/first.dat", "open/second.dat"}
            << QStringList{choose, deniedMay, choose} << true;
    }
    void saveNotDone()
    {
        QFETCH(const ModelVariant*, variant);
        QFETCH(QStringList, choices);
        QFETCH(QStringList, journal);
        QFETCH(bool, saved);
        CoreRig& rig = holder_.make(*variant);
        rig.startUp();
        rig.change("msw4", std::string("\x05\x05", 2));
        const QByteArray folder = QFile::encodeName(holder_.folder());
        QVERIFY(::chmod(folder, 0755) == 0 && ::mkdir(folder + "/denied", 0555) == 0 &&
                ::mkdir(folder + "/open", 0777) == 0 && ::chmod(folder + "/open", 0777) == 0);
        for (const QString& choice : choices)
            rig.chooser.expectSave(choice.isEmpty() ? std::nullopt
                                                    : std::optional(holder_.path(choice).toStdString()));
        QStringList events;
        QVERIFY(asOrdinaryUser([&] { events = rig.run(&CommandCore::SaveSettingsFile); }));
        QCOMPARE(events, journal);
        QVERIFY(QDir(holder_.path("denied")).isEmpty());
        QCOMPARE(rig.core.fileBlock() == rig.core.editBlock(), saved);
        QCOMPARE(rig.core.fileBlock() == rig.defaults(), !saved);
        QCOMPARE(QFile::exists(holder_.path("open/second.dat")), saved);
    }

    void pendingEntryStopsSave()
    {
        CoreRig& rig = holder_.make(kbs18r::variant());
        rig.startUp();
        rig.change("font2", "1");
        rig.pageOf(PageId::Param).pendingEntry = true;
        rig.tab = 4;
        QCOMPARE(rig.run(&CommandCore::SaveSettingsFile),
                 QStringList({"show page 1", "pending notice on tab 1"}));
        QVERIFY(rig.copiesAre(rig.core.editBlock(), rig.defaults(), rig.defaults()));
    }

    // The question compares with the printer copy only; a refused file changes no copy.
    void load_data()
    {
        QTest::addColumn<bool>("sent"); // else saved
        QTest::addColumn<Script>("script");
        QTest::addColumn<QByteArray>("content"); // of the file chosen; empty: cancelled; "-": no file
        QTest::addColumn<QStringList>("journal");
        QTest::addColumn<bool>("loads");
        const QByteArray good = settingsFile(kbs18t::variant(), loadableBlock());
        QByteArray noNul = good;
        noNul[qsizetype(kbs18t::variant().fileIdentifier.size())] = ' ';
        const Script yes{{kLoadDiscards, Answer::Yes}};
        const QString question = askYesNo(kLoadDiscards);
        const QStringList refused{question, "choose file to open", warn(kNotSettingsFile)};
        QTest::newRow("saved: asks, No")
            << false << Script{{kLoadDiscards, Answer::No}} << good << QStringList{question} << false;
        QTest::newRow("saved: asks, Yes")
            << false << yes << good
            << QStringList{question, "choose file to open", "refresh form button on tab 1"} << true;
        QTest::newRow("sent: no question")
            << true << Script{} << good << QStringList{"choose file to open", "refresh form button on tab 1"}
            << true;
        QTest::newRow("dialog cancelled")
            << false << yes << QByteArray() << QStringList{question, "choose file to open"} << false;
        QTest::newRow("another program's")
            << false << yes
            << settingsFile(kbs18r::variant(), SettingsBlock(kbs18r::variant().factoryDefaults)) << refused
            << false;
        QTest::newRow("identifier not ended by NUL") << false << yes << noNul << refused << false;
        QTest::newRow("no such file") << false << yes << QByteArray("-") << refused << false;
    }
    void load()
    {
        QFETCH(bool, sent);
        QFETCH(Script, script);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, journal);
        QFETCH(bool, loads);
        CoreRig& rig = holder_.make(kbs18t::variant());
        rig.startUp();
        rig.change("msw3", std::string("\x01\x02", 2));
        QVERIFY(sent ? rig.sendSucceeds() : rig.saveSucceeds(holder_.path("saved.dat")));
        QVERIFY(content.size() < 2 || writeFile(holder_.path("load.dat"), content));
        const SettingsBlock edit = rig.core.editBlock(), saved = rig.core.fileBlock(),
                            sentCopy = rig.core.sentBlock();
        if (journal.contains("choose file to open"))
            rig.chooser.expectOpen(content.isEmpty() ? std::nullopt
                                                     : std::optional(holder_.path("load.dat").toStdString()));
        QCOMPARE(rig.run(&CommandCore::LoadSettingsFile, script), journal);
        QVERIFY(rig.copiesAre(loads ? loadableBlock() : edit, loads ? loadableBlock() : saved, sentCopy));
        QVERIFY(rig.showing(rig.core.editBlock()) && rig.sendEnabled);
    }
};

QTEST_GUILESS_MAIN(TestSaveLoad)
#include "tst_save_load.moc"
