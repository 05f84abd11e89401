#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace kbs {

// One running instance per user and program name. The first start holds a lock file and
// listens on a local socket of the same name; a later start finds the lock taken, asks the
// first to come to the front through the socket and ends. A lock left by a crashed
// instance is taken over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` is the program file's name without its extension; both files live in
    // `directory`, which must belong to the user alone.
    SingleInstance(const QString& name, const QString& directory, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the running instance. False when another one runs;
    // it has been asked to come forward, whether or not it could be reached.
    bool claim();

    // The per-user directory for the files: the runtime directory, else the temporary one.
    static QString defaultDirectory();

signals:
    // A later start asked the running instance to come to the front.
    void raiseRequested();

private:
    void askRunningInstanceToRaise();
    void listen();

    QString socketPath_;
    QLockFile lock_;
    QLocalServer* server_ = nullptr;
};

} // namespace kbs
