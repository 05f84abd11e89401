#include "widgets/dialog_units.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

using kbs::DialogUnits;

namespace {
QFont fontOf(const QString& family, int pointSize)
{
    return QFont(family, pointSize);
}
} // namespace

class TstDialogUnits : public QObject {
    Q_OBJECT

private slots:
    // Units are measured once per font: a font must never get the bases of the font measured
    // before it, in whatever order the fonts come.
    void basesFollowTheFont_data()
    {
        QTest::addColumn<QFont>("first");
        QTest::addColumn<QFont>("second");
        const QFont dialog = kbs::dialogFont();
        QTest::newRow("dialog font, then larger") << dialog << fontOf(dialog.family(), 18);
        QTest::newRow("larger, then dialog font") << fontOf(dialog.family(), 18) << dialog;
    }

    void basesFollowTheFont()
    {
        QFETCH(QFont, first);
        QFETCH(QFont, second);
        const DialogUnits firstAlone(first);
        const DialogUnits secondAlone(second);
        QVERIFY(firstAlone.baseY() != secondAlone.baseY());
        for (int round = 0; round < 3; ++round) {
            const DialogUnits again(first);
            QCOMPARE(again.baseX(), firstAlone.baseX());
            QCOMPARE(again.baseY(), firstAlone.baseY());
            const DialogUnits other(second);
            QCOMPARE(other.baseX(), secondAlone.baseX());
            QCOMPARE(other.baseY(), secondAlone.baseY());
        }
        // The vertical base is the font's height, as its metrics give it.
        QCOMPARE(secondAlone.baseY(), QFontMetrics(second).height());
        QCOMPARE(DialogUnits(first).y(8), QFontMetrics(first).height());
    }
};

QTEST_MAIN(TstDialogUnits)
#include "tst_dialog_units.moc"
