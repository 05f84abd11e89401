#include "core_rig.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace kbs;
using namespace kbs::test;

namespace {
// The copies before the exit or printer change: the edit copy may differ from the others.
enum class Before { Unchanged, Changed, ChangedAndSent, ChangedAndSaved };

std::string_view sendQuestion(bool exits)
{
    return exits ? messages::kSendBeforeExit : messages::kSendBeforePrinterChange;
}
std::string_view saveQuestion(bool exits)
{
    return exits ? messages::kSaveBeforeExit : messages::kSaveBeforePrinterChange;
}
Command flowCommand(bool exits)
{
    return exits ? &CommandCore::OnExit : &CommandCore::OnSelectPrinter;
}
} // namespace
Q_DECLARE_METATYPE(Before)

// The exit and the printer change after start-up: their send and save questions, the
// selection, and how a pending parameter entry or a closing window stops them.
class TestCoreFlows : public QObject, RigHolder {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void cleanup() { verifyRigAndDrop(); }

    void questionsBeforeExitOrPrinterChange_data()
    {
        QTest::addColumn<bool>("exits"); // else the printer command
        QTest::addColumn<Before>("before");
        QTest::addColumn<QList<Answer>>("answers"); // to the questions offered, in order
        using enum Answer;
        using enum Before;
        for (bool exits : {true, false}) {
            const char* flow = exits ? "exit" : "printer change";
            QTest::addRow("%s, nothing changed", flow) << exits << Unchanged << QList<Answer>{};
            QTest::addRow("%s, Cancel at send", flow) << exits << Changed << QList{Cancel};
            QTest::addRow("%s, No, then Cancel at save", flow) << exits << Changed << QList{No, Cancel};
            QTest::addRow("%s, No, No", flow) << exits << Changed << QList{No, No};
            QTest::addRow("%s, Yes, Yes", flow) << exits << Changed << QList{Yes, Yes};
            QTest::addRow("%s, sent, Yes to save", flow) << exits << ChangedAndSent << QList{Yes};
            QTest::addRow("%s, saved, No to send", flow) << exits << ChangedAndSaved << QList{No};
        }
    }
    void questionsBeforeExitOrPrinterChange()
    {
        QFETCH(bool, exits);
        QFETCH(Before, before);
        QFETCH(QList<Answer>, answers);
        CoreRig& rig = makeRig(*allVariants()[0]);
        rig.startUp();
        if (before != Before::Unchanged)
            rig.pages.edit("msw2", std::string("\x0A\x00", 2)); // left for the next step to collect
        if (before == Before::ChangedAndSent)
            QVERIFY(rig.sendSucceeds());
        if (before == Before::ChangedAndSaved)
            QVERIFY(rig.saveSucceeds(path("before.dat")));
        const SettingsBlock sentBefore = rig.core.sentBlock();
        const SettingsBlock fileBefore = rig.core.fileBlock();

        // Send is offered while the edit copy differs from the printer copy, save while from the file copy.
        QList<std::string_view> offered;
        if (before == Before::Changed || before == Before::ChangedAndSaved)
            offered << sendQuestion(exits);
        if (before == Before::Changed || before == Before::ChangedAndSent)
            offered << saveQuestion(exits);
        Script script;
        QStringList expected;
        for (qsizetype i = 0; i < answers.size(); ++i) {
            script << std::pair(offered.at(i), answers[i]);
            expected << ask(offered[i]);
            if (answers[i] == Answer::Yes && offered[i] == sendQuestion(exits)) {
                expected << rig.jobEvents() << tell(messages::kSendSucceeded);
            } else if (answers[i] == Answer::Yes) {
                rig.chooser.expectSave(path("flow.dat").toStdString());
                expected << "choose file to save";
            }
        }
        if (!answers.contains(Answer::Cancel)) {
            expected << (exits ? "close 0" : "select printer");
            if (!exits)
                rig.selector.expectSelection(fakes::cancelled(CoreRig::kPrinter));
        }
        QCOMPARE(rig.run(flowCommand(exits), script), expected);
        const SettingsBlock& edited = rig.core.editBlock();
        const bool sends = expected.contains(tell(messages::kSendSucceeded));
        const bool saves = expected.contains("choose file to save");
        QCOMPARE(edited == rig.factoryDefaults(), before == Before::Unchanged);
        QVERIFY(rig.copiesAre(edited, saves ? edited : fileBefore, sends ? edited : sentBefore));
    }

    void failedSendInsideFlow_data()
    {
        QTest::addColumn<bool>("exits");                     // else the printer command
        QTest::addColumn<SelectionResult>("innerSelection"); // run by the failed send
        QTest::newRow("exit, printers gone") << true << fakes::noUsablePrinter();
        QTest::newRow("exit, selection cancelled") << true << fakes::cancelled(CoreRig::kPrinter);
        QTest::newRow("printer change, another printer chosen")
            << false << fakes::chosen("ferro-2", "socket://192.0.2.8:9100");
    }
    void failedSendInsideFlow()
    {
        QFETCH(bool, exits);
        QFETCH(SelectionResult, innerSelection);
        CoreRig& rig = makeRig(*allVariants()[1]);
        rig.startUp();
        rig.change("font1", "1");
        rig.spooler.failAt = fakes::FailAt::Write;

        // The failed send's own printer change asks its questions first. The flow's save question
        // was decided before the first question and is asked even after a reset to the defaults.
        Script script{{sendQuestion(exits), Answer::Yes},
                      {messages::kSendBeforePrinterChange, Answer::No},
                      {messages::kSaveBeforePrinterChange, Answer::No}};
        rig.selector.expectSelection(innerSelection);
        QStringList expected = QStringList{ask(sendQuestion(exits))} + rig.jobEvents();
        expected << tell(messages::kPrinterUnavailable) << ask(messages::kSendBeforePrinterChange)
                 << ask(messages::kSaveBeforePrinterChange) << "select printer";
        if (innerSelection.end == SelectionEnd::EndProgram) {
            expected << "close 1"; // and nothing after it
        } else {
            script << std::pair(saveQuestion(exits), Answer::No);
            if (!exits)
                rig.selector.expectSelection(fakes::cancelled(innerSelection.choice));
            if (innerSelection.end == SelectionEnd::Ok)
                expected << rig.resetEvents();
            expected << ask(saveQuestion(exits)) << (exits ? "close 0" : "select printer");
        }
        QCOMPARE(rig.run(flowCommand(exits), script), expected);
        QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
    }

    void selectionAfterStartUp_data()
    {
        QTest::addColumn<SelectionResult>("selection");
        QTest::addColumn<int>("exitStatus"); // -1: the window stays
        const PrinterChoice& current = CoreRig::kPrinter;
        QTest::newRow("OK on the same printer, only one listed")
            << fakes::chosen(current.name, current.connection, 1) << -1;
        QTest::newRow("OK on another printer") << fakes::chosen("ferro-2", "lpd://ofc/", 3) << -1;
        QTest::newRow("Cancel on the current printer") << fakes::cancelled(current) << -1;
        QTest::newRow("Cancel after a refused FILE: row") << fakes::cancelled({"lp-file", "FILE:"}) << -1;
        QTest::newRow("Cancel with an empty choice") << fakes::cancelled({}) << 0;
        QTest::newRow("no usable printer any more") << fakes::noUsablePrinter() << 1;
    }
    void selectionAfterStartUp()
    {
        QFETCH(SelectionResult, selection);
        QFETCH(int, exitStatus);
        CoreRig& rig = makeRig(*allVariants()[2]);
        rig.startUp();
        rig.change("font1", "1");
        QVERIFY(rig.sendSucceeds());
        QVERIFY(rig.saveSucceeds(path("kept.dat")));
        const SettingsBlock edited = rig.core.editBlock();
        rig.window.selectTab(2);
        rig.selector.expectSelection(selection);

        // Accepting resets to the factory defaults, even for the same printer; anything else keeps all.
        const bool accepted = selection.end == SelectionEnd::Ok;
        QStringList expected{"select printer"};
        if (accepted)
            expected << rig.resetEvents();
        if (exitStatus >= 0)
            expected << QString("close %1").arg(exitStatus);
        QCOMPARE(rig.run(&CommandCore::OnSelectPrinter), expected);
        QCOMPARE(rig.selector.calls.back().preset, CoreRig::kPrinter);
        QVERIFY(rig.selector.calls.back().startupComplete);
        QVERIFY(rig.copiesAre(accepted ? rig.factoryDefaults() : edited, edited, edited));
        QVERIFY(rig.pages.show(rig.core.editBlock()));
        QCOMPARE(rig.sendCommandEnabled(), accepted);
        const PrinterChoice printer = accepted ? selection.choice : CoreRig::kPrinter;
        QCOMPARE(rig.core.currentPrinter(), printer);
        QCOMPARE(rig.window.statusTexts[0], "プリンタ名： " + printer.name);
        QCOMPARE(rig.window.statusTexts[1], "接続先： " + printer.connection);
        QCOMPARE(rig.window.commandEnabled.at(cmd::SelectPrinter), !accepted || selection.listedCount > 1);
    }

    void pendingEntryStopsFlow_data()
    {
        QTest::addColumn<const ModelVariant*>("variant");
        QTest::addColumn<Command>("command");
        QTest::addColumn<Script>("script");
        QTest::addColumn<bool>("paramTabSelected");
        using namespace messages;
        using enum Answer;
        const Command send = &CommandCore::SendSettingsToPrinter;
        const Command exit = &CommandCore::OnExit;
        const Command change = &CommandCore::OnSelectPrinter;
        const ModelVariant* variant = allVariants()[0];
        for (const ModelVariant* each : allVariants()) // the parameter tab differs
            QTest::addRow("%s, send", each->deliverable.data()) << each << send << Script{} << false;
        QTest::newRow("send, parameter tab shown") << variant << send << Script{} << true;
        QTest::newRow("save") << variant << Command(&CommandCore::SaveSettingsFile) << Script{} << false;
        QTest::newRow("exit, Yes to send") << variant << exit << Script{{kSendBeforeExit, Yes}} << false;
        QTest::newRow("exit, Yes to save")
            << variant << exit << Script{{kSendBeforeExit, No}, {kSaveBeforeExit, Yes}} << false;
        QTest::newRow("printer change, Yes to send")
            << variant << change << Script{{kSendBeforePrinterChange, Yes}} << false;
        QTest::newRow("printer change, Yes to save")
            << variant << change << Script{{kSendBeforePrinterChange, No}, {kSaveBeforePrinterChange, Yes}}
            << false;
    }
    void pendingEntryStopsFlow()
    {
        QFETCH(const ModelVariant*, variant);
        QFETCH(Command, command);
        QFETCH(Script, script);
        QFETCH(bool, paramTabSelected);
        const auto& tabs = variant->tabs;
        const auto paramTab =
            std::size_t(std::find_if(tabs.begin(), tabs.end(),
                                     [](const TabSpec& tab) { return tab.page == PageId::Param; }) -
                        tabs.begin());
        CoreRig& rig = makeRig(*variant);
        rig.startUp();
        rig.change("font2", "1");
        rig.pages.page(paramTab).pendingEntry = true;
        rig.window.selectTab(paramTabSelected ? paramTab : 4);

        // The parameter tab comes forward with the notice, and the flow ends there: no job, no
        // file chooser, no further question, no selection, no close.
        QStringList expected;
        for (const auto& [question, answer] : script)
            expected << ask(question);
        if (!paramTabSelected)
            expected << QString("show page %1").arg(paramTab);
        expected << QString("pending notice on tab %1").arg(paramTab);
        QCOMPARE(rig.run(command, script), expected);
        QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
        QVERIFY(rig.core.fileBlock() == rig.factoryDefaults());
        QVERIFY(rig.sendSucceeds()); // corrected by the notice, the send now goes through
    }
};

QTEST_GUILESS_MAIN(TestCoreFlows)
#include "tst_core_flows.moc"
