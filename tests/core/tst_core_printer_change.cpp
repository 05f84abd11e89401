#include "core_rig.h"
#include "expected_texts.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace kbs;
using namespace kbs::test;

// The printer command after start-up: its questions, the selection and what follows it.
class TestCorePrinterChange : public QObject, RigHolder {
    Q_OBJECT

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() { verifyRigAndDrop(); }

    void acceptedChoiceResetsToFactoryDefaults_data();
    void acceptedChoiceResetsToFactoryDefaults();
    void questionsBeforeTheSelection_data();
    void questionsBeforeTheSelection();
    void questionsAreDecidedBeforeTheFirstIsAsked();
    void cancelledSelection_data();
    void cancelledSelection();

private:
    // Start-up, then an edit that both the printer and the file copy already hold.
    void arrangeSentAndSaved(CoreRig& rig);

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestCorePrinterChange::arrangeSentAndSaved(CoreRig& rig)
{
    rig.startUp();
    rig.change("font1", "1");
    QVERIFY(rig.sendSucceeds());
    QVERIFY(rig.saveSucceeds(dir_->filePath("kept.dat").toStdString()));
    rig.journal.entries.clear();
    rig.window.messages.clear();
}

void TestCorePrinterChange::acceptedChoiceResetsToFactoryDefaults_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<SelectionResult>("selection");
    const auto variants = allVariants();
    QTest::newRow("same printer again, only one listed")
        << variants[0] << fakes::chosen(CoreRig::kPrinter.name, CoreRig::kPrinter.connection, 1);
    QTest::newRow("another printer") << variants[1] << fakes::chosen("ferro-2", "backoffice.example", 3);
    QTest::newRow("another printer, kbs18t") << variants[2] << fakes::chosen("q18ts", "usb://ZAV/Q18TS", 2);
}

void TestCorePrinterChange::acceptedChoiceResetsToFactoryDefaults()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(SelectionResult, selection);
    CoreRig& rig = makeRig(*variant);
    arrangeSentAndSaved(rig);
    const SettingsBlock edited = rig.core.editBlock();
    rig.window.selectTab(2);

    rig.selector.expectSelection(selection);
    rig.core.OnSelectPrinter();

    QCOMPARE(rig.selector.calls.back().preset, CoreRig::kPrinter);
    QVERIFY(rig.selector.calls.back().startupComplete);
    QCOMPARE(messageTexts(rig.window), QStringList{expected::kFactoryDefaultsShown});
    QCOMPARE(rig.window.shownPages, std::vector<std::size_t>{0});
    QVERIFY(rig.core.editBlock() == rig.factoryDefaults());
    QVERIFY(rig.pages.show(rig.factoryDefaults()));
    QVERIFY(rig.core.sentBlock() == edited);
    QVERIFY(rig.core.fileBlock() == edited);
    QVERIFY(rig.sendCommandEnabled());
    QCOMPARE(rig.core.currentPrinter(), selection.choice);
    QCOMPARE(rig.window.commandEnabled.at(cmd::SelectPrinter), selection.listedCount > 1);
    QCOMPARE(QString::fromStdString(rig.window.statusTexts[0]),
             expected::kStatusNamePrefix + QString::fromStdString(selection.choice.name));
    QCOMPARE(QString::fromStdString(rig.window.statusTexts[1]),
             expected::kStatusConnectionPrefix + QString::fromStdString(selection.choice.connection));
}

void TestCorePrinterChange::questionsBeforeTheSelection_data()
{
    QTest::addColumn<bool>("sendFirst");
    QTest::addColumn<bool>("saveFirst");
    QTest::addColumn<QList<Answer>>("answers"); // one per question asked
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<bool>("selectionRuns");

    const QString send = expected::kSendBeforeChange;
    const QString save = expected::kSaveBeforeChange;
    using enum Answer;
    QTest::newRow("both differ, No, No")
        << false << false << QList{No, No} << QStringList{send, save} << true;
    QTest::newRow("both differ, Cancel") << false << false << QList{Cancel} << QStringList{send} << false;
    QTest::newRow("both differ, No, Cancel")
        << false << false << QList{No, Cancel} << QStringList{send, save} << false;
    QTest::newRow("both differ, Yes, Yes")
        << false << false << QList{Yes, Yes} << QStringList{send, save} << true;
    QTest::newRow("sent, not saved") << true << false << QList{No} << QStringList{save} << true;
    QTest::newRow("saved, not sent") << false << true << QList{No} << QStringList{send} << true;
    QTest::newRow("sent and saved") << true << true << QList<Answer>{} << QStringList{} << true;
}

void TestCorePrinterChange::questionsBeforeTheSelection()
{
    QFETCH(bool, sendFirst);
    QFETCH(bool, saveFirst);
    QFETCH(QList<Answer>, answers);
    QFETCH(QStringList, questions);
    QFETCH(bool, selectionRuns);
    CoreRig& rig = makeRig(*allVariants()[0]);
    rig.startUp();
    rig.change("msw5", std::string("\x01\x00", 2));
    rig.pages.edit("msw2", std::string("\x0A\x00", 2)); // not collected yet
    if (sendFirst)
        QVERIFY(rig.sendSucceeds());
    if (saveFirst)
        QVERIFY(rig.saveSucceeds(dir_->filePath("before.dat").toStdString()));
    rig.window.messages.clear();
    const std::size_t queuesBefore = rig.spooler.queues.size();
    SettingsBlock changed = rig.factoryDefaults();
    changed[264] = 0x01;
    changed[7] = 0x0A;

    for (int i = 0; i < answers.size(); ++i)
        rig.window.expectQuestion(questions[i].toStdString(), answers[i]);
    const bool saves = answers.size() == 2 && answers[1] == Answer::Yes;
    if (saves)
        rig.chooser.expectSave(dir_->filePath("change.dat").toStdString());
    if (selectionRuns)
        rig.selector.expectSelection(fakes::cancelled(CoreRig::kPrinter));
    rig.core.OnSelectPrinter();

    QStringList asked;
    for (const fakes::MessageRecord& message : rig.window.messages)
        if (message.buttons != ButtonSet::Ok) {
            asked << QString::fromStdString(message.text);
            QCOMPARE(message.buttons, ButtonSet::YesNoCancel);
            QCOMPARE(message.icon, MessageIcon::Exclamation);
        }
    QCOMPARE(asked, questions);
    QCOMPARE(rig.selector.calls.size(), selectionRuns ? 2u : 1u);
    QVERIFY(rig.core.editBlock() == changed);
    const bool sends = !answers.isEmpty() && answers[0] == Answer::Yes;
    QCOMPARE(rig.spooler.queues.size(), queuesBefore + (sends ? 1 : 0));
    QCOMPARE(rig.core.sentBlock() == changed, sends || sendFirst);
    QCOMPARE(rig.core.fileBlock() == changed, saves || saveFirst);
    if (saves)
        QCOMPARE(readFile(dir_->filePath("change.dat")), settingsFile(rig.variant, changed));
    QCOMPARE(rig.core.currentPrinter(), CoreRig::kPrinter);
}

void TestCorePrinterChange::questionsAreDecidedBeforeTheFirstIsAsked()
{
    // A failed send inside the printer change runs its own printer change, which resets the
    // edit copy to the defaults the file copy holds; the save question is still asked.
    CoreRig& rig = makeRig(*allVariants()[1]);
    rig.startUp();
    rig.change("font1", "1");
    rig.journal.entries.clear();
    rig.spooler.failAt = fakes::FailAt::Open;
    const QString ask = "ask: ";

    rig.window.expectQuestion(expected::kSendBeforeChange, Answer::Yes);
    rig.window.expectQuestion(expected::kSendBeforeChange, Answer::No);
    rig.window.expectQuestion(expected::kSaveBeforeChange, Answer::No);
    rig.selector.expectSelection(fakes::chosen("ferro-2", "socket://192.0.2.8:9100"));
    rig.window.expectQuestion(expected::kSaveBeforeChange, Answer::No);
    rig.selector.expectSelection(fakes::cancelled({"ferro-2", "socket://192.0.2.8:9100"}));
    rig.core.OnSelectPrinter();

    QCOMPARE(toList(rig.journal.entries),
             QStringList({ask + expected::kSendBeforeChange, "open queue ferro",
                          QString("tell: ") + expected::kUnavailable, ask + expected::kSendBeforeChange,
                          ask + expected::kSaveBeforeChange, "select printer", "show page 0",
                          QString("tell: ") + expected::kFactoryDefaultsShown, "form button on Select",
                          ask + expected::kSaveBeforeChange, "select printer"}));
    QCOMPARE(rig.core.currentPrinter(), (PrinterChoice{"ferro-2", "socket://192.0.2.8:9100"}));
    QVERIFY(rig.core.editBlock() == rig.factoryDefaults());
}

void TestCorePrinterChange::cancelledSelection_data()
{
    QTest::addColumn<SelectionResult>("selection");
    QTest::addColumn<int>("exitStatus"); // -1: the window stays
    QTest::newRow("cancel on the current printer") << fakes::cancelled(CoreRig::kPrinter) << -1;
    QTest::newRow("cancel after a refused FILE: row") << fakes::cancelled({"lp-file", "FILE:"}) << -1;
    QTest::newRow("cancel with an empty choice") << fakes::cancelled({}) << 0;
    QTest::newRow("no usable printer any more") << fakes::noUsablePrinter() << 1;
}

void TestCorePrinterChange::cancelledSelection()
{
    QFETCH(SelectionResult, selection);
    QFETCH(int, exitStatus);
    CoreRig& rig = makeRig(*allVariants()[2]);
    arrangeSentAndSaved(rig);
    const SettingsBlock edited = rig.core.editBlock();
    const auto statusTexts = rig.window.statusTexts;
    const int printerCommandUpdates = rig.window.commandUpdates[cmd::SelectPrinter];

    rig.selector.expectSelection(selection);
    rig.core.OnSelectPrinter();

    QCOMPARE(toList(rig.journal.entries).first(), QString("select printer"));
    QVERIFY(rig.window.messages.empty());
    QVERIFY(rig.core.editBlock() == edited);
    QVERIFY(rig.core.sentBlock() == edited);
    QVERIFY(rig.core.fileBlock() == edited);
    QCOMPARE(rig.core.currentPrinter(), CoreRig::kPrinter);
    QCOMPARE(rig.window.statusTexts, statusTexts);
    QCOMPARE(rig.window.commandUpdates[cmd::SelectPrinter], printerCommandUpdates);
    QCOMPARE(rig.window.closeRequests, exitStatus < 0 ? std::vector<int>{} : std::vector<int>{exitStatus});
}

QTEST_GUILESS_MAIN(TestCorePrinterChange)
#include "tst_core_printer_change.moc"
