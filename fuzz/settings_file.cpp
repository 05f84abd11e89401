// Any file, read by any program: refused with the block untouched, or read and written back unchanged,
// then written with another block that reads back, the bytes after it kept, and others refuse it.
#include "settingsfile/settings_file.h"
#include "fuzz_input.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kbs;
    // One file per process: tools/fuzz.sh runs several in one folder.
    static const std::string path =
        std::filesystem::temp_directory_path() / ("kbs-fuzz-" + std::to_string(getpid()) + ".dat");
    const auto fileHolds = [&](const std::string& content) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {}) == content;
    };
    fuzz::FuzzInput input(data, size);
    const ModelVariant& variant = input.program();
    // Most inputs get the program's identifier, so that the reading goes past it.
    std::string content = input.pick(4) ? std::string(variant.fileIdentifier) + '\0' : std::string();
    content += input.rest();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;

    SettingsBlock block(variant.factoryDefaults);
    if (readSettingsFile(path, variant, block) != ReadResult::Ok) {
        FUZZ_CHECK(block == SettingsBlock(variant.factoryDefaults));
        return 0;
    }
    FUZZ_CHECK(writeSettingsFile(path, variant, block) == WriteResult::Ok && fileHolds(content));
    SettingsBlock other = block;
    for (std::size_t offset = 0; offset < other.size(); ++offset)
        ++other[offset];
    FUZZ_CHECK(writeSettingsFile(path, variant, other) == WriteResult::Ok);
    FUZZ_CHECK(readSettingsFile(path, variant, block) == ReadResult::Ok && block == other);
    content.replace(variant.fileIdentifier.size() + 1, other.size(),
                    reinterpret_cast<const char*>(other.data()), other.size());
    FUZZ_CHECK(fileHolds(content));
    for (const ModelVariant* stranger : cli::programs())
        if (SettingsBlock theirs(stranger->factoryDefaults); stranger != &variant)
            FUZZ_CHECK(readSettingsFile(path, *stranger, theirs) != ReadResult::Ok);
    return 0;
}
