#include "core_rig.h"
#include "expected_texts.h"

#include <QtTest>

using namespace kbs;
using namespace kbs::test;

// Start-up, the data check that drives the send command, and the factory defaults.
class TestCoreStartup : public QObject, RigHolder {
    Q_OBJECT

private slots:
    void cleanup() { verifyRigAndDrop(); }

    void startUpShowsFactoryDefaults_data();
    void startUpShowsFactoryDefaults();
    void dataChecksDuringStartUpDoNotCollect();
    void firstPrinterChoiceCanEndProgram_data();
    void firstPrinterChoiceCanEndProgram();
    void commandsWithoutPagesDoNotFail();

    void sendCommandFollowsPrinterCopy();
    void factoryDefaults_data();
    void factoryDefaults();
};

void TestCoreStartup::startUpShowsFactoryDefaults_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<PageId>("formButtonPage");
    QTest::addColumn<unsigned>("listedCount");
    const PageId formButtonPages[] = {PageId::Select, PageId::Select, PageId::Form};
    const auto variants = allVariants();
    for (std::size_t i = 0; i < variants.size(); ++i)
        for (unsigned listed : {1u, 3u})
            QTest::addRow("%s, %u listed", variants[i]->deliverable.data(), listed)
                << variants[i] << formButtonPages[i] << listed;
}

void TestCoreStartup::startUpShowsFactoryDefaults()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(PageId, formButtonPage);
    QFETCH(unsigned, listedCount);
    CoreRig& rig = makeRig(*variant);

    rig.startUp(fakes::chosen("ferro", "socket://192.0.2.7:9100", listedCount));

    const SettingsBlock defaults = rig.factoryDefaults();
    QCOMPARE(defaults.size(), variant->blockLength);
    QVERIFY(rig.core.editBlock() == defaults);
    QVERIFY(rig.core.fileBlock() == defaults);
    QVERIFY(rig.core.sentBlock() == defaults);
    QVERIFY(rig.pages.show(defaults));
    QVERIFY(rig.core.startupComplete());
    QVERIFY(rig.core.neverSent());
    QVERIFY(rig.sendCommandEnabled());

    // The first choice asks nothing, does not reset, and runs before the form button.
    QVERIFY(rig.window.messages.empty());
    QVERIFY(rig.window.shownPages.empty());
    QCOMPARE(toList(rig.journal.entries),
             QStringList({"select printer", QString("form button on ") +
                                                (formButtonPage == PageId::Select ? "Select" : "Form")}));
    QCOMPARE(rig.pages.pageOf(formButtonPage).formButtonRefreshes, 1);
    QCOMPARE(rig.selector.calls.size(), 1u);
    QVERIFY(rig.selector.calls[0].preset.empty());
    QVERIFY(!rig.selector.calls[0].startupComplete);

    QCOMPARE(rig.core.currentPrinter(), (PrinterChoice{"ferro", "socket://192.0.2.7:9100"}));
    QCOMPARE(rig.window.commandEnabled.at(cmd::SelectPrinter), listedCount > 1);
    QCOMPARE(QString::fromStdString(rig.window.statusTexts[0]), QString("プリンタ名： ferro"));
    QCOMPARE(QString::fromStdString(rig.window.statusTexts[1]), QString("接続先： socket://192.0.2.7:9100"));
}

void TestCoreStartup::dataChecksDuringStartUpDoNotCollect()
{
    CoreRig& rig = makeRig(*allVariants()[0], false);
    rig.selector.expectSelection(fakes::chosen("ferro", "usb://ZAV/Q18RW"));
    rig.core.BeginStartup();
    rig.pages.create();
    // A page raising its data check before the pages were filled must not overwrite the copy.
    rig.pages.edit("font1", "7");
    rig.core.OnDataCheck();
    QVERIFY(rig.core.editBlock() == rig.factoryDefaults());
    QVERIFY(rig.sendCommandEnabled());

    rig.core.CompleteStartup();
    QVERIFY(rig.core.editBlock() == rig.factoryDefaults());
    QCOMPARE(rig.pages.pageOwning("font1").value("font1"), std::string("0"));
}

void TestCoreStartup::firstPrinterChoiceCanEndProgram_data()
{
    QTest::addColumn<SelectionResult>("selection");
    QTest::addColumn<int>("exitStatus"); // -1: the window stays

    QTest::newRow("cancel with no printer chosen") << fakes::cancelled({}) << 0;
    QTest::newRow("cancel after a refused FILE: printer") << fakes::cancelled({"lp-file", "FILE:"}) << 0;
    QTest::newRow("no usable printer") << fakes::noUsablePrinter() << 1;
    QTest::newRow("cancel with a choice not on FILE:") << fakes::cancelled({"lp", "file:"}) << -1;
}

void TestCoreStartup::firstPrinterChoiceCanEndProgram()
{
    QFETCH(SelectionResult, selection);
    QFETCH(int, exitStatus);
    CoreRig& rig = makeRig(*allVariants()[1]);

    rig.startUp(selection);

    QVERIFY(rig.core.currentPrinter().empty());
    QVERIFY(rig.window.statusTexts[0].empty());
    if (exitStatus < 0) {
        QVERIFY(rig.window.closeRequests.empty());
        QVERIFY(rig.core.startupComplete());
        return;
    }
    QCOMPARE(rig.window.closeRequests, std::vector<int>{exitStatus});
    QVERIFY(rig.core.closing());
    QVERIFY(!rig.core.startupComplete());
    QCOMPARE(rig.pages.tab(0).formButtonRefreshes, 0);

    // Nothing runs any more once the window was told to close.
    rig.pages.edit("msw1", std::string("\x01\x00", 2));
    const std::size_t journalBefore = rig.journal.entries.size();
    rig.core.OnExit();
    rig.core.SendSettingsToPrinter();
    rig.core.OnSelectPrinter();
    rig.core.OnFactoryDefaults();
    QCOMPARE(rig.journal.entries.size(), journalBefore);
    QCOMPARE(rig.window.closeRequests.size(), 1u);
}

void TestCoreStartup::commandsWithoutPagesDoNotFail()
{
    // The window may pass on a close before it has created its pages.
    CoreRig& rig = makeRig(*allVariants()[2], false);
    rig.core.BeginStartup();
    rig.core.OnDataCheck();
    rig.chooser.expectSave(std::nullopt);
    rig.core.SaveSettingsFile();
    rig.core.OnExit();
    QCOMPARE(rig.window.closeRequests, std::vector<int>{0});
    QVERIFY(rig.core.editBlock() == rig.factoryDefaults());
}

void TestCoreStartup::sendCommandFollowsPrinterCopy()
{
    CoreRig& rig = makeRig(*allVariants()[0]);
    rig.startUp();
    QVERIFY(rig.sendCommandEnabled()); // nothing sent yet, although nothing differs

    QVERIFY(rig.sendSucceeds());
    QVERIFY(!rig.sendCommandEnabled());
    QVERIFY(!rig.core.neverSent());
    rig.core.OnDataCheck();
    QVERIFY(!rig.sendCommandEnabled());

    const std::string sent = rig.pages.pageOwning("msw1").value("msw1");
    rig.change("msw1", std::string("\x05\x00", 2));
    QVERIFY(rig.sendCommandEnabled());
    rig.change("msw1", sent);
    QVERIFY(!rig.sendCommandEnabled());
    rig.change("font1", "2");
    QVERIFY(rig.sendCommandEnabled());
}

void TestCoreStartup::factoryDefaults_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("OK") << Answer::Ok;
    QTest::newRow("Cancel") << Answer::Cancel;
}

void TestCoreStartup::factoryDefaults()
{
    QFETCH(Answer, answer);
    CoreRig& rig = makeRig(*allVariants()[2]);
    rig.startUp();
    rig.change("font1", "1");
    QVERIFY(rig.sendSucceeds());
    rig.change("msw2", std::string("\x0F\x0F", 2));
    rig.window.selectTab(4);
    const SettingsBlock edited = rig.core.editBlock();
    const SettingsBlock sent = rig.core.sentBlock();
    rig.journal.entries.clear();
    rig.window.messages.clear();

    rig.window.expectQuestion(expected::kFactoryDefaultsQuestion, answer);
    rig.core.OnFactoryDefaults();

    QCOMPARE(rig.window.messages.front().buttons, ButtonSet::OkCancel);
    QCOMPARE(rig.window.messages.front().icon, MessageIcon::Exclamation);
    QVERIFY(rig.core.sentBlock() == sent);
    QVERIFY(rig.core.fileBlock() == rig.factoryDefaults());
    if (answer != Answer::Ok) {
        QCOMPARE(rig.journal.entries.size(), 1u);
        QVERIFY(rig.core.editBlock() == edited);
        QVERIFY(rig.pages.show(edited));
        return;
    }
    QVERIFY(rig.core.editBlock() == rig.factoryDefaults());
    QVERIFY(rig.pages.show(rig.factoryDefaults()));
    QCOMPARE(toList(rig.journal.entries),
             QStringList({QString("ask: ") + expected::kFactoryDefaultsQuestion, "show page 0",
                          QString("tell: ") + expected::kFactoryDefaultsShown, "form button on Form"}));
    QCOMPARE(rig.window.messages.back().buttons, ButtonSet::Ok);
    QCOMPARE(rig.window.messages.back().icon, MessageIcon::Information);
    QVERIFY(rig.sendCommandEnabled()); // the defaults differ from what was sent
}

QTEST_GUILESS_MAIN(TestCoreStartup)
#include "tst_core_startup.moc"
