#include "app/tab_rows.h"

#include <QTest>

using kbs::TabRows;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {
std::vector<std::vector<std::size_t>> rowsOf(const TabRows& rows)
{
    std::vector<std::vector<std::size_t>> result;
    for (std::size_t row = 0; row < rows.rowCount(); ++row)
        result.push_back(rows.tabsInRow(row));
    return result;
}
} // namespace

class TstTabRows : public QObject {
    Q_OBJECT
private slots:
    void wrapsInTabOrder_data();
    void wrapsInTabOrder();
    void stretchesEveryRowToTheFullWidth();
    void selectedRowLiesNextToThePage_data();
    void selectedRowLiesNextToThePage();
};

void TstTabRows::wrapsInTabOrder_data()
{
    QTest::addColumn<std::vector<int>>("widths");
    QTest::addColumn<int>("available");
    QTest::addColumn<QString>("expected"); // rows separated by '|'

    QTest::newRow("exact fit stays in the row") << std::vector<int>{50, 50, 40} << 100 << "0 1|2";
    QTest::newRow("one pixel over wraps") << std::vector<int>{50, 51, 40} << 100 << "0|1 2";
    QTest::newRow("three rows") << std::vector<int>{60, 60, 60, 60, 30} << 100 << "0|1|2|3 4";
    QTest::newRow("tab wider than the strip gets its own row")
        << std::vector<int>{20, 150, 20} << 100 << "0|1|2";
    QTest::newRow("eight tabs of the longest variant")
        << std::vector<int>{80, 120, 120, 64, 64, 64, 64, 64} << 366 << "0 1 2|3 4 5 6 7";
}

void TstTabRows::wrapsInTabOrder()
{
    QFETCH(std::vector<int>, widths);
    QFETCH(int, available);
    QFETCH(QString, expected);

    const TabRows rows(widths, available);
    QStringList actual;
    for (const auto& row : rowsOf(rows)) {
        QStringList tabs;
        for (std::size_t tab : row)
            tabs << QString::number(tab);
        actual << tabs.join(' ');
    }
    QCOMPARE(actual.join('|'), expected);
    for (std::size_t tab = 0; tab < widths.size(); ++tab) {
        const auto& row = rows.tabsInRow(rows.rowOf(tab));
        QVERIFY(std::find(row.begin(), row.end(), tab) != row.end());
    }
}

void TstTabRows::stretchesEveryRowToTheFullWidth()
{
    // Rows of 3 and 2 tabs in 100 pixels: 10 and 27 pixels to share out.
    const TabRows rows({30, 30, 30, 40, 33}, 100);
    const auto spans = rows.spans();
    QCOMPARE(spans.size(), std::size_t(5));
    for (std::size_t row = 0; row < rows.rowCount(); ++row) {
        int left = 0;
        for (std::size_t tab : rows.tabsInRow(row)) {
            QCOMPARE(spans[tab].left, left);
            left += spans[tab].width;
        }
        QCOMPARE(left, 100);
    }
    // Equal shares, the remainder from the left.
    QCOMPARE(spans[0].width, 34);
    QCOMPARE(spans[1].width, 33);
    QCOMPARE(spans[2].width, 33);
    QCOMPARE(spans[3].width, 54);
    QCOMPARE(spans[4].width, 46);
}

void TstTabRows::selectedRowLiesNextToThePage_data()
{
    QTest::addColumn<int>("selectedTab");
    QTest::addColumn<QString>("rowsFromTop"); // row numbers in tab order, top to bottom

    // Three rows: tabs 0-1, 2-3, 4.
    QTest::newRow("first row selected") << 0 << "2 1 0";
    QTest::newRow("second row selected") << 3 << "0 2 1";
    QTest::newRow("last row selected") << 4 << "1 0 2";
}

void TstTabRows::selectedRowLiesNextToThePage()
{
    QFETCH(int, selectedTab);
    QFETCH(QString, rowsFromTop);

    const TabRows rows({50, 50, 50, 50, 50}, 100);
    QCOMPARE(rows.rowCount(), std::size_t(3));
    QStringList order(3);
    for (std::size_t row = 0; row < 3; ++row)
        order[static_cast<qsizetype>(rows.displayPosition(row, static_cast<std::size_t>(selectedTab)))] =
            QString::number(row);
    QCOMPARE(order.join(' '), rowsFromTop);
}

QTEST_GUILESS_MAIN(TstTabRows)
#include "tst_tab_rows.moc"
