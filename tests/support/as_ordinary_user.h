#pragma once

#include <unistd.h>

namespace kbs::test {

// Runs `work` as the user nobody where the test runs as root, whom permissions do not stop;
// false when the user could not be changed there or back.
template <class Work> bool asOrdinaryUser(Work work)
{
    const bool root = ::geteuid() == 0;
    if (root && (::setegid(65534) != 0 || ::seteuid(65534) != 0))
        return false;
    work();
    return !root || (::seteuid(0) == 0 && ::setegid(0) == 0);
}

} // namespace kbs::test
