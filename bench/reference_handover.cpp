// The second-start reference: the least a Qt program does to stay single. The first start
// takes a QLockFile and listens on a QLocalSocket; a later one finds the lock taken, says
// "raise" through the socket and ends.
//   reference-handover RUNTIME_DIR

#include <QCoreApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const QDir runtime(QString::fromLocal8Bit(argv[1]));
    QLockFile lock(runtime.filePath(QStringLiteral("reference.lock")));
    const QString socketPath = runtime.filePath(QStringLiteral("reference.socket"));
    if (!lock.tryLock(0)) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(1000)) {
            socket.write("raise\n");
            socket.waitForBytesWritten(1000);
        }
        return 0;
    }

    QCoreApplication application(argc, argv);
    QLocalServer::removeServer(socketPath);
    QLocalServer server;
    server.listen(socketPath);
    QObject::connect(&server, &QLocalServer::newConnection, [&server] {
        while (QLocalSocket* socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket] { socket->readAll(); });
        }
    });
    return application.exec();
}
