// knobctl's file commands: properties over random files (nothing lost, nothing invented), then
// one row per kind of input people and scripts give it.

#include "cli/settings_report.h"
#include "cli/settings_text.h"
#include "knobctl_run.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

#include <random>

using namespace kbs;
using namespace kbs::cli;
using knobctl_run::knobctl;
using knobctl_run::Run;

namespace {

// The factory defaults with a third of the bytes replaced, mostly by digits, so that the
// settings hold other values as well as bytes that are no value; and a tail now and then.
FileImage randomFile(const ModelVariant& variant, std::mt19937& random)
{
    FileImage image = factoryFile(variant);
    for (std::size_t offset = 0; offset < image.block.size(); ++offset)
        if (random() % 3 == 0)
            image.block[offset] = random() % 4 ? std::uint8_t('0' + random() % 10) : std::uint8_t(random());
    image.tail.resize(random() % 3 ? 0 : random() % 5, std::uint8_t(random()));
    return image;
}

QByteArray bytesOf(const FileImage& image)
{
    const std::vector<std::uint8_t> bytes = image.fileBytes();
    return {reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())};
}

FileImage imported(const std::string& text, const FileImage* base = nullptr)
{
    ImportResult result = importText(text, base, Language::English);
    if (!result.image)
        throw std::runtime_error(result.errors.empty() ? "no image" : result.errors.front());
    return std::move(*result.image);
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

} // namespace

class TstKnobctlFiles : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir_.isValid()); }

    // Export then import gives the file back, whole or only its changes over the defaults; diff
    // sees every change.
    void exportImportIsTheIdentity()
    {
        std::mt19937 random(20);
        for (const ModelVariant* variant : programs()) {
            const SettingsMap& map = settingsMapOf(*variant);
            const FileImage factory = factoryFile(*variant);
            for (int round = 0; round < 40; ++round) {
                const FileImage file = randomFile(*variant, random);
                QCOMPARE(bytesOf(imported(exportText(map, file))), bytesOf(file));
                QCOMPARE(bytesOf(imported(exportText(map, file, &factory))), bytesOf(file));
                // diff sees any one bit and the tail.
                FileImage changed = file;
                changed.block[random() % file.block.size()] ^= std::uint8_t(1U << random() % 8);
                QVERIFY(diffText(map, file, file).empty() && !diffText(map, file, changed).empty());
                changed = file;
                changed.tail.push_back(0x5A);
                QVERIFY(!diffText(map, file, changed).empty());
            }
        }
    }

    // A text that names some settings and raw bytes of B, imported over A: B's bits for what it
    // names, A's for every other bit, A's tail.
    void importChangesOnlyTheKeysItNames()
    {
        std::mt19937 random(2);
        for (const ModelVariant* variant : programs()) {
            const SettingsMap& map = settingsMapOf(*variant);
            for (int round = 0; round < 40; ++round) {
                const FileImage a = randomFile(*variant, random);
                const FileImage b = randomFile(*variant, random);
                std::string text = "program = " + std::string(variant->deliverable) + "\n";
                std::vector<std::uint8_t> named(variant->blockLength, 0);
                for (const QString& line : QString::fromStdString(exportText(map, b)).split('\n')) {
                    const std::string key = line.section(" = ", 0, 0).toStdString();
                    if (!line.contains(" = ") || key == "program" || key == "tail" || random() % 4 != 0)
                        continue;
                    text += line.toStdString() + "\n";
                    if (const Setting* setting = map.find(key))
                        for (const OwnedBits& bits : setting->bits)
                            named[bits.offset] |= bits.mask;
                    else // "block.N" or "block.N-M"
                        for (std::size_t o = std::stoul(key.substr(6));
                             o <= std::stoul(key.substr(key.find_last_of(".-") + 1)); ++o)
                            named[o] |= std::uint8_t(~map.ownedMask(o));
                }
                const FileImage result = imported(text, &a);
                for (std::size_t o = 0; o < variant->blockLength; ++o)
                    QVERIFY2(
                        result.block[o] == ((a.block[o] & ~named[o]) | (b.block[o] & named[o])),
                        qPrintable(QString("byte %1 after\n%2").arg(o).arg(QString::fromStdString(text))));
                QCOMPARE(result.tail, a.tail);
            }
        }
    }

    // Every bit of the block once, with the byte it has, and the tail: nothing sent goes unshown.
    void showBytesAccountsForEveryByte()
    {
        std::mt19937 random(3);
        static const QRegularExpression owned("@(\\d+)(?: bits? ([\\d,-]+))?: ([0-9A-F]{2})");
        for (const ModelVariant* variant : programs()) {
            const FileImage file = randomFile(*variant, random);
            const QString shown =
                QString::fromStdString(showText(settingsMapOf(*variant), file, true, Language::English));
            std::vector<int> seen(variant->blockLength, 0);
            for (const QRegularExpressionMatch& match : owned.globalMatch(shown)) {
                const std::size_t offset = match.captured(1).toULong();
                QCOMPARE(match.captured(3).toUInt(nullptr, 16), file.block[offset]);
                int mask = 0;
                const QString bits = match.captured(2);
                for (const QString& part : bits.split(',', Qt::SkipEmptyParts))
                    for (int bit = part.section('-', 0, 0).toInt(); bit <= part.section('-', -1).toInt();
                         ++bit)
                        mask |= 1 << bit;
                mask = bits.isEmpty() ? 0xFF : mask;
                QVERIFY2((seen[offset] & mask) == 0, qPrintable(QString("byte %1 twice").arg(offset)));
                seen[offset] |= mask;
            }
            for (std::size_t offset = 0; offset < seen.size(); ++offset)
                QVERIFY2(seen[offset] == 0xFF, qPrintable(QString("byte %1 missing").arg(offset)));
            const QByteArray tail(reinterpret_cast<const char*>(file.tail.data()),
                                  qsizetype(file.tail.size()));
            QVERIFY(shown.contains(QString("after the block: %1 bytes").arg(tail.size()) +
                                   (tail.isEmpty() ? "\n" : ": hex:" + tail.toHex().toUpper() + "\n")));
        }
    }

    // The first locale setting that is set decides, as for other command-line tools.
    void languageFollowsTheLocale()
    {
        QCOMPARE(languageOf(nullptr, "", "ja_JP.UTF-8"), Language::Japanese);
        QCOMPARE(languageOf("C", "ja_JP.UTF-8", "ja_JP.UTF-8"), Language::English);
        QCOMPARE(languageOf(nullptr, "ja_JP.eucJP", "en_US.UTF-8"), Language::Japanese);
        QCOMPARE(languageOf(nullptr, nullptr, "jam_XX"), Language::English);
    }

    void commands_data();
    void commands();
    void outputIsDefinedByItsInputAlone();

private:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

void TstKnobctlFiles::commands_data()
{
    QTest::addColumn<QStringList>("arguments"); // "@name": a file in the folder
    QTest::addColumn<QByteArray>("input");      // of "@in"; "@a.dat" is a kbs18r file, "@t.dat" kbs18t
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expected"); // what standard error (or else output) holds, as a pattern

    const QByteArray kbs18t = QByteArray("ZAV Ferrostrike Q18TS") + '\0';
    // Usage: on standard error with status 2; help and version on standard output.
    QTest::newRow("no arguments") << QStringList{} << QByteArray() << 2 << "^Usage: knobctl COMMAND";
    QTest::newRow("help COMMAND") << QStringList{"help", "import"} << QByteArray() << 0
                                  << "^Usage: knobctl import TEXT \\(-o FILE \\| --check\\)";
    QTest::newRow("--version") << QStringList{"--version"} << QByteArray() << 0 << "^knobctl \\d+\\.\\d+\n$";
    QTest::newRow("unknown option") << QStringList{"show", "@a.dat", "--colour"} << QByteArray() << 2
                                    << "^knobctl: show: unknown option --colour\nRun \"knobctl help show\"";
    QTest::newRow("-- ends options") << QStringList{"show", "--", "-x"} << QByteArray() << 2
                                     << "^knobctl: show: -x: not found\n$";
    // File problems, each by its name.
    QTest::newRow("missing") << QStringList{"show", "@nowhere"} << QByteArray() << 2
                             << "nowhere: not found\n";
    QTest::newRow("folder") << QStringList{"show", "@."} << QByteArray() << 2 << ": a folder, not a file\n";
    QTest::newRow("empty") << QStringList{"show", "@in"} << QByteArray() << 2
                           << "in: empty: not a settings file";
    QTest::newRow("text") << QStringList{"show", "@in"} << QByteArray("hello") << 2
                          << "in: not a settings file\n";
    QTest::newRow("truncated") << QStringList{"show", "@in"} << kbs18t + "123" << 2
                               << "truncated kbs18t settings file: 25 of 208 bytes";
    QTest::newRow("another program's file")
        << QStringList{"show", "@in"} << QByteArray("ZAV Ferrostrike Q99ZZ\0rest", 26) << 2
        << "another program \\(\"ZAV Ferrostrike Q99ZZ\"\\)";
    QTest::newRow("two programs") << QStringList{"diff", "@a.dat", "@t.dat"} << QByteArray() << 2
                                  << "two programs: kbs18r and kbs18t";
    QTest::newRow("base of another program")
        << QStringList{"import", "@in", "--check", "--base", "@t.dat"} << QByteArray("program = kbs18r\n")
        << 2 << "line 1: the base file is a file of kbs18t";
    QTest::newRow("write failure") << QStringList{"new", "kbs18r", "-o", "@nowhere/x.dat"} << QByteArray()
                                   << 2 << "x.dat: cannot be written: No such file or directory\n";
    // Texts as people type and save them.
    QTest::newRow("byte order mark") << QStringList{"import", "@in", "--check"}
                                     << QByteArray("\xEF\xBB\xBFprogram = kbs18r\n") << 0 << "^$";
    QTest::newRow("Shift_JIS") << QStringList{"import", "@in", "--check"}
                               << QByteArray("program = kbs18r\nfont1 = \x95\x57\x8F\x80\nfont2 = x\n") << 2
                               << "^knobctl: import: \\S+in: line 2: not UTF-8 text[^\n]*\n$";
    QTest::newRow("one above the range")
        << QStringList{"import", "@in", "--check"} << QByteArray("program = kbs18r\ncenterCutSheet = 69\n")
        << 2 << "in: line 2: centerCutSheet: a whole number from 10 to 68\n";
    QTest::newRow("full-width and signs")
        << QStringList{"import", "@in", "--check"}
        << QByteArray(
               "program = kbs18r\ncenterCutSheet = ６８\nlfPitchSheetGuide = 5\nlfPitchRearTractor = －５\n")
        << 0 << "^$";
    QTest::newRow("choices as the window writes them")
        << QStringList{"import", "@in", "--check"} << QByteArray("program = kbs18r\nfont2 = Helvetica\n") << 2
        << "font2: not one of: 標準, イタリック, クーリエ, ゴシック, OCR-B\n";
    QTest::newRow("raw byte of a setting")
        << QStringList{"import", "@in", "--check"} << QByteArray("program = kbs18r\nblock.15-16 = hex:2C33\n")
        << 2 << "line 2: block.15-16: byte 16 is the setting font1";
    QTest::newRow("a former key") << QStringList{"import", "@in", "--check"}
                                  << QByteArray("program = kbs18t\nformLength = 70\n") << 0
                                  << "^knobctl: import: \\S+: line 2: formLength is now form0.formLength\n$";
    QTest::newRow("messages in Japanese")
        << QStringList{"ja", "import", "@in", "-o", "@x.dat"} << QByteArray("program = kbs18r\nfont2 = x\n")
        << 2
        << "^knobctl: import: \\S+in: 2 行目: font2: 次のいずれかを指定してください: 標準, イタリック, "
           "クーリエ, ゴシック, OCR-B\n$";
    QTest::newRow("usage in Japanese")
        << QStringList{"ja", "show"} << QByteArray() << 2
        << "^knobctl: show: 使い方: knobctl show FILE[^\n]*\n使い方は[^\n]*\n$";
    // What a script reads.
    QTest::newRow("diff of a text") << QStringList{"diff", "@in", "@a.dat"}
                                    << QByteArray("program = kbs18r\ncenterCutSheet = 50\n") << 1
                                    << "^\\[パラメータ設定\\] カット紙 \\(centerCutSheet\\): 50 -> 40\n$";
    QTest::newRow("hidden setting") << QStringList{"show", "@t.dat"} << QByteArray() << 0
                                    << "\n  [^\n]+: [^\n]+ \\(not shown in the window\\)\n";
}

void TstKnobctlFiles::commands()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, expected);

    writeFile(path("in"), input);
    QCOMPARE(knobctl({"new", "kbs18r", "-o", path("a.dat")}).status, 0);
    QCOMPARE(knobctl({"new", "kbs18t", "-o", path("t.dat")}).status, 0);
    const Language language = arguments.value(0) == "ja" ? Language::Japanese : Language::English;
    if (language == Language::Japanese)
        arguments.removeFirst();
    for (QString& argument : arguments)
        if (argument.startsWith('@'))
            argument = path(argument.mid(1));
    const Run run = knobctl(arguments, language);
    QCOMPARE(run.status, status);
    const QString& shown = run.err.isEmpty() ? run.out : run.err;
    QVERIFY2(shown.contains(QRegularExpression(expected)), qPrintable(shown));
    QVERIFY(!QFile::exists(path("x.dat")));
}

void TstKnobctlFiles::outputIsDefinedByItsInputAlone()
{
    // Over a longer file, even the text itself: the new content whole, the old mode kept.
    const QString text = path("r.txt");
    QCOMPARE(knobctl({"new", "kbs62d", "-o", path("r.dat")}).status, 0);
    QCOMPARE(knobctl({"export", path("r.dat"), "-o", text}).status, 0);
    const auto mode =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadUser | QFile::WriteUser;
    QVERIFY(QFile::setPermissions(text, mode));
    QCOMPARE(knobctl({"import", text, "-o", text}).status, 0);
    QCOMPARE(contentOf(text), contentOf(path("r.dat")));
    QCOMPARE(QFile::permissions(text), mode);
    writeFile(path("long.dat"), QByteArray(9000, 'x'));
    QCOMPARE(knobctl({"new", "kbs62d", "-o", path("long.dat")}).status, 0);
    QCOMPARE(contentOf(path("long.dat")), contentOf(path("r.dat")));

    // Standard input; the changes over another file; JSON for scripts.
    QCOMPARE(knobctl({"new", "kbs18r", "-o", path("a.dat")}).status, 0);
    const QByteArray change = "program = kbs18r\ncenterCutSheet = 50\n";
    QCOMPARE(knobctl({"import", "-", "-o", path("b.dat"), "--base", path("a.dat")}, Language::English, change)
                 .status,
             0);
    const Run changed = knobctl({"export", path("b.dat"), "--changed", "--base", path("a.dat")});
    QCOMPARE(changed.out.split('\n').filter(QRegularExpression("^[^#].* = ")),
             QStringList({"program = kbs18r", "centerCutSheet = 50"}));
    const QJsonArray differences =
        QJsonDocument::fromJson(knobctl({"diff", path("a.dat"), path("b.dat"), "--json"}).out.toUtf8())
            .array();
    QCOMPARE(differences.size(), 1);
    QCOMPARE(differences[0].toObject()["key"].toString(), "centerCutSheet");
    QCOMPARE(differences[0].toObject()["new"].toString(), "50");
    const QJsonObject shown =
        QJsonDocument::fromJson(knobctl({"show", path("b.dat"), "--json"}).out.toUtf8()).object();
    QStringList labels;
    for (const QJsonValue& setting : shown["settings"].toArray())
        if (setting["key"] == "centerCutSheet" || setting["key"] == "formSelect")
            labels << setting["label"].toString() + " = " + setting["value"].toString();
    QCOMPARE(labels, QStringList({"書式選択 = 書式０", "カット紙 = 50"}));
}

QTEST_GUILESS_MAIN(TstKnobctlFiles)
#include "tst_knobctl_files.moc"
