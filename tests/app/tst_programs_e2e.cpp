// The real programs in a virtual X display against a private print spooler.
#include <QDir>
#include <QElapsedTimer>
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
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void startsStraightIntoItsWindowAndClosesOnAltF4();
    void noServedPrinterEndsWithStatus1();
    void secondStartHandsOverAndEnds();
    void renamedCopyIsNoSecondInstance();
    void lockOfCrashedInstanceDoesNotBlock();

private:
    QProcess* start(const QString& program);
    QStringList windows(const QString& title) const;
    [[nodiscard]] bool waitForWindows(const QString& title, int count) const;
    // Runs xdotool on the test's display; its output, or nullopt when it failed.
    std::optional<QString> xdotool(const QStringList& arguments) const;
    [[nodiscard]] bool pressKeys(const QString& window, const QString& keys) const;
    [[nodiscard]] bool finishes(QProcess* process, int expectedStatus);

    QProcess display_;
    QTemporaryDir state_;
    QString displayName_;
    QString cupsServer_;
    QString runtimeDir_;
    std::vector<std::unique_ptr<QProcess>> programs_;
};

void TstProgramsE2e::initTestCase()
{
    for (const char* tool : {"Xvfb", "xdotool", "cupsd"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QString("%1 is not installed (tools/install-deps.sh installs it)").arg(tool)));

    display_.start("Xvfb",
                   {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"});
    QVERIFY(display_.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(display_.canReadLine(), 10000);
    displayName_ = ":" + QString::fromLatin1(display_.readLine()).trimmed();

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
    const QRegularExpressionMatch match = QRegularExpression("export CUPS_SERVER=(\\S+)")
                                              .match(QString::fromLocal8Bit(spooler.readAllStandardOutput()));
    QVERIFY(match.hasMatch());
    cupsServer_ = match.captured(1);
}

void TstProgramsE2e::cleanupTestCase()
{
    if (!cupsServer_.isEmpty())
        QProcess::execute("bash", {KBS_TEST_SPOOLER, "stop", state_.filePath("spooler")});
    if (display_.state() != QProcess::NotRunning) {
        display_.terminate();
        display_.waitForFinished(5000);
    }
}

void TstProgramsE2e::init()
{
    // A runtime directory of its own per test: instance locks never leak between tests.
    runtimeDir_ = state_.filePath(QString("runtime-%1").arg(QTest::currentTestFunction()));
    QVERIFY(QDir().mkpath(runtimeDir_));
    QFile::setPermissions(runtimeDir_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TstProgramsE2e::cleanup()
{
    for (const std::unique_ptr<QProcess>& program : programs_) {
        if (program->state() != QProcess::NotRunning) {
            program->kill();
            program->waitForFinished(5000);
        }
    }
    programs_.clear();
}

QProcess* TstProgramsE2e::start(const QString& program)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", displayName_);
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("CUPS_SERVER", cupsServer_);
    environment.insert("XDG_RUNTIME_DIR", runtimeDir_);
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(program, {});
    programs_.push_back(std::move(process));
    return programs_.back().get();
}

std::optional<QString> TstProgramsE2e::xdotool(const QStringList& arguments) const
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", displayName_);
    tool.setProcessEnvironment(environment);
    tool.start("xdotool", arguments);
    if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    // "search" ends with 1 when nothing matches, which is an answer too.
    if (tool.exitCode() != 0 && !(arguments.first() == "search" && tool.exitCode() == 1))
        return std::nullopt;
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

QStringList TstProgramsE2e::windows(const QString& title) const
{
    return xdotool({"search", "--onlyvisible", "--name", QRegularExpression::escape(title)})
        .value_or(QString())
        .split('\n', Qt::SkipEmptyParts);
}

bool TstProgramsE2e::waitForWindows(const QString& title, int count) const
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kWindowTimeoutMs) {
        if (windows(title).size() == count)
            return true;
        QTest::qWait(100);
    }
    return false;
}

bool TstProgramsE2e::pressKeys(const QString& window, const QString& keys) const
{
    // Without a window manager the window gets the keyboard only when given it.
    return xdotool({"windowfocus", "--sync", window}) && xdotool({"key", "--clearmodifiers", keys});
}

bool TstProgramsE2e::finishes(QProcess* process, int expectedStatus)
{
    if (!process->waitForFinished(kWindowTimeoutMs))
        return false;
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == expectedStatus;
}

void TstProgramsE2e::startsStraightIntoItsWindowAndClosesOnAltF4()
{
    QProcess* program = start(KBS18R_PATH);
    QVERIFY(program->waitForStarted());
    // One served printer: no selection dialog, no message, the window at once.
    QVERIFY(waitForWindows(kKbs18rTitle, 1));
    QVERIFY(windows("Knobstation").isEmpty());
    QVERIFY(windows("プリンタの選択").isEmpty());

    QVERIFY(pressKeys(windows(kKbs18rTitle).first(), "alt+F4"));
    QVERIFY(finishes(program, 0));
}

void TstProgramsE2e::noServedPrinterEndsWithStatus1()
{
    QProcess* program = start(KBS62D_PATH); // the spooler only serves a Q18RW
    QVERIFY(program->waitForStarted());
    QVERIFY(waitForWindows("Knobstation", 1));
    QVERIFY(windows(kKbs62dTitle).isEmpty());

    QVERIFY(pressKeys(windows("Knobstation").first(), "Return"));
    QVERIFY(finishes(program, 1));
    QVERIFY(windows(kKbs62dTitle).isEmpty());
}

void TstProgramsE2e::secondStartHandsOverAndEnds()
{
    QProcess* first = start(KBS18R_PATH);
    QVERIFY(waitForWindows(kKbs18rTitle, 1));

    QProcess* second = start(KBS18R_PATH);
    QVERIFY(finishes(second, 0));
    QCOMPARE(windows(kKbs18rTitle).size(), 1);
    QCOMPARE(first->state(), QProcess::Running);
}

void TstProgramsE2e::renamedCopyIsNoSecondInstance()
{
    const QString copy = state_.filePath("kbs18r-copy");
    QFile::remove(copy);
    QVERIFY(QFile::copy(KBS18R_PATH, copy));
    start(KBS18R_PATH);
    QVERIFY(waitForWindows(kKbs18rTitle, 1));

    QProcess* renamed = start(copy);
    QVERIFY(waitForWindows(kKbs18rTitle, 2));
    QCOMPARE(renamed->state(), QProcess::Running);
}

void TstProgramsE2e::lockOfCrashedInstanceDoesNotBlock()
{
    QProcess* crashed = start(KBS18R_PATH);
    QVERIFY(waitForWindows(kKbs18rTitle, 1));
    ::kill(static_cast<pid_t>(crashed->processId()), SIGKILL);
    QVERIFY(crashed->waitForFinished(5000));
    QVERIFY(waitForWindows(kKbs18rTitle, 0));

    QProcess* next = start(KBS18R_PATH);
    QVERIFY(waitForWindows(kKbs18rTitle, 1));
    QCOMPARE(next->state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(TstProgramsE2e)
#include "tst_programs_e2e.moc"
