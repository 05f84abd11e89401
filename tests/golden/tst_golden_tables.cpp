// Every program's tables as its pages use them, compared whole with the file checked against the
// printers' documentation. Set KBS_GOLDEN_WRITE=1 to rewrite the files after a deliberate change.

#include "page_dump.h"

#include <QFile>
#include <QStringList>
#include <QTest>

class TestGoldenTables : public QObject {
    Q_OBJECT

private slots:
    void matchesFile_data()
    {
        QTest::addColumn<const kbs::ModelVariant*>("variant");
        for (const kbs::ModelVariant* variant : param_cases::kVariants)
            QTest::newRow(variant->deliverable.data()) << variant;
    }

    void matchesFile()
    {
        QFETCH(const kbs::ModelVariant*, variant);
        const QString path = QStringLiteral(KBS_GOLDEN_DIR "/%1.txt").arg(variant->deliverable.data());
        const QByteArray actual = QByteArray::fromStdString(page_dump::dump(*variant));
        QFile file(path);
        if (qEnvironmentVariableIsSet("KBS_GOLDEN_WRITE")) {
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(actual) == actual.size());
            return;
        }
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QStringList expected = QString::fromUtf8(file.readAll()).split('\n');
        const QStringList lines = QString::fromUtf8(actual).split('\n');
        for (qsizetype i = 0; i < std::max(lines.size(), expected.size()); ++i)
            QCOMPARE(lines.value(i, "(end)"), expected.value(i, "(end)"));
    }
};

QTEST_GUILESS_MAIN(TestGoldenTables)
#include "tst_golden_tables.moc"
