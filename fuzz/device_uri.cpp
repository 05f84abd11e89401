// Device and printer URIs with a password in them, plain or nested in another URI and
// percent-encoded any number of times: no connection text shows any part of the password.
#include "cups/connection_text.h"
#include "fuzz_input.h"

#include <cctype>

namespace {

using namespace kbs;

// Neither the password's letters nor their encodings: only the password holds P, W and X.
constexpr std::string_view kLetters = "abcz019.-_~:/?#@[]!$&'()*+,;=";
constexpr std::string_view kSchemes[] = {"ipp", "ipps", "socket", "lpd", "smb", "http", "file", "dnssd"};

std::string text(fuzz::FuzzInput& input)
{
    std::string text;
    for (const char byte : input.chunk())
        text.push_back(kLetters[static_cast<unsigned char>(byte) % kLetters.size()]);
    return text;
}

std::string percentEncoded(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte))
            encoded.push_back(c);
        else
            encoded += {'%', kHex[byte >> 4], kHex[byte & 15]};
    }
    return encoded;
}

std::string withPassword(fuzz::FuzzInput& input, int depth)
{
    std::string uri(kSchemes[input.pick(std::size(kSchemes))]);
    uri += "://";
    if (input.pick(2))
        uri += text(input) + ':';
    uri += "PW" + text(input) + "X@" + text(input);
    if (depth < 3 && input.pick(2)) {
        std::string nested = withPassword(input, depth + 1);
        for (std::size_t times = input.pick(4); times > 0; --times)
            nested = percentEncoded(nested);
        uri += text(input) + nested;
    }
    return uri + text(input);
}

// Percent-decoded once.
std::string decoded(const std::string& text)
{
    std::string plain;
    for (std::size_t at = 0; at < text.size(); ++at)
        if (text[at] == '%' && at + 2 < text.size() &&
            std::isxdigit(static_cast<unsigned char>(text[at + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[at + 2]))) {
            plain.push_back(static_cast<char>(std::stoi(text.substr(at + 1, 2), nullptr, 16)));
            at += 2;
        } else {
            plain.push_back(text[at]);
        }
    return plain;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    const std::string device = withPassword(input, 0), printer = withPassword(input, 0);
    std::string shown =
        connectionText({.deviceUri = device, .printerUri = printer, .remote = input.pick(2) == 1});
    for (std::string plain = decoded(shown); plain != shown; plain = decoded(shown))
        shown = plain;
    FUZZ_CHECK(shown.find_first_of("PWX") == std::string::npos);
    return 0;
}
