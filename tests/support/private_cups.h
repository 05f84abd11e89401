#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kbs::test {

// A private cupsd for one test program, run by test-spooler.sh under a temporary
// directory. CUPS_SERVER points at it from construction on, so it must be made before
// the first libcups call. Everything it started is stopped on destruction, and by the
// script's owner watch should the test program die.
class PrivateCups {
public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Empty when the spooler runs; otherwise what went wrong.
    const QString& failure() const { return failure_; }

    // A queue whose make and model is `makeAndModel` (see test-spooler.sh add-queue).
    bool addQueue(const QString& queue, const QString& makeAndModel, const QString& deviceUri);
    // A queue on a new printer simulator of the same name.
    bool addSimulatedQueue(const QString& queue, const QString& makeAndModel);
    // Runs a CUPS administration command (lpadmin, cupsdisable, ...) against this spooler.
    bool administer(const QString& program, const QStringList& arguments);

    bool stopDaemon();
    // SIGSTOP freezes the cupsd, as a hung spooler that accepts connections but never
    // answers; SIGCONT thaws it.
    bool signalDaemon(int signal);

    // The jobs a simulator has received, oldest first; waits up to `timeoutMs` for `count` of them.
    QList<QByteArray> receivedJobs(const QString& simulator, int count = 0, int timeoutMs = 0) const;

private:
    bool runScript(const QStringList& arguments, QByteArray* output = nullptr);

    QTemporaryDir stateDir_;
    QString failure_;
};

} // namespace kbs::test
