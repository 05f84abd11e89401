#include "app/single_instance.h"

#include <QFile>
#include <QSocketNotifier>

namespace kbs {

SingleInstance::SingleInstance(const QString& name, const QString& directory, QObject* parent)
    : QObject(parent),
      lock_(QFile::encodeName(name).toStdString(), QFile::encodeName(directory).toStdString())
{
}

SingleInstance::Claim SingleInstance::claim()
{
    const Claim claim = lock_.claim();
    if (claim == Claim::Owner)
        socket_ = lock_.listen();
    return claim;
}

void SingleInstance::listen()
{
    if (socket_ < 0 || requests_)
        return;
    requests_ = new QSocketNotifier(socket_, QSocketNotifier::Read, this);
    connect(requests_, &QSocketNotifier::activated, this, [this] {
        if (lock_.takeRequests())
            emit raiseRequested();
    });
}

} // namespace kbs
