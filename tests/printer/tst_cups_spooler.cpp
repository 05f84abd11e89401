#include "printer/cups_printer_list.h"
#include "printer/cups_spooler.h"

#include "send_rig.h"
#include "support/private_cups.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QElapsedTimer>
#include <QTest>

#include <cups/cups.h>

#include <memory>

using namespace kbs;
using kbs::test::PrivateCups;
using kbs::test::SendRig;

Q_DECLARE_METATYPE(const kbs::ModelVariant*)

namespace {

const QString kJobTitle = QStringLiteral("Knobstation Status Write");
const QString kSent = QStringLiteral("プリンタに設定値を送信しました。");
const QString kUnavailable = QStringLiteral(
    "指定されたプリンタは、現在接続されていないか、プリンタ使用権の制限により使用できません。");
// However the spooler fails, the user hears of it well within this.
constexpr qint64 kPromptFailureMs = 10000;
constexpr int kDeliveryTimeoutMs = 10000;

const std::vector<const ModelVariant*> kVariants = {&kbs18r::variant(), &kbs62d::variant(),
                                                    &kbs18t::variant()};

QString queueFor(std::string_view model)
{
    return QString::fromUtf8(model.data(), qsizetype(model.size()))
        .replace(QLatin1Char(' '), QLatin1Char('_'));
}

QByteArray bytesOf(const SettingsBlock& block)
{
    return QByteArray(reinterpret_cast<const char*>(block.data()), qsizetype(block.size()));
}

QStringList texts(const std::vector<std::string>& messages)
{
    QStringList list;
    for (const std::string& message : messages)
        list << QString::fromStdString(message);
    return list;
}

struct JobSeen {
    QString title;
    ipp_jstate_t state;
};

QList<JobSeen> jobsOf(const QString& queue)
{
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    QList<JobSeen> seen;
    for (int i = 0; i < count; ++i)
        seen.append({QString::fromUtf8(jobs[i].title), jobs[i].state});
    cupsFreeJobs(count, jobs);
    return seen;
}

} // namespace

class TestCupsSpooler : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { cups_.reset(); }

    void rawJobPassesEveryQueueUnchanged_data();
    void rawJobPassesEveryQueueUnchanged();
    void sendDeliversTheEditBlock_data();
    void sendDeliversTheEditBlock();
    void stoppedQueueKeepsTheJobUntilResumed();
    void failedSendLeavesSentBlockAndSelectsAgain_data();
    void failedSendLeavesSentBlockAndSelectsAgain();
    void unknownQueueCannotBeOpened();
    void hungSpoolerFailsAfterTheTimeout();
    // Stops the spooler: keep it last.
    void sendWithoutSpoolerFailsPromptly();

private:
    std::unique_ptr<PrivateCups> cups_;
};

void TestCupsSpooler::initTestCase()
{
    cups_ = std::make_unique<PrivateCups>();
    QVERIFY2(cups_->failure().isEmpty(), qPrintable(cups_->failure()));
    for (const ModelVariant* variant : kVariants) {
        for (std::string_view model : variant->acceptedModels)
            QVERIFY(cups_->addSimulatedQueue(queueFor(model),
                                             QString::fromUtf8(model.data(), qsizetype(model.size()))));
    }
}

// A PostScript header, which would send the job through filters if it were typed by content,
// and every byte value.
void TestCupsSpooler::rawJobPassesEveryQueueUnchanged_data()
{
    QTest::addColumn<QString>("queue");
    for (const ModelVariant* variant : kVariants) {
        for (std::string_view model : variant->acceptedModels)
            QTest::newRow(model.data()) << queueFor(model);
    }
}

void TestCupsSpooler::rawJobPassesEveryQueueUnchanged()
{
    QFETCH(QString, queue);
    QByteArray bytes("%!PS-Adobe-3.0\n");
    for (int value = 0; value < 256; ++value)
        bytes.append(char(value));
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                             std::size_t(bytes.size()));
    const qsizetype before = cups_->receivedJobs(queue).size();

    CupsSpooler spooler;
    {
        const std::unique_ptr<OpenQueue> open = spooler.openForUse(queue.toStdString());
        QVERIFY(open);
        QVERIFY(open->startRawJob("raw check"));
        QVERIFY(open->writeData(data));
        QVERIFY(open->endJob());
    }

    const QList<QByteArray> jobs = cups_->receivedJobs(queue, int(before) + 1, kDeliveryTimeoutMs);
    QCOMPARE(jobs.size(), before + 1);
    QCOMPARE(jobs.last(), bytes);
}

void TestCupsSpooler::sendDeliversTheEditBlock_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    for (const ModelVariant* variant : kVariants)
        QTest::newRow(variant->deliverable.data()) << variant;
}

void TestCupsSpooler::sendDeliversTheEditBlock()
{
    QFETCH(const ModelVariant*, variant);
    const QString queue = queueFor(variant->acceptedModels.back());
    QVERIFY(cups_->administer("cancel", {"-a", "-x", queue}));
    const qsizetype before = cups_->receivedJobs(queue).size();
    SendRig rig(*variant, {queue.toStdString(), "socket://127.0.0.1"});
    rig.core().CollectPages();
    QVERIFY(rig.core().editBlock() != SettingsBlock(variant->factoryDefaults));

    rig.core().SendSettingsToPrinter();

    QCOMPARE(texts(rig.messageTexts()), QStringList{kSent});
    QCOMPARE(bytesOf(rig.core().sentBlock()), bytesOf(rig.core().editBlock()));
    const QList<QByteArray> delivered = cups_->receivedJobs(queue, int(before) + 1, kDeliveryTimeoutMs);
    QCOMPARE(delivered.size(), before + 1);
    QCOMPARE(delivered.last().size(), qsizetype(variant->blockLength));
    QCOMPARE(delivered.last(), bytesOf(rig.core().editBlock()));
    const QList<JobSeen> jobs = jobsOf(queue);
    QCOMPARE(jobs.size(), 1);
    QCOMPARE(jobs.front().title, kJobTitle);
}

// A stopped queue is like a paused printer: the job waits in the spooler, and the send is done.
void TestCupsSpooler::stoppedQueueKeepsTheJobUntilResumed()
{
    const QString queue = QStringLiteral("paused");
    QVERIFY(cups_->addSimulatedQueue(queue, "ZAV Ferrostrike Q18TS"));
    QVERIFY(cups_->administer("cupsdisable", {queue}));
    SendRig rig(kbs18t::variant(), {queue.toStdString(), "socket://127.0.0.1"});

    rig.core().SendSettingsToPrinter();

    QCOMPARE(texts(rig.messageTexts()), QStringList{kSent});
    QCOMPARE(bytesOf(rig.core().sentBlock()), bytesOf(rig.core().editBlock()));
    const QList<JobSeen> waiting = jobsOf(queue);
    QCOMPARE(waiting.size(), 1);
    QCOMPARE(waiting.front().state, IPP_JSTATE_PENDING);
    QVERIFY(cups_->receivedJobs(queue).isEmpty());

    QVERIFY(cups_->administer("cupsenable", {queue}));
    const QList<QByteArray> delivered = cups_->receivedJobs(queue, 1, kDeliveryTimeoutMs);
    QCOMPARE(delivered, QList<QByteArray>{bytesOf(rig.core().editBlock())});
}

void TestCupsSpooler::failedSendLeavesSentBlockAndSelectsAgain_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("queue deleted after it was chosen") << "deleted"
                                                       << "lpadmin" << QStringList{"-x", "deleted"};
    QTest::newRow("queue rejecting jobs") << "rejecting"
                                          << "cupsreject" << QStringList{"rejecting"};
}

void TestCupsSpooler::failedSendLeavesSentBlockAndSelectsAgain()
{
    QFETCH(QString, queue);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QVERIFY(cups_->addSimulatedQueue(queue, "ZAV Ferrostrike P62DW"));
    SendRig rig(kbs62d::variant(), {queue.toStdString(), "socket://127.0.0.1"});
    const SettingsBlock sentBefore = rig.core().sentBlock();
    QVERIFY(cups_->administer(program, arguments));

    QElapsedTimer elapsed;
    elapsed.start();
    rig.core().SendSettingsToPrinter();

    QVERIFY(elapsed.elapsed() < kPromptFailureMs);
    QVERIFY(!rig.messages().empty());
    QCOMPARE(QString::fromStdString(rig.messages().front().text), kUnavailable);
    QCOMPARE(rig.messages().front().icon, MessageIcon::Exclamation);
    QCOMPARE(rig.selections(), 2);
    QVERIFY(rig.core().sentBlock() == sentBefore);
    QVERIFY(rig.core().editBlock() != sentBefore);
    QVERIFY(jobsOf(queue).isEmpty());
    QVERIFY(cups_->receivedJobs(queue).isEmpty());
}

void TestCupsSpooler::unknownQueueCannotBeOpened()
{
    CupsSpooler spooler;
    QVERIFY(!spooler.openForUse("no_such_queue"));
    QVERIFY(!spooler.openForUse(""));
}

void TestCupsSpooler::hungSpoolerFailsAfterTheTimeout()
{
    constexpr std::chrono::milliseconds timeout{300};
    const std::string queue = queueFor(kbs18r::variant().acceptedModels.front()).toStdString();
    QVERIFY(CupsSpooler(timeout).openForUse(queue));
    QVERIFY(!CupsPrinterList(timeout).usablePrinters(kbs18r::variant()).empty());
    QVERIFY(cups_->pauseDaemon());

    QElapsedTimer elapsed;
    elapsed.start();
    const bool opened = CupsSpooler(timeout).openForUse(queue) != nullptr;
    const std::vector<PrinterChoice> listed = CupsPrinterList(timeout).usablePrinters(kbs18r::variant());
    const qint64 took = elapsed.elapsed();
    QVERIFY(cups_->resumeDaemon());

    QVERIFY(!opened);
    QVERIFY(listed.empty());
    QVERIFY2(took < kPromptFailureMs, qPrintable(QString::number(took)));
}

void TestCupsSpooler::sendWithoutSpoolerFailsPromptly()
{
    const QString queue = queueFor(kbs18r::variant().acceptedModels.front());
    SendRig rig(kbs18r::variant(), {queue.toStdString(), "socket://127.0.0.1"});
    const SettingsBlock sentBefore = rig.core().sentBlock();
    QVERIFY(cups_->stopDaemon());

    QElapsedTimer elapsed;
    elapsed.start();
    rig.core().SendSettingsToPrinter();

    QVERIFY(elapsed.elapsed() < kPromptFailureMs);
    QVERIFY(!rig.messages().empty());
    QCOMPARE(QString::fromStdString(rig.messages().front().text), kUnavailable);
    QCOMPARE(rig.selections(), 2);
    QVERIFY(rig.core().sentBlock() == sentBefore);
}

QTEST_GUILESS_MAIN(TestCupsSpooler)
#include "tst_cups_spooler.moc"
