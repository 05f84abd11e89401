#include "cli/knobctl.h"

#include "cli/command_line.h"
#include "cli/file_image.h"
#include "cli/fleet_commands.h"
#include "cli/settings_report.h"
#include "cli/settings_text.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace kbs::cli {

namespace {

constexpr int kDone = 0;
constexpr int kDiffers = 1;
constexpr int kError = 2;

std::optional<FileImage> readImage(const std::string& path, Console& console)
{
    auto image = readFileImage(path);
    if (auto* refusal = std::get_if<std::string>(&image)) {
        console.err << path << ": " << *refusal << "\n";
        return std::nullopt;
    }
    return std::get<FileImage>(std::move(image));
}

std::optional<std::string> readText(const std::string& path, Console& console)
{
    std::ostringstream text;
    if (path == "-") {
        text << std::cin.rdbuf();
        return text.str();
    }
    std::ifstream file(path, std::ios::binary);
    if (!file || !(text << file.rdbuf())) {
        console.err << path << ": cannot be read\n";
        return std::nullopt;
    }
    return text.str();
}

int write(const std::string& path, const FileImage& image, Console& console)
{
    if (const std::string failure = writeFileImage(path, image); !failure.empty()) {
        console.err << path << ": " << failure << "\n";
        return kError;
    }
    return kDone;
}

int show(const CommandLine& line, Console& console)
{
    const auto image = readImage(line.positional[0], console);
    if (!image)
        return kError;
    console.out << showText(settingsMapOf(*image->variant), *image, line.has("--bytes"));
    return kDone;
}

int diff(const CommandLine& line, Console& console)
{
    // One file: what it changes from the factory defaults.
    const bool two = line.positional.size() > 1;
    const bool sent = line.value("--sent") != nullptr;
    if (sent && two) {
        console.err << "diff: --sent QUEUE takes one file\n";
        return kError;
    }
    const auto file = readImage(line.positional[0], console);
    if (!file)
        return kError;
    if (sent)
        return diffSent(line, *file, console);
    const auto a = two ? file : factoryFile(*file->variant);
    const auto b = two ? readImage(line.positional[1], console) : file;
    if (!b)
        return kError;
    if (a->variant != b->variant) {
        console.err << "the files are of two programs: " << a->variant->deliverable << " and "
                    << b->variant->deliverable << "\n";
        return kError;
    }
    const std::string differences = diffText(settingsMapOf(*a->variant), *a, *b);
    console.out << differences;
    return differences.empty() ? kDone : kDiffers;
}

int exportFile(const CommandLine& line, Console& console)
{
    const auto image = readImage(line.positional[0], console);
    if (!image)
        return kError;
    const std::string text = exportText(settingsMapOf(*image->variant), *image);
    const std::string* output = line.value("-o");
    if (!output || *output == "-") {
        console.out << text;
        return kDone;
    }
    std::ofstream file(*output, std::ios::binary | std::ios::trunc);
    if (!(file << text) || !file.flush()) {
        console.err << *output << ": cannot be written\n";
        return kError;
    }
    return kDone;
}

int importFile(const CommandLine& line, Console& console)
{
    const auto text = readText(line.positional[0], console);
    if (!text)
        return kError;
    std::optional<FileImage> base;
    if (const std::string* path = line.value("--base"); path && !(base = readImage(*path, console)))
        return kError;
    const ImportResult result = importText(*text, base ? &*base : nullptr);
    for (const std::string& error : result.errors)
        console.err << line.positional[0] << ": " << error << "\n";
    if (!result.image)
        return kError;
    return write(*line.value("-o"), *result.image, console);
}

int newFile(const CommandLine& line, Console& console)
{
    const ModelVariant* variant = programNamed(line.positional[0]);
    if (!variant) {
        console.err << "unknown program " << line.positional[0] << " (kbs18r, kbs62d or kbs18t)\n";
        return kError;
    }
    return write(*line.value("-o"), factoryFile(*variant), console);
}

int send(const CommandLine& line, Console& console)
{
    const auto image = readImage(line.positional[0], console);
    return image ? sendFile(line, *image, console) : kError;
}

} // namespace

int runKnobctl(std::span<const std::string> arguments, Console& console)
{
    const CommandSpec* command = nullptr;
    CommandLine line;
    if (const std::string refusal = parseCommandLine(arguments, command, line); !refusal.empty()) {
        console.err << refusal;
        return kError;
    }
    if (line.has("--help")) {
        console.out << helpText(command);
        return kDone;
    }
    static constexpr std::pair<std::string_view, int (*)(const CommandLine&, Console&)> kRuns[] = {
        {"show", show},   {"diff", diff},         {"export", exportFile}, {"import", importFile},
        {"new", newFile}, {"queues", listQueues}, {"send", send},         {"sent", listSent},
    };
    try {
        for (const auto& [name, run] : kRuns)
            if (name == command->name)
                return run(line, console);
    } catch (const std::exception& failure) {
        // A table the program cannot map, or no memory: said plainly, nothing half-written.
        console.err << "knobctl " << command->name << ": " << failure.what() << "\n";
    }
    return kError;
}

} // namespace kbs::cli
