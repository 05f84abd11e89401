#include "model/field_codecs.h"

#include <QtTest>

#include <cstdint>
#include <span>
#include <stdexcept>

using namespace kbs;

namespace {

SettingsBlock blockOf(const QByteArray& bytes)
{
    return SettingsBlock(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   static_cast<std::size_t>(bytes.size())));
}

QByteArray bytesOf(const SettingsBlock& block)
{
    return QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size()));
}

// Every field sits in the middle of a small block whose outer bytes must survive a write.
constexpr std::size_t kFieldOffset = 1;
QByteArray framed(const QByteArray& field)
{
    return "<" + field + ">";
}

enum class Writer { Decimal, SignedHex, PaperThickness, AutoPosAdjust };
enum class Reader { Decimal, SignedHexUnchecked, SignedHexInRange };

} // namespace

class TestFieldCodecs : public QObject {
    Q_OBJECT

private slots:
    void readSwitchPair_data();
    void readSwitchPair();
    void writeSwitchPair_data();
    void writeSwitchPair();
    void writeValue_data();
    void writeValue();
    void readValue_data();
    void readValue();
    void signedHexRoundTripsEveryStep();
    void writeOutsideBlockChangesNothing();
};

void TestFieldCodecs::readSwitchPair_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("switches"); // '0'/'1' for switch n-1 .. n-8

    QTest::newRow("factory msw4") << QByteArray("\x0C\x00", 2) << QByteArray("00110000");
    QTest::newRow("high bits ignored") << QByteArray("\xF5\xAA", 2) << QByteArray("10100101");
    QTest::newRow("only high bits") << QByteArray("\xF0\xF0", 2) << QByteArray("00000000");
}

void TestFieldCodecs::readSwitchPair()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, switches);

    const SwitchValues values = kbs::readSwitchPair(blockOf(framed(bytes)), kFieldOffset);
    for (std::size_t k = 0; k < values.size(); ++k)
        QCOMPARE(int(values[k]), switches.at(qsizetype(k)) - '0');
}

void TestFieldCodecs::writeSwitchPair_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<SwitchValues>("values");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("all on, high bits cleared")
        << QByteArray("\xF0\xF0", 2) << SwitchValues{1, 1, 1, 1, 1, 1, 1, 1} << QByteArray("\x0F\x0F", 2);
    QTest::newRow("alternating over set bits")
        << QByteArray("\xFF\xFF", 2) << SwitchValues{1, 0, 1, 0, 0, 1, 0, 1} << QByteArray("\x05\x0A", 2);
    QTest::newRow("nonzero counts as on")
        << QByteArray("\x00\x00", 2) << SwitchValues{2, 0, 0, 0, 255, 0, 0, 0} << QByteArray("\x01\x01", 2);
}

void TestFieldCodecs::writeSwitchPair()
{
    QFETCH(QByteArray, before);
    QFETCH(SwitchValues, values);
    QFETCH(QByteArray, after);

    SettingsBlock block = blockOf(framed(before));
    kbs::writeSwitchPair(block, kFieldOffset, values);
    QCOMPARE(bytesOf(block), framed(after));
}

void TestFieldCodecs::writeValue_data()
{
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("bytes"); // its length is the field width

    QTest::newRow("decimal padded") << Writer::Decimal << 96 << QByteArray("096");
    // A value that does not fit is clamped: never a non-digit, never a wrapped number.
    QTest::newRow("decimal 1 too large") << Writer::Decimal << 12 << QByteArray("9");
    QTest::newRow("decimal 2 too large") << Writer::Decimal << 123 << QByteArray("99");
    QTest::newRow("decimal 3 too large") << Writer::Decimal << 1000 << QByteArray("999");
    QTest::newRow("decimal negative") << Writer::Decimal << -1 << QByteArray("00");
    QTest::newRow("hex -6") << Writer::SignedHex << -6 << QByteArray("FA");
    QTest::newRow("hex -5") << Writer::SignedHex << -5 << QByteArray("FB");
    QTest::newRow("hex -1") << Writer::SignedHex << -1 << QByteArray("FF");
    QTest::newRow("hex 0") << Writer::SignedHex << 0 << QByteArray("00");
    QTest::newRow("hex +3") << Writer::SignedHex << 3 << QByteArray("03");
    // Beyond -6..9 no character reads back; the nearest step is written.
    QTest::newRow("hex -100 clamped") << Writer::SignedHex << -100 << QByteArray("FA");
    QTest::newRow("hex 10 clamped") << Writer::SignedHex << 10 << QByteArray("09");
    QTest::newRow("thickness auto") << Writer::PaperThickness << 0 << QByteArray("00");
    QTest::newRow("thickness 9") << Writer::PaperThickness << 9 << QByteArray("09");
    QTest::newRow("thickness 12") << Writer::PaperThickness << 12 << QByteArray("12");
    QTest::newRow("autopos 24") << Writer::AutoPosAdjust << 24 << QByteArray("24");
    QTest::newRow("autopos 25") << Writer::AutoPosAdjust << 25 << QByteArray("00");
    QTest::newRow("autopos -1") << Writer::AutoPosAdjust << -1 << QByteArray("00");
}

void TestFieldCodecs::writeValue()
{
    QFETCH(Writer, writer);
    QFETCH(int, value);
    QFETCH(QByteArray, bytes);

    SettingsBlock block = blockOf(framed(QByteArray(bytes.size(), 'x')));
    switch (writer) {
    case Writer::Decimal:
        kbs::writeDecimal(block, kFieldOffset, std::size_t(bytes.size()), value);
        break;
    case Writer::SignedHex:
        kbs::writeSignedHex(block, kFieldOffset, value);
        break;
    case Writer::PaperThickness:
        kbs::writePaperThickness(block, kFieldOffset, value);
        break;
    case Writer::AutoPosAdjust:
        kbs::writeAutoPosAdjust(block, kFieldOffset, value);
        break;
    }
    QCOMPARE(bytesOf(block), framed(bytes));
}

void TestFieldCodecs::readValue_data()
{
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<bool>("hasValue");
    QTest::addColumn<int>("value");

    QTest::newRow("decimal 05") << Reader::Decimal << QByteArray("05") << 0 << 0 << true << 5;
    QTest::newRow("decimal 096") << Reader::Decimal << QByteArray("096") << 0 << 0 << true << 96;
    // Unchecked: any second character is taken as it comes; another first character gives nothing.
    QTest::newRow("unchecked FF") << Reader::SignedHexUnchecked << QByteArray("FF") << 0 << 0 << true << -1;
    QTest::newRow("unchecked 0A") << Reader::SignedHexUnchecked << QByteArray("0A") << 0 << 0 << true
                                  << 'A' - '0';
    QTest::newRow("unchecked F0") << Reader::SignedHexUnchecked << QByteArray("F0") << 0 << 0 << true
                                  << '0' - 71;
    QTest::newRow("unchecked 1F") << Reader::SignedHexUnchecked << QByteArray("1F") << 0 << 0 << false << 0;
    QTest::newRow("unchecked fF") << Reader::SignedHexUnchecked << QByteArray("fF") << 0 << 0 << false << 0;
    // In range: the ranges of printPressure, printPosAdjust and the LF pitch fields; outside reads 0.
    QTest::newRow("pressure FA") << Reader::SignedHexInRange << QByteArray("FA") << -6 << 3 << true << -6;
    QTest::newRow("pressure 03") << Reader::SignedHexInRange << QByteArray("03") << -6 << 3 << true << 3;
    QTest::newRow("pressure 04") << Reader::SignedHexInRange << QByteArray("04") << -6 << 3 << true << 0;
    QTest::newRow("pressure F9") << Reader::SignedHexInRange << QByteArray("F9") << -6 << 3 << true << 0;
    QTest::newRow("pressure 0/") << Reader::SignedHexInRange << QByteArray("0/") << -6 << 3 << true << 0;
    QTest::newRow("pressure X0") << Reader::SignedHexInRange << QByteArray("X0") << -6 << 3 << false << 0;
    QTest::newRow("pos FC") << Reader::SignedHexInRange << QByteArray("FC") << -3 << 3 << true << 0;
    QTest::newRow("pitch FB") << Reader::SignedHexInRange << QByteArray("FB") << -5 << 5 << true << -5;
    QTest::newRow("pitch FA") << Reader::SignedHexInRange << QByteArray("FA") << -5 << 5 << true << 0;
    QTest::newRow("pitch 06") << Reader::SignedHexInRange << QByteArray("06") << -5 << 5 << true << 0;
}

void TestFieldCodecs::readValue()
{
    QFETCH(Reader, reader);
    QFETCH(QByteArray, bytes);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(bool, hasValue);
    QFETCH(int, value);

    const SettingsBlock block = blockOf(framed(bytes));
    std::optional<int> read;
    switch (reader) {
    case Reader::Decimal:
        read = kbs::readDecimal(block, kFieldOffset, std::size_t(bytes.size()));
        break;
    case Reader::SignedHexUnchecked:
        read = kbs::readSignedHexUnchecked(block, kFieldOffset);
        break;
    case Reader::SignedHexInRange:
        read = kbs::readSignedHexInRange(block, kFieldOffset, min, max);
        break;
    }
    QCOMPARE(read.has_value(), hasValue);
    if (hasValue)
        QCOMPARE(*read, value);
}

void TestFieldCodecs::signedHexRoundTripsEveryStep()
{
    for (int step = -6; step <= 9; ++step) {
        SettingsBlock block = blockOf(framed("xx"));
        kbs::writeSignedHex(block, kFieldOffset, step);
        QCOMPARE(kbs::readSignedHexUnchecked(block, kFieldOffset), std::optional<int>(step));
        QCOMPARE(kbs::readSignedHexInRange(block, kFieldOffset, -6, 9), std::optional<int>(step));
    }
}

void TestFieldCodecs::writeOutsideBlockChangesNothing()
{
    const QByteArray before = framed("xx");
    SettingsBlock block = blockOf(before);
    const std::size_t last = block.size() - 1;

    QVERIFY_THROWS_EXCEPTION(std::out_of_range, kbs::writeSignedHex(block, last, -1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, kbs::writeSwitchPair(block, last, SwitchValues{}));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, kbs::writeDecimal(block, last, 2, 12));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, kbs::writeBytes(block, last, "abc"));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, kbs::writeBytes(block, SIZE_MAX, "a"));
    QCOMPARE(bytesOf(block), before);
}

QTEST_GUILESS_MAIN(TestFieldCodecs)
#include "tst_field_codecs.moc"
