#include "support/private_cups.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <signal.h>

namespace kbs::test {

namespace {
constexpr int kCommandTimeoutMs = 60000;
}

PrivateCups::PrivateCups()
{
    if (!stateDir_.isValid()) {
        failure_ = QStringLiteral("no temporary directory: ") + stateDir_.errorString();
        return;
    }
    qputenv("CUPS_SERVER", QFile::encodeName(stateDir_.filePath(QStringLiteral("cups.sock"))));
    const QStringList arguments = {QStringLiteral("start"), stateDir_.path(), QStringLiteral("--owner"),
                                   QString::number(QCoreApplication::applicationPid())};
    QByteArray output;
    if (!runScript(arguments, &output))
        failure_ = QStringLiteral("test-spooler.sh start failed: ") + QString::fromLocal8Bit(output);
}

PrivateCups::~PrivateCups()
{
    runScript({QStringLiteral("stop"), stateDir_.path()});
}

bool PrivateCups::runScript(const QStringList& arguments, QByteArray* output)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KBS_PRINTER_SIMULATOR"), QStringLiteral(KBS_PRINTER_SIMULATOR));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(output ? QProcess::SeparateChannels : QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("bash"), QStringList{QStringLiteral(KBS_TEST_SPOOLER_SCRIPT)} + arguments);
    const bool finished = process.waitForFinished(kCommandTimeoutMs);
    if (!finished)
        process.kill();
    if (output)
        *output = process.readAllStandardOutput() + process.readAllStandardError();
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool PrivateCups::addQueue(const QString& queue, const QString& makeAndModel, const QString& deviceUri)
{
    return runScript({QStringLiteral("add-queue"), stateDir_.path(), queue, makeAndModel, deviceUri});
}

bool PrivateCups::addSimulatedQueue(const QString& queue, const QString& makeAndModel)
{
    QByteArray uri;
    return runScript({QStringLiteral("add-simulator"), stateDir_.path(), queue}, &uri) &&
           addQueue(queue, makeAndModel, QString::fromUtf8(uri).trimmed());
}

bool PrivateCups::administer(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    return process.waitForFinished(kCommandTimeoutMs) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

bool PrivateCups::stopDaemon()
{
    return runScript({QStringLiteral("stop-cupsd"), stateDir_.path()});
}

bool PrivateCups::signalDaemon(int signal)
{
    QFile pidFile(stateDir_.filePath(QStringLiteral("run/cupsd.pid")));
    if (!pidFile.open(QIODevice::ReadOnly))
        return false;
    bool isNumber = false;
    const pid_t pid = pidFile.readAll().trimmed().toInt(&isNumber);
    return isNumber && pid > 0 && ::kill(pid, signal) == 0;
}

QList<QByteArray> PrivateCups::receivedJobs(const QString& simulator, int count, int timeoutMs) const
{
    const QDir jobs(stateDir_.filePath(QStringLiteral("simulators/") + simulator + QStringLiteral("/jobs")));
    const QDeadlineTimer deadline(timeoutMs);
    QStringList files;
    for (;;) {
        files = jobs.entryList({QStringLiteral("job-*.bin")}, QDir::Files, QDir::Name);
        if (files.size() >= count || deadline.hasExpired())
            break;
        QThread::msleep(20);
    }
    QList<QByteArray> contents;
    for (const QString& file : files) {
        QFile job(jobs.filePath(file));
        if (job.open(QIODevice::ReadOnly))
            contents.append(job.readAll());
    }
    return contents;
}

} // namespace kbs::test
