// The commands on the records of what each queue was last sent and accepted.

#include "cli/command_run.h"
#include "cli/json_text.h"
#include "cli/send_records.h"
#include "cli/server_fleet.h"
#include "cli/settings_report.h"
#include "cli/settings_text.h"
#include "cli/text_table.h"

#include <algorithm>
#include <ctime>

namespace kbs::cli {

namespace {

constexpr Phrase kNotQueueName{"%1: not QUEUE or QUEUE@SERVER", "%1: QUEUE でも QUEUE@SERVER でもありません"};
constexpr Phrase kOneServer{"--server takes one print server: HOST, HOST:PORT or a socket path",
                            "--server にはプリントサーバーを一つ指定します: HOST、HOST:PORT、ソケットのパス"};
constexpr Phrase kNoRecord{"%1: no record of what it was sent", "%1: 送信した設定の記録がありません"};
constexpr Phrase kOtherProgram{"%1: it was sent a block of %2, the file is of %3",
                               "%1: 送信したのは %2 のブロックで、ファイルは %3 のものです"};

std::string isoTime(std::time_t time)
{
    std::tm local{};
    char text[32];
    if (!localtime_r(&time, &local) || !std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local))
        return "?";
    return text;
}

bool sameName(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
}

} // namespace

int sentCommand(const CommandRun& run)
{
    std::vector<QueueName> names;
    for (const std::string& text : run.line.positional) {
        auto name = parseQueueName(text);
        if (!name)
            return run.fail(run.say(kNotQueueName, {text}));
        names.push_back(std::move(*name));
    }
    const auto wanted = [&](const SendRecords::Entry& entry) {
        return names.empty() || std::ranges::any_of(names, [&](const QueueName& name) {
                   return sameName(name.queue, entry.queue) &&
                          (!name.server || name.server->name() == entry.server);
               });
    };
    std::vector<std::string> objects;
    std::vector<std::vector<std::string>> rows{{run.say({"SERVER", "サーバー"}), run.say({"QUEUE", "キュー"}),
                                                run.say({"PROGRAM", "プログラム"}),
                                                run.say({"SENT", "送信日時"}), run.say({"RECORD", "記録"})}};
    for (const SendRecords::Entry& entry :
         SendRecords(SendRecords::defaultFolder(), run.console.language).entries()) {
        if (!wanted(entry))
            continue;
        const std::string program = entry.variant ? std::string(entry.variant->deliverable) : "?";
        rows.push_back({entry.server, entry.queue, program, isoTime(entry.sentAt), entry.path});
        objects.push_back(JsonObject()
                              .add("server", entry.server)
                              .add("queue", entry.queue)
                              .add("program", program)
                              .add("sent", isoTime(entry.sentAt))
                              .add("record", entry.path)
                              .text());
    }
    run.console.out << (run.line.has("--json") ? jsonArray(objects) : textTable(rows));
    return kDone;
}

int diffSentCommand(const CommandRun& run)
{
    const std::string& text = *run.line.value("--sent");
    const auto name = parseQueueName(text);
    if (!name)
        return run.fail(run.say(kNotQueueName, {text}));
    std::optional<PrintServer> server = name->server;
    const auto given = run.line.values("--server");
    if (given.size() > 1 || (given.size() == 1 && !server && !(server = parsePrintServer(given[0]))))
        return run.fail(run.say(kOneServer));
    const auto file = run.readImageOrText(run.line.positional[0]);
    if (!file)
        return kError;
    const std::string serverName = server.value_or(defaultPrintServer()).name();
    const std::string queue = name->queue + "@" + serverName;
    const auto record =
        SendRecords(SendRecords::defaultFolder(), run.console.language).recorded(serverName, name->queue);
    if (!record) {
        run.console.out << run.say(kNoRecord, {queue}) << "\n";
        return kDiffers;
    }
    if (record->variant != file->variant) {
        run.console.out << run.say(kOtherProgram,
                                   {queue, record->variant->deliverable, file->variant->deliverable})
                        << "\n";
        return kDiffers;
    }
    // The record holds only the block that was sent: the file's tail is no difference.
    const FileImage sent{file->variant, file->block, {}};
    const SettingsMap& map = settingsMapOf(*file->variant);
    const std::string differences = diffText(map, *record, sent);
    run.console.out << (run.line.has("--json") ? diffJson(map, *record, sent) : differences);
    return differences.empty() ? kDone : kDiffers;
}

} // namespace kbs::cli
