#include "core_rig.h"
#include "expected_texts.h"

#include <QtTest>

using namespace kbs;
using namespace kbs::test;

namespace {
enum class Flow { Send, Save, ExitSend, ExitSave, PrinterChangeSend, PrinterChangeSave };
}
Q_DECLARE_METATYPE(Flow)

// A parameter entry that may still grow into its range stops every send and save, and
// with them the exit and the printer change that offered them.
class TestCorePendingEntry : public QObject, RigHolder {
    Q_OBJECT

private slots:
    void cleanup() { verifyRigAndDrop(); }

    void pendingEntryStopsFlow_data();
    void pendingEntryStopsFlow();
};

void TestCorePendingEntry::pendingEntryStopsFlow_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<std::size_t>("paramTab");
    QTest::addColumn<Flow>("flow");
    QTest::addColumn<bool>("paramTabSelected");

    const std::size_t paramTabs[] = {1, 1, 2};
    const std::pair<Flow, const char*> flows[] = {
        {Flow::Send, "send"},
        {Flow::Save, "save"},
        {Flow::ExitSend, "exit, Yes to send"},
        {Flow::ExitSave, "exit, Yes to save"},
        {Flow::PrinterChangeSend, "printer change, Yes to send"},
        {Flow::PrinterChangeSave, "printer change, Yes to save"},
    };
    const auto variants = allVariants();
    for (std::size_t i = 0; i < variants.size(); ++i) {
        for (const auto& [flow, name] : flows)
            QTest::addRow("%s, %s", variants[i]->deliverable.data(), name)
                << variants[i] << paramTabs[i] << flow << false;
        QTest::addRow("%s, send, parameter tab shown", variants[i]->deliverable.data())
            << variants[i] << paramTabs[i] << Flow::Send << true;
        QTest::addRow("%s, save, parameter tab shown", variants[i]->deliverable.data())
            << variants[i] << paramTabs[i] << Flow::Save << true;
    }
}

void TestCorePendingEntry::pendingEntryStopsFlow()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(std::size_t, paramTab);
    QFETCH(Flow, flow);
    QFETCH(bool, paramTabSelected);
    CoreRig& rig = makeRig(*variant);
    rig.startUp();
    rig.change("font2", "1");
    fakes::FakePage& paramPage = rig.pages.pageOf(PageId::Param);
    QCOMPARE(&rig.pages.tab(paramTab), &paramPage);
    paramPage.pendingEntry = true;
    rig.window.selectTab(paramTabSelected ? paramTab : 4);
    rig.journal.entries.clear();

    const bool exits = flow == Flow::ExitSend || flow == Flow::ExitSave;
    const std::string sendQuestion = exits ? expected::kSendBeforeExit : expected::kSendBeforeChange;
    const std::string saveQuestion = exits ? expected::kSaveBeforeExit : expected::kSaveBeforeChange;
    switch (flow) {
    case Flow::Send:
        rig.core.SendSettingsToPrinter();
        break;
    case Flow::Save:
        rig.core.SaveSettingsFile();
        break;
    case Flow::ExitSend:
    case Flow::PrinterChangeSend:
        rig.window.expectQuestion(sendQuestion, Answer::Yes);
        exits ? rig.core.OnExit() : rig.core.OnSelectPrinter();
        break;
    case Flow::ExitSave:
    case Flow::PrinterChangeSave:
        rig.window.expectQuestion(sendQuestion, Answer::No);
        rig.window.expectQuestion(saveQuestion, Answer::Yes);
        exits ? rig.core.OnExit() : rig.core.OnSelectPrinter();
        break;
    }

    // The parameter tab comes forward with the notice, and the flow ends there: nothing
    // sent, nothing saved, no further question (the rig fails on one), no selection, no close.
    QCOMPARE(paramPage.notices, 1);
    QCOMPARE(toList(rig.journal.entries).last(), QString("pending notice on Param"));
    QCOMPARE(rig.window.shownPages, paramTabSelected ? std::vector<std::size_t>{} : std::vector{paramTab});
    QVERIFY(rig.spooler.openAttempts.empty());
    QVERIFY(rig.chooser.saveFolders.empty());
    QCOMPARE(rig.selector.calls.size(), 1u);
    QVERIFY(rig.window.closeRequests.empty());
    QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
    QVERIFY(rig.core.fileBlock() == rig.factoryDefaults());
    QVERIFY(rig.core.neverSent());

    // Corrected by the notice, the send now goes through.
    QVERIFY(rig.sendSucceeds());
}

QTEST_GUILESS_MAIN(TestCorePendingEntry)
#include "tst_core_pending_entry.moc"
