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

    void startUp_data()
    {
        QTest::addColumn<SelectionResult>("selection");
        QTest::addColumn<int>("exitStatus"); // -1: the window stays
        QTest::newRow("printer chosen") << fakes::chosen("ferro", "socket://192.0.2.7:9100") << -1;
        QTest::newRow("cancel with a choice not on FILE:") << fakes::cancelled({"lp", "file:"}) << -1;
        QTest::newRow("cancel with no printer chosen") << fakes::cancelled({}) << 0;
        QTest::newRow("cancel after a refused FILE: printer") << fakes::cancelled({"lp-file", "FILE:"}) << 0;
        QTest::newRow("no usable printer") << fakes::noUsablePrinter() << 1;
    }
    void startUp()
    {
        QFETCH(SelectionResult, selection);
        QFETCH(int, exitStatus);
        CoreRig& rig = makeRig(*allVariants()[1]);
        rig.startUp(selection);

        // The first choice asks nothing, does not reset, and comes before the form button.
        const QStringList events{"select printer", exitStatus < 0 ? rig.formButtonEntry()
                                                                  : QString("close %1").arg(exitStatus)};
        QCOMPARE(toList(rig.journal.entries), events);
        QVERIFY(rig.selector.calls[0].preset.empty() && !rig.selector.calls[0].startupComplete);
        const bool chosen = selection.end == SelectionEnd::Ok;
        QCOMPARE(rig.core.currentPrinter(), chosen ? selection.choice : PrinterChoice());
        QCOMPARE(rig.core.startupComplete(), exitStatus < 0);
        if (exitStatus < 0) {
            const SettingsBlock defaults = rig.factoryDefaults();
            QVERIFY(rig.copiesAre(defaults, defaults, defaults));
            QVERIFY(rig.pages.show(defaults));
            QVERIFY(rig.sendCommandEnabled());
            return;
        }
        // Nothing runs any more once the window was told to close (the rig fails on any question).
        rig.pages.edit("msw1", std::string("\x01\x00", 2));
        for (Command command :
             {&CommandCore::OnDataCheck, &CommandCore::OnExit, &CommandCore::SendSettingsToPrinter,
              &CommandCore::SaveSettingsFile, &CommandCore::LoadSettingsFile, &CommandCore::OnSelectPrinter,
              &CommandCore::OnFactoryDefaults})
            (rig.core.*command)();
        QCOMPARE(toList(rig.journal.entries), events);
    }

    void exitBeforePagesExist()
    {
        // The window may pass on a close before it has created its pages.
        CoreRig& rig = makeRig(*allVariants()[2]);
        rig.core.BeginStartup();
        rig.chooser.expectSave(std::nullopt);
        rig.core.SaveSettingsFile();
        QCOMPARE(rig.run(&CommandCore::OnExit), QStringList{"close 0"});
    }

    void factoryDefaults_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("OK") << Answer::Ok;
        QTest::newRow("Cancel") << Answer::Cancel;
    }
    void factoryDefaults()
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

        const bool reset = answer == Answer::Ok;
        QCOMPARE(rig.run(&CommandCore::OnFactoryDefaults, {{messages::kFactoryDefaultsQuestion, answer}}),
                 QStringList{ask(messages::kFactoryDefaultsQuestion)} +
                     (reset ? rig.resetEvents() : QStringList()));
        QVERIFY(rig.copiesAre(reset ? rig.factoryDefaults() : edited, rig.factoryDefaults(), sent));
        QVERIFY(rig.pages.show(rig.core.editBlock()));
        QVERIFY(rig.sendCommandEnabled()); // either copy differs from what was sent
    }

    void sendHandsWholeBlockOnce_data() { addVariantRows(); }
    void sendHandsWholeBlockOnce()
    {
        QFETCH(const ModelVariant*, variant);
        CoreRig& rig = makeRig(*variant);
        rig.startUp();
        rig.pages.edit("msw1", std::string("\x03\x08", 2)); // not collected yet: the send must collect it

        QCOMPARE(rig.run(&CommandCore::SendSettingsToPrinter), rig.jobEvents()
                                                                   << tell(messages::kSendSucceeded));
        QCOMPARE(bytesOf(rig.spooler.lastWrite), bytesOf(rig.core.editBlock().bytes()));
        QCOMPARE(bytesOf(rig.spooler.lastWrite).mid(4, 2), QByteArray("\x03\x08", 2));
        QVERIFY(rig.copiesAre(rig.core.editBlock(), rig.factoryDefaults(), rig.core.editBlock()));
        QVERIFY(!rig.sendCommandEnabled());

        // A change enables the send command again, and undoing it disables it.
        const std::string sentFont(1, char(rig.core.sentBlock()[16]));
        rig.change("font1", "2");
        QVERIFY(rig.sendCommandEnabled());
        rig.change("font1", sentFont);
        QVERIFY(!rig.sendCommandEnabled());
    }

    void failedSendKeepsPrinterCopy_data()
    {
        QTest::addColumn<fakes::FailAt>("failAt");
        QTest::addColumn<int>("jobSteps"); // taken by the job before the queue is closed
        // A started job is ended even when its write failed; an opened queue is always closed.
        QTest::newRow("queue cannot be opened") << fakes::FailAt::Open << 1;
        QTest::newRow("job cannot start") << fakes::FailAt::Start << 2;
        QTest::newRow("write fails") << fakes::FailAt::Write << 4;
        QTest::newRow("spooler refuses the finished job") << fakes::FailAt::End << 4;
    }
    void failedSendKeepsPrinterCopy()
    {
        QFETCH(fakes::FailAt, failAt);
        QFETCH(int, jobSteps);
        CoreRig& rig = makeRig(*allVariants()[0]);
        rig.startUp();
        rig.change("font1", "2");
        rig.spooler.failAt = failAt;

        // The printer change that follows the failure asks its own questions.
        rig.selector.expectSelection(fakes::cancelled(CoreRig::kPrinter));
        QStringList expected = rig.jobEvents().first(jobSteps);
        if (failAt != fakes::FailAt::Open)
            expected << "close queue";
        expected << tell(messages::kPrinterUnavailable) << ask(messages::kSendBeforePrinterChange)
                 << ask(messages::kSaveBeforePrinterChange) << "select printer";
        QCOMPARE(
            rig.run(&CommandCore::SendSettingsToPrinter, {{messages::kSendBeforePrinterChange, Answer::No},
                                                          {messages::kSaveBeforePrinterChange, Answer::No}}),
            expected);
        QCOMPARE(rig.selector.calls.back().preset, CoreRig::kPrinter);
        QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
        QVERIFY(rig.sendCommandEnabled());
    }

    void sendDependsOnConnection_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<bool>("refused");
        QTest::newRow("FILE:") << "FILE:" << true;
        QTest::newRow("lower case") << "file:" << false;
        QTest::newRow("FILE: with more") << "FILE:/tmp/out" << false;
        QTest::newRow("none: the printer choice comes first") << "" << false;
    }
    void sendDependsOnConnection()
    {
        QFETCH(QString, connection);
        QFETCH(bool, refused);
        CoreRig& rig = makeRig(*allVariants()[1]);
        rig.startUp(fakes::chosen("lp", connection.toStdString()));
        QStringList expected;
        if (connection.isEmpty()) {
            rig.selector.expectSelection(fakes::chosen(CoreRig::kPrinter.name, CoreRig::kPrinter.connection));
            expected << tell(messages::kNoPrinterChosen) << "select printer" << rig.resetEvents();
        }
        if (refused)
            expected << tell(messages::kFilePortCannotSend);
        else
            expected << rig.jobEvents(connection.isEmpty() ? "ferro" : "lp")
                     << tell(messages::kSendSucceeded);
        QCOMPARE(rig.run(&CommandCore::SendSettingsToPrinter), expected);
        QCOMPARE(rig.core.neverSent(), refused);
    }
};

QTEST_GUILESS_MAIN(TestCoreStartupSend)
#include "tst_core_startup_send.moc"
