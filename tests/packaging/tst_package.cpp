// The knobstation Debian package as the install rules and CPack make it, checked without
// installing it: its control fields and contents, menu entries, icons and printer descriptions,
// an unpacked program started from its menu entry's command line in a virtual display, and a
// private cupsd whose driver directory is the unpacked printer description folder.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <map>

namespace {

struct Program {
    const char* name;
    const char* servedModel; // the one queue the program is given
    const char* windowTitle;
};

const Program kPrograms[] = {
    {"kbs18r", "ZAV Ferrostrike Q18RW", "ZAV Ferrostrike Q18RW/Q18RV ノブステーション"},
    {"kbs62d", "ZAV Ferrostrike P62DW", "ZAV Ferrostrike P62DW/P62DV ノブステーション"},
    {"kbs18t", "ZAV Ferrostrike Q18TS", "ZAV Ferrostrike Q18TS ノブステーション"},
};

// One printer description per model, named after it: "zav-ferrostrike-q18rw.ppd".
const char* const kModels[] = {"ZAV Ferrostrike Q18RW", "ZAV Ferrostrike Q18RV", "ZAV Ferrostrike P62DW",
                               "ZAV Ferrostrike P62DV", "ZAV Ferrostrike Q18TS"};

QString ppdFile(const QString& model)
{
    return model.toLower().replace(' ', '-') + ".ppd";
}

struct Result {
    bool ran = false; // started, finished in time and with status 0
    QString output;
};

Result run(const QString& program, const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    return {finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            QString::fromLocal8Bit(process.readAll())};
}

// The keys of a desktop entry's main group.
std::map<QString, QString> readDesktopEntry(const QString& path)
{
    QFile file(path);
    std::map<QString, QString> keys;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inMainGroup = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.startsWith('['))
            inMainGroup = line == "[Desktop Entry]";
        else if (const qsizetype equals = line.indexOf('='); inMainGroup && equals > 0)
            keys[line.left(equals).trimmed()] = line.mid(equals + 1).trimmed();
    }
    return keys;
}

} // namespace

class TstPackage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void controlFields_data();
    void controlFields();
    void contents_data();
    void contents();
    void everyEntryIsRootsAndReadableUnderUsr();
    void icons_data();
    void icons();
    void printerDescriptions_data();
    void printerDescriptions();
    void programFromItsMenuEntry_data();
    void programFromItsMenuEntry();

private:
    struct Entry {
        QString mode;
        QString owner;
    };
    QString package_;
    QString root_; // the unpacked package
    std::map<QString, Entry> contents_;
    QTemporaryDir scratch_;
    QProcess display_;
    QProcessEnvironment session_ = QProcessEnvironment::systemEnvironment();
    QString cupsState_;

    QString rootPath(const QString& relative) const { return root_ + '/' + relative; }
    void startPrivateCups();
    void startDisplay();
};

void TstPackage::initTestCase()
{
    const QDir out(KBS_PACKAGE_DIR);
    const QStringList packages = out.entryList({"knobstation_*.deb"}, QDir::Files);
    QVERIFY2(packages.size() == 1, "no package: the package_build test makes it");
    package_ = out.filePath(packages.first());

    // Unpacked in a temporary folder that cupsd's unprivileged user can read, as it must read the
    // printer descriptions; the build tree may lie where it cannot.
    QVERIFY(scratch_.isValid());
    QFile::setPermissions(scratch_.path(),
                          QFile::permissions(scratch_.path()) | QFile::ExeOther | QFile::ReadOther);
    root_ = QFileInfo(scratch_.path()).canonicalFilePath() + "/root";
    const Result unpacked = run("dpkg-deb", {"-x", package_, root_});
    QVERIFY2(unpacked.ran, qPrintable(unpacked.output));

    const Result listing = run("dpkg-deb", {"--contents", package_});
    QVERIFY2(listing.ran, qPrintable(listing.output));
    // "-rw-r--r-- root/root  1234 2026-01-01 00:00 ./usr/share/..."
    for (const QString& line : listing.output.split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
        QVERIFY2(fields.size() >= 6, qPrintable(line));
        contents_[fields[5]] = {fields[0], fields[1]};
    }

    startPrivateCups();
    if (!QTest::currentTestFailed())
        startDisplay();
}

void TstPackage::cleanupTestCase()
{
    if (!cupsState_.isEmpty())
        run("bash", {KBS_TEST_SPOOLER, "stop", cupsState_});
    display_.terminate();
    display_.waitForFinished(5000);
}

// A private cupsd whose data directory is the system's, except that its driver folder ("model")
// is the unpacked package's printer description folder. It serves one queue per program.
void TstPackage::startPrivateCups()
{
    cupsState_ = scratch_.filePath("cups");
    const QString owner = QString::number(QCoreApplication::applicationPid());
    Result started = run("bash", {KBS_TEST_SPOOLER, "start", cupsState_, "--owner", owner});
    QVERIFY2(started.ran, qPrintable(started.output));
    QVERIFY(run("bash", {KBS_TEST_SPOOLER, "stop-cupsd", cupsState_}).ran);

    const QDir systemData("/usr/share/cups");
    const QDir data(scratch_.filePath("cups-data"));
    QVERIFY(data.mkpath("."));
    for (const QString& name : systemData.entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (name != "model")
            QVERIFY(QFile::link(systemData.filePath(name), data.filePath(name)));
    QVERIFY(QFile::link(rootPath("usr/share/ppd"), data.filePath("model")));

    QFile files(cupsState_ + "/conf/cups-files.conf");
    QVERIFY(files.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(files.readAll());
    files.close();
    QVERIFY(text.contains("DataDir /usr/share/cups\n"));
    text.replace("DataDir /usr/share/cups\n", "DataDir " + data.path() + '\n');
    QVERIFY(files.open(QIODevice::WriteOnly | QIODevice::Truncate));
    files.write(text.toUtf8());
    files.close();

    QStringList arguments = {KBS_TEST_SPOOLER,     "start", cupsState_, "--owner", owner, "--simulator",
                             KBS_PRINTER_SIMULATOR};
    for (const Program& program : kPrograms)
        arguments << program.servedModel;
    started = run("bash", arguments);
    QVERIFY2(started.ran, qPrintable(started.output));
    const QRegularExpressionMatch server =
        QRegularExpression("export CUPS_SERVER=(\\S+)").match(started.output);
    QVERIFY(server.hasMatch());
    session_.insert("CUPS_SERVER", server.captured(1));
}

// A virtual display, a private runtime directory, and an "xdg-open" that notes what it was asked
// to open instead of starting a browser.
void TstPackage::startDisplay()
{
    for (const char* tool : {"Xvfb", "xdotool", "xprop"})
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(),
                 "Xvfb, xdotool and xprop are needed (tools/install-deps.sh installs them)");
    display_.start("Xvfb",
                   {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"});
    QTRY_VERIFY_WITH_TIMEOUT(display_.canReadLine(), 10000);
    session_.insert("DISPLAY", ":" + QString::fromLatin1(display_.readLine()).trimmed());
    session_.insert("QT_QPA_PLATFORM", "xcb");

    QVERIFY(QDir(scratch_.path()).mkdir("runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    session_.insert("XDG_RUNTIME_DIR", scratch_.filePath("runtime"));

    QVERIFY(QDir(scratch_.path()).mkpath("bin"));
    QFile opener(scratch_.filePath("bin/xdg-open"));
    QVERIFY(opener.open(QIODevice::WriteOnly));
    opener.write(QString("#!/bin/sh\nprintf '%s\\n' \"$*\" > '%1.part' && mv '%1.part' '%1'\n")
                     .arg(scratch_.filePath("opened"))
                     .toUtf8());
    opener.close();
    QVERIFY(opener.setPermissions(opener.permissions() | QFile::ExeOwner));
    // The unpacked programs come first, as an installed program is found on PATH.
    session_.insert("PATH",
                    rootPath("usr/bin") + ':' + scratch_.filePath("bin") + ':' + session_.value("PATH"));
}

void TstPackage::controlFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("pattern");

    const QString architecture = run("dpkg", {"--print-architecture"}).output.trimmed();
    QTest::newRow("name") << "Package"
                          << "^knobstation$";
    QTest::newRow("version of the project")
        << "Version"
        << "^" + QRegularExpression::escape(KBS_PROJECT_VERSION) + "-[0-9]+$";
    QTest::newRow("architecture of the build") << "Architecture"
                                               << "^" + architecture + "$";
    QTest::newRow("maintainer with a mail address") << "Maintainer"
                                                    << "^[^<>]+ <[^@<>]+@[^@<>]+>$";
    QTest::newRow("synopsis and a long description") << "Description"
                                                     << "^\\S.{9,79}\\n \\S";
    // The first two are loaded at run time; the rest come from the programs' links.
    for (const char* dependency :
         {"fonts-ipafont-gothic", "qt6-translations-l10n", "libcups2", "libqt6widgets6", "libqt6gui6",
          "libstdc\\+\\+6", "libc6"})
        QTest::addRow("depends on %s", dependency)
            << "Depends" << QString("(^|, )%1( \\(|,|$)").arg(dependency);
}

void TstPackage::controlFields()
{
    QFETCH(QString, field);
    QFETCH(QString, pattern);
    const Result value = run("dpkg-deb", {"--field", package_, field});
    QVERIFY2(value.ran, qPrintable(value.output));
    QVERIFY2(QRegularExpression(pattern).match(value.output.trimmed()).hasMatch(),
             qPrintable(field + ": " + value.output));
}

void TstPackage::contents_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("program");

    for (const Program& p : kPrograms) {
        const QString name = p.name;
        QTest::addRow("%s program", p.name) << "./usr/bin/" + name << true;
        QTest::addRow("%s window program", p.name) << "./usr/lib/knobstation/" + name << true;
        QTest::addRow("%s help", p.name) << QString("./usr/share/%1/%1.html").arg(name) << false;
        QTest::addRow("%s menu entry", p.name) << "./usr/share/applications/" + name + ".desktop" << false;
        QTest::addRow("%s manual page", p.name) << "./usr/share/man/man1/" + name + ".1.gz" << false;
    }
    QTest::newRow("knobctl program") << "./usr/bin/knobctl" << true;
    QTest::newRow("knobctl manual page") << "./usr/share/man/man1/knobctl.1.gz" << false;
    for (const char* model : kModels)
        QTest::newRow(model) << "./usr/share/ppd/knobstation/" + ppdFile(model) << false;
    QTest::newRow("copyright") << "./usr/share/doc/knobstation/copyright" << false;
    QTest::newRow("changelog") << "./usr/share/doc/knobstation/changelog.Debian.gz" << false;
    QTest::newRow("lintian overrides") << "./usr/share/lintian/overrides/knobstation" << false;
}

void TstPackage::contents()
{
    QFETCH(QString, path);
    QFETCH(bool, program);
    const auto entry = contents_.find(path);
    QVERIFY2(entry != contents_.end(), qPrintable(path + " is not in the package"));
    QCOMPARE(entry->second.mode, program ? "-rwxr-xr-x" : "-rw-r--r--");
}

// Nothing outside /usr, nothing owned by the builder, and no folder the umask of the build
// made unreadable or writable for others.
void TstPackage::everyEntryIsRootsAndReadableUnderUsr()
{
    QVERIFY(!contents_.empty());
    for (const auto& [path, entry] : contents_) {
        QVERIFY2(path == "./" || path.startsWith("./usr/"), qPrintable(path));
        QVERIFY2(entry.owner == "root/root", qPrintable(path + " " + entry.owner));
        if (entry.mode.startsWith('d'))
            QVERIFY2(entry.mode == "drwxr-xr-x", qPrintable(path + " " + entry.mode));
        else
            QVERIFY2(entry.mode.mid(4) == "r--r--" || entry.mode.mid(4) == "r-xr-x",
                     qPrintable(path + " " + entry.mode));
    }
}

void TstPackage::icons_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48, 64, 128, 256})
        QTest::addRow("%d px", size) << size;
}

// Each file holds the picture drawn at its folder's size: a transparent corner around an
// opaque printer, not a blank or scaled image of another size.
void TstPackage::icons()
{
    QFETCH(int, size);
    const QImage icon(rootPath(QString("usr/share/icons/hicolor/%1x%1/apps/knobstation.png").arg(size)));
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.size(), QSize(size, size));
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(size / 2, size * 3 / 4)), 255);
}

void TstPackage::printerDescriptions_data()
{
    QTest::addColumn<QString>("model");
    for (const char* model : kModels)
        QTest::newRow(model) << model;
}

// Each passes cupstestppd; lpinfo -m lists every model, by its *NickName, under the package's
// folder name, and lpadmin -m makes a queue of it. (Installed in /usr/share/ppd, the names gain
// cups-driverd's prefix for it, "lsb/usr/".)
void TstPackage::printerDescriptions()
{
    QFETCH(QString, model);
    const QString driver = "knobstation/" + ppdFile(model);
    const QString path = rootPath("usr/share/ppd/" + driver);
    const Result check = run("cupstestppd", {"-q", path});
    QVERIFY2(check.ran, qPrintable(check.output));

    const Result drivers = run("/usr/sbin/lpinfo", {"-m"}, session_);
    QVERIFY2(drivers.ran, qPrintable(drivers.output));
    const QStringList lines = drivers.output.split('\n');
    QVERIFY2(lines.contains(driver + ' ' + model), qPrintable(lines.filter("knobstation").join('\n')));
    QCOMPARE(lines.filter(QRegularExpression("^knobstation/")).size(), qsizetype(std::size(kModels)));

    const QString queue = "from-" + QFileInfo(driver).completeBaseName();
    const Result added =
        run("/usr/sbin/lpadmin", {"-p", queue, "-E", "-v", "socket://127.0.0.1:9", "-m", driver}, session_);
    // Gone again afterwards, so that each program still finds only the one queue of its own.
    const auto removeQueue = qScopeGuard([&] { run("/usr/sbin/lpadmin", {"-x", queue}, session_); });
    QVERIFY2(added.ran, qPrintable(added.output));
    const Result options = run("lpoptions", {"-p", queue}, session_);
    QVERIFY2(options.output.contains("printer-make-and-model='" + model + "'"), qPrintable(options.output));
}

void TstPackage::programFromItsMenuEntry_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("windowTitle");
    for (const Program& p : kPrograms)
        QTest::newRow(p.name) << p.name << QString::fromUtf8(p.windowTitle);
}

// The menu entry is valid and complete. Started as the menu would start it, far from the build
// tree, the program has Qt's Japanese texts, its help command is enabled and opens the unpacked
// help page, and its window carries the class the menu entry names.
void TstPackage::programFromItsMenuEntry()
{
    QFETCH(QString, program);
    QFETCH(QString, windowTitle);
    const QString path = rootPath("usr/share/applications/" + program + ".desktop");
    const Result validation = run("desktop-file-validate", {path});
    QVERIFY2(validation.ran && !validation.output.contains("error:") &&
                 !validation.output.contains("warning:"),
             qPrintable(validation.output));
    std::map<QString, QString> entry = readDesktopEntry(path);
    QCOMPARE(entry["Name[ja]"], windowTitle);
    const QString englishName = entry["Name"];
    QVERIFY2(!englishName.isEmpty() && std::all_of(englishName.begin(), englishName.end(),
                                                   [](QChar c) { return c.unicode() < 0x80; }),
             qPrintable(englishName));
    QCOMPARE(entry["Categories"], QString("Settings;HardwareSettings;Printing;"));
    QCOMPARE(entry["Icon"], QString("knobstation")); // the icons test checks its pictures

    QStringList command = entry["Exec"].split(' ', Qt::SkipEmptyParts);
    QVERIFY(!command.isEmpty());
    const QString executable =
        QStandardPaths::findExecutable(command.takeFirst(), session_.value("PATH").split(':'));
    QCOMPARE(executable, rootPath("usr/bin/" + program));

    const QString opened = scratch_.filePath("opened");
    QFile::remove(opened);
    QProcess running;
    const auto stop = qScopeGuard([&] {
        running.kill();
        running.waitForFinished(5000);
    });
    running.setProcessEnvironment(session_);
    running.setWorkingDirectory(scratch_.path());
    running.setProcessChannelMode(QProcess::ForwardedChannels);
    running.start(executable, command);

    QString window;
    QTRY_VERIFY_WITH_TIMEOUT(
        (window =
             run("xdotool", {"search", "--onlyvisible", "--name", QRegularExpression::escape(windowTitle)},
                 session_)
                 .output.trimmed())
                .size() > 0,
        15000);
    QCOMPARE(running.state(), QProcess::Running);
    // Qt maps a translation file it has loaded: the Japanese standard buttons come from the system's Qt.
    QFile maps(QString("/proc/%1/maps").arg(running.processId()));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY2(maps.readAll().contains("/qtbase_ja.qm\n"), "Qt's Japanese translation is not loaded");
    QVERIFY(run("xdotool", {"windowfocus", "--sync", window}, session_).ran);
    QVERIFY(run("xdotool", {"key", "--clearmodifiers", "F1"}, session_).ran);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(opened), 15000);
    QFile request(opened);
    QVERIFY(request.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(request.readAll()).trimmed(),
             QUrl::fromLocalFile(rootPath(QString("usr/share/%1/%1.html").arg(program))).toString());

    // WM_CLASS(STRING) = "instance", "class"
    const Result windowClass = run("xprop", {"-id", window, "WM_CLASS"}, session_);
    QVERIFY2(windowClass.ran, qPrintable(windowClass.output));
    QCOMPARE(QRegularExpression("\"([^\"]*)\"\\s*$").match(windowClass.output.trimmed()).captured(1),
             entry["StartupWMClass"]);
}

QTEST_GUILESS_MAIN(TstPackage)
#include "tst_package.moc"
