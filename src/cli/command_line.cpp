#include "cli/command_line.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kbs::cli {

namespace {

constexpr std::array<std::string_view, 1> kBytes = {"--bytes"};
constexpr std::array<std::string_view, 1> kJson = {"--json"};
constexpr std::array<std::string_view, 1> kOutput = {"-o"};
constexpr std::array<std::string_view, 2> kImportOptions = {"-o", "--base"};
constexpr std::array<std::string_view, 4> kSendFlags = {"--all", "--json", "--if-changed", "--dry-run"};
constexpr std::array<std::string_view, 3> kSendOptions = {"--parallel", "--server", "--servers"};
constexpr std::array<std::string_view, 2> kServerOptions = {"--server", "--servers"};
constexpr std::array<std::string_view, 2> kDiffOptions = {"--sent", "--server"};
// Options whose every occurrence counts.
constexpr std::array<std::string_view, 2> kRepeatable = {"--server", "--servers"};

constexpr std::array kCommands = {
    CommandSpec{"show",
                "show FILE [--bytes]",
                "every setting of a settings file",
                1,
                1,
                kBytes,
                {},
                {},
                "Prints every setting of the file by tab and group, in the labels and choice texts\n"
                "of the program the file belongs to.\n"
                "  --bytes   add each setting's block offsets and bytes\n"},
    CommandSpec{"diff",
                "diff A [B] | diff --sent QUEUE FILE",
                "the settings in which two files differ",
                1,
                2,
                {},
                kDiffOptions,
                {},
                "Prints the settings in which B differs from A, as \"old -> new\"; without B, what A\n"
                "changes from the factory defaults. Exit status 0 when equal, 1 when they differ,\n"
                "2 on an error.\n"
                "  --sent QUEUE    compare FILE with what QUEUE (or QUEUE@SERVER) was last sent and\n"
                "                  accepted (see \"knobctl sent\"); no record counts as a difference\n"
                "  --server HOST   the print server of QUEUE\n"},
    CommandSpec{"export",
                "export FILE [-o TEXT]",
                "a settings file as text for version control",
                1,
                1,
                {},
                kOutput,
                {},
                "Writes the file as \"key = value\" lines, sections by tab, the label as a comment.\n"
                "A field whose bytes are no value of its setting is written as hex:... with a\n"
                "comment on what the desktop program would show. Bytes no setting decides and the\n"
                "file's bytes after the block follow in a [raw] section, so that import gives back\n"
                "the file byte for byte.\n"
                "  -o TEXT   write the text there instead of to standard output\n"},
    CommandSpec{"import",
                "import TEXT -o FILE [--base FILE]",
                "a settings file from such a text",
                1,
                1,
                {},
                kImportOptions,
                kOutput,
                "Reads a text as export writes it (\"-\": standard input) and writes the settings\n"
                "file. Keys left out keep the values of the base file, or of the factory defaults\n"
                "of the text's program. Every error is reported with its line; on any error\n"
                "nothing is written and the exit status is 2. The file is written as the desktop\n"
                "programs save: a new file that replaces the old one.\n"
                "  -o FILE      the settings file to write\n"
                "  --base FILE  where the values of keys left out come from\n"},
    CommandSpec{"new",
                "new PROGRAM -o FILE",
                "a settings file with the factory defaults",
                1,
                1,
                {},
                kOutput,
                kOutput,
                "PROGRAM is kbs18r, kbs62d or kbs18t.\n  -o FILE   the settings file to write\n"},
    CommandSpec{"queues",
                "queues [--json] [--server HOST]... [--servers FILE]",
                "the print queues each program serves",
                0,
                0,
                kJson,
                kServerOptions,
                {},
                "Lists the print servers' queues whose model a program serves: server, program,\n"
                "queue, model and connection (never a password from a device URI). A server that\n"
                "does not answer is reported and the others still listed; exit status 1 then.\n"
                "  --json            one JSON object per queue\n"
                "  --server HOST     a print server: HOST, HOST:PORT or a socket path, as lp -h takes\n"
                "                    it; may be given again (default: CUPS_SERVER or client.conf)\n"
                "  --servers FILE    the print servers listed in FILE, one a line, # comments\n"},
    CommandSpec{"send",
                "send FILE (QUEUE... | --all) [--if-changed] [--dry-run] [--json] [--server HOST]...",
                "send the settings to printers",
                1,
                SIZE_MAX,
                kSendFlags,
                kSendOptions,
                {},
                "Sends the file's settings to every named queue, or with --all to every queue that\n"
                "serves the file's program, as the desktop programs send them, several queues at a\n"
                "time. A queue is QUEUE, on every server asked, or QUEUE@SERVER. A named queue of\n"
                "a model the program does not serve is refused before anything is sent. Servers\n"
                "are asked at once; one that does not answer is reported and the others still get\n"
                "their jobs. Every accepted send is recorded (see \"knobctl sent\"). Ends with a\n"
                "table of server, queue, result and message. Exit status 0 only when every queue\n"
                "took the settings or had them already, 1 when one did not, 2 on an error.\n"
                "  --all            every queue that serves the file's program\n"
                "  --if-changed     skip a queue whose record holds the file's block (\"unchanged\")\n"
                "  --dry-run        send nothing, change no record: which queues would get the file\n"
                "  --json           the results as JSON\n"
                "  --parallel N     queues at a time (default 16)\n"
                "  --server HOST    a print server, may be given again; --servers FILE: one a line\n"},
    CommandSpec{"sent",
                "sent [QUEUE...] [--json]",
                "what each printer was last sent",
                0,
                SIZE_MAX,
                kJson,
                {},
                {},
                "Lists the records of what each queue was last sent and accepted: server, queue,\n"
                "program, time and the record's file, a settings file \"knobctl show\" reads. With\n"
                "QUEUE (or QUEUE@SERVER) only those. Records are kept under\n"
                "$XDG_STATE_HOME/knobstation/sent (root: /var/lib/knobstation/sent, others:\n"
                "~/.local/state/knobstation/sent). A send that was not accepted removes the\n"
                "queue's record: what the printer holds is not known then.\n"
                "  --json   one JSON object per record\n"},
};

std::string pointToHelp(const CommandSpec* command)
{
    return std::string("Run \"knobctl ") + (command ? std::string(command->name) + " " : "") +
           "--help\" for usage.\n";
}

bool listed(std::span<const std::string_view> names, std::string_view name)
{
    return std::ranges::find(names, name) != names.end();
}

} // namespace

std::string parseCommandLine(std::span<const std::string> arguments, const CommandSpec*& command,
                             CommandLine& line)
{
    command = nullptr;
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
        line.flags.insert("--help");
        return {};
    }
    const auto found = std::ranges::find(kCommands, arguments[0], &CommandSpec::name);
    if (found == kCommands.end())
        return "knobctl: unknown command " + arguments[0] + "\n" + pointToHelp(nullptr);
    command = &*found;

    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            line.flags.insert("--help");
            return {};
        }
        if (argument.size() > 1 && argument[0] == '-') {
            if (listed(command->flags, argument)) {
                line.flags.insert(argument);
            } else if (listed(command->options, argument)) {
                if (i + 1 == arguments.size())
                    return "knobctl " + arguments[0] + ": " + argument + " needs a value\n" +
                           pointToHelp(command);
                if (listed(kRepeatable, argument))
                    line.repeated[argument].push_back(arguments[++i]);
                else if (!line.options.emplace(argument, arguments[++i]).second)
                    return "knobctl " + arguments[0] + ": " + argument + " given twice\n" +
                           pointToHelp(command);
            } else {
                return "knobctl " + arguments[0] + ": unknown option " + argument + "\n" +
                       pointToHelp(command);
            }
            continue;
        }
        line.positional.push_back(argument);
    }
    if (line.positional.size() < command->minArguments || line.positional.size() > command->maxArguments)
        return "knobctl " + arguments[0] + ": usage: knobctl " + std::string(command->synopsis) + "\n" +
               pointToHelp(command);
    for (const std::string_view option : command->required)
        if (!line.value(std::string(option)))
            return "knobctl " + arguments[0] + ": " + std::string(option) + " is required\n" +
                   pointToHelp(command);
    return {};
}

std::string helpText(const CommandSpec* command)
{
    if (command)
        return "Usage: knobctl " + std::string(command->synopsis) + "\n\n" + std::string(command->details);
    std::string text = "Usage: knobctl COMMAND [ARGUMENTS]\n\n"
                       "Settings files of the ZAV Ferrostrike printers (kbs18r, kbs62d, kbs18t) from the\n"
                       "command line: read, compare, keep as text, and send to many printers.\n\nCommands:\n";
    for (const CommandSpec& entry : kCommands) {
        const std::string synopsis(entry.synopsis);
        text += "  " + synopsis + std::string(synopsis.size() < 40 ? 40 - synopsis.size() : 1, ' ') +
                std::string(entry.summary) + "\n";
    }
    return text + "\nRun \"knobctl COMMAND --help\" for a command's options.\n";
}

} // namespace kbs::cli
