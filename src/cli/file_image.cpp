#include "cli/file_image.h"

#include "settingsfile/file_replacement.h"
#include "settingsfile/posix_file.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace kbs::cli {

namespace {

// Bytes after the block are kept, but a file is not read into memory without end.
constexpr std::size_t kLargestFile = 16 * 1024 * 1024;
// Where an identifier of some program's settings file would end at the latest.
constexpr std::size_t kLongestIdentifier = 64;

constexpr Phrase kNotFound{"not found", "見つかりません"};
constexpr Phrase kFolder{"a folder, not a file", "フォルダーです（ファイルではありません）"};
constexpr Phrase kNotRegular{"not a regular file", "通常のファイルではありません"};
constexpr Phrase kTooLarge{"too large for a settings file", "設定ファイルとしては大きすぎます"};
constexpr Phrase kEmpty{"empty: not a settings file", "空のファイルです（設定ファイルではありません）"};
constexpr Phrase kNotSettings{"not a settings file", "設定ファイルではありません"};
constexpr Phrase kTruncated{"truncated %1 settings file: %2 of %3 bytes",
                            "途中で切れた %1 の設定ファイルです（%3 バイト中 %2 バイト）"};
constexpr Phrase kOtherProgram{"a settings file of another program (\"%1\")",
                               "別のプログラムの設定ファイルです（「%1」）"};
constexpr Phrase kCannotRead{"cannot be read: %1", "読み込めません: %1"};
constexpr Phrase kCannotWrite{"cannot be written: %1", "書き込めません: %1"};

std::string systemReason(int error)
{
    return error != 0 ? std::strerror(error) : "unknown error";
}

std::size_t identifierLength(const ModelVariant& variant)
{
    return variant.fileIdentifier.size() + 1;
}

// What another program of this kind would write before its NUL: printable ASCII.
bool looksLikeIdentifier(std::span<const std::uint8_t> text)
{
    return text.size() >= 4 &&
           std::ranges::all_of(text, [](std::uint8_t c) { return c >= 0x20 && c < 0x7F; });
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

std::variant<std::vector<std::uint8_t>, std::string> readWholeFile(const std::string& path, Language language)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT ? say(language, kNotFound) : say(language, kCannotRead, {systemReason(errno)});
    if (S_ISDIR(status.st_mode))
        return say(language, kFolder);
    if (!S_ISREG(status.st_mode))
        return say(language, kNotRegular);
    const posix_file::Descriptor file(posix_file::openWithoutBlocking(path, O_RDONLY));
    if (!file.isOpen())
        return say(language, kCannotRead, {systemReason(errno)});
    std::vector<std::uint8_t> bytes;
    std::array<std::uint8_t, 65536> buffer{};
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return say(language, kCannotRead, {systemReason(errno)});
        if (got == 0)
            return bytes;
        if (bytes.size() + static_cast<std::size_t>(got) > kLargestFile)
            return say(language, kTooLarge);
        bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + got);
    }
}

std::variant<FileImage, std::string> settingsFileOf(std::span<const std::uint8_t> bytes, Language language)
{
    if (bytes.empty())
        return say(language, kEmpty);
    for (const ModelVariant* variant : programs()) {
        const std::size_t start = identifierLength(*variant);
        const std::string_view identifier = variant->fileIdentifier;
        if (bytes.size() < start || !std::ranges::equal(bytes.first(start - 1), identifier) ||
            bytes[start - 1] != 0)
            continue;
        const std::size_t whole = start + variant->blockLength;
        if (bytes.size() < whole)
            return say(language, kTruncated,
                       {variant->deliverable, std::to_string(bytes.size()), std::to_string(whole)});
        return FileImage{
            variant, SettingsBlock(bytes.subspan(start, variant->blockLength)),
            std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(whole), bytes.end())};
    }
    const std::span<const std::uint8_t> head = bytes.first(std::min(bytes.size(), kLongestIdentifier));
    const auto nul = std::ranges::find(head, 0);
    const std::span<const std::uint8_t> identifier = head.first(static_cast<std::size_t>(nul - head.begin()));
    if (nul != head.end() && looksLikeIdentifier(identifier))
        return say(language, kOtherProgram, {std::string(identifier.begin(), identifier.end())});
    return say(language, kNotSettings);
}

std::variant<FileImage, std::string> readFileImage(const std::string& path, Language language)
{
    auto bytes = readWholeFile(path, language);
    if (auto* problem = std::get_if<std::string>(&bytes))
        return std::move(*problem);
    return settingsFileOf(std::get<std::vector<std::uint8_t>>(bytes), language);
}

std::string writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes, Language language)
{
    errno = 0;
    if (replaceWholeFile(path, bytes) == WriteResult::Ok)
        return {};
    return say(language, kCannotWrite, {systemReason(errno)});
}

} // namespace kbs::cli
