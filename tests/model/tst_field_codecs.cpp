#include "model/field_codecs.h"

#include <QtTest>

#include <climits>
#include <cstdint>
#include <span>

using namespace kbs;

namespace {

// Every field sits inside a small block whose outer bytes must survive a write.
constexpr std::size_t kAt = 1;

SettingsBlock framed(const QByteArray& field)
{
    const QByteArray bytes = "<" + field + ">";
    return SettingsBlock(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   static_cast<std::size_t>(bytes.size())));
}

using Writer = void (*)(SettingsBlock&, std::size_t, int);
constexpr Writer kWriters[] = {writeSignedHex, writePaperThickness, writeAutoPosAdjust};
constexpr int SignedHex = 0, PaperThickness = 1, AutoPosAdjust = 2;

} // namespace

class TestFieldCodecs : public QObject {
    Q_OBJECT

private slots:
    void switchPairIgnoresHighBits();
    void writeValue_data();
    void writeValue();
    void readSignedHex_data();
    void readSignedHex();
};

// Bits 4 to 7 are no switches: ignored when read, written 0.
void TestFieldCodecs::switchPairIgnoresHighBits()
{
    const SwitchValues values = readSwitchPair(framed("\xF5\xAA"), kAt);
    QCOMPARE(values, (SwitchValues{1, 0, 1, 0, 0, 1, 0, 1}));
    SettingsBlock block = framed("\xFF\xFF");
    writeSwitchPair(block, kAt, values);
    QVERIFY(block == framed("\x05\x0A"));
}

void TestFieldCodecs::writeValue_data()
{
    QTest::addColumn<int>("writer");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("hex -6") << SignedHex << -6 << QByteArray("FA");
    QTest::newRow("hex -1") << SignedHex << -1 << QByteArray("FF");
    QTest::newRow("hex +3") << SignedHex << 3 << QByteArray("03");
    QTest::newRow("thickness auto") << PaperThickness << 0 << QByteArray("00");
    QTest::newRow("thickness 12") << PaperThickness << 12 << QByteArray("12");
    QTest::newRow("autopos 24") << AutoPosAdjust << 24 << QByteArray("24");
    QTest::newRow("autopos 25") << AutoPosAdjust << 25 << QByteArray("00");
}

void TestFieldCodecs::writeValue()
{
    QFETCH(int, writer);
    QFETCH(int, value);
    QFETCH(QByteArray, bytes);

    SettingsBlock block = framed("xx");
    kWriters[writer](block, kAt, value);
    QVERIFY2(block == framed(bytes), bytes.constData());
}

void TestFieldCodecs::readSignedHex_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("unchecked"); // kNone: no value
    QTest::addColumn<int>("inRange");   // read with -6..3

    constexpr int kNone = INT_MIN;
    QTest::newRow("FA") << QByteArray("FA") << -6 << -6;
    QTest::newRow("03") << QByteArray("03") << 3 << 3;
    // Unchecked takes any second character as it comes; the checked reader gives 0 outside its range.
    QTest::newRow("0A") << QByteArray("0A") << 'A' - '0' << 0;
    QTest::newRow("F9") << QByteArray("F9") << '9' - 71 << 0;
    QTest::newRow("1F") << QByteArray("1F") << kNone << kNone;
}

void TestFieldCodecs::readSignedHex()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, unchecked);
    QFETCH(int, inRange);

    const auto expected = [](int value) { return value == INT_MIN ? std::nullopt : std::optional(value); };
    QCOMPARE(readSignedHexUnchecked(framed(bytes), kAt), expected(unchecked));
    QCOMPARE(readSignedHexInRange(framed(bytes), kAt, -6, 3), expected(inRange));
}

QTEST_GUILESS_MAIN(TestFieldCodecs)
#include "tst_field_codecs.moc"
