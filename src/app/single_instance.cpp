#include "app/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QThread>

#include <csignal>

namespace kbs {

namespace {
constexpr int kConnectTimeoutMs = 1000;
// An instance writes its lock's contents right after creating the file.
constexpr int kLockWriteGraceMs = 100;
const QByteArray kRaiseRequest = "raise\n";

QString inDirectory(const QString& directory, const QString& fileName)
{
    return directory.isEmpty() ? QString() : QDir(directory).filePath(fileName);
}
} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& directory, QObject* parent)
    : QObject(parent), lockPath_(inDirectory(directory, QStringLiteral("knobstation-%1.lock").arg(name))),
      socketPath_(inDirectory(directory, QStringLiteral("knobstation-%1.socket").arg(name))), lock_(lockPath_)
{
    // Only a lock whose process is gone is stale; a long-running instance keeps its lock.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (server_)
        server_->close();
}

SingleInstance::Claim SingleInstance::claim()
{
    if (lockPath_.isEmpty()) {
        problem_ = QStringLiteral("no private runtime folder for the instance lock");
        return Claim::Unguarded;
    }
    if (lock_.tryLock(0))
        return Claim::Owner;
    // A lock no running instance can be shown to hold is taken over once.
    if (lock_.error() == QLockFile::LockFailedError && lockIsLeftOver() && lock_.removeStaleLockFile() &&
        lock_.tryLock(0))
        return Claim::Owner;
    return claimFailed();
}

SingleInstance::Claim SingleInstance::claimFailed()
{
    switch (lock_.error()) {
    case QLockFile::LockFailedError:
        if (heldByRunningInstance()) {
            askRunningInstanceToRaise();
            return Claim::AnotherRuns;
        }
        problem_ = lockPath_ + QStringLiteral(" is in the way and cannot be removed");
        break;
    case QLockFile::PermissionError:
        problem_ = QStringLiteral("no permission to create ") + lockPath_;
        break;
    case QLockFile::UnknownError:
    case QLockFile::NoError:
        problem_ = QStringLiteral("cannot write ") + lockPath_;
        break;
    }
    return Claim::Unguarded;
}

bool SingleInstance::heldByRunningInstance() const
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock_.getLockInfo(&pid, &host, &application) || pid <= 0)
        return false;
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return false; // the folder is this machine's: a lock from another host is left over
    return ::kill(static_cast<pid_t>(pid), 0) == 0;
}

bool SingleInstance::lockIsLeftOver() const
{
    if (heldByRunningInstance())
        return false;
    // Unreadable or dead: left by an instance that is gone, unless one is writing it this instant.
    QThread::msleep(kLockWriteGraceMs);
    return !heldByRunningInstance();
}

void SingleInstance::askRunningInstanceToRaise()
{
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return; // still starting up, or not listening: nothing to bring forward
    socket.write(kRaiseRequest);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
}

void SingleInstance::listen()
{
    if (!lock_.isLocked() || server_)
        return;
    // The lock is ours, so a socket file left behind belongs to an instance that is gone.
    QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketPath_)) {
        // Still the one instance; a later start ends all the same but cannot bring this one forward.
        problem_ =
            QStringLiteral("a second start cannot bring this window forward: ") + server_->errorString();
        return;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            // The socket is the user's own, and its one request is to come forward.
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                socket->readAll();
                emit raiseRequested();
            });
        }
    });
}

} // namespace kbs
