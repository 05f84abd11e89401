// knobctl's text: any file exported and imported again comes back byte for byte, and any text
// imported over any base either fails with errors that name their lines and gives no file, or
// gives a file that comes back byte for byte the same way.
#include "cli/settings_text.h"
#include "fuzz_input.h"

#include <algorithm>
#include <charconv>

namespace {

using namespace kbs;

void checkRoundTrip(const cli::FileImage& image)
{
    const std::string text = cli::exportText(cli::settingsMapOf(*image.variant), image);
    const cli::ImportResult again = cli::importText(text, nullptr);
    FUZZ_CHECK(again.errors.empty() && again.image && again.image->fileBytes() == image.fileBytes());
}

// "line N: ..." with N one of the text's lines.
bool namesALine(std::string_view error, std::string_view text)
{
    constexpr std::string_view prefix = "line ";
    std::size_t line = 0;
    const char* digits = error.data() + std::min(prefix.size(), error.size());
    const auto [end, failed] = std::from_chars(digits, error.data() + error.size(), line);
    return error.starts_with(prefix) && failed == std::errc() &&
           error.substr(static_cast<std::size_t>(end - error.data())).starts_with(": ") && line >= 1 &&
           line <= static_cast<std::size_t>(std::ranges::count(text, '\n')) + 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    const ModelVariant& variant = input.program();
    cli::FileImage base{&variant, input.block(variant), {}};
    const std::string_view tail = input.chunk();
    base.tail.assign(tail.begin(), tail.end());
    const bool overBase = input.pick(2);
    const std::string text(input.rest());

    checkRoundTrip(base);
    const cli::ImportResult result = cli::importText(text, overBase ? &base : nullptr);
    if (!result.image) {
        FUZZ_CHECK(!result.errors.empty());
        for (const std::string& error : result.errors)
            FUZZ_CHECK(namesALine(error, text));
        return 0;
    }
    FUZZ_CHECK(result.errors.empty());
    checkRoundTrip(*result.image);
    return 0;
}
