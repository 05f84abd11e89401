// The real programs in a virtual X display against a private print spooler.
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <optional>
#include <vector>

namespace {
const QString kKbs18rTitle = "ZAV Ferrostrike Q18RW/Q18RV";
const QString kKbs62dTitle = "ZAV Ferrostrike P62DW/P62DV";
constexpr int kWindowTimeoutMs = 20000;
} // namespace

class TstProgramsE2e : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { programs_.clear(); } // kills what still runs

    void initTestCase()
    {
        for (const char* tool : {"Xvfb", "xdotool", "cupsd"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(
                    qPrintable(QString("%1 is not installed (tools/install-deps.sh installs it)").arg(tool)));

        display_.start("Xvfb",
                       {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"});
        QVERIFY(display_.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(display_.canReadLine(), 10000);
        environment_.insert("DISPLAY", ":" + QString::fromLatin1(display_.readLine()).trimmed());
        environment_.remove("WAYLAND_DISPLAY");
        environment_.insert("QT_QPA_PLATFORM", "xcb");

        // Static state directory name: cupsd's backends (user lp) must reach it when run as root.
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
    }

    void cleanupTestCase()
    {
        if (environment_.contains("CUPS_SERVER"))
            QProcess::execute("bash", {KBS_TEST_SPOOLER, "stop", state_.filePath("spooler")});
        display_.terminate();
        display_.waitForFinished(5000);
    }

    void init()
    {
        // A runtime directory of its own per test: instance locks never leak between tests.
        const QString runtimeDir = state_.filePath(QString("runtime-%1").arg(QTest::currentTestFunction()));
        QVERIFY(QDir().mkpath(runtimeDir));
        QFile::setPermissions(runtimeDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment_.insert("XDG_RUNTIME_DIR", runtimeDir);
    }

    void onePrinterStartsStraightIntoTheWindow()
    {
        QProcess* first = start(KBS18R_PATH);
        // No selection dialog, no message, the window at once.
        QVERIFY(waitForWindows(kKbs18rTitle, 1));
        QVERIFY(windows("Knobstation").isEmpty());
        QVERIFY(windows("プリンタの選択").isEmpty());

        // A second start hands over to the first and ends.
        QVERIFY(finishes(start(KBS18R_PATH), 0));
        QCOMPARE(windows(kKbs18rTitle).size(), 1);

        QVERIFY(pressKeys(windows(kKbs18rTitle).first(), "alt+F4"));
        QVERIFY(finishes(first, 0));
    }

    void noServedPrinterEndsWithStatus1()
    {
        QProcess* program = start(KBS62D_PATH); // the spooler only serves a Q18RW
        QVERIFY(waitForWindows("Knobstation", 1));
        QVERIFY(windows(kKbs62dTitle).isEmpty());

        QVERIFY(pressKeys(windows("Knobstation").first(), "Return"));
        QVERIFY(finishes(program, 1));
        QVERIFY(windows(kKbs62dTitle).isEmpty());
    }

    // Neither the lock of a killed instance nor a running original keeps a start from its window.
    void crashedInstanceOrOriginalBlocksNoStart()
    {
        QProcess* crashed = start(KBS18R_PATH);
        QVERIFY(waitForWindows(kKbs18rTitle, 1));
        ::kill(static_cast<pid_t>(crashed->processId()), SIGKILL);
        QVERIFY(crashed->waitForFinished(5000));
        QVERIFY(waitForWindows(kKbs18rTitle, 0));

        start(KBS18R_PATH);
        QVERIFY(waitForWindows(kKbs18rTitle, 1));
        const QString copy = state_.filePath("kbs18r-copy");
        QVERIFY(QFile::copy(KBS18R_PATH, copy));
        QProcess* renamed = start(copy);
        QVERIFY(waitForWindows(kKbs18rTitle, 2));
        QCOMPARE(renamed->state(), QProcess::Running);
    }

private:
    QProcess* start(const QString& program)
    {
        programs_.push_back(std::make_unique<QProcess>());
        QProcess* process = programs_.back().get();
        process->setProcessEnvironment(environment_);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(program, {});
        return process;
    }

    // Runs xdotool on the test's display; its output, or nullopt when it failed.
    std::optional<QString> xdotool(const QStringList& arguments) const
    {
        QProcess tool;
        tool.setProcessEnvironment(environment_);
        tool.start("xdotool", arguments);
        if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit)
            return std::nullopt;
        // "search" ends with 1 when nothing matches, which is an answer too.
        if (tool.exitCode() != 0 && !(arguments.first() == "search" && tool.exitCode() == 1))
            return std::nullopt;
        return QString::fromLocal8Bit(tool.readAllStandardOutput());
    }

    QStringList windows(const QString& title) const
    {
        return xdotool({"search", "--onlyvisible", "--name", QRegularExpression::escape(title)})
            .value_or(QString())
            .split('\n', Qt::SkipEmptyParts);
    }

    [[nodiscard]] bool waitForWindows(const QString& title, int count) const
    {
        return QTest::qWaitFor([&] { return windows(title).size() == count; }, kWindowTimeoutMs);
    }

    [[nodiscard]] bool pressKeys(const QString& window, const QString& keys) const
    {
        // Without a window manager the window gets the keyboard only when given it.
        return xdotool({"windowfocus", "--sync", window}) && xdotool({"key", "--clearmodifiers", keys});
    }

    [[nodiscard]] static bool finishes(QProcess* process, int expectedStatus)
    {
        return process->waitForFinished(kWindowTimeoutMs) && process->exitStatus() == QProcess::NormalExit &&
               process->exitCode() == expectedStatus;
    }

    QProcess display_;
    QTemporaryDir state_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment(); // display and spooler
    std::vector<std::unique_ptr<QProcess>> programs_;
};

QTEST_GUILESS_MAIN(TstProgramsE2e)
#include "tst_programs_e2e.moc"
