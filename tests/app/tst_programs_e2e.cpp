// The real programs in a virtual X display against a private print spooler that serves one Q18RW.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

class TstProgramsE2e : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        for (const char* tool : {"Xvfb", "xdotool", "cupsd"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP("Xvfb, xdotool and cupsd are needed (tools/install-deps.sh installs them)");

        display_.start("Xvfb",
                       {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"});
        QTRY_VERIFY_WITH_TIMEOUT(display_.canReadLine(), 10000);
        environment_.insert("DISPLAY", ":" + QString::fromLatin1(display_.readLine()).trimmed());
        environment_.insert("QT_QPA_PLATFORM", "xcb");

        // cupsd's backends (user lp) must reach the state directory when run as root.
        QVERIFY(state_.isValid());
        QFile::setPermissions(state_.path(),
                              QFile::permissions(state_.path()) | QFile::ExeOther | QFile::ReadOther);
        QProcess spooler;
        spooler.start("bash", {KBS_TEST_SPOOLER, "start", state_.filePath("spooler"), "--owner",
                               QString::number(QCoreApplication::applicationPid()), "--simulator",
                               KBS_PRINTER_SIMULATOR, "ZAV Ferrostrike Q18RW"});
        QVERIFY(spooler.waitForFinished(60000));
        QVERIFY2(spooler.exitCode() == 0, spooler.readAllStandardError().constData());
        const QRegularExpressionMatch match =
            QRegularExpression("export CUPS_SERVER=(\\S+)")
                .match(QString::fromLocal8Bit(spooler.readAllStandardOutput()));
        QVERIFY(match.hasMatch());
        environment_.insert("CUPS_SERVER", match.captured(1));

        // A runtime directory of its own: instance locks never leak in or out.
        QVERIFY(QDir(state_.path()).mkdir("runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        environment_.insert("XDG_RUNTIME_DIR", state_.filePath("runtime"));
    }

    void cleanupTestCase()
    {
        qDeleteAll(findChildren<QProcess*>()); // kills what still runs
        // Also after a set-up that failed half-way.
        QProcess::execute("bash", {KBS_TEST_SPOOLER, "stop", state_.filePath("spooler")});
        display_.terminate();
        display_.waitForFinished(5000);
    }

    // Each case ends every program it started, so the next one counts windows afresh.
    void cleanup()
    {
        for (QProcess* program : findChildren<QProcess*>()) {
            program->kill();
            program->waitForFinished(kTimeoutMs);
            delete program;
        }
        QVERIFY(waitForWindows(kKbs18rTitle, 0));
    }

    void startsOnlyWithAServedPrinter()
    {
        // No printer for this program: a message, then status 1 without a window.
        QProcess* unserved = start(KBS62D_PATH);
        QVERIFY(waitForWindows("Knobstation", 1));
        // Without a window manager the window gets the keyboard only when given it.
        QVERIFY(xdotool({"windowfocus", "--sync", windows("Knobstation").first()}));
        QVERIFY(xdotool({"key", "--clearmodifiers", "Return"}));
        QVERIFY(finishes(unserved, 1));
        QVERIFY(windows("P62DW").isEmpty());

        // One printer: no selection dialog, no message, the window at once.
        QProcess* crashed = start(KBS18R_PATH);
        QVERIFY(waitForWindows(kKbs18rTitle, 1));
        QVERIFY(windows("Knobstation").isEmpty());
        QVERIFY(windows("プリンタの選択").isEmpty());
        // A second start hands over to the first and ends.
        QVERIFY(finishes(start(KBS18R_PATH), 0));
        QCOMPARE(windows(kKbs18rTitle).size(), 1);

        // Neither the lock of a killed instance nor a running original keeps a start from its window.
        ::kill(static_cast<pid_t>(crashed->processId()), SIGKILL);
        QVERIFY(crashed->waitForFinished(5000));
        QVERIFY(waitForWindows(kKbs18rTitle, 0));
        start(KBS18R_PATH);
        QVERIFY(waitForWindows(kKbs18rTitle, 1));
        // The copy finds its window program where the original does.
        QVERIFY(QDir(state_.path()).mkdir("bin"));
        QVERIFY(QFile::link(QFileInfo(KBS18R_PATH).dir().filePath("../lib"), state_.filePath("lib")));
        const QString copy = state_.filePath("bin/kbs18r-copy");
        QVERIFY(QFile::copy(KBS18R_PATH, copy));
        QProcess* renamed = start(copy);
        QVERIFY(waitForWindows(kKbs18rTitle, 2));
        QCOMPARE(renamed->state(), QProcess::Running);
    }

    // A start says nothing on standard error unless something is wrong, and a runtime folder
    // it cannot use is no reason to end without a window.
    void startsWhateverTheRuntimeFolder_data()
    {
        QTest::addColumn<QString>("runtimeFolder"); // empty: XDG_RUNTIME_DIR unset
        QTest::addColumn<QString>("temporaryFolder");
        QTest::addColumn<QString>("toldOnStandardError");
        const QString readOnly = readOnlyFolder();
        QTest::newRow("XDG_RUNTIME_DIR unset") << QString() << state_.filePath("tmp") << QString();
        QTest::newRow("read-only runtime folders")
            << readOnly << readOnly << "starting without the check for a running instance";
    }

    void startsWhateverTheRuntimeFolder()
    {
        QFETCH(QString, runtimeFolder);
        QFETCH(QString, temporaryFolder);
        QFETCH(QString, toldOnStandardError);
        QProcessEnvironment environment = environment_;
        environment.remove("XDG_RUNTIME_DIR");
        if (!runtimeFolder.isEmpty())
            environment.insert("XDG_RUNTIME_DIR", runtimeFolder);
        environment.insert("TMPDIR", temporaryFolder);
        QDir().mkpath(temporaryFolder);

        QProcess* program = start(KBS18R_PATH, environment, QProcess::SeparateChannels);
        QVERIFY(waitForWindows(kKbs18rTitle, 1));
        program->kill();
        QVERIFY(program->waitForFinished(kTimeoutMs));

        const QString told = QString::fromLocal8Bit(program->readAllStandardError());
        if (toldOnStandardError.isEmpty())
            QCOMPARE(told, QString());
        else
            QVERIFY2(told.contains(toldOnStandardError), qPrintable(told));
    }

private:
    QProcess* start(const QString& program, const QProcessEnvironment& environment,
                    QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel)
    {
        auto* process = new QProcess(this);
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(channels);
        process->start(program, {});
        return process;
    }
    QProcess* start(const QString& program) { return start(program, environment_); }

    // A folder nobody may write in, root included.
    QString readOnlyFolder() const
    {
        if (::geteuid() == 0)
            return QStringLiteral("/proc");
        const QString folder = state_.filePath("read-only");
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        return folder;
    }

    // Runs xdotool on the test's display; "search" ends with 1 when nothing matches, an answer too.
    bool xdotool(const QStringList& arguments, QString* output = nullptr) const
    {
        QProcess tool;
        tool.setProcessEnvironment(environment_);
        tool.start("xdotool", arguments);
        const bool ran = tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit &&
                         tool.exitCode() <= (output ? 1 : 0);
        if (output)
            *output = QString::fromLocal8Bit(tool.readAllStandardOutput());
        return ran;
    }

    QStringList windows(const QString& title) const
    {
        QString found;
        xdotool({"search", "--onlyvisible", "--name", QRegularExpression::escape(title)}, &found);
        return found.split('\n', Qt::SkipEmptyParts);
    }

    [[nodiscard]] bool waitForWindows(const QString& title, int count) const
    {
        return QTest::qWaitFor([&] { return windows(title).size() == count; }, kTimeoutMs);
    }

    [[nodiscard]] static bool finishes(QProcess* process, int status)
    {
        return process->waitForFinished(kTimeoutMs) && process->exitStatus() == QProcess::NormalExit &&
               process->exitCode() == status;
    }

    static constexpr int kTimeoutMs = 20000;
    const QString kKbs18rTitle = "ZAV Ferrostrike Q18RW/Q18RV";
    QProcess display_;
    QTemporaryDir state_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment(); // display and spooler
};

QTEST_GUILESS_MAIN(TstProgramsE2e)
#include "tst_programs_e2e.moc"
