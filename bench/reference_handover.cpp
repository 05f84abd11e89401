// The second-start reference: the least a program does to stay single with a lock the kernel
// drops when its holder dies. The first start takes flock(2) on a file and listens on a unix
// socket; a later one finds the lock taken, connects (the connection is the request to come
// forward) and ends.
//   reference-handover RUNTIME_DIR

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    char lockPath[4096];
    std::snprintf(lockPath, sizeof lockPath, "%s/reference.lock", argv[1]);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s/reference.socket", argv[1]);
    const int lock = open(lockPath, O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    const int server = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (lock < 0 || server < 0)
        return 1;
    if (flock(lock, LOCK_EX | LOCK_NB) != 0) {
        connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        return 0;
    }
    unlink(address.sun_path);
    if (bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(server, 16) != 0)
        return 1;
    for (;;)
        if (const int request = accept(server, nullptr, nullptr); request >= 0)
            close(request);
}
