#include "core_rig.h"
#include "expected_texts.h"

#include <QtTest>

using namespace kbs;
using namespace kbs::test;

Q_DECLARE_METATYPE(kbs::fakes::FailAt)

// Sending the edit copy as one raw job.
class TestCoreSend : public QObject, RigHolder {
    Q_OBJECT

private slots:
    void cleanup() { verifyRigAndDrop(); }

    void successfulSendHandsWholeBlockOnce_data();
    void successfulSendHandsWholeBlockOnce();
    void failedSendKeepsPrinterCopy_data();
    void failedSendKeepsPrinterCopy();
    void onlyExactFilePortIsRefused_data();
    void onlyExactFilePortIsRefused();
    void missingConnectionRunsPrinterChoiceFirst_data();
    void missingConnectionRunsPrinterChoiceFirst();
};

void TestCoreSend::successfulSendHandsWholeBlockOnce_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<int>("blockLength");
    const int lengths[] = {273, 190, 186};
    const auto variants = allVariants();
    for (std::size_t i = 0; i < variants.size(); ++i)
        QTest::newRow(variants[i]->deliverable.data()) << variants[i] << lengths[i];
}

void TestCoreSend::successfulSendHandsWholeBlockOnce()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(int, blockLength);
    CoreRig& rig = makeRig(*variant);
    rig.startUp();
    // Changed on the page but not yet collected: the send must collect it.
    rig.pages.edit("msw1", std::string("\x03\x08", 2));

    rig.core.SendSettingsToPrinter();

    QCOMPARE(rig.spooler.queues.size(), 1u);
    const fakes::QueueRecord& queue = rig.spooler.queues.front();
    QCOMPARE(queue.queue, CoreRig::kPrinter.name);
    QCOMPARE(queue.jobTitles, std::vector<std::string>{expected::kJobTitle});
    QCOMPARE(queue.writes, 1);
    QCOMPARE(queue.jobEnds, 1);
    QVERIFY(queue.closed);
    QCOMPARE(int(queue.bytes.size()), blockLength);
    QCOMPARE(bytesOf(queue.bytes), bytesOf(rig.core.editBlock()));
    QCOMPARE(bytesOf(queue.bytes).mid(4, 2), QByteArray("\x03\x08", 2));

    QCOMPARE(messageTexts(rig.window), QStringList{expected::kSent});
    QCOMPARE(rig.window.messages[0].icon, MessageIcon::Information);
    QVERIFY(rig.core.sentBlock() == rig.core.editBlock());
    QVERIFY(rig.core.fileBlock() == rig.factoryDefaults());
    QVERIFY(!rig.core.neverSent());
    QVERIFY(!rig.sendCommandEnabled());
}

void TestCoreSend::failedSendKeepsPrinterCopy_data()
{
    QTest::addColumn<fakes::FailAt>("failAt");
    QTest::addColumn<bool>("jobStarted");
    QTest::newRow("queue cannot be opened") << fakes::FailAt::Open << false;
    QTest::newRow("job cannot start") << fakes::FailAt::Start << false;
    QTest::newRow("write fails") << fakes::FailAt::Write << true;
    QTest::newRow("spooler refuses the finished job") << fakes::FailAt::End << true;
}

void TestCoreSend::failedSendKeepsPrinterCopy()
{
    QFETCH(fakes::FailAt, failAt);
    QFETCH(bool, jobStarted);
    CoreRig& rig = makeRig(*allVariants()[0]);
    rig.startUp();
    rig.change("font1", "2");
    rig.journal.entries.clear();
    rig.spooler.failAt = failAt;

    // The printer change that follows the failure asks its own questions.
    rig.window.expectQuestion(expected::kSendBeforeChange, Answer::No);
    rig.window.expectQuestion(expected::kSaveBeforeChange, Answer::No);
    rig.selector.expectSelection(fakes::cancelled(CoreRig::kPrinter));
    rig.core.SendSettingsToPrinter();

    QStringList events{"open queue ferro"};
    if (failAt != fakes::FailAt::Open)
        events << "close queue ferro";
    events << QString("tell: ") + expected::kUnavailable << QString("ask: ") + expected::kSendBeforeChange
           << QString("ask: ") + expected::kSaveBeforeChange << "select printer";
    QCOMPARE(toList(rig.journal.entries), events);
    QCOMPARE(rig.window.messages[0].icon, MessageIcon::Exclamation);
    QCOMPARE(rig.selector.calls.back().preset, CoreRig::kPrinter);
    QVERIFY(rig.selector.calls.back().startupComplete);

    if (failAt != fakes::FailAt::Open) {
        QCOMPARE(rig.spooler.queues.size(), 1u);
        QCOMPARE(rig.spooler.queues[0].jobEnds, jobStarted ? 1 : 0);
        QCOMPARE(rig.spooler.queues[0].writes, jobStarted ? 1 : 0);
    }
    QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
    QVERIFY(!(rig.core.editBlock() == rig.core.sentBlock()));
    QVERIFY(rig.core.neverSent());
    QVERIFY(rig.sendCommandEnabled());
    QCOMPARE(rig.core.currentPrinter(), CoreRig::kPrinter);
}

void TestCoreSend::onlyExactFilePortIsRefused_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<bool>("refused");
    QTest::newRow("FILE:") << "FILE:" << true;
    QTest::newRow("lower case") << "file:" << false;
    QTest::newRow("file URI") << "file:///dev/null" << false;
    QTest::newRow("FILE: with more") << "FILE:/tmp/out" << false;
}

void TestCoreSend::onlyExactFilePortIsRefused()
{
    QFETCH(QString, connection);
    QFETCH(bool, refused);
    CoreRig& rig = makeRig(*allVariants()[1]);
    rig.startUp(fakes::chosen("lp", connection.toStdString()));

    rig.core.SendSettingsToPrinter();

    if (refused) {
        QCOMPARE(messageTexts(rig.window), QStringList{expected::kFilePort});
        QCOMPARE(rig.window.messages[0].icon, MessageIcon::Information);
        QVERIFY(rig.spooler.openAttempts.empty());
        QVERIFY(rig.core.neverSent());
    } else {
        QCOMPARE(messageTexts(rig.window), QStringList{expected::kSent});
        QCOMPARE(rig.spooler.openAttempts, std::vector<std::string>{"lp"});
    }
}

void TestCoreSend::missingConnectionRunsPrinterChoiceFirst_data()
{
    QTest::addColumn<bool>("printersGone");
    QTest::newRow("another printer chosen") << false;
    QTest::newRow("no usable printer left") << true;
}

void TestCoreSend::missingConnectionRunsPrinterChoiceFirst()
{
    QFETCH(bool, printersGone);
    CoreRig& rig = makeRig(*allVariants()[2]);
    rig.startUp(fakes::chosen("lp", ""));
    rig.journal.entries.clear();

    rig.selector.expectSelection(printersGone ? fakes::noUsablePrinter()
                                              : fakes::chosen("ferro", "socket://192.0.2.7:9100"));
    rig.core.SendSettingsToPrinter();

    QCOMPARE(rig.window.messages[0].icon, MessageIcon::Exclamation);
    if (printersGone) {
        QCOMPARE(toList(rig.journal.entries),
                 QStringList({QString("tell: ") + expected::kNoPrinter, "select printer", "close 1"}));
        return;
    }
    // The choice resets to the factory defaults, and the send then goes on to the new printer.
    QCOMPARE(toList(rig.journal.entries),
             QStringList({QString("tell: ") + expected::kNoPrinter, "select printer", "show page 0",
                          QString("tell: ") + expected::kFactoryDefaultsShown, "form button on Form",
                          "open queue ferro", "close queue ferro", QString("tell: ") + expected::kSent}));
    QCOMPARE(rig.spooler.queues.size(), 1u);
    QVERIFY(rig.core.sentBlock() == rig.factoryDefaults());
}

QTEST_GUILESS_MAIN(TestCoreSend)
#include "tst_core_send.moc"
