#include "core/messages.h"
#include "core_rig.h"

#include <QtTest>

using namespace kbs;
using namespace kbs::test;

Q_DECLARE_METATYPE(kbs::fakes::FailAt)

// Start-up, the factory defaults, and sending the edit copy as one raw job.
class TestCoreStartupSend : public QObject, RigHolder {
    Q_OBJECT

private slots:
    void cleanup() { verifyRigAndDrop(); }

    void startUpShowsFactoryDefaults_data();
    void startUpShowsFactoryDefaults();
    void startUpChoiceCanEndProgram_data();
    void startUpChoiceCanEndProgram();
    void commandsBeforePagesExistDoNotFail();
    void factoryDefaults_data();
    void factoryDefaults();

    void sendHandsWholeBlockOnce_data() { addVariantRows(); }
    void sendHandsWholeBlockOnce();
    void failedSendKeepsPrinterCopy_data();
    void failedSendKeepsPrinterCopy();
    void onlyExactFilePortIsRefused_data();
    void onlyExactFilePortIsRefused();
    void missingConnectionRunsPrinterChoiceFirst();
};

void TestCoreStartupSend::startUpShowsFactoryDefaults_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<unsigned>("listedCount");
    const unsigned listed[] = {1, 3, 2};
    const auto variants = allVariants();
    for (std::size_t i = 0; i < variants.size(); ++i)
        QTest::newRow(variants[i]->deliverable.data()) << variants[i] << listed[i];
}

void TestCoreStartupSend::startUpShowsFactoryDefaults()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(unsigned, listedCount);
    CoreRig& rig = makeRig(*variant);

    rig.selector.expectSelection(fakes::chosen("ferro", "socket://192.0.2.7:9100", listedCount));
    rig.core.BeginStartup();
    rig.pages.create();
    rig.core.OnDataCheck(); // raised by a page before it holds the block: must not be collected
    rig.core.CompleteStartup();

    const SettingsBlock defaults = rig.factoryDefaults();
    QCOMPARE(defaults.size(), variant->blockLength);
    QVERIFY(rig.core.editBlock() == defaults);
    QVERIFY(rig.core.fileBlock() == defaults);
    QVERIFY(rig.core.sentBlock() == defaults);
    QVERIFY(rig.pages.show(defaults));
    QVERIFY(rig.core.startupComplete());
    QVERIFY(rig.core.neverSent());
    QVERIFY(rig.sendCommandEnabled());

    // The first choice asks nothing, does not reset, and comes before the form button.
    QVERIFY(rig.window.messages.empty());
    QCOMPARE(toList(rig.journal.entries), QStringList({"select printer", rig.formButtonEntry()}));
    QVERIFY(rig.selector.calls[0].preset.empty());
    QVERIFY(!rig.selector.calls[0].startupComplete);
    QCOMPARE(rig.core.currentPrinter(), CoreRig::kPrinter);
    QCOMPARE(rig.window.commandEnabled.at(cmd::SelectPrinter), listedCount > 1);
    QCOMPARE(toQString(rig.window.statusTexts[0]), QString("プリンタ名： ferro"));
    QCOMPARE(toQString(rig.window.statusTexts[1]), QString("接続先： socket://192.0.2.7:9100"));
}

void TestCoreStartupSend::startUpChoiceCanEndProgram_data()
{
    QTest::addColumn<SelectionResult>("selection");
    QTest::addColumn<int>("exitStatus"); // -1: the window stays

    QTest::newRow("cancel with no printer chosen") << fakes::cancelled({}) << 0;
    QTest::newRow("cancel after a refused FILE: printer") << fakes::cancelled({"lp-file", "FILE:"}) << 0;
    QTest::newRow("no usable printer") << fakes::noUsablePrinter() << 1;
    QTest::newRow("cancel with a choice not on FILE:") << fakes::cancelled({"lp", "file:"}) << -1;
}

void TestCoreStartupSend::startUpChoiceCanEndProgram()
{
    QFETCH(SelectionResult, selection);
    QFETCH(int, exitStatus);
    CoreRig& rig = makeRig(*allVariants()[1]);

    rig.startUp(selection);

    QVERIFY(rig.core.currentPrinter().empty());
    QVERIFY(rig.window.statusTexts[0].empty());
    QCOMPARE(rig.core.startupComplete(), exitStatus < 0);
    if (exitStatus < 0) {
        QVERIFY(rig.window.closeRequests.empty());
        return;
    }
    const QStringList ended{"select printer", QString("close %1").arg(exitStatus)}; // no form button
    QCOMPARE(toList(rig.journal.entries), ended);

    // Nothing runs any more once the window was told to close (the rig fails on any question).
    rig.pages.edit("msw1", std::string("\x01\x00", 2));
    rig.core.OnDataCheck();
    rig.core.OnExit();
    rig.core.SendSettingsToPrinter();
    rig.core.SaveSettingsFile();
    rig.core.LoadSettingsFile();
    rig.core.OnSelectPrinter();
    rig.core.OnFactoryDefaults();
    QCOMPARE(toList(rig.journal.entries), ended);
}

void TestCoreStartupSend::commandsBeforePagesExistDoNotFail()
{
    // The window may pass on a close before it has created its pages.
    CoreRig& rig = makeRig(*allVariants()[2]);
    rig.core.BeginStartup();
    rig.core.OnDataCheck();
    rig.chooser.expectSave(std::nullopt);
    rig.core.SaveSettingsFile();
    rig.core.OnExit();
    QCOMPARE(rig.window.closeRequests, std::vector<int>{0});
}

void TestCoreStartupSend::factoryDefaults_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("OK") << Answer::Ok;
    QTest::newRow("Cancel") << Answer::Cancel;
}

void TestCoreStartupSend::factoryDefaults()
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
    rig.clearRecords();

    rig.window.expectQuestion(messages::kFactoryDefaultsQuestion, answer);
    rig.core.OnFactoryDefaults();

    const bool reset = answer == Answer::Ok;
    QStringList events{ask(messages::kFactoryDefaultsQuestion)};
    if (reset)
        events << "show page 0" << tell(messages::kFactoryDefaultsShown) << rig.formButtonEntry();
    QCOMPARE(toList(rig.journal.entries), events);
    QCOMPARE(rig.window.messages[0].buttons, ButtonSet::OkCancel);
    QCOMPARE(rig.window.messages[0].icon, MessageIcon::Exclamation);
    QVERIFY(rig.core.editBlock() == (reset ? rig.factoryDefaults() : edited));
    QVERIFY(rig.pages.show(rig.core.editBlock()));
    QVERIFY(rig.core.sentBlock() == sent);
    QVERIFY(rig.core.fileBlock() == rig.factoryDefaults());
    QVERIFY(rig.sendCommandEnabled()); // either copy differs from what was sent
}

void TestCoreStartupSend::sendHandsWholeBlockOnce()
{
    QFETCH(const ModelVariant*, variant);
    CoreRig& rig = makeRig(*variant);
    rig.startUp();
    rig.pages.edit("msw1", std::string("\x03\x08", 2)); // not collected yet: the send must collect it
    rig.clearRecords();

    rig.core.SendSettingsToPrinter();

    QCOMPARE(rig.spooler.queues.size(), 1u);
    const fakes::QueueRecord& queue = rig.spooler.queues.front();
    QCOMPARE(queue.queue, CoreRig::kPrinter.name);
    QCOMPARE(queue.jobTitles, std::vector<std::string>{"Knobstation Status Write"});
    QCOMPARE(queue.writes, 1);
    QCOMPARE(queue.jobEnds, 1);
    QCOMPARE(queue.bytes.size(), variant->blockLength);
    QCOMPARE(bytesOf(queue.bytes), bytesOf(rig.core.editBlock().bytes()));
    QCOMPARE(bytesOf(queue.bytes).mid(4, 2), QByteArray("\x03\x08", 2));
    QCOMPARE(toList(rig.journal.entries),
             QStringList({"open queue ferro", "close queue ferro", tell(messages::kSendSucceeded)}));
    QCOMPARE(rig.window.messages[0].icon, MessageIcon::Information);
    QVERIFY(rig.core.sentBlock() == rig.core.editBlock());
    QVERIFY(rig.core.fileBlock() == rig.factoryDefaults());
    QVERIFY(!rig.core.neverSent());
    QVERIFY(!rig.sendCommandEnabled());

    // A change enables the send command again, and undoing it disables it.
    rig.core.OnDataCheck();
    QVERIFY(!rig.sendCommandEnabled());
    const std::string sentFont(1, char(rig.core.sentBlock()[16]));
    rig.change("font1", "2");
    QVERIFY(rig.sendCommandEnabled());
    rig.change("font1", sentFont);
    QVERIFY(!rig.sendCommandEnabled());
}

void TestCoreStartupSend::failedSendKeepsPrinterCopy_data()
{
    QTest::addColumn<fakes::FailAt>("failAt");
    QTest::newRow("queue cannot be opened") << fakes::FailAt::Open;
    QTest::newRow("job cannot start") << fakes::FailAt::Start;
    QTest::newRow("write fails") << fakes::FailAt::Write;
    QTest::newRow("spooler refuses the finished job") << fakes::FailAt::End;
}

void TestCoreStartupSend::failedSendKeepsPrinterCopy()
{
    QFETCH(fakes::FailAt, failAt);
    CoreRig& rig = makeRig(*allVariants()[0]);
    rig.startUp();
    rig.change("font1", "2");
    rig.clearRecords();
    rig.spooler.failAt = failAt;

    // The printer change that follows the failure asks its own questions.
    rig.window.expectQuestion(messages::kSendBeforePrinterChange, Answer::No);
    rig.window.expectQuestion(messages::kSaveBeforePrinterChange, Answer::No);
    rig.selector.expectSelection(fakes::cancelled(CoreRig::kPrinter));
    rig.core.SendSettingsToPrinter();

    QStringList events{"open queue ferro"};
    if (failAt != fakes::FailAt::Open)
        events << "close queue ferro";
    events << tell(messages::kPrinterUnavailable) << ask(messages::kSendBeforePrinterChange)
           << ask(messages::kSaveBeforePrinterChange) << "select printer";
    QCOMPARE(toList(rig.journal.entries), events);
    QCOMPARE(rig.window.messages[0].icon, MessageIcon::Exclamation);
    QCOMPARE(rig.selector.calls.back().preset, CoreRig::kPrinter);
    QVERIFY(rig.selector.calls.back().startupComplete);
    // A started job is ended even when its write failed.
    const bool jobStarted = failAt == fakes::FailAt::Write || failAt == fakes::FailAt::End;
    if (failAt != fakes::FailAt::Open)
        QCOMPARE(rig.spooler.queues[0].jobEnds, jobStarted ? 1 : 0);
    QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
    QVERIFY(rig.core.neverSent());
    QVERIFY(rig.sendCommandEnabled());
}

void TestCoreStartupSend::onlyExactFilePortIsRefused_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<bool>("refused");
    QTest::newRow("FILE:") << "FILE:" << true;
    QTest::newRow("lower case") << "file:" << false;
    QTest::newRow("FILE: with more") << "FILE:/tmp/out" << false;
}

void TestCoreStartupSend::onlyExactFilePortIsRefused()
{
    QFETCH(QString, connection);
    QFETCH(bool, refused);
    CoreRig& rig = makeRig(*allVariants()[1]);
    rig.startUp(fakes::chosen("lp", connection.toStdString()));

    rig.core.SendSettingsToPrinter();

    const std::string_view told = refused ? messages::kFilePortCannotSend : messages::kSendSucceeded;
    QCOMPARE(messageTexts(rig.window), QStringList{toQString(told)});
    QCOMPARE(rig.window.messages[0].icon, MessageIcon::Information);
    QCOMPARE(rig.spooler.openAttempts.size(), refused ? 0u : 1u);
    QCOMPARE(rig.core.neverSent(), refused);
}

void TestCoreStartupSend::missingConnectionRunsPrinterChoiceFirst()
{
    CoreRig& rig = makeRig(*allVariants()[2]);
    rig.startUp(fakes::chosen("lp", ""));
    rig.clearRecords();

    rig.selector.expectSelection(fakes::chosen("ferro", "socket://192.0.2.7:9100"));
    rig.core.SendSettingsToPrinter();

    // The choice resets to the factory defaults, then the send goes on to the new printer.
    QCOMPARE(toList(rig.journal.entries),
             QStringList({tell(messages::kNoPrinterChosen), "select printer", "show page 0",
                          tell(messages::kFactoryDefaultsShown), rig.formButtonEntry(), "open queue ferro",
                          "close queue ferro", tell(messages::kSendSucceeded)}));
    QCOMPARE(rig.window.messages[0].icon, MessageIcon::Exclamation);
}

QTEST_GUILESS_MAIN(TestCoreStartupSend)
#include "tst_core_startup_send.moc"
