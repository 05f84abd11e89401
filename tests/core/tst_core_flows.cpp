#include "core/messages.h"
#include "core_rig.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace kbs;
using namespace kbs::test;

namespace {
enum class Flow { Send, Save, ExitSend, ExitSave, ChangeSend, ChangeSave };

std::string_view sendQuestion(bool exits)
{
    return exits ? messages::kSendBeforeExit : messages::kSendBeforePrinterChange;
}

std::string_view saveQuestion(bool exits)
{
    return exits ? messages::kSaveBeforeExit : messages::kSaveBeforePrinterChange;
}
} // namespace
Q_DECLARE_METATYPE(Flow)

// The exit and the printer change after start-up: their send and save questions, the
// selection, and how a pending parameter entry or a closing window stops them.
class TestCoreFlows : public QObject, RigHolder {
    Q_OBJECT

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() { verifyRigAndDrop(); }

    void questionsBeforeExitOrPrinterChange_data();
    void questionsBeforeExitOrPrinterChange();
    void failedSendInsideFlow_data();
    void failedSendInsideFlow();
    void selectionAfterStartUp_data();
    void selectionAfterStartUp();
    void pendingEntryStopsFlow_data();
    void pendingEntryStopsFlow();

private:
    std::string path(const QString& name) const { return dir_->filePath(name).toStdString(); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestCoreFlows::questionsBeforeExitOrPrinterChange_data()
{
    QTest::addColumn<bool>("exits"); // else the printer command
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("sendFirst");
    QTest::addColumn<bool>("saveFirst");
    QTest::addColumn<QStringList>("asked"); // "send", "save"
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("chooserCancelled");
    QTest::addColumn<bool>("proceeds"); // to the close or the selection

    using enum Answer;
    const auto add = [](const char* name, bool changed, bool sendFirst, bool saveFirst, QStringList asked,
                        QList<Answer> answers, bool chooserCancelled, bool proceeds) {
        for (bool exits : {true, false})
            QTest::addRow("%s, %s", exits ? "exit" : "printer change", name)
                << exits << changed << sendFirst << saveFirst << asked << answers << chooserCancelled
                << proceeds;
    };
    add("nothing changed", false, false, false, {}, {}, false, true);
    add("Cancel at send", true, false, false, {"send"}, {Cancel}, false, false);
    add("No, then Cancel at save", true, false, false, {"send", "save"}, {No, Cancel}, false, false);
    add("No, No", true, false, false, {"send", "save"}, {No, No}, false, true);
    add("Yes, Yes", true, false, false, {"send", "save"}, {Yes, Yes}, false, true);
    add("sent; Yes to save, chooser cancelled", true, true, false, {"save"}, {Yes}, true, true);
    add("saved; No to send", true, false, true, {"send"}, {No}, false, true);
}

void TestCoreFlows::questionsBeforeExitOrPrinterChange()
{
    QFETCH(bool, exits);
    QFETCH(bool, changed);
    QFETCH(bool, sendFirst);
    QFETCH(bool, saveFirst);
    QFETCH(QStringList, asked);
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, chooserCancelled);
    QFETCH(bool, proceeds);
    CoreRig& rig = makeRig(*allVariants()[exits ? 2 : 0]);
    rig.startUp();
    if (changed)
        rig.pages.edit("msw2", std::string("\x0A\x00", 2)); // left for the flow to collect
    if (sendFirst)
        QVERIFY(rig.sendSucceeds());
    if (saveFirst)
        QVERIFY(rig.saveSucceeds(path("before.dat")));
    rig.clearRecords();
    const std::size_t queuesBefore = rig.spooler.queues.size();
    const SettingsBlock sentBefore = rig.core.sentBlock();
    const SettingsBlock fileBefore = rig.core.fileBlock();

    QStringList questions;
    for (qsizetype i = 0; i < asked.size(); ++i) {
        const std::string_view question = asked[i] == "send" ? sendQuestion(exits) : saveQuestion(exits);
        rig.window.expectQuestion(question, answers[i]);
        questions << toQString(question);
    }
    const bool sends = asked.value(0) == "send" && answers.value(0) == Answer::Yes;
    const bool saveYes = asked.contains("save") && answers[asked.indexOf("save")] == Answer::Yes;
    if (saveYes)
        rig.chooser.expectSave(chooserCancelled ? std::nullopt : std::optional(path("flow.dat")));
    if (proceeds && !exits)
        rig.selector.expectSelection(fakes::cancelled(CoreRig::kPrinter));
    exits ? rig.core.OnExit() : rig.core.OnSelectPrinter();

    QStringList shownQuestions;
    for (const fakes::MessageRecord& message : rig.window.messages)
        if (message.buttons != ButtonSet::Ok) {
            shownQuestions << toQString(message.text);
            QCOMPARE(message.buttons, ButtonSet::YesNoCancel);
            QCOMPARE(message.icon, MessageIcon::Exclamation);
        }
    QCOMPARE(shownQuestions, questions);
    QCOMPARE(rig.window.closeRequests, exits && proceeds ? std::vector<int>{0} : std::vector<int>{});
    QCOMPARE(rig.selector.calls.size(), !exits && proceeds ? 2u : 1u);
    QCOMPARE(rig.core.editBlock() == rig.factoryDefaults(), !changed);
    QCOMPARE(rig.spooler.queues.size(), queuesBefore + (sends ? 1 : 0));
    QVERIFY(rig.core.sentBlock() == (sends ? rig.core.editBlock() : sentBefore));
    const bool saved = saveYes && !chooserCancelled;
    QVERIFY(rig.core.fileBlock() == (saved ? rig.core.editBlock() : fileBefore));
    if (saved)
        QCOMPARE(readFile(QString::fromStdString(path("flow.dat"))),
                 settingsFile(rig.variant, rig.core.editBlock()));
}

void TestCoreFlows::failedSendInsideFlow_data()
{
    QTest::addColumn<bool>("exits");                     // else the printer command
    QTest::addColumn<SelectionResult>("innerSelection"); // run by the failed send

    QTest::newRow("exit, printers gone") << true << fakes::noUsablePrinter();
    QTest::newRow("exit, selection cancelled") << true << fakes::cancelled(CoreRig::kPrinter);
    QTest::newRow("printer change, printers gone") << false << fakes::noUsablePrinter();
    QTest::newRow("printer change, another printer chosen")
        << false << fakes::chosen("ferro-2", "socket://192.0.2.8:9100");
}

void TestCoreFlows::failedSendInsideFlow()
{
    QFETCH(bool, exits);
    QFETCH(SelectionResult, innerSelection);
    CoreRig& rig = makeRig(*allVariants()[1]);
    rig.startUp();
    rig.change("font1", "1");
    rig.clearRecords();
    rig.spooler.failAt = fakes::FailAt::Write;
    const bool printersGone = innerSelection.end == SelectionEnd::EndProgram;

    // The failed send's own printer change asks its questions first. The flow's save question
    // was decided before the first question and is asked even after a reset to the defaults.
    rig.window.expectQuestion(sendQuestion(exits), Answer::Yes);
    rig.window.expectQuestion(messages::kSendBeforePrinterChange, Answer::No);
    rig.window.expectQuestion(messages::kSaveBeforePrinterChange, Answer::No);
    rig.selector.expectSelection(innerSelection);
    if (!printersGone) {
        rig.window.expectQuestion(saveQuestion(exits), Answer::No);
        if (!exits)
            rig.selector.expectSelection(fakes::cancelled(innerSelection.choice));
    }
    exits ? rig.core.OnExit() : rig.core.OnSelectPrinter();

    QStringList events{ask(sendQuestion(exits)),
                       "open queue ferro",
                       "close queue ferro",
                       tell(messages::kPrinterUnavailable),
                       ask(messages::kSendBeforePrinterChange),
                       ask(messages::kSaveBeforePrinterChange),
                       "select printer"};
    if (printersGone) {
        events << "close 1"; // and nothing after it
    } else {
        if (innerSelection.end == SelectionEnd::Ok)
            events << "show page 0" << tell(messages::kFactoryDefaultsShown) << rig.formButtonEntry();
        events << ask(saveQuestion(exits)) << (exits ? "close 0" : "select printer");
        QCOMPARE(rig.core.currentPrinter(), innerSelection.choice);
    }
    QCOMPARE(toList(rig.journal.entries), events);
    QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
}

void TestCoreFlows::selectionAfterStartUp_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<SelectionResult>("selection");
    QTest::addColumn<int>("exitStatus"); // -1: the window stays
    const auto variants = allVariants();
    QTest::newRow("OK on the same printer, only one listed")
        << variants[0] << fakes::chosen(CoreRig::kPrinter.name, CoreRig::kPrinter.connection, 1) << -1;
    QTest::newRow("OK on another printer, kbs62d")
        << variants[1] << fakes::chosen("ferro-2", "lpd://ofc/", 3) << -1;
    QTest::newRow("OK on another printer, kbs18t")
        << variants[2] << fakes::chosen("q18ts", "usb://ZAV/Q18TS") << -1;
    QTest::newRow("Cancel on the current printer")
        << variants[2] << fakes::cancelled(CoreRig::kPrinter) << -1;
    QTest::newRow("Cancel after a refused FILE: row")
        << variants[2] << fakes::cancelled({"lp-file", "FILE:"}) << -1;
    QTest::newRow("Cancel with an empty choice") << variants[2] << fakes::cancelled({}) << 0;
    QTest::newRow("no usable printer any more") << variants[2] << fakes::noUsablePrinter() << 1;
}

void TestCoreFlows::selectionAfterStartUp()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(SelectionResult, selection);
    QFETCH(int, exitStatus);
    CoreRig& rig = makeRig(*variant);
    rig.startUp();
    rig.change("font1", "1");
    QVERIFY(rig.sendSucceeds());
    QVERIFY(rig.saveSucceeds(path("kept.dat")));
    const SettingsBlock edited = rig.core.editBlock();
    rig.clearRecords();
    rig.window.selectTab(2);

    rig.selector.expectSelection(selection);
    rig.core.OnSelectPrinter();

    // Accepting resets to the factory defaults, even for the same printer; anything else keeps all.
    const bool accepted = selection.end == SelectionEnd::Ok;
    QStringList events{"select printer"};
    if (accepted)
        events << "show page 0" << tell(messages::kFactoryDefaultsShown) << rig.formButtonEntry();
    if (exitStatus >= 0)
        events << QString("close %1").arg(exitStatus);
    QCOMPARE(toList(rig.journal.entries), events);
    QCOMPARE(rig.selector.calls.back().preset, CoreRig::kPrinter);
    QVERIFY(rig.selector.calls.back().startupComplete);
    QVERIFY(rig.core.editBlock() == (accepted ? rig.factoryDefaults() : edited));
    QVERIFY(rig.pages.show(rig.core.editBlock()));
    QVERIFY(rig.core.sentBlock() == edited);
    QVERIFY(rig.core.fileBlock() == edited);
    QCOMPARE(rig.sendCommandEnabled(), accepted);
    const PrinterChoice printer = accepted ? selection.choice : CoreRig::kPrinter;
    QCOMPARE(rig.core.currentPrinter(), printer);
    QCOMPARE(rig.window.statusTexts[0], "プリンタ名： " + printer.name);
    QCOMPARE(rig.window.statusTexts[1], "接続先： " + printer.connection);
    QCOMPARE(rig.window.commandEnabled.at(cmd::SelectPrinter), !accepted || selection.listedCount > 1);
}

void TestCoreFlows::pendingEntryStopsFlow_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<Flow>("flow");
    QTest::addColumn<bool>("paramTabSelected");

    const std::pair<Flow, const char*> flows[] = {
        {Flow::Send, "send"},
        {Flow::Save, "save"},
        {Flow::ExitSend, "exit, Yes to send"},
        {Flow::ExitSave, "exit, Yes to save"},
        {Flow::ChangeSend, "printer change, Yes to send"},
        {Flow::ChangeSave, "printer change, Yes to save"},
    };
    for (const ModelVariant* variant : allVariants()) {
        for (const auto& [flow, name] : flows)
            QTest::addRow("%s, %s", variant->deliverable.data(), name) << variant << flow << false;
        QTest::addRow("%s, send, parameter tab shown", variant->deliverable.data())
            << variant << Flow::Send << true;
    }
}

void TestCoreFlows::pendingEntryStopsFlow()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(Flow, flow);
    QFETCH(bool, paramTabSelected);
    const auto& tabs = variant->tabs;
    const auto paramTab = std::size_t(
        std::find_if(tabs.begin(), tabs.end(), [](const TabSpec& tab) { return tab.page == PageId::Param; }) -
        tabs.begin());
    CoreRig& rig = makeRig(*variant);
    rig.startUp();
    rig.change("font2", "1");
    rig.pages.tab(paramTab).pendingEntry = true;
    rig.window.selectTab(paramTabSelected ? paramTab : 4);
    rig.clearRecords();

    const bool exits = flow == Flow::ExitSend || flow == Flow::ExitSave;
    const bool savesInFlow = flow == Flow::ExitSave || flow == Flow::ChangeSave;
    QStringList events;
    if (flow == Flow::Send) {
        rig.core.SendSettingsToPrinter();
    } else if (flow == Flow::Save) {
        rig.core.SaveSettingsFile();
    } else {
        rig.window.expectQuestion(sendQuestion(exits), savesInFlow ? Answer::No : Answer::Yes);
        events << ask(sendQuestion(exits));
        if (savesInFlow) {
            rig.window.expectQuestion(saveQuestion(exits), Answer::Yes);
            events << ask(saveQuestion(exits));
        }
        exits ? rig.core.OnExit() : rig.core.OnSelectPrinter();
    }

    // The parameter tab comes forward with the notice, and the flow ends there: no job, no
    // file chooser, no further question, no selection, no close.
    if (!paramTabSelected)
        events << QString("show page %1").arg(paramTab);
    events << QString("pending notice on tab %1").arg(paramTab);
    QCOMPARE(toList(rig.journal.entries), events);
    QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
    QVERIFY(rig.core.fileBlock() == rig.factoryDefaults());

    // Corrected by the notice, the send now goes through.
    QVERIFY(rig.sendSucceeds());
}

QTEST_GUILESS_MAIN(TestCoreFlows)
#include "tst_core_flows.moc"
