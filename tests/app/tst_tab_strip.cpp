#include "app/tab_rows.h"
#include "app/tab_strip.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

using kbs::TabRows;
using kbs::TabStrip;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {
const QStringList kLabels = {"機能選択", "パラメータ設定１", "パラメータ設定２", "ＭＳＷ１",
                             "ＭＳＷ２", "ＭＳＷ３",         "ＭＳＷ４",         "ＭＳＷ５"};

bool showWithTheLabels(TabStrip& strip)
{
    for (const QString& label : kLabels)
        strip.addTab(QIcon(), label);
    strip.show();
    return QTest::qWaitForWindowExposed(&strip);
}
} // namespace

class TstTabStrip : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }
    void rowsWrapInTabOrderAndFillTheWidth_data()
    {
        QTest::addColumn<std::vector<int>>("widths");
        QTest::addColumn<QString>("expected"); // "tab:left+width" per tab, rows separated by '|'

        // 100 pixels to fill; what a row leaves over is shared equally, the remainder from the left.
        QTest::newRow("exact fit stays in the row")
            << std::vector<int>{50, 50, 40} << "0:0+50 1:50+50|2:0+100";
        QTest::newRow("one pixel over wraps") << std::vector<int>{50, 51, 40} << "0:0+100|1:0+56 2:56+44";
        QTest::newRow("three rows, shares with remainder")
            << std::vector<int>{100, 30, 30, 30, 40, 33} << "0:0+100|1:0+34 2:34+33 3:67+33|4:0+54 5:54+46";
        QTest::newRow("tab wider than the strip gets its own row")
            << std::vector<int>{20, 150, 20} << "0:0+100|1:0+150|2:0+100";
    }

    void rowsWrapInTabOrderAndFillTheWidth()
    {
        QFETCH(std::vector<int>, widths);
        QFETCH(QString, expected);

        const TabRows rows(widths, 100);
        const auto spans = rows.spans();
        QStringList actual;
        for (std::size_t row = 0; row < rows.rowCount(); ++row) {
            QStringList tabs;
            for (std::size_t tab : rows.tabsInRow(row)) {
                QCOMPARE(rows.rowOf(tab), row);
                tabs << QString("%1:%2+%3").arg(tab).arg(spans.at(tab).left).arg(spans.at(tab).width);
            }
            actual << tabs.join(' ');
        }
        QCOMPARE(actual.join('|'), expected);
    }

    void selectedRowMovesNextToThePage_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("rowsFromTop"); // TabRows' rows in tab order, top to bottom

        // Three rows of TabRows: tabs 0-1, 2-3, 4; the strip holds the eight labels.
        QTest::newRow("first row selected") << 0 << "2 1 0";
        QTest::newRow("second row selected") << 3 << "0 2 1";
        QTest::newRow("last row selected") << 4 << "1 0 2";
        for (int tab = 5; tab < kLabels.size(); ++tab)
            QTest::addRow("strip tab %d", tab) << tab << "";
    }

    void selectedRowMovesNextToThePage()
    {
        QFETCH(int, selected);
        QFETCH(QString, rowsFromTop);

        if (!rowsFromTop.isEmpty()) {
            const TabRows rows({50, 50, 50, 50, 50}, 100);
            QStringList order(3);
            for (std::size_t row = 0; row < rows.rowCount(); ++row)
                order[static_cast<qsizetype>(rows.displayPosition(row, static_cast<std::size_t>(selected)))] =
                    QString::number(row);
            QCOMPARE(order.join(' '), rowsFromTop);
        }

        TabStrip strip;
        strip.resize(380, 360);
        QVERIFY(showWithTheLabels(strip));
        QVERIFY2(strip.rowCount() >= 2, "eight labels do not fit in one row of 380 pixels");
        strip.setCurrentIndex(selected);

        QCOMPARE(strip.displayRowOf(selected), strip.rowCount() - 1);
        for (int tab = 0; tab < strip.count(); ++tab) {
            QVERIFY(strip.tabRect(tab).bottom() <= strip.tabRect(selected).bottom());
            // The tabs of one row stay together whichever row is at the bottom.
            QCOMPARE(strip.tabRect(tab).top() == strip.tabRect(selected).top(),
                     strip.displayRowOf(tab) == strip.displayRowOf(selected));
        }
        QCOMPARE(strip.tabAt(strip.tabRect(selected).center()), selected);
    }

    // Only the user's choice is signalled; keys and indexes beyond either end change nothing.
    void noChoiceBeyondTheEndsOrFromCode()
    {
        TabStrip strip;
        QVERIFY(showWithTheLabels(strip));
        QSignalSpy chosen(&strip, &TabStrip::tabActivated);
        strip.setFocus();
        QTest::keyClick(&strip, Qt::Key_Left);
        strip.setCurrentIndex(kLabels.size() - 1);
        strip.setCurrentIndex(99);
        QTest::keyClick(&strip, Qt::Key_Right);
        QCOMPARE(strip.currentIndex(), kLabels.size() - 1);
        QCOMPARE(chosen.count(), 0);

        QTest::keyClick(&strip, Qt::Key_Left);
        QCOMPARE(strip.currentIndex(), kLabels.size() - 2);
        QCOMPARE(chosen.count(), 1);
    }
};

QTEST_MAIN(TstTabStrip)
#include "tst_tab_strip.moc"
