#include "cli/send_records.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace kbs::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSuffix = ".dat";

// A server or queue name as one file name: no slash, no leading dot, nothing unprintable;
// queue names are not case-sensitive on the server, so neither are their records.
std::string fileNameOf(std::string_view name, bool foldCase)
{
    std::string file;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '%' || byte < 0x20 || byte == 0x7f || (file.empty() && c == '.')) {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            file += escaped;
        } else {
            file += foldCase && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    return file;
}

std::string nameOf(std::string_view file)
{
    std::string name;
    for (std::size_t i = 0; i < file.size(); ++i) {
        unsigned byte = 0;
        const char* digits = file.data() + i + 1;
        if (file[i] == '%' && i + 2 < file.size() &&
            std::from_chars(digits, digits + 2, byte, 16).ptr == digits + 2) {
            name += static_cast<char>(byte);
            i += 2;
        } else {
            name += file[i];
        }
    }
    return name;
}

// The folder and any missing one above it, each only for the owner: the records tell where
// every printer stands.
std::string makeFolder(const fs::path& folder)
{
    fs::path path;
    for (const fs::path& part : folder) {
        path /= part;
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            return path.string() + ": " + std::strerror(errno);
    }
    return {};
}

} // namespace

SendRecords::SendRecords(std::string folder, Language language)
    : folder_(std::move(folder)), language_(language)
{
}

std::string SendRecords::defaultFolder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/knobstation/sent";
    if (::geteuid() == 0)
        return "/var/lib/knobstation/sent";
    const char* home = std::getenv("HOME");
    return home && home[0] == '/' ? std::string(home) + "/.local/state/knobstation/sent" : std::string();
}

std::string SendRecords::pathOf(std::string_view server, std::string_view queue) const
{
    return folder_ + "/" + fileNameOf(server, false) + "/" + fileNameOf(queue, true) + std::string(kSuffix);
}

std::optional<FileImage> SendRecords::recorded(std::string_view server, std::string_view queue) const
{
    if (folder_.empty())
        return std::nullopt;
    auto image = readFileImage(pathOf(server, queue), language_);
    if (auto* file = std::get_if<FileImage>(&image))
        return std::move(*file);
    return std::nullopt;
}

std::string SendRecords::store(std::string_view server, std::string_view queue, const FileImage& sent) const
{
    if (folder_.empty())
        return say(language_, {"no folder for the records (neither XDG_STATE_HOME nor HOME is set)",
                               "記録のフォルダがありません（XDG_STATE_HOME も HOME も未設定）"});
    const std::string path = pathOf(server, queue);
    std::string failure = makeFolder(fs::path(path).parent_path());
    if (!failure.empty())
        return failure;
    // Only the block reaches the printer; whatever followed it in the sent file is not part of it.
    failure = writeWholeFile(path, FileImage{sent.variant, sent.block, {}}.fileBytes(), language_);
    return failure.empty() ? failure : path + ": " + failure;
}

std::string SendRecords::forget(std::string_view server, std::string_view queue) const
{
    if (folder_.empty())
        return {};
    const std::string path = pathOf(server, queue);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return path + ": " + std::strerror(errno);
    return {};
}

std::vector<SendRecords::Entry> SendRecords::entries() const
{
    std::vector<Entry> found;
    std::error_code error;
    if (folder_.empty() || !fs::is_directory(folder_, error))
        return found;
    for (const fs::directory_entry& server : fs::directory_iterator(folder_, error)) {
        if (!server.is_directory(error))
            continue;
        for (const fs::directory_entry& record : fs::directory_iterator(server.path(), error)) {
            const std::string file = record.path().filename().string();
            if (!record.is_regular_file(error) || !file.ends_with(kSuffix) || file.starts_with('.'))
                continue;
            Entry entry{nameOf(server.path().filename().string()),
                        nameOf(file.substr(0, file.size() - kSuffix.size())), record.path().string()};
            struct stat status {};
            if (::stat(entry.path.c_str(), &status) == 0)
                entry.sentAt = status.st_mtime;
            const auto image = readFileImage(entry.path, language_);
            if (const auto* settings = std::get_if<FileImage>(&image))
                entry.variant = settings->variant;
            found.push_back(std::move(entry));
        }
    }
    std::ranges::sort(found, {}, [](const Entry& entry) { return std::tie(entry.server, entry.queue); });
    return found;
}

} // namespace kbs::cli
