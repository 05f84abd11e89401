#include "cli/knobctl.h"

#include "cli/command_run.h"
#include "cli/settings_text.h"

#include <algorithm>
#include <sstream>

#ifndef KBS_VERSION
#error "KBS_VERSION names the version knobctl reports"
#endif

namespace kbs::cli {

namespace {

constexpr Phrase kNotText{"not a settings file, nor a text as export writes it (%1)",
                          "設定ファイルでも export の書くテキストでもありません（%1）"};

} // namespace

int CommandRun::fail(std::string_view message) const
{
    console.err << "knobctl: " << command.name << ": " << message << "\n";
    return kError;
}

int CommandRun::fail(std::string_view path, std::string_view message) const
{
    return fail(std::string(path) + ": " + std::string(message));
}

std::optional<FileImage> CommandRun::readImage(const std::string& path) const
{
    auto image = readFileImage(path, console.language);
    if (auto* problem = std::get_if<std::string>(&image)) {
        fail(path, *problem);
        return std::nullopt;
    }
    return std::get<FileImage>(std::move(image));
}

std::optional<FileImage> CommandRun::readImageOrText(const std::string& path) const
{
    auto bytes = readWholeFile(path, console.language);
    if (auto* problem = std::get_if<std::string>(&bytes)) {
        fail(path, *problem);
        return std::nullopt;
    }
    const auto& content = std::get<std::vector<std::uint8_t>>(bytes);
    auto image = settingsFileOf(content, console.language);
    if (auto* file = std::get_if<FileImage>(&image))
        return std::move(*file);
    // A text has no NUL byte; anything else is reported as the file it failed to be.
    if (content.empty() || std::ranges::find(content, 0) != content.end()) {
        fail(path, std::get<std::string>(image));
        return std::nullopt;
    }
    const ImportResult result =
        importText(std::string_view(reinterpret_cast<const char*>(content.data()), content.size()), nullptr,
                   console.language);
    if (!result.image) {
        fail(path, say(kNotText, {result.errors.front()}));
        return std::nullopt;
    }
    return result.image;
}

std::optional<std::string> CommandRun::readText(const std::string& path) const
{
    if (path == "-") {
        std::ostringstream text;
        text << console.in.rdbuf();
        return text.str();
    }
    auto bytes = readWholeFile(path, console.language);
    if (auto* problem = std::get_if<std::string>(&bytes)) {
        fail(path, *problem);
        return std::nullopt;
    }
    const auto& content = std::get<std::vector<std::uint8_t>>(bytes);
    return std::string(content.begin(), content.end());
}

int CommandRun::write(const std::string& path, std::span<const std::uint8_t> bytes) const
{
    if (path == "-") {
        console.out.write(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<std::streamsize>(bytes.size()));
        return kDone;
    }
    if (const std::string failure = writeWholeFile(path, bytes, console.language); !failure.empty())
        return fail(path, failure);
    return kDone;
}

int runKnobctl(std::span<const std::string> arguments, Console& console)
{
    const Request request = parseCommandLine(arguments, console.language);
    switch (request.kind) {
    case Request::Help:
        console.out << helpText(request.command, console.language);
        return kDone;
    case Request::Version:
        console.out << "knobctl " << KBS_VERSION << "\n";
        return kDone;
    case Request::Usage:
        if (request.refusal.empty())
            console.err << helpText(nullptr, console.language);
        else
            console.err << "knobctl: " << (request.command ? std::string(request.command->name) + ": " : "")
                        << request.refusal << "\n"
                        << pointToHelp(request.command, console.language);
        return kError;
    case Request::Run:
        break;
    }
    static constexpr std::pair<std::string_view, int (*)(const CommandRun&)> kRuns[] = {
        {"show", showCommand},     {"diff", diffCommand}, {"export", exportCommand},
        {"import", importCommand}, {"new", newCommand},   {"queues", queuesCommand},
        {"send", sendCommand},     {"sent", sentCommand},
    };
    const CommandRun run{*request.command, request.line, console};
    try {
        for (const auto& [name, command] : kRuns)
            if (name == request.command->name)
                return command(run);
    } catch (const std::exception& failure) {
        // A table the program cannot map, or no memory: said plainly, nothing half-written.
        return run.fail(failure.what());
    }
    return kError;
}

} // namespace kbs::cli
