// knobctl's text: any file exported and imported comes back byte for byte, and so does its export of
// what differs from a base, imported over that base; any text imported over any base fails with
// errors naming their lines and no file, or gives a file that comes back the same ways.
#include "cli/settings_text.h"
#include "fuzz_input.h"

#include <algorithm>

namespace {

using namespace kbs;

// Both exports of `image`: whole, and what differs from `base` (or the factory defaults, for another
// program's).
int checkRoundTrip(const cli::FileImage& image, const cli::FileImage& base, cli::Language language)
{
    const cli::FileImage factory = cli::factoryFile(*image.variant);
    for (const cli::FileImage* from :
         {static_cast<const cli::FileImage*>(nullptr), image.variant == base.variant ? &base : &factory}) {
        const std::string text = cli::exportText(cli::settingsMapOf(*image.variant), image, from);
        const cli::ImportResult again = cli::importText(text, from, language);
        FUZZ_CHECK(again.errors.empty() && again.image && again.image->fileBytes() == image.fileBytes());
    }
    return 0;
}

// "line N: ..." or "N 行目: ..." with N one of the text's lines.
bool namesALine(const std::string& error, std::string_view text)
{
    std::size_t line = 0;
    int matched = 0;
    std::sscanf(error.c_str(), error.starts_with("line") ? "line %zu:%n" : "%zu 行目:%n", &line, &matched);
    return matched > 0 && line >= 1 && line <= static_cast<std::size_t>(std::ranges::count(text, '\n')) + 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    const ModelVariant& variant = input.program();
    cli::FileImage base{&variant, input.block(variant), {}};
    const std::string_view tail = input.chunk();
    base.tail.assign(tail.begin(), tail.end());
    const auto language = static_cast<cli::Language>(input.pick(2));
    if (input.pick(4) == 0)
        return checkRoundTrip(base, cli::factoryFile(variant), language);
    const bool overBase = input.pick(2);
    const std::string text(input.rest());
    const cli::ImportResult result = cli::importText(text, overBase ? &base : nullptr, language);
    FUZZ_CHECK(result.image.has_value() == result.errors.empty());
    for (const std::string& error : result.errors)
        FUZZ_CHECK(namesALine(error, text));
    return result.image ? checkRoundTrip(*result.image, base, language) : 0;
}
