// knobctl across two private print servers, and its record of what each queue was sent.

#include "cups/print_server.h"
#include "knobctl_run.h"
#include "support/private_cups.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using knobctl_run::knobctl;
using knobctl_run::Run;

class TstKnobctlFleet : public QObject {
    Q_OBJECT

    // "queue@server result" for every row of a send's --json report.
    static QStringList rowsOf(const Run& run)
    {
        QStringList rows;
        for (const QJsonValue& row : QJsonDocument::fromJson(run.out.toUtf8()).array())
            rows << row["queue"].toString() + "@" + row["server"].toString() + " " + row["result"].toString();
        return rows;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(a_.failure.isEmpty() && b_.failure.isEmpty(), qPrintable(a_.failure + b_.failure));
        for (const char* queue : {"front", "back"})
            QVERIFY(a_.addSimulatedQueue(queue, "ZAV Ferrostrike Q18RW"));
        QVERIFY(b_.addSimulatedQueue("front", "ZAV Ferrostrike Q18RV"));
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir_.path()));
        QCOMPARE(knobctl({"new", "kbs18r", "-o", fileA_}).status, 0);
        QFile::copy(fileA_, fileB_);
        QFile b(fileB_);
        QVERIFY(b.open(QIODevice::ReadWrite) && b.seek(25 + 28) && b.write("5") == 1); // centerCutSheet 50
    }

    void silentServerDoesNotStopTheOthers()
    {
        const QString dead = dir_.filePath("nobody.sock");
        const QStringList servers{"--server", a_.socket(), "--server", b_.socket(), "--server", dead};
        // "front" on every server, "back" on a_ only: b_ has none.
        const Run run =
            knobctl(QStringList{"send", fileA_, "front", "back@" + a_.socket(), "--json"} + servers);
        QCOMPARE(run.status, 1);
        QCOMPARE(rowsOf(run),
                 QStringList({"*@" + dead + " failed", "front@" + a_.socket() + " sent",
                              "back@" + a_.socket() + " sent", "front@" + b_.socket() + " sent"}));
        for (auto [cups, queue] : {std::pair{&a_, "front"}, {&a_, "back"}, {&b_, "front"}})
            QCOMPARE(cups->receivedJobs(queue, 1, 15000).size(), 1);
        const Run queues = knobctl(QStringList{"queues"} + servers);
        QCOMPARE(queues.status, 1);
        QCOMPARE(queues.out.count(" kbs18r "), 3);
        QVERIFY(queues.err.contains(dead + ": the print server did not answer"));
    }

    // After the first test: every queue's record holds file A.
    void recordsFollowAcceptedSendsOnly()
    {
        const QStringList onA{"--all", "--if-changed", "--json", "--server", a_.socket()};
        QCOMPARE(rowsOf(knobctl(QStringList{"send", fileA_} + onA)),
                 QStringList({"back@" + a_.socket() + " unchanged", "front@" + a_.socket() + " unchanged"}));
        QTest::qWait(500);
        QCOMPARE(a_.receivedJobs("front").size(), 1);
        QCOMPARE(knobctl({"diff", "--sent", "front@" + a_.socket(), fileA_}).status, 0);
        const Run diff = knobctl({"diff", "--sent", "front@" + a_.socket(), fileB_});
        QCOMPARE(diff.status, 1);
        QVERIFY2(diff.out.contains("(centerCutSheet): 40 -> 50"), qPrintable(diff.out));

        // A send held in a paused queue leaves no record behind; the accepted one replaces its record.
        QVERIFY(a_.administer("cupsdisable", {"-h", a_.socket(), "back"}));
        const Run run = knobctl(QStringList{"send", fileB_} + onA);
        QCOMPARE(run.status, 1);
        QCOMPARE(rowsOf(run),
                 QStringList({"back@" + a_.socket() + " held", "front@" + a_.socket() + " sent"}));
        QCOMPARE(knobctl({"diff", "--sent", "front@" + a_.socket(), fileB_}).status, 0);
        QVERIFY(knobctl({"diff", "--sent", "back@" + a_.socket(), fileB_}).out.contains("no record"));
        const QStringList listed = knobctl({"sent"}).out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(listed.size(), 3);
        QVERIFY(listed.filter(" back ").isEmpty());
        // A record is a settings file: what was sent, byte for byte.
        const QString record =
            listed.filter(QRegularExpression("^" + b_.socket() + " +front ")).value(0).split(' ').last();
        QCOMPARE(knobctl({"diff", fileA_, record}).status, 0);
    }

    void serverForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name"); // empty: refused
        QTest::newRow("host") << "PrintHost"
                              << "printhost:631";
        QTest::newRow("port") << "printhost:8631/version=1.1"
                              << "printhost:8631";
        QTest::newRow("IPv6") << "[2001:db8::7]:99"
                              << "[2001:db8::7]:99";
        QTest::newRow("socket") << "/run/cups/cups.sock"
                                << "/run/cups/cups.sock";
        for (const char* bad : {"", "host:", "host:0", "host:65536", "host:6x", "a/b", "[::1", "two words"})
            QTest::newRow(bad) << bad << "";
    }

    void serverForms()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        qunsetenv("IPP_PORT");
        const auto server = kbs::parsePrintServer(text.toStdString());
        QCOMPARE(server ? QString::fromStdString(server->name()) : QString(), name);
    }

private:
    QTemporaryDir dir_;
    kbs::test::PrivateCups a_;
    kbs::test::PrivateCups b_;
    QString fileA_ = dir_.filePath("a.dat");
    QString fileB_ = dir_.filePath("b.dat");
};

QTEST_GUILESS_MAIN(TstKnobctlFleet)
#include "tst_knobctl_fleet.moc"
