#include "settingsfile/settings_file.h"

#include "settingsfile/file_replacement.h"
#include "settingsfile/posix_file.h"

#include <fcntl.h>
#include <stdexcept>
#include <vector>

namespace kbs {

namespace {

// The identifier text and its NUL byte, as they open every settings file of the variant.
std::vector<std::uint8_t> identifierBytes(const ModelVariant& variant)
{
    std::vector<std::uint8_t> bytes(variant.fileIdentifier.begin(), variant.fileIdentifier.end());
    bytes.push_back(0);
    return bytes;
}

// A block of another length is a programming error, not a file problem.
void requireBlockLength(const ModelVariant& variant, const SettingsBlock& block)
{
    if (block.size() != variant.blockLength)
        throw std::length_error("settings block length does not match the variant");
}

} // namespace

ReadResult readSettingsFile(const std::string& path, const ModelVariant& variant, SettingsBlock& block)
{
    requireBlockLength(variant, block);
    const posix_file::Descriptor file(posix_file::openWithoutBlocking(path, O_RDONLY));
    if (!file.isOpen() || !posix_file::isRegularFile(file.get()))
        return ReadResult::NotSettingsFile;

    const std::vector<std::uint8_t> expected = identifierBytes(variant);
    std::vector<std::uint8_t> identifier(expected.size());
    if (!posix_file::readExactly(file.get(), identifier.data(), identifier.size()) || identifier != expected)
        return ReadResult::NotSettingsFile;

    std::vector<std::uint8_t> payload(variant.blockLength);
    if (!posix_file::readExactly(file.get(), payload.data(), payload.size()))
        return ReadResult::NotSettingsFile;

    block.assign(payload);
    return ReadResult::Ok;
}

WriteResult writeSettingsFile(const std::string& path, const ModelVariant& variant,
                              const SettingsBlock& block)
{
    requireBlockLength(variant, block);
    std::vector<std::uint8_t> content = identifierBytes(variant);
    content.insert(content.end(), block.bytes().begin(), block.bytes().end());
    return replaceFileStart(path, content);
}

} // namespace kbs
