#pragma once

#include "instance/instance_lock.h"

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace kbs {

// The window program's side of the instance check (instance/instance_lock.h): it checks
// again, since the command the user started let go of the lock before this program ran, and
// it turns a later start's request into raiseRequested().
class SingleInstance : public QObject {
    Q_OBJECT
public:
    using Claim = InstanceLock::Claim;

    // `name` is the program file's name without its extension; the lock and the socket live
    // in `directory`, a private folder of the user, or nowhere when it is empty.
    SingleInstance(const QString& name, const QString& directory, QObject* parent = nullptr);

    // Takes the lock, or hands over to the instance that holds it. Needs no application
    // object; once the lock is taken, a later start already reaches this instance.
    Claim claim();
    // Once the application object exists: a later start's request brings this one forward.
    void listen();

    // What went wrong with the lock or the socket, for the user's standard error; empty
    // when nothing did.
    QString problem() const { return QString::fromStdString(lock_.problem()); }

signals:
    // A later start asked the running instance to come to the front.
    void raiseRequested();

private:
    InstanceLock lock_;
    int socket_ = -1;
    QSocketNotifier* requests_ = nullptr;
};

} // namespace kbs
