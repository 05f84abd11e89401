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

// Every write goes into the middle of a small block whose outer bytes must survive.
constexpr std::size_t kFieldOffset = 1;
QByteArray framed(const QByteArray& field)
{
    return "<" + field + ">";
}

} // namespace

class TestFieldCodecs : public QObject {
    Q_OBJECT

private slots:
    void readSwitchPair_data();
    void readSwitchPair();
    void writeSwitchPair_data();
    void writeSwitchPair();
    void switchPairRoundTripsEverySetting();

    void readDecimal_data();
    void readDecimal();
    void writeDecimal_data();
    void writeDecimal();

    void writeSignedHex_data();
    void writeSignedHex();
    void readSignedHexUnchecked_data();
    void readSignedHexUnchecked();
    void readSignedHexInRange_data();
    void readSignedHexInRange();
    void signedHexRoundTripsEveryStep();

    void writePaperThickness_data();
    void writePaperThickness();
    void writeAutoPosAdjust_data();
    void writeAutoPosAdjust();

    void bytesCopyFormImages();
    void writeOutsideBlockChangesNothing();
};

void TestFieldCodecs::readSwitchPair_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("switches"); // '0'/'1' for switch n-1 .. n-8

    QTest::newRow("all off") << QByteArray("\x00\x00", 2) << QByteArray("00000000");
    QTest::newRow("factory msw4") << QByteArray("\x0C\x00", 2) << QByteArray("00110000");
    QTest::newRow("alternating") << QByteArray("\x05\x0A", 2) << QByteArray("10100101");
    QTest::newRow("high bits ignored") << QByteArray("\xF5\xAA", 2) << QByteArray("10100101");
    QTest::newRow("only high bits") << QByteArray("\xF0\xF0", 2) << QByteArray("00000000");
    QTest::newRow("all on") << QByteArray("\xFF\xFF", 2) << QByteArray("11111111");
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

    QTest::newRow("all off over set bits")
        << QByteArray("\xFF\xFF", 2) << SwitchValues{} << QByteArray("\x00\x00", 2);
    QTest::newRow("all on, high bits cleared")
        << QByteArray("\xF0\xF0", 2) << SwitchValues{1, 1, 1, 1, 1, 1, 1, 1} << QByteArray("\x0F\x0F", 2);
    QTest::newRow("alternating") << QByteArray("\x00\x00", 2) << SwitchValues{1, 0, 1, 0, 0, 1, 0, 1}
                                 << QByteArray("\x05\x0A", 2);
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

void TestFieldCodecs::switchPairRoundTripsEverySetting()
{
    for (unsigned pattern = 0; pattern < 256; ++pattern) {
        SwitchValues values{};
        for (std::size_t k = 0; k < values.size(); ++k)
            values[k] = (pattern >> k) & 1U;
        SettingsBlock block = blockOf(framed("\xA0\x50"));
        kbs::writeSwitchPair(block, kFieldOffset, values);
        QCOMPARE(block[kFieldOffset] & 0xF0, 0);
        QCOMPARE(block[kFieldOffset + 1] & 0xF0, 0);
        QVERIFY2(kbs::readSwitchPair(block, kFieldOffset) == values, qPrintable(QString::number(pattern)));
    }
}

void TestFieldCodecs::readDecimal_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("value");

    QTest::newRow("one digit") << QByteArray("2") << 2;
    QTest::newRow("leading zero") << QByteArray("05") << 5;
    QTest::newRow("two digits") << QByteArray("99") << 99;
    QTest::newRow("three digits") << QByteArray("096") << 96;
    QTest::newRow("out of any range") << QByteArray("200") << 200;
    // Odd bytes count as their distance from '0', digit by digit.
    QTest::newRow("comma as units") << QByteArray("5,") << 5 * 10 + (',' - '0');
    QTest::newRow("space as tens") << QByteArray(" 5") << (' ' - '0') * 10 + 5;
    QTest::newRow("NUL bytes") << QByteArray("\x00\x00", 2) << -'0' * 10 - '0';
    QTest::newRow("high byte") << QByteArray("\xFF", 1) << 0xFF - '0';
}

void TestFieldCodecs::readDecimal()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, value);

    QCOMPARE(kbs::readDecimal(blockOf(framed(bytes)), kFieldOffset, std::size_t(bytes.size())), value);
}

void TestFieldCodecs::writeDecimal_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("1: digit") << 1 << 2 << QByteArray("2");
    QTest::newRow("2: zero") << 2 << 0 << QByteArray("00");
    QTest::newRow("2: padded") << 2 << 5 << QByteArray("05");
    QTest::newRow("2: largest") << 2 << 99 << QByteArray("99");
    QTest::newRow("3: padded") << 3 << 96 << QByteArray("096");
    QTest::newRow("3: full") << 3 << 126 << QByteArray("126");
    // Values that do not fit are clamped: never a non-digit, never a wrapped number.
    QTest::newRow("1: too large") << 1 << 12 << QByteArray("9");
    QTest::newRow("2: too large") << 2 << 123 << QByteArray("99");
    QTest::newRow("3: too large") << 3 << 1000 << QByteArray("999");
    QTest::newRow("2: negative") << 2 << -1 << QByteArray("00");
    QTest::newRow("3: very negative") << 3 << -500 << QByteArray("000");
}

void TestFieldCodecs::writeDecimal()
{
    QFETCH(int, width);
    QFETCH(int, value);
    QFETCH(QByteArray, bytes);

    SettingsBlock block = blockOf(framed(QByteArray(width, 'x')));
    kbs::writeDecimal(block, kFieldOffset, std::size_t(width), value);
    QCOMPARE(bytesOf(block), framed(bytes));
}

void TestFieldCodecs::writeSignedHex_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("-6") << -6 << QByteArray("FA");
    QTest::newRow("-5") << -5 << QByteArray("FB");
    QTest::newRow("-4") << -4 << QByteArray("FC");
    QTest::newRow("-3") << -3 << QByteArray("FD");
    QTest::newRow("-2") << -2 << QByteArray("FE");
    QTest::newRow("-1") << -1 << QByteArray("FF");
    QTest::newRow("0") << 0 << QByteArray("00");
    QTest::newRow("+3") << 3 << QByteArray("03");
    QTest::newRow("+5") << 5 << QByteArray("05");
    QTest::newRow("+9") << 9 << QByteArray("09");
    // Beyond -6..9 there is no character that reads back; the nearest step is written.
    QTest::newRow("-7 clamped") << -7 << QByteArray("FA");
    QTest::newRow("-100 clamped") << -100 << QByteArray("FA");
    QTest::newRow("10 clamped") << 10 << QByteArray("09");
}

void TestFieldCodecs::writeSignedHex()
{
    QFETCH(int, value);
    QFETCH(QByteArray, bytes);

    SettingsBlock block = blockOf(framed("xx"));
    kbs::writeSignedHex(block, kFieldOffset, value);
    QCOMPARE(bytesOf(block), framed(bytes));
}

void TestFieldCodecs::readSignedHexUnchecked_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("hasValue");
    QTest::addColumn<int>("value");

    QTest::newRow("FA") << QByteArray("FA") << true << -6;
    QTest::newRow("FF") << QByteArray("FF") << true << -1;
    QTest::newRow("00") << QByteArray("00") << true << 0;
    QTest::newRow("03") << QByteArray("03") << true << 3;
    QTest::newRow("09") << QByteArray("09") << true << 9;
    // Any second character is taken as it comes.
    QTest::newRow("0A") << QByteArray("0A") << true << 'A' - '0';
    QTest::newRow("0/") << QByteArray("0/") << true << -1;
    QTest::newRow("F0") << QByteArray("F0") << true << '0' - 71;
    QTest::newRow("FG") << QByteArray("FG") << true << 0;
    // Another first character leaves the control alone.
    QTest::newRow("1F") << QByteArray("1F") << false << 0;
    QTest::newRow("lower-case f") << QByteArray("fF") << false << 0;
    QTest::newRow("NUL") << QByteArray("\x00\x30", 2) << false << 0;
}

void TestFieldCodecs::readSignedHexUnchecked()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, hasValue);
    QFETCH(int, value);

    const std::optional<int> read = kbs::readSignedHexUnchecked(blockOf(framed(bytes)), kFieldOffset);
    QCOMPARE(read.has_value(), hasValue);
    if (hasValue)
        QCOMPARE(*read, value);
}

void TestFieldCodecs::readSignedHexInRange_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<bool>("hasValue");
    QTest::addColumn<int>("value");

    // The ranges of printPressure, printPosAdjust and the LF pitch fields.
    QTest::newRow("pressure FA") << QByteArray("FA") << -6 << 3 << true << -6;
    QTest::newRow("pressure 03") << QByteArray("03") << -6 << 3 << true << 3;
    QTest::newRow("pressure 04") << QByteArray("04") << -6 << 3 << true << 0;
    QTest::newRow("pressure F9") << QByteArray("F9") << -6 << 3 << true << 0;
    QTest::newRow("pressure 0/") << QByteArray("0/") << -6 << 3 << true << 0;
    QTest::newRow("pressure FG") << QByteArray("FG") << -6 << 3 << true << 0;
    QTest::newRow("pressure X0") << QByteArray("X0") << -6 << 3 << false << 0;
    QTest::newRow("pos FD") << QByteArray("FD") << -3 << 3 << true << -3;
    QTest::newRow("pos FC") << QByteArray("FC") << -3 << 3 << true << 0;
    QTest::newRow("pos 03") << QByteArray("03") << -3 << 3 << true << 3;
    QTest::newRow("pos 04") << QByteArray("04") << -3 << 3 << true << 0;
    QTest::newRow("pitch FB") << QByteArray("FB") << -5 << 5 << true << -5;
    QTest::newRow("pitch FA") << QByteArray("FA") << -5 << 5 << true << 0;
    QTest::newRow("pitch 05") << QByteArray("05") << -5 << 5 << true << 5;
    QTest::newRow("pitch 06") << QByteArray("06") << -5 << 5 << true << 0;
    QTest::newRow("pitch space") << QByteArray(" 1") << -5 << 5 << false << 0;
}

void TestFieldCodecs::readSignedHexInRange()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(bool, hasValue);
    QFETCH(int, value);

    const std::optional<int> read = kbs::readSignedHexInRange(blockOf(framed(bytes)), kFieldOffset, min, max);
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

void TestFieldCodecs::writePaperThickness_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("auto") << 0 << QByteArray("00");
    QTest::newRow("1") << 1 << QByteArray("01");
    QTest::newRow("5") << 5 << QByteArray("05");
    QTest::newRow("9") << 9 << QByteArray("09");
    QTest::newRow("10") << 10 << QByteArray("10");
    QTest::newRow("12") << 12 << QByteArray("12");
}

void TestFieldCodecs::writePaperThickness()
{
    QFETCH(int, value);
    QFETCH(QByteArray, bytes);

    SettingsBlock block = blockOf(framed("xx"));
    kbs::writePaperThickness(block, kFieldOffset, value);
    QCOMPARE(bytesOf(block), framed(bytes));
}

void TestFieldCodecs::writeAutoPosAdjust_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("0") << 0 << QByteArray("00");
    QTest::newRow("9") << 9 << QByteArray("09");
    QTest::newRow("24") << 24 << QByteArray("24");
    QTest::newRow("25") << 25 << QByteArray("00");
    QTest::newRow("99") << 99 << QByteArray("00");
    QTest::newRow("-1") << -1 << QByteArray("00");
}

void TestFieldCodecs::writeAutoPosAdjust()
{
    QFETCH(int, value);
    QFETCH(QByteArray, bytes);

    SettingsBlock block = blockOf(framed("xx"));
    kbs::writeAutoPosAdjust(block, kFieldOffset, value);
    QCOMPARE(bytesOf(block), framed(bytes));
}

void TestFieldCodecs::bytesCopyFormImages()
{
    const QByteArray image("66,000,136,120,120,046,046,054,00,00");
    const SettingsBlock source = blockOf(framed(image));
    const std::string copied = kbs::readBytes(source, kFieldOffset, std::size_t(image.size()));
    QCOMPARE(QByteArray::fromStdString(copied), image);

    SettingsBlock target = blockOf(framed(QByteArray(image.size(), '\0')));
    kbs::writeBytes(target, kFieldOffset, copied);
    QCOMPARE(bytesOf(target), framed(image));
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
