#include "printer/wait_cursor_spooler.h"

#include <QApplication>
#include <QTest>

#include <array>

using namespace kbs;

namespace {

// The cursor the application shows over its windows at the moment of asking.
QString cursorNow()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return !cursor ? "none" : cursor->shape() == Qt::WaitCursor ? "wait" : "other";
}

// Records the cursor in every call of a send, and in the closing of its queue.
struct RecordingSpooler : SpoolerPort {
    struct Queue : OpenQueue {
        explicit Queue(QStringList& seen) : seen(seen) {}
        ~Queue() override { seen << "close " + cursorNow(); }
        bool startRawJob(std::string_view) override { return record("start"); }
        bool writeData(std::span<const std::uint8_t>) override { return record("write"); }
        bool endJob() override { return record("end"); }
        bool record(const QString& call)
        {
            seen << call + " " + cursorNow();
            return true;
        }
        QStringList& seen;
    };

    std::unique_ptr<OpenQueue> openForUse(std::string_view) override
    {
        seen << "open " + cursorNow();
        return opens ? std::make_unique<Queue>(seen) : nullptr;
    }

    bool opens = true;
    QStringList seen;
};

} // namespace

class TestWaitCursorSpooler : public QObject {
    Q_OBJECT

private slots:
    void waitCursorWhileTheServerIsAsked_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("sent") << true << QStringList{"open wait", "start wait", "write wait",
                                                     "end wait",  "close wait", "after none"};
        QTest::newRow("queue not usable") << false << QStringList{"open wait", "after none"};
    }

    void waitCursorWhileTheServerIsAsked()
    {
        QFETCH(bool, opens);
        QFETCH(QStringList, expected);
        RecordingSpooler recording;
        recording.opens = opens;
        WaitCursorSpooler spooler(recording);

        if (std::unique_ptr<OpenQueue> queue = spooler.openForUse("q")) {
            const std::array<std::uint8_t, 3> bytes{0x1C, 0x6F, 0x30};
            queue->startRawJob("job");
            queue->writeData(bytes);
            queue->endJob();
        }
        recording.seen << "after " + cursorNow();

        QCOMPARE(recording.seen, expected);
    }
};

QTEST_MAIN(TestWaitCursorSpooler)
#include "tst_wait_cursor_spooler.moc"
