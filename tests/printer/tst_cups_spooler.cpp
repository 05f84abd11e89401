#include "printer/cups_printer_list.h"
#include "printer/cups_spooler.h"

#include "core/command_core.h"
#include "core/messages.h"
#include "support/private_cups.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QElapsedTimer>
#include <QTest>

#include <cups/cups.h>

#include <algorithm>
#include <csignal>
#include <memory>

using namespace kbs;
using namespace std::chrono_literals;

namespace {

enum class Fault { QueueDeleted, QueueRejecting, DaemonFrozen, DaemonStopped };

// However the spooler fails, the user hears of it well within this.
constexpr qint64 kPromptFailureMs = 10000;
constexpr int kDeliveryTimeoutMs = 10000;
const QString kJobTitle = QStringLiteral("Knobstation Status Write");

const ModelVariant* const kVariants[] = {&kbs18r::variant(), &kbs62d::variant(), &kbs18t::variant()};

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString queueFor(std::string_view model)
{
    return toQString(model).replace(QLatin1Char(' '), QLatin1Char('_'));
}

QByteArray bytesOf(const SettingsBlock& block)
{
    return QByteArray(reinterpret_cast<const char*>(block.data()), qsizetype(block.size()));
}

// Title and state of every job of the queue.
QList<std::pair<QString, ipp_jstate_t>> jobsOf(const QString& queue)
{
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    QList<std::pair<QString, ipp_jstate_t>> seen;
    for (int i = 0; i < count; ++i)
        seen.append({QString::fromUtf8(jobs[i].title), jobs[i].state});
    cupsFreeJobs(count, jobs);
    return seen;
}

// The command core with the CUPS spooler and plain stand-ins for the other ports, started
// up on `queue`. Its one page holds a user's change, so that the edit copy differs from
// the sent one; every question is answered No, so that a printer change goes straight to
// the selection, which chooses `queue` the first time and is cancelled afterwards.
struct SendRig : WindowPort, SettingsPage, PagesPort, PrinterSelectorPort, FileChooserPort {
    SendRig(const ModelVariant& variant, const QString& queue,
            std::chrono::milliseconds timeout = CupsConnection::kDefaultTimeout)
        : printer{queue.toStdString(), "socket://127.0.0.1"}, spooler(timeout),
          core(variant, {*this, *this, *this, spooler, *this}, "/tmp/")
    {
        const FieldSpec& field = *std::ranges::find_if(variant.fields, [](const FieldSpec& candidate) {
            return candidate.encoding != Encoding::Fixed && candidate.encoding != Encoding::Reserved;
        });
        offset = field.offset;
        value = variant.factoryDefaults[offset] ^ 0x01;
        core.BeginStartup();
        core.CompleteStartup();
    }

    Answer showMessage(std::string_view text, std::string_view, ButtonSet buttons, MessageIcon icon) override
    {
        messages << toQString(text);
        icons << icon;
        return buttons == ButtonSet::Ok ? Answer::Ok : Answer::No;
    }
    void ShowPage(std::size_t) override {}
    std::size_t selectedTab() const override { return 0; }
    void setCommandEnabled(int, bool) override {}
    void setStatusText(int, const std::string&) override {}
    void closeWindow(int) override {}
    void LoadBlock(const SettingsBlock&) override {}
    void StoreBlock(SettingsBlock& block) override { block[offset] = value; }
    std::size_t pageCount() const override { return 1; }
    SettingsPage& page(std::size_t) override { return *this; }
    SelectionResult runSelection(const PrinterChoice& preset, bool) override
    {
        return ++selections == 1 ? SelectionResult{SelectionEnd::Ok, printer, 2}
                                 : SelectionResult{SelectionEnd::Cancel, preset, 2};
    }
    std::optional<std::string> chooseFileToOpen(std::string_view) override { return std::nullopt; }
    std::optional<std::string> chooseFileToSave(std::string_view) override { return std::nullopt; }

    std::size_t offset = 0;
    std::uint8_t value = 0;
    PrinterChoice printer;
    int selections = 0;
    QStringList messages;
    QList<MessageIcon> icons;
    CupsSpooler spooler;
    CommandCore core;
};

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestCupsSpooler : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { cups_.reset(); }

    void rawJobPassesEveryQueueUnchanged_data();
    void rawJobPassesEveryQueueUnchanged();
    void sendDeliversTheEditBlock_data();
    void sendDeliversTheEditBlock();
    // Stops the spooler at the end: keep it last.
    void failedSendLeavesSentBlockAndSelectsAgain_data();
    void failedSendLeavesSentBlockAndSelectsAgain();

private:
    std::unique_ptr<test::PrivateCups> cups_;
};

void TestCupsSpooler::initTestCase()
{
    cups_ = std::make_unique<test::PrivateCups>();
    QVERIFY2(cups_->failure().isEmpty(), qPrintable(cups_->failure()));
    for (const ModelVariant* variant : kVariants) {
        for (std::string_view model : variant->acceptedModels)
            QVERIFY(cups_->addSimulatedQueue(queueFor(model), toQString(model)));
    }
}

void TestCupsSpooler::rawJobPassesEveryQueueUnchanged_data()
{
    QTest::addColumn<QString>("queue");
    for (const ModelVariant* variant : kVariants) {
        for (std::string_view model : variant->acceptedModels)
            QTest::newRow(model.data()) << queueFor(model);
    }
}

// A PostScript header, which would send the job through filters if it were typed by content,
// and every byte value.
void TestCupsSpooler::rawJobPassesEveryQueueUnchanged()
{
    QFETCH(QString, queue);
    QByteArray bytes("%!PS-Adobe-3.0\n");
    for (int value = 0; value < 256; ++value)
        bytes.append(char(value));
    const qsizetype before = cups_->receivedJobs(queue).size();
    {
        const std::unique_ptr<OpenQueue> open = CupsSpooler().openForUse(queue.toStdString());
        QVERIFY(open);
        QVERIFY(open->startRawJob("raw check"));
        QVERIFY(open->writeData(
            {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())}));
        QVERIFY(open->endJob());
    }

    const QList<QByteArray> jobs = cups_->receivedJobs(queue, int(before) + 1, kDeliveryTimeoutMs);
    QCOMPARE(jobs.size(), before + 1);
    QCOMPARE(jobs.last(), bytes);
}

void TestCupsSpooler::sendDeliversTheEditBlock_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<bool>("stopped");
    for (const ModelVariant* variant : kVariants)
        QTest::newRow(variant->deliverable.data()) << variant << false;
    // Like a paused printer: the job waits in the spooler, and the send is done.
    QTest::newRow("stopped queue") << &kbs18t::variant() << true;
}

void TestCupsSpooler::sendDeliversTheEditBlock()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(bool, stopped);
    const QString queue = queueFor(variant->acceptedModels.back());
    QVERIFY(cups_->administer("cancel", {"-a", "-x", queue}));
    const qsizetype before = cups_->receivedJobs(queue).size();
    if (stopped)
        QVERIFY(cups_->administer("cupsdisable", {queue}));
    SendRig rig(*variant, queue);

    rig.core.SendSettingsToPrinter();

    QCOMPARE(rig.messages, QStringList{toQString(messages::kSendSucceeded)});
    QCOMPARE(bytesOf(rig.core.sentBlock()), bytesOf(rig.core.editBlock()));
    QVERIFY(rig.core.editBlock() != SettingsBlock(variant->factoryDefaults));
    if (stopped) {
        QCOMPARE(jobsOf(queue), (QList{std::pair{kJobTitle, IPP_JSTATE_PENDING}}));
        QCOMPARE(cups_->receivedJobs(queue).size(), before);
        QVERIFY(cups_->administer("cupsenable", {queue}));
    }
    const QList<QByteArray> delivered = cups_->receivedJobs(queue, int(before) + 1, kDeliveryTimeoutMs);
    QCOMPARE(delivered.size(), before + 1);
    QCOMPARE(delivered.last().size(), qsizetype(variant->blockLength));
    QCOMPARE(delivered.last(), bytesOf(rig.core.editBlock()));
    QCOMPARE(jobsOf(queue).size(), 1);
    QCOMPARE(jobsOf(queue).front().first, kJobTitle);
}

void TestCupsSpooler::failedSendLeavesSentBlockAndSelectsAgain_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("queue deleted after it was chosen") << Fault::QueueDeleted;
    QTest::newRow("queue rejecting jobs") << Fault::QueueRejecting;
    QTest::newRow("spooler frozen") << Fault::DaemonFrozen;
    QTest::newRow("spooler stopped") << Fault::DaemonStopped; // for good: keep it last
}

void TestCupsSpooler::failedSendLeavesSentBlockAndSelectsAgain()
{
    QFETCH(Fault, fault);
    constexpr std::chrono::milliseconds timeout = 500ms;
    const QString queue = QStringLiteral("fault%1").arg(int(fault));
    QVERIFY(cups_->addSimulatedQueue(queue, "ZAV Ferrostrike P62DW"));
    QVERIFY(CupsSpooler(timeout).openForUse(queue.toStdString()));
    SendRig rig(kbs62d::variant(), queue, timeout);
    const SettingsBlock sentBefore = rig.core.sentBlock();
    QVERIFY(fault == Fault::QueueDeleted     ? cups_->administer("lpadmin", {"-x", queue})
            : fault == Fault::QueueRejecting ? cups_->administer("cupsreject", {queue})
            : fault == Fault::DaemonFrozen   ? cups_->signalDaemon(SIGSTOP)
                                             : cups_->stopDaemon());

    QElapsedTimer elapsed;
    elapsed.start();
    rig.core.SendSettingsToPrinter();
    const qint64 took = elapsed.elapsed();
    bool listedWhileFrozen = false;
    if (fault == Fault::DaemonFrozen) {
        listedWhileFrozen = !CupsPrinterList(timeout).usablePrinters(kbs62d::variant()).empty();
        QVERIFY(cups_->signalDaemon(SIGCONT));
    }

    QVERIFY2(took < kPromptFailureMs, qPrintable(QString::number(took)));
    QCOMPARE(rig.messages.value(0), toQString(messages::kPrinterUnavailable));
    QCOMPARE(rig.icons.value(0), MessageIcon::Exclamation);
    QCOMPARE(rig.selections, 2);
    QVERIFY(rig.core.sentBlock() == sentBefore);
    QVERIFY(rig.core.editBlock() != sentBefore);
    QVERIFY(cups_->receivedJobs(queue).isEmpty());
    QVERIFY(jobsOf(queue).isEmpty());
    QVERIFY(!listedWhileFrozen);
}

QTEST_GUILESS_MAIN(TestCupsSpooler)
#include "tst_cups_spooler.moc"
