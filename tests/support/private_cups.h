#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace kbs::test {

// A private cupsd for one test program, run by tools/print-server.sh under a temporary
// directory. CUPS_SERVER points at it from construction on, so it must be made before
// the first libcups call. Everything it started is stopped on destruction, and by the
// script's owner watch should the test program die.
class PrivateCups {
public:
    PrivateCups()
    {
        qputenv("CUPS_SERVER", QFile::encodeName(stateDir_.filePath("cups.sock")));
        QByteArray output;
        const QString owner = QString::number(QCoreApplication::applicationPid());
        if (!stateDir_.isValid() || !script({"start", stateDir_.path(), "--owner", owner}, &output))
            failure = "print-server.sh start failed: " + QString::fromLocal8Bit(output);
    }
    ~PrivateCups() { script({"stop", stateDir_.path()}); }

    // Empty when the spooler runs; otherwise what went wrong.
    QString failure;
    QString socket() const { return stateDir_.filePath("cups.sock"); }

    bool addQueue(const QString& queue, const QString& makeAndModel, const QString& deviceUri)
    {
        return script({"add-queue", stateDir_.path(), queue, makeAndModel, deviceUri});
    }
    // A queue on a new printer simulator of the same name.
    bool addSimulatedQueue(const QString& queue, const QString& makeAndModel)
    {
        QByteArray uri;
        return script({"add-simulator", stateDir_.path(), queue}, &uri) &&
               addQueue(queue, makeAndModel, QString::fromUtf8(uri).trimmed());
    }
    bool stopDaemon() { return script({"stop-cupsd", stateDir_.path()}); }

    // The jobs a simulator has received, oldest first; waits up to `timeoutMs` for `count` of them.
    QList<QByteArray> receivedJobs(const QString& simulator, int count = 0, int timeoutMs = 0) const
    {
        const QDir jobs(stateDir_.filePath("simulators/" + simulator + "/jobs"));
        const QDeadlineTimer deadline(timeoutMs);
        QStringList files;
        while ((files = jobs.entryList({"job-*.bin"}, QDir::Files, QDir::Name)).size() < count &&
               !deadline.hasExpired())
            QThread::msleep(20);
        QList<QByteArray> contents;
        for (const QString& name : files) {
            QFile job(jobs.filePath(name));
            contents.append(job.open(QIODevice::ReadOnly) ? job.readAll() : QByteArray());
        }
        return contents;
    }

    // Runs a command (lpadmin, cupsdisable, cupstestppd, ...) against this spooler.
    static bool administer(const QString& program, const QStringList& arguments, QByteArray* output = nullptr)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("KBS_PRINTER_SIMULATOR", KBS_PRINTER_SIMULATOR);
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(output ? QProcess::MergedChannels : QProcess::ForwardedChannels);
        process.start(program, arguments);
        const bool finished = process.waitForFinished(60000);
        if (output)
            *output = process.readAll();
        return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

private:
    QTemporaryDir stateDir_;

    bool script(const QStringList& arguments, QByteArray* output = nullptr)
    {
        return administer("bash", QStringList{KBS_TEST_SPOOLER_SCRIPT} + arguments, output);
    }
};

} // namespace kbs::test
