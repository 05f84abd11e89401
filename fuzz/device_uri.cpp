// Device and printer URIs with a password in them, plain or nested in another URI and
// percent-encoded any number of times: no connection text shows any part of the password.
#include "cups/connection_text.h"
#include "fuzz_input.h"

#include <cctype>

namespace {

using namespace kbs;

// Only the password holds P, W or X, and no encoding makes one: its hex digits are 0-9 and A-F.
constexpr std::string_view kLetters = "abcz019.-_~:/?#@[]!$&'()*+,;=";
constexpr std::string_view kSchemes[] = {"ipp", "ipps", "socket", "lpd", "smb", "http", "file", "dnssd"};

std::string text(fuzz::FuzzInput& input)
{
    std::string text(input.chunk());
    for (char& c : text)
        c = kLetters[static_cast<unsigned char>(c) % kLetters.size()];
    return text;
}

std::string withPassword(fuzz::FuzzInput& input, int depth)
{
    std::string uri = std::string(kSchemes[input.pick(std::size(kSchemes))]) + "://";
    if (input.pick(2))
        uri += text(input) + ':';
    uri += "PW" + text(input) + "X@" + text(input);
    if (depth < 3 && input.pick(2)) {
        std::string nested = withPassword(input, depth + 1);
        for (std::size_t times = input.pick(4); times > 0; --times) {
            std::string encoded;
            for (const auto c : nested) {
                char escaped[4];
                std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
                encoded += std::isalnum(static_cast<unsigned char>(c)) ? std::string(1, c) : escaped;
            }
            nested = encoded;
        }
        uri += text(input) + nested;
    }
    return uri + text(input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    const std::string device = withPassword(input, 0), printer = withPassword(input, 0);
    std::string shown = connectionText({device, printer, input.pick(2) == 1});
    // Decoded as often as it decodes.
    for (std::size_t at = shown.find('%'); at != std::string::npos; at = shown.find('%', at))
        if (at + 2 < shown.size() && std::isxdigit(static_cast<unsigned char>(shown[at + 1])) &&
            std::isxdigit(static_cast<unsigned char>(shown[at + 2])))
            shown.replace(at, 3, 1, static_cast<char>(std::stoi(shown.substr(at + 1, 2), nullptr, 16)));
        else
            ++at;
    FUZZ_CHECK(shown.find_first_of("PWX") == std::string::npos);
    return 0;
}
