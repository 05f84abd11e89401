#include "cli/file_image.h"

#include "core/messages.h"
#include "settingsfile/file_replacement.h"
#include "settingsfile/posix_file.h"
#include "settingsfile/settings_file.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>

namespace kbs::cli {

namespace {

// Bytes after the block are kept, but a file is not read into memory without end.
constexpr std::size_t kLargestTail = 16 * 1024 * 1024;

std::size_t identifierLength(const ModelVariant& variant)
{
    return variant.fileIdentifier.size() + 1;
}

// Everything from `offset` to the end of the file; nothing when it cannot be read whole.
std::optional<std::vector<std::uint8_t>> bytesFrom(const std::string& path, std::size_t offset)
{
    const posix_file::Descriptor file(posix_file::openWithoutBlocking(path, O_RDONLY));
    if (!file.isOpen() || lseek(file.get(), static_cast<off_t>(offset), SEEK_SET) < 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::array<std::uint8_t, 65536> buffer{};
    for (;;) {
        const ssize_t got = read(file.get(), buffer.data(), buffer.size());
        if (got < 0 || bytes.size() + static_cast<std::size_t>(got) > kLargestTail)
            return std::nullopt;
        if (got == 0)
            return bytes;
        bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + got);
    }
}

} // namespace

std::span<const ModelVariant* const> programs()
{
    static const std::array<const ModelVariant*, 3> all = {&kbs18r::variant(), &kbs62d::variant(),
                                                           &kbs18t::variant()};
    return all;
}

const ModelVariant* programNamed(std::string_view deliverable)
{
    const auto found = std::ranges::find(programs(), deliverable, &ModelVariant::deliverable);
    return found != programs().end() ? *found : nullptr;
}

std::vector<std::uint8_t> FileImage::fileBytes() const
{
    std::vector<std::uint8_t> bytes(variant->fileIdentifier.begin(), variant->fileIdentifier.end());
    bytes.push_back(0);
    bytes.insert(bytes.end(), block.bytes().begin(), block.bytes().end());
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

FileImage factoryFile(const ModelVariant& variant)
{
    return {&variant, SettingsBlock(variant.factoryDefaults), {}};
}

std::variant<FileImage, std::string> readFileImage(const std::string& path)
{
    for (const ModelVariant* variant : programs()) {
        FileImage image = factoryFile(*variant);
        if (readSettingsFile(path, *variant, image.block) != ReadResult::Ok)
            continue;
        auto tail = bytesFrom(path, identifierLength(*variant) + variant->blockLength);
        if (!tail)
            return std::string(messages::kNotSettingsFile);
        image.tail = std::move(*tail);
        return image;
    }
    return std::string(messages::kNotSettingsFile);
}

std::string writeFileImage(const std::string& path, const FileImage& image)
{
    switch (replaceFileStart(path, image.fileBytes())) {
    case WriteResult::Ok:
        return {};
    case WriteResult::AccessDenied:
        return std::string(image.variant->saveDeniedMessage);
    case WriteResult::Failed:
        break;
    }
    return std::string(messages::kSaveFailed);
}

} // namespace kbs::cli
