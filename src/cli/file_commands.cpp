#include "cli/command_run.h"
#include "cli/settings_report.h"
#include "cli/settings_text.h"

namespace kbs::cli {

namespace {

constexpr Phrase kTwoPrograms{"the files are of two programs: %1 and %2",
                              "二つのファイルのプログラムが異なります: %1 と %2"};
constexpr Phrase kBaseOfOther{"%1: a file of %2, not of %3", "%1: %3 ではなく %2 のファイルです"};
constexpr Phrase kUnknownProgram{"unknown program %1 (kbs18r, kbs62d or kbs18t)",
                                 "不明なプログラム %1（kbs18r、kbs62d、kbs18t のいずれか）"};

std::span<const std::uint8_t> bytesOf(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace

int showCommand(const CommandRun& run)
{
    const auto image = run.readImage(run.line.positional[0]);
    if (!image)
        return kError;
    const SettingsMap& map = settingsMapOf(*image->variant);
    run.console.out << (run.line.has("--json")
                            ? showJson(map, *image)
                            : showText(map, *image, run.line.has("--bytes"), run.console.language));
    return kDone;
}

int diffCommand(const CommandRun& run)
{
    if (run.line.value("--sent"))
        return diffSentCommand(run);
    // One file: what it changes from the factory defaults.
    const bool two = run.line.positional.size() > 1;
    const auto first = run.readImageOrText(run.line.positional[0]);
    if (!first)
        return kError;
    const auto a = two ? first : factoryFile(*first->variant);
    const auto b = two ? run.readImageOrText(run.line.positional[1]) : first;
    if (!b)
        return kError;
    if (a->variant != b->variant)
        return run.fail(run.say(kTwoPrograms, {a->variant->deliverable, b->variant->deliverable}));
    const SettingsMap& map = settingsMapOf(*a->variant);
    const std::string differences = diffText(map, *a, *b);
    run.console.out << (run.line.has("--json") ? diffJson(map, *a, *b) : differences);
    return differences.empty() ? kDone : kDiffers;
}

int exportCommand(const CommandRun& run)
{
    const auto image = run.readImage(run.line.positional[0]);
    if (!image)
        return kError;
    std::optional<FileImage> base;
    if (run.line.has("--changed"))
        base = factoryFile(*image->variant);
    if (const std::string* path = run.line.value("--base")) {
        if (!(base = run.readImage(*path)))
            return kError;
        if (base->variant != image->variant)
            return run.fail(
                run.say(kBaseOfOther, {*path, base->variant->deliverable, image->variant->deliverable}));
    }
    const std::string text = exportText(settingsMapOf(*image->variant), *image, base ? &*base : nullptr);
    const std::string* output = run.line.value("-o");
    return run.write(output ? *output : "-", bytesOf(text));
}

int importCommand(const CommandRun& run)
{
    const std::string& source = run.line.positional[0];
    const auto text = run.readText(source);
    if (!text)
        return kError;
    std::optional<FileImage> base;
    if (const std::string* path = run.line.value("--base"); path && !(base = run.readImage(*path)))
        return kError;
    const ImportResult result = importText(*text, base ? &*base : nullptr, run.console.language);
    for (const std::string& note : result.notes)
        run.console.err << "knobctl: import: " << source << ": " << note << "\n";
    for (const std::string& error : result.errors)
        run.fail(source, error);
    if (!result.image)
        return kError;
    if (run.line.has("--check"))
        return kDone;
    return run.write(*run.line.value("-o"), result.image->fileBytes());
}

int newCommand(const CommandRun& run)
{
    const ModelVariant* variant = programNamed(run.line.positional[0]);
    if (!variant)
        return run.fail(run.say(kUnknownProgram, {run.line.positional[0]}));
    return run.write(*run.line.value("-o"), factoryFile(*variant).fileBytes());
}

} // namespace kbs::cli
