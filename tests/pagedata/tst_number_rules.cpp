#include "pagedata/number_rules.h"
#include "param_cases.h"

#include <QtTest>

using namespace kbs;
using namespace param_cases;

// The number boxes' rules, taken with each program's own box from its tables.
class TestNumberRules : public QObject {
    Q_OBJECT

private slots:
    void typeAhead_data();
    void typeAhead();
    void storeCheck_data();
    void storeCheck();
};

void TestNumberRules::typeAhead_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("hasFocus");
    QTest::addColumn<bool>("userChange");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("pending");

    const auto row = [](const char* name, const char* program, const char* box, const char* typed, bool focus,
                        bool user, const char* shown, bool pending) {
        QTest::newRow(name) << program << box << typed << focus << user << shown << pending;
    };
    // Two-digit centering boxes, 10 to 68.
    row("5 may still grow", "kbs18r", "centerCutSheet", "5", true, true, "5", true);
    row("58 is legal", "kbs18r", "centerCutSheet", "58", true, true, "58", false);
    row("7 becomes 10 at once", "kbs18r", "centerCutSheet", "7", true, true, "10", false);
    row("0 becomes 10", "kbs62d", "centerCutSheet", "0", true, true, "10", false);
    row("cleared becomes 10", "kbs18r", "centerCutSheet", "", true, true, "10", false);
    row("69 becomes 68", "kbs18t", "centerCutSheet", "69", true, true, "68", false);
    row("999 becomes 68", "kbs62d", "centerRearTractor", "999", true, true, "68", false);
    row("pasted 0040 drops its zeros", "kbs18r", "centerCutSheet", "0040", true, true, "40", false);
    row("long 0005 is pending 5", "kbs18t", "centerCutSheet", "0005", true, true, "5", true);
    row("four digits too many is the maximum", "kbs18r", "centerCutSheet", "1234", true, true, "68", false);
    row("overflow is the maximum", "kbs62d", "centerCutSheet", "99999999999999999999", true, true, "68",
        false);
    row("unfocused 7 is left", "kbs18r", "centerCutSheet", "7", false, true, "7", false);
    row("unfocused 0040 is shortened only", "kbs18r", "centerCutSheet", "0040", false, true, "40", false);
    row("refresh is not corrected", "kbs18r", "centerCutSheet", "7", true, false, "7", false);
    // The kbs18r rear tractor box, 68 to 126.
    row("rear 1 may still grow", "kbs18r", "centerRearTractor", "1", true, true, "1", true);
    row("rear 13 stays pending", "kbs18r", "centerRearTractor", "13", true, true, "13", true);
    row("rear 67 stays pending", "kbs18r", "centerRearTractor", "67", true, true, "67", true);
    row("rear 0 becomes 68", "kbs18r", "centerRearTractor", "0", true, true, "68", false);
    row("rear 5 becomes 68", "kbs18r", "centerRearTractor", "5", true, true, "68", false);
    row("rear 127 becomes 126", "kbs18r", "centerRearTractor", "127", true, true, "126", false);
    row("rear 00100 is 100", "kbs18r", "centerRearTractor", "00100", true, true, "100", false);
    // Feed time, 2 to 5, clamped at once.
    row("feed 1 becomes 2", "kbs18r", "sheetGuideFeedTime", "1", true, true, "2", false);
    row("feed cleared becomes 2", "kbs62d", "sheetGuideFeedTime", "", true, true, "2", false);
    row("feed 9 becomes 5", "kbs18t", "sheetGuideFeedTime", "9", true, true, "5", false);
    row("feed 3 stays", "kbs18t", "sheetGuideFeedTime", "3", true, true, "3", false);
}

void TestNumberRules::typeAhead()
{
    QFETCH(QString, program);
    QFETCH(QString, box);
    QFETCH(bool, hasFocus);
    QFETCH(bool, userChange);
    QFETCH(QString, typed);

    const Found found = findControl(variantNamed(program.toStdString()), box.toStdString());
    QVERIFY(found.row != nullptr && found.row->number != nullptr);
    const TypeAhead result = correctTypeAhead(*found.row->number, typed.toStdString(), hasFocus, userChange);
    QTEST(QString::fromStdString(result.text), "shown");
    QTEST(result.pending, "pending");
}

void TestNumberRules::storeCheck_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -1: refused
    QTest::addColumn<QString>("refusal");

    const QString notInteger = "整数を入力してください。";
    const QString outOfRange = "2 から 5 までの整数を入力してください。";
    QTest::newRow("feed 3") << "kbs18r"
                            << "sheetGuideFeedTime"
                            << "3" << 3 << "";
    QTest::newRow("feed 9") << "kbs62d"
                            << "sheetGuideFeedTime"
                            << "9" << -1 << outOfRange;
    QTest::newRow("feed empty") << "kbs18r"
                                << "sheetGuideFeedTime"
                                << "" << -1 << notInteger;
    QTest::newRow("centering empty") << "kbs18t"
                                     << "centerCutSheet"
                                     << "" << -1 << notInteger;
    // A pending value is stored as it is; only the guard before a command stops it.
    QTest::newRow("centering 5 pending") << "kbs18r"
                                         << "centerCutSheet"
                                         << "5" << 5 << "";
}

void TestNumberRules::storeCheck()
{
    QFETCH(QString, program);
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(int, value);

    const Found found = findControl(variantNamed(program.toStdString()), box.toStdString());
    QVERIFY(found.row != nullptr && found.row->number != nullptr);
    const StoredNumber checked = checkStoredNumber(*found.row->number, text.toStdString());
    QCOMPARE(checked.value.value_or(-1), value);
    QTEST(QString::fromStdString(checked.refusal), "refusal");
}

QTEST_GUILESS_MAIN(TestNumberRules)
#include "tst_number_rules.moc"
