// The memory switch tables checked against the printer's own numbering rather than against
// themselves: a label swapped between buttons or a row moved to another switch fails here.
#include "pagedata/switch_page.h"
#include "switch_cases.h"

#include <QtTest>

#include <string>

using namespace kbs;
using namespace switch_cases;

namespace {

const ModelVariant& variantNamed(const QString& deliverable)
{
    for (const SwitchPageCase& page : allSwitchPages()) {
        if (page.variant->deliverable == deliverable.toStdString())
            return *page.variant;
    }
    qFatal("no variant %s", qPrintable(deliverable));
}

const SwitchPageCase& switchPage(const QString& deliverable, int msw)
{
    const ModelVariant& variant = variantNamed(deliverable);
    for (const SwitchPageCase& page : allSwitchPages()) {
        if (page.variant == &variant && page.msw == msw)
            return page;
    }
    qFatal("no MSW%d page in %s", msw, qPrintable(deliverable));
}

// "（MSWn-k）", or "（MSWn-1/2/3）" for a row over several switches.
QString switchNote(int msw, SwitchRange switches)
{
    QStringList numbers;
    for (int number = switches.first; number <= switches.last; ++number)
        numbers << QString::number(number);
    return QString("（MSW%1-%2）").arg(msw).arg(numbers.join('/'));
}

} // namespace

class TestSwitchTables : public QObject {
    Q_OBJECT

private slots:
    // Every shown or hidden control names its own page and switches in its note or caption.
    void notesNameTheirOwnSwitch()
    {
        for (const SwitchPageCase& page : allSwitchPages()) {
            for (const SwitchRow& row : page.table->rows) {
                if (row.control == SwitchControl::PassedThrough || row.control == SwitchControl::Cleared)
                    continue;
                const QString label =
                    QString::fromUtf8(row.switchLabel.empty() ? row.caption : row.switchLabel);
                const QString expected = switchNote(page.msw, row.switches);
                QVERIFY2(label.contains(expected) && label.count("（MSW") == 1,
                         qPrintable(QString("%1: \"%2\" is on the row of %3")
                                        .arg(QString::fromUtf8(page.variant->deliverable), label, expected)));
            }
        }
    }

    // Rows copied by hand from the programs' switch descriptions. `byte` 0 is the first byte of
    // the pair (switches 1 to 4), 1 the second (5 to 8); `bit` the switch's bit in it.
    void goldenRows_data()
    {
        QTest::addColumn<QString>("deliverable");
        QTest::addColumn<int>("msw");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("options"); // value 0, value 1; none for a check box
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("bit");
        const auto row = [](const char* name, const char* deliverable, int msw, const char* caption,
                            QStringList options, int byte, int bit) {
            QTest::newRow(name) << QString(deliverable) << msw << QString(caption) << options << byte << bit;
        };
        // clang-format off
        row("kbs18r MSW1-4", "kbs18r", 1, "データ受信方法の変更", {"従来互換(&O)", "高速受信(&K)"}, 0, 3);
        row("kbs18r MSW2-2", "kbs18r", 2, "シートガイドの用紙無し検出", {"印刷時(&S)", "常時(&A)"}, 0, 1);
        row("kbs18r MSW3-5", "kbs18r", 3, "自動カット位置送り機能", {"無効(&E)", "有効(&D)"}, 1, 0);
        row("kbs18r MSW3-7", "kbs18r", 3, "２バイトコード系数字ゼロにスラッシュを付ける(&C) （MSW3-7）", {}, 1, 2);
        row("kbs62d MSW1-8", "kbs62d", 1, "CR機能の切り替え", {"復帰のみ(&N)", "復帰改行(&V)"}, 1, 3);
        row("kbs62d MSW3-4", "kbs62d", 3, "シートフィーダの吸入コード", {"ＥＳＣ ａのみ(&1)", "ＥＳＣ ａ，ＬＦ，ＵＳ，ＶＴ(&2)"}, 0, 3);
        row("kbs62d MSW5-1", "kbs62d", 5, "待機モード移行時間切り替え", {"１５分(&U)", "１分(&O)"}, 0, 0);
        row("kbs18t MSW2-1", "kbs18t", 2, "１バイトコード系数字ゼロにスラッシュを付ける(&K)（MSW2-1）", {}, 0, 0);
        row("kbs18t MSW2-4", "kbs18t", 2, "クワイエットモード", {"無効(&J)", "有効(&U)"}, 0, 3);
        row("kbs18t MSW4-2 hidden", "kbs18t", 4, "自動カット位置送り機能", {"無効(&U)", "有効(&O)"}, 0, 1);
        // clang-format on
    }

    void goldenRows()
    {
        QFETCH(QString, deliverable);
        QFETCH(int, msw);
        QFETCH(QString, caption);
        QFETCH(QStringList, options);
        QFETCH(int, byte);
        QFETCH(int, bit);
        const SwitchPageCase& page = switchPage(deliverable, msw);
        PageData data = switchPageData(*page.table, page.variant->fields);
        std::size_t control = data.controls().size();
        for (std::size_t index = 0; index < data.controls().size(); ++index) {
            if (QString::fromUtf8(data.controls()[index].caption) == caption)
                control = index;
        }
        QVERIFY2(control < data.controls().size(), "no control with that caption");
        const ControlSpec& shown = data.controls()[control];
        QCOMPARE(shown.kind, options.isEmpty() ? ControlKind::CheckBox : ControlKind::RadioPair);
        if (!options.isEmpty()) {
            QCOMPARE(QString::fromUtf8(shown.choices[0]), options[0]);
            QCOMPARE(QString::fromUtf8(shown.choices[1]), options[1]);
        }

        // Both ways: the switch's bit alone loads as value 1, and value 1 stores that bit alone.
        Pair justThisBit{0, 0};
        (byte == 0 ? justThisBit.first : justThisBit.second) = std::uint8_t(1u << bit);
        const SettingsBlock cleared =
            withPair(SettingsBlock(page.variant->factoryDefaults), page.offset, {0, 0});
        for (const int value : {1, 0}) {
            const Pair expected = value ? justThisBit : Pair(0, 0);
            const SettingsBlock loaded = withPair(cleared, page.offset, expected);
            data.load(loaded);
            QCOMPARE(data.member(control).choice, value);
            data.load(cleared);
            data.member(control).choice = value;
            SettingsBlock stored = cleared;
            data.store(stored);
            QCOMPARE(pairOnlyChanged(cleared, stored, page.offset), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestSwitchTables)
#include "tst_switch_tables.moc"
