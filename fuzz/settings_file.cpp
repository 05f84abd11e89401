// Any file, read by any program: refused with the block untouched, or read, written back and
// read again with the same block and every byte after it kept, and refused by the other programs.
#include "settingsfile/settings_file.h"
#include "fuzz_input.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string fileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

const std::string& scratchFile()
{
    static const std::string path = [] {
        std::string folder = (std::filesystem::temp_directory_path() / "kbs-fuzz-XXXXXX").string();
        return std::string(mkdtemp(folder.data())) + "/settings.dat";
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kbs;
    fuzz::FuzzInput input(data, size);
    const ModelVariant& variant = input.program();
    // Most inputs get the program's identifier, so that the reading goes past it.
    std::string content = input.pick(4) ? std::string(variant.fileIdentifier) + '\0' : std::string();
    content += input.rest();
    const std::string& path = scratchFile();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;

    SettingsBlock block(variant.factoryDefaults);
    if (readSettingsFile(path, variant, block) != ReadResult::Ok) {
        FUZZ_CHECK(block == SettingsBlock(variant.factoryDefaults));
        return 0;
    }
    const std::size_t blockStart = variant.fileIdentifier.size() + 1;
    FUZZ_CHECK(content.compare(blockStart, block.size(), reinterpret_cast<const char*>(block.data()),
                               block.size()) == 0);
    FUZZ_CHECK(writeSettingsFile(path, variant, block) == WriteResult::Ok);
    FUZZ_CHECK(fileBytes(path) == content);

    SettingsBlock other = block;
    for (std::size_t offset = 0; offset < other.size(); ++offset)
        ++other[offset];
    FUZZ_CHECK(writeSettingsFile(path, variant, other) == WriteResult::Ok);
    SettingsBlock reread(variant.factoryDefaults);
    FUZZ_CHECK(readSettingsFile(path, variant, reread) == ReadResult::Ok && reread == other);
    content.replace(blockStart, block.size(), reinterpret_cast<const char*>(other.data()), other.size());
    FUZZ_CHECK(fileBytes(path) == content);
    for (const ModelVariant* stranger : cli::programs()) {
        SettingsBlock theirs(stranger->factoryDefaults);
        FUZZ_CHECK(stranger == &variant || readSettingsFile(path, *stranger, theirs) != ReadResult::Ok);
    }
    return 0;
}
