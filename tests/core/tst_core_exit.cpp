#include "core_rig.h"
#include "expected_texts.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace kbs;
using namespace kbs::test;

// The exit command, and how a closing window stops every flow that was running.
class TestCoreExit : public QObject, RigHolder {
    Q_OBJECT

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() { verifyRigAndDrop(); }

    void exitQuestions_data();
    void exitQuestions();
    void failedSendInsideFlow_data();
    void failedSendInsideFlow();

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestCoreExit::exitQuestions_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("sendFirst");
    QTest::addColumn<bool>("saveFirst");
    QTest::addColumn<QList<Answer>>("answers"); // one per question asked
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<bool>("saveChooserCancelled");
    QTest::addColumn<bool>("closes");

    const QString send = expected::kSendBeforeExit;
    const QString save = expected::kSaveBeforeExit;
    using enum Answer;
    QTest::newRow("nothing changed") << false << false << false << QList<Answer>{} << QStringList{} << false
                                     << true;
    QTest::newRow("Cancel at send") << true << false << false << QList{Cancel} << QStringList{send} << false
                                    << false;
    QTest::newRow("No, then Cancel at save")
        << true << false << false << QList{No, Cancel} << QStringList{send, save} << false << false;
    QTest::newRow("No, No") << true << false << false << QList{No, No} << QStringList{send, save} << false
                            << true;
    QTest::newRow("Yes, Yes") << true << false << false << QList{Yes, Yes} << QStringList{send, save} << false
                              << true;
    QTest::newRow("Yes, then save asked anyway")
        << true << false << false << QList{Yes, No} << QStringList{send, save} << false << true;
    QTest::newRow("sent; Yes to save, chooser cancelled")
        << true << true << false << QList{Yes} << QStringList{save} << true << true;
    QTest::newRow("saved; No to send")
        << true << false << true << QList{No} << QStringList{send} << false << true;
}

void TestCoreExit::exitQuestions()
{
    QFETCH(bool, changed);
    QFETCH(bool, sendFirst);
    QFETCH(bool, saveFirst);
    QFETCH(QList<Answer>, answers);
    QFETCH(QStringList, questions);
    QFETCH(bool, saveChooserCancelled);
    QFETCH(bool, closes);
    CoreRig& rig = makeRig(*allVariants()[2]);
    rig.startUp();
    if (changed)
        rig.pages.edit("autoReturnTime", "30"); // never collected before the exit
    if (sendFirst)
        QVERIFY(rig.sendSucceeds());
    if (saveFirst)
        QVERIFY(rig.saveSucceeds(dir_->filePath("before.dat").toStdString()));
    rig.window.messages.clear();
    const std::size_t queuesBefore = rig.spooler.queues.size();
    const SettingsBlock sentBefore = rig.core.sentBlock();
    const SettingsBlock fileBefore = rig.core.fileBlock();

    for (int i = 0; i < answers.size(); ++i)
        rig.window.expectQuestion(questions[i].toStdString(), answers[i]);
    const bool sends = questions.value(0) == expected::kSendBeforeExit && answers.value(0) == Answer::Yes;
    const bool saveYes = answers.size() == questions.size() && !questions.isEmpty() &&
                         questions.last() == expected::kSaveBeforeExit && answers.last() == Answer::Yes;
    if (saveYes)
        rig.chooser.expectSave(
            saveChooserCancelled ? std::nullopt : std::optional(dir_->filePath("exit.dat").toStdString()));
    rig.core.OnExit();

    QStringList asked;
    for (const fakes::MessageRecord& message : rig.window.messages)
        if (message.buttons != ButtonSet::Ok) {
            asked << QString::fromStdString(message.text);
            QCOMPARE(message.buttons, ButtonSet::YesNoCancel);
            QCOMPARE(message.icon, MessageIcon::Exclamation);
        }
    QCOMPARE(asked, questions);
    QCOMPARE(rig.window.closeRequests, closes ? std::vector<int>{0} : std::vector<int>{});
    QCOMPARE(rig.core.closing(), closes);
    QCOMPARE(rig.core.editBlock()[168], std::uint8_t(changed ? '3' : '1'));
    QCOMPARE(rig.spooler.queues.size(), queuesBefore + (sends ? 1 : 0));
    QVERIFY(rig.core.sentBlock() == (sends ? rig.core.editBlock() : sentBefore));
    const bool saved = saveYes && !saveChooserCancelled;
    QVERIFY(rig.core.fileBlock() == (saved ? rig.core.editBlock() : fileBefore));
    if (saved)
        QCOMPARE(readFile(dir_->filePath("exit.dat")), settingsFile(rig.variant, rig.core.editBlock()));
}

void TestCoreExit::failedSendInsideFlow_data()
{
    QTest::addColumn<bool>("fromExit"); // else from the printer command
    QTest::addColumn<bool>("printersGone");

    QTest::newRow("exit, printers gone") << true << true;
    QTest::newRow("exit, selection cancelled") << true << false;
    QTest::newRow("printer change, printers gone") << false << true;
    QTest::newRow("printer change, selection cancelled") << false << false;
}

void TestCoreExit::failedSendInsideFlow()
{
    QFETCH(bool, fromExit);
    QFETCH(bool, printersGone);
    CoreRig& rig = makeRig(*allVariants()[0]);
    rig.startUp();
    rig.change("font1", "1");
    rig.journal.entries.clear();
    rig.spooler.failAt = fakes::FailAt::Write;
    const QString ask = "ask: ";
    const QString sendQuestion = fromExit ? expected::kSendBeforeExit : expected::kSendBeforeChange;
    const QString saveQuestion = fromExit ? expected::kSaveBeforeExit : expected::kSaveBeforeChange;

    rig.window.expectQuestion(sendQuestion.toStdString(), Answer::Yes);
    // The failed send's own printer change asks its questions first.
    rig.window.expectQuestion(expected::kSendBeforeChange, Answer::No);
    rig.window.expectQuestion(expected::kSaveBeforeChange, Answer::No);
    rig.selector.expectSelection(printersGone ? fakes::noUsablePrinter()
                                              : fakes::cancelled(CoreRig::kPrinter));
    if (!printersGone) {
        rig.window.expectQuestion(saveQuestion.toStdString(), Answer::No);
        if (!fromExit)
            rig.selector.expectSelection(fakes::cancelled(CoreRig::kPrinter));
    }
    fromExit ? rig.core.OnExit() : rig.core.OnSelectPrinter();

    QStringList events{ask + sendQuestion,
                       "open queue ferro",
                       "close queue ferro",
                       QString("tell: ") + expected::kUnavailable,
                       ask + expected::kSendBeforeChange,
                       ask + expected::kSaveBeforeChange,
                       "select printer"};
    if (printersGone)
        events << "close 1"; // and nothing after it
    else
        events << ask + saveQuestion << (fromExit ? "close 0" : "select printer");
    QCOMPARE(toList(rig.journal.entries), events);
    QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
    QCOMPARE(rig.spooler.queues.front().jobEnds, 1);
}

QTEST_GUILESS_MAIN(TestCoreExit)
#include "tst_core_exit.moc"
