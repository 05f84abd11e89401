#pragma once

#include <unistd.h>

namespace kbs::test {

// Runs `work` as the user nobody where the test runs as root, whom permissions do not stop.
// The real user changes too, as access(2) asks for it; root stays the saved one to come back.
// False when the user could not be changed there or back.
template <class Work> bool asOrdinaryUser(Work work)
{
    const bool root = ::geteuid() == 0;
    if (root && (::setresgid(65534, 65534, 0) != 0 || ::setresuid(65534, 65534, 0) != 0))
        return false;
    work();
    return !root || (::setresuid(0, 0, 0) == 0 && ::setresgid(0, 0, 0) == 0);
}

} // namespace kbs::test
