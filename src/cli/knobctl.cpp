#include "cli/knobctl.h"

#include "cli/command_line.h"
#include "cli/file_image.h"
#include "cli/queue_send.h"
#include "cli/settings_report.h"
#include "cli/settings_text.h"
#include "cli/text_table.h"
#include "cups/cups_spooler.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace kbs::cli {

namespace {

constexpr int kDone = 0;
constexpr int kDiffers = 1;
constexpr int kError = 2;

// How many queues a send serves at a time unless told otherwise.
constexpr unsigned kDefaultParallel = 16;
// The queue list: the same budget as the desktop programs' printer list.
constexpr auto kQueueListBudget = CupsPrinterList::kDefaultBudget;
constexpr std::string_view kServerSilent = "the print server did not answer\n";

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
    const auto file = readImage(line.positional[0], console);
    if (!file)
        return kError;
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

int queues(const CommandLine& line, Console& console)
{
    const auto installed = installedQueues(kQueueListBudget);
    if (!installed) {
        console.err << kServerSilent;
        return kError;
    }
    const bool json = line.has("--json");
    std::string text = "[";
    std::vector<std::vector<std::string>> rows{{"PROGRAM", "QUEUE", "MODEL", "CONNECTION"}};
    for (const ModelVariant* variant : programs()) {
        for (const InstalledQueue& queue : *installed) {
            if (!servesModel(*variant, queue.makeAndModel))
                continue;
            rows.push_back(
                {std::string(variant->deliverable), queue.name, queue.makeAndModel, queue.connection});
            text += std::string(text.size() > 1 ? ",\n " : "\n ") +
                    "{\"program\": " + jsonString(variant->deliverable) +
                    ", \"queue\": " + jsonString(queue.name) +
                    ", \"model\": " + jsonString(queue.makeAndModel) +
                    ", \"connection\": " + jsonString(queue.connection) + "}";
        }
    }
    console.out << (json ? text + "\n]\n" : textTable(rows));
    return kDone;
}

int send(const CommandLine& line, Console& console)
{
    const auto image = readImage(line.positional[0], console);
    if (!image)
        return kError;
    const bool all = line.has("--all");
    const std::vector<std::string> named(line.positional.begin() + 1, line.positional.end());
    if (all == !named.empty()) {
        console.err << "send: name the queues or give --all, not both\n";
        return kError;
    }
    unsigned parallel = kDefaultParallel;
    if (const std::string* count = line.value("--parallel")) {
        try {
            parallel = static_cast<unsigned>(std::stoul(*count));
        } catch (const std::exception&) {
            parallel = 0;
        }
        if (parallel == 0 || parallel > 256) {
            console.err << "send: --parallel takes 1 to 256\n";
            return kError;
        }
    }
    const auto installed = installedQueues(kQueueListBudget);
    if (!installed) {
        console.err << "send: " << kServerSilent << "send: nothing was sent\n";
        return kError;
    }
    const SendPlan plan = planSend(*image->variant, *installed, named, all);
    if (!plan.refusals.empty()) {
        for (const std::string& refusal : plan.refusals)
            console.err << "send: " << refusal << "\n";
        console.err << "send: nothing was sent\n";
        return kError;
    }
    CupsSpooler spooler;
    const auto progress = [&](std::size_t done, std::size_t total) {
        if (console.progressOnTerminal)
            console.err << "\rsending: " << done << "/" << total << (done == total ? "\n" : "") << std::flush;
    };
    const auto results = sendToQueues(spooler, plan.targets, image->block.bytes(), parallel, progress);
    console.out << (line.has("--json") ? resultJson(results) : resultTable(results));
    const bool everyQueue = std::ranges::all_of(results, &QueueResult::sent);
    return everyQueue ? kDone : kDiffers;
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
        {"show", show},   {"diff", diff},     {"export", exportFile}, {"import", importFile},
        {"new", newFile}, {"queues", queues}, {"send", send},
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
