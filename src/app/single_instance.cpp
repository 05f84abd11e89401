#include "app/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace kbs {

namespace {
constexpr int kConnectTimeoutMs = 1000;
const QByteArray kRaiseRequest = "raise\n";
} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& directory, QObject* parent)
    : QObject(parent),
      socketPath_(QDir(directory).filePath(QStringLiteral("knobstation-%1.socket").arg(name))),
      lock_(QDir(directory).filePath(QStringLiteral("knobstation-%1.lock").arg(name)))
{
    // Only a lock whose process is gone is stale; a long-running instance keeps its lock.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (server_)
        server_->close();
}

QString SingleInstance::defaultDirectory()
{
    QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (directory.isEmpty())
        directory = QDir::tempPath();
    return directory;
}

bool SingleInstance::claim()
{
    if (!lock_.tryLock(0)) {
        askRunningInstanceToRaise();
        return false;
    }
    listen();
    return true;
}

void SingleInstance::askRunningInstanceToRaise()
{
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return; // still starting up, or gone: nothing to bring forward
    socket.write(kRaiseRequest);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
}

void SingleInstance::listen()
{
    // The lock is ours, so a socket file left behind belongs to an instance that is gone.
    QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketPath_))
        return; // a later start then finds no one to ask and ends quietly all the same
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
