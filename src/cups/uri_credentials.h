#pragma once

#include <string>
#include <string_view>

namespace kbs {

// The URI with every user-info part ("user:password@") taken out: of the URI itself and of
// every URI nested in it, written plainly or percent-encoded any number of times. A password
// may hold '/', '?', '#' or '@', so a user-info part runs up to the last '@' after its "://";
// an '@' in a path is taken for one too, because showing a password is worse than showing
// too little of a path.
std::string withoutCredentials(std::string_view uri);

} // namespace kbs
