// knobctl's file commands as a user runs them: show, diff, export, import and new on files in a
// temporary folder, with their exit statuses.

#include "cli/file_image.h"
#include "cli/knobctl.h"
#include "knobctl_run.h"

#include <QtTest>

#include <sstream>

using namespace kbs;
using namespace kbs::cli;
using knobctl_run::knobctl;
using knobctl_run::Run;

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

    void newFileHasTheFactoryDefaults_data();
    void newFileHasTheFactoryDefaults();
    void diff_data();
    void diff();
    void importWithAnErrorWritesNothing();
    void exportAndImportThroughFiles();
    void showUsesThePagesTexts();
    void refusals_data();
    void refusals();
    void help_data();
    void help();

private:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

void TstKnobctlFiles::newFileHasTheFactoryDefaults_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("identifier");
    // Sizes and identifiers as the settings files of the three programs have them.
    QTest::newRow("kbs18r") << "kbs18r" << 298 << QByteArray("ZAV Ferrostrike Q18RW_RV");
    QTest::newRow("kbs62d") << "kbs62d" << 215 << QByteArray("ZAV Ferrostrike P62DW_DV");
    QTest::newRow("kbs18t") << "kbs18t" << 208 << QByteArray("ZAV Ferrostrike Q18TS");
}

void TstKnobctlFiles::newFileHasTheFactoryDefaults()
{
    QFETCH(QString, program);
    QFETCH(int, size);
    QFETCH(QByteArray, identifier);

    const QString file = path(program + ".dat");
    QCOMPARE(knobctl({"new", program, "-o", file}).status, 0);
    const QByteArray content = contentOf(file);
    QCOMPARE(content.size(), size);
    QVERIFY(content.startsWith(identifier + '\0'));
    // The block begins with the lead-in and ends in the full stop and NUL bytes.
    QVERIFY(content.mid(identifier.size() + 1).startsWith("\x1C\x6F\x30\x2C"));
    QCOMPARE(knobctl({"diff", file}).status, 0);
}

void TstKnobctlFiles::diff_data()
{
    QTest::addColumn<int>("offset"); // block byte changed in the second file, -1 for none
    QTest::addColumn<char>("byte");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expected");

    QTest::newRow("same file") << -1 << '\0' << QByteArray() << 0 << "";
    // kbs18r centerCutSheet at offset 28: "40" -> "50".
    QTest::newRow("one setting") << 28 << '5' << QByteArray() << 1
                                 << "[パラメータ設定] カット紙 (centerCutSheet): 40 -> 50\n";
    QTest::newRow("one switch")
        << 10 << '\x01' << QByteArray() << 1
        << "[ＭＳＷ３] 自動用紙厚調整後の再吸入（MSW3-1） (msw3.1): 再吸入しない -> 再吸入する\n";
    QTest::newRow("an unlisted code") << 16 << '9' << QByteArray() << 1 << " (font1): 標準 -> hex:39\n";
    // kbs18r form2 at offset 126: formLength "66" -> "76"; the comma behind form1's length at 89.
    QTest::newRow("a form's field") << 126 << '7' << QByteArray() << 1
                                    << "[機能選択] 書式２ 用紙長 (form2.formLength): 66 -> 76\n";
    QTest::newRow("a comma inside a form") << 89 << ';' << QByteArray() << 1 << "block.89: 2C -> 3B\n";
    QTest::newRow("a reserved byte") << 22 << '\x07' << QByteArray() << 1 << "block.22: 00 -> 07\n";
    QTest::newRow("the tail") << -1 << '\0' << QByteArray("x") << 1 << "tail: hex: -> hex:78\n";
}

void TstKnobctlFiles::diff()
{
    QFETCH(int, offset);
    QFETCH(char, byte);
    QFETCH(QByteArray, tail);
    QFETCH(int, status);
    QFETCH(QString, expected);

    const QString a = path("a.dat");
    const QString b = path("b.dat");
    QCOMPARE(knobctl({"new", "kbs18r", "-o", a}).status, 0);
    QByteArray content = contentOf(a);
    if (offset >= 0)
        content[25 + offset] = byte;
    writeFile(b, content + tail);

    const Run run = knobctl({"diff", a, b});
    QCOMPARE(run.status, status);
    QVERIFY2(run.out.endsWith(expected), qPrintable(run.out));
    QCOMPARE(run.out.count('\n'), status);
    // B against the factory defaults: the same difference.
    QCOMPARE(knobctl({"diff", b}).out, run.out);
}

void TstKnobctlFiles::importWithAnErrorWritesNothing()
{
    const QTemporaryDir dir;
    const auto path = [&](const QString& name) { return dir.filePath(name); };
    const QString text = path("bad.txt");
    writeFile(text, "program = kbs18t\nfont1 = 標準\n\nfont1 = 標準\ncenterCutSheet = 99\n");
    const QString fresh = path("fresh.dat");
    const Run run = knobctl({"import", text, "-o", fresh});
    QCOMPARE(run.status, 2);
    QVERIFY(!QFile::exists(fresh));
    QVERIFY2(run.err.contains("bad.txt: line 4: duplicate key font1\n"), qPrintable(run.err));
    QVERIFY2(run.err.contains("bad.txt: line 5: centerCutSheet: "), qPrintable(run.err));

    // An existing file stays as it was, and no file is left beside it.
    const QString existing = path("existing.dat");
    writeFile(existing, "not a settings file");
    QCOMPARE(knobctl({"import", text, "-o", existing}).status, 2);
    QCOMPARE(contentOf(existing), QByteArray("not a settings file"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"bad.txt", "existing.dat"}));
}

void TstKnobctlFiles::exportAndImportThroughFiles()
{
    const QString original = path("original.dat");
    QCOMPARE(knobctl({"new", "kbs62d", "-o", original}).status, 0);
    QByteArray content = contentOf(original);
    content[25 + 58] = '3';  // hopper: no listed code
    content[25 + 22] = 'Z';  // postcardMode
    content[25 + 189] = 'x'; // a trailer byte
    writeFile(original, content + QByteArray("\0after", 6));

    const QString text = path("settings.txt");
    QCOMPARE(knobctl({"export", original, "-o", text}).status, 0);
    const QString copy = path("copy.dat");
    QCOMPARE(knobctl({"import", text, "-o", copy}).status, 0);
    QCOMPARE(contentOf(copy), contentOf(original));
    QCOMPARE(knobctl({"diff", original, copy}).status, 0);
    QCOMPARE(knobctl({"export", copy}).out.toUtf8(), contentOf(text));
}

void TstKnobctlFiles::showUsesThePagesTexts()
{
    const QString file = path("show.dat");
    QCOMPARE(knobctl({"new", "kbs18r", "-o", file}).status, 0);
    QByteArray content = contentOf(file);
    content[25 + 4] = 3; // msw1: イギリス
    writeFile(file, content);

    const Run run = knobctl({"show", file, "--bytes"});
    QCOMPARE(run.status, 0);
    QVERIFY(run.out.startsWith("kbs18r: ZAV Ferrostrike Q18RW/Q18RV ノブステーション\n"));
    const qsizetype msw1 = run.out.indexOf("\n[ＭＳＷ１]\n");
    QVERIFY(msw1 > 0);
    QVERIFY2(run.out.indexOf("各国文字の切り替え （MSW1-1/2/3）: イギリス  [@4: 03]") > msw1,
             qPrintable(run.out));
    QVERIFY(run.out.contains("    カット紙: 40 桁  [@28,29: 34 30]\n"));
    // The form list has no label of its own: it stands on its group's line.
    QVERIFY2(run.out.contains("\n  書式選択: 書式０  [@85: 30]\n"), qPrintable(run.out));
    QVERIFY(!run.out.contains("\n  書式選択\n"));
    // Each form under its name, with the dialog's labels and units; form 0 has no margins.
    QVERIFY2(run.out.contains("\n  書式０\n    用紙長: 66 行  [@38,39: 36 36]\n"
                              "    吸入位置 フロントトラクタ: 120 /120インチ  [@41,42,43: 31 32 30]\n"),
             qPrintable(run.out));
    QVERIFY(run.out.contains("\n  書式４\n    用紙長: 66 行  [@204,205: 36 36]\n"
                             "    レフトマージン幅: 0 桁  [@207,208,209: 30 30 30]\n"
                             "    ライトマージン幅: 136 桁  [@211,212,213: 31 33 36]\n"));
    QVERIFY(run.out.contains("    フロントトラクタ位置補正: 0 桁  [@238,239: 30 30]\n"));
}

void TstKnobctlFiles::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("content"); // of "input", when the arguments name it
    QTest::addColumn<QString>("expected");

    const QByteArray kbs18t = QByteArray("ZAV Ferrostrike Q18TS") + '\0';
    QTest::newRow("no settings file") << QStringList{"show", "input"} << QByteArray("hello")
                                      << "このファイルは設定ファイルではありません。";
    QTest::newRow("identifier without its NUL")
        << QStringList{"show", "input"} << QByteArray("ZAV Ferrostrike Q18TSx").append(186, '0')
        << "このファイルは設定ファイルではありません。";
    QTest::newRow("block too short") << QStringList{"export", "input"} << kbs18t + QByteArray(185, '0')
                                     << "このファイルは設定ファイルではありません。";
    QTest::newRow("missing file") << QStringList{"diff", "nowhere.dat"} << QByteArray()
                                  << "このファイルは設定ファイルではありません。";
    QTest::newRow("files of two programs")
        << QStringList{"diff", "input", "other"} << kbs18t + QByteArray(186, '0')
        << "the files are of two programs: kbs18t and kbs62d";
    QTest::newRow("unknown program") << QStringList{"new", "kbs99", "-o", "x.dat"} << QByteArray()
                                     << "unknown program kbs99";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << QByteArray()
                                     << "unknown command frobnicate";
    QTest::newRow("import without -o") << QStringList{"import", "input"} << QByteArray() << "-o is required";
    QTest::newRow("unknown option") << QStringList{"show", "input", "--colour"} << QByteArray()
                                    << "unknown option --colour";
    QTest::newRow("send to queues and --all")
        << QStringList{"send", "other", "q1", "--all"} << QByteArray() << "name the queues or give --all";
}

void TstKnobctlFiles::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);

    writeFile(path("input"), content);
    QCOMPARE(knobctl({"new", "kbs62d", "-o", path("other")}).status, 0);
    for (QString& argument : arguments)
        if (argument == "input" || argument == "other" || argument.endsWith(".dat"))
            argument = path(argument);
    const Run run = knobctl(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.contains(expected), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
}

void TstKnobctlFiles::help_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no arguments") << QStringList() << "Usage: knobctl COMMAND [ARGUMENTS]\n";
    QTest::newRow("--help") << QStringList{"--help"} << "Usage: knobctl COMMAND [ARGUMENTS]\n";
    for (const char* command : {"show", "diff", "export", "import", "new", "queues", "send"})
        QTest::addRow("%s --help", command)
            << QStringList{command, "--help"} << QString("Usage: knobctl %1").arg(command);
    // Help wins over arguments that would be refused.
    QTest::newRow("import -h without -o")
        << QStringList{"import", "-h"} << "Usage: knobctl import TEXT -o FILE";
}

void TstKnobctlFiles::help()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    const Run run = knobctl(arguments);
    QCOMPARE(run.status, 0);
    QVERIFY2(run.out.startsWith(expected), qPrintable(run.out));
    QVERIFY(run.err.isEmpty());
}

QTEST_GUILESS_MAIN(TstKnobctlFiles)
#include "tst_knobctl_files.moc"
