#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

namespace kbs {

// One running instance per user and program name. The first start holds a lock file and
// listens on a local socket of the same name; a later start finds the lock held by a
// running instance, asks it to come to the front through the socket and ends. A lock whose
// owner is gone is taken over. Any other trouble with the lock leaves the program running
// without the guard: ending quietly is only right when another instance really runs.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        Owner,       // this process is the running instance
        AnotherRuns, // asked to come forward, whether or not it could be reached
        Unguarded,   // the lock could not be used; see problem()
    };

    // `name` is the program file's name without its extension; both files live in
    // `directory`, a private folder of the user, or nowhere when it is empty.
    SingleInstance(const QString& name, const QString& directory, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock, or hands over to the instance that holds it. Needs no application
    // object, so a second start ends before the window system is even contacted.
    Claim claim();
    // Once the application object exists: from now on a later start can bring this one forward.
    void listen();

    // What went wrong with the lock or the socket, for the user's standard error; empty
    // when nothing did.
    QString problem() const { return problem_; }

signals:
    // A later start asked the running instance to come to the front.
    void raiseRequested();

private:
    bool heldByRunningInstance() const;
    bool lockIsLeftOver() const;
    Claim claimFailed();
    void askRunningInstanceToRaise();

    QString lockPath_;
    QString socketPath_;
    QLockFile lock_;
    QLocalServer* server_ = nullptr;
    QString problem_;
};

} // namespace kbs
