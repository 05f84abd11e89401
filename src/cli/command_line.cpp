#include "cli/command_line.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kbs::cli {

namespace {

constexpr std::array<std::string_view, 2> kShowFlags = {"--bytes", "--json"};
constexpr std::array<std::string_view, 1> kJson = {"--json"};
constexpr std::array<std::string_view, 1> kChanged = {"--changed"};
constexpr std::array<std::string_view, 1> kCheck = {"--check"};
constexpr std::array<std::string_view, 5> kSendFlags = {"--all", "--json", "--dry-run", "--allow-held",
                                                        "--if-changed"};
constexpr std::array<std::string_view, 1> kOutput = {"-o"};
constexpr std::array<std::string_view, 2> kOutputAndBase = {"-o", "--base"};
constexpr std::array<std::string_view, 3> kSendOptions = {"--parallel", "--server", "--servers"};
constexpr std::array<std::string_view, 2> kServerOptions = {"--server", "--servers"};
constexpr std::array<std::string_view, 2> kDiffOptions = {"--sent", "--server"};
// Options whose every occurrence counts.
constexpr std::array<std::string_view, 2> kRepeatable = {"--server", "--servers"};

constexpr std::array kCommands = {
    CommandSpec{"show",
                "show FILE [--bytes] [--json]",
                {"every setting of a settings file", "設定ファイルのすべての設定"},
                1,
                1,
                kShowFlags,
                {},
                {"Prints every setting of the file by tab and group, in the labels and choice texts\n"
                 "of the program the file belongs to; a setting the window never shows is marked.\n"
                 "  --bytes   each setting's offsets and bytes (for a switch, its bits), then every\n"
                 "            byte no setting decides and the bytes after the block\n"
                 "  --json    one JSON object per setting, with its bytes\n",
                 "ファイルのすべての設定を、タブとグループごとに、そのファイルのプログラムの\n"
                 "ラベルと選択肢で表示します。ウィンドウに表示されない設定には印が付きます。\n"
                 "  --bytes   各設定のオフセットとバイト（スイッチはビット）、どの設定にも\n"
                 "            属さないバイト、ブロックの後ろのバイト\n"
                 "  --json    設定ごとに JSON オブジェクト（バイトを含む）\n"}},
    CommandSpec{"diff",
                "diff A [B] [--json] | diff --sent QUEUE FILE",
                {"the settings in which two files differ", "二つのファイルで異なる設定"},
                1,
                2,
                kJson,
                kDiffOptions,
                {"Prints the settings in which B differs from A, as \"old -> new\"; without B, what A\n"
                 "changes from the factory defaults. A or B may be a text as export writes it: it\n"
                 "stands for the file that import makes of it over the factory defaults.\n"
                 "Exit status 0 when equal, 1 when they differ, 2 on an error.\n"
                 "  --json    one JSON object per difference\n"
                 "  --sent QUEUE    compare FILE with what QUEUE (or QUEUE@SERVER) was last sent\n"
                 "                  and accepted (see \"knobctl sent\"); no record is a difference\n"
                 "  --server HOST   the print server of QUEUE\n",
                 "B が A と異なる設定を「旧 -> 新」で表示します。B がなければ A が工場出荷設定から\n"
                 "変えている設定を表示します。A や B には export の書くテキストも指定できます。\n"
                 "その場合、工場出荷設定に import したファイルと比べます。\n"
                 "終了ステータスは同じなら 0、異なれば 1、エラーなら 2 です。\n"
                 "  --json    違いごとに JSON オブジェクト\n"
                 "  --sent QUEUE    QUEUE（または QUEUE@SERVER）へ最後に送信し受け付けられた設定と\n"
                 "                  FILE を比べる（\"knobctl sent\" を参照）。記録がなければ違いとする\n"
                 "  --server HOST   QUEUE のプリントサーバー\n"}},
    CommandSpec{"export",
                "export FILE [-o TEXT] [--changed [--base FILE]]",
                {"a settings file as text for version control", "設定ファイルをバージョン管理用のテキストに"},
                1,
                1,
                kChanged,
                kOutputAndBase,
                {"Writes the file as \"key = value\" lines, sections by tab, the label as a comment.\n"
                 "A field whose bytes are no value of its setting is written as hex:... Bytes no\n"
                 "setting decides and the bytes after the block follow in a [raw] section, so that\n"
                 "import gives back the file byte for byte.\n"
                 "  -o TEXT      write the text there instead of to standard output\n"
                 "  --changed    only what differs from the factory defaults (or from --base)\n"
                 "  --base FILE  with --changed: the file to compare with\n",
                 "ファイルを「キー = 値」の行で書き出します。タブごとのセクション、ラベルはコメントです。\n"
                 "設定の値にならないバイトは hex:... で書きます。どの設定にも属さないバイトと\n"
                 "ブロックの後ろのバイトは [raw] セクションに書くので、import でバイト単位で元に戻ります。\n"
                 "  -o TEXT      標準出力の代わりにそのファイルへ書く\n"
                 "  --changed    工場出荷設定（または --base）と異なるものだけ\n"
                 "  --base FILE  --changed の比較相手\n"}},
    CommandSpec{"import",
                "import TEXT (-o FILE | --check) [--base FILE]",
                {"a settings file from such a text", "テキストから設定ファイルを作る"},
                1,
                1,
                kCheck,
                kOutputAndBase,
                {"Reads a text as export writes it (\"-\": standard input) and writes the settings\n"
                 "file: exactly identifier, block and the text's tail, whatever was there before.\n"
                 "Only the keys in the text are written; every other byte is the base file's, or\n"
                 "the factory defaults' of the text's program. Every error is reported with its\n"
                 "line; on any error nothing is written and the exit status is 2.\n"
                 "  -o FILE      the settings file to write\n"
                 "  --check      check the text only; nothing is written\n"
                 "  --base FILE  where the bytes of keys left out come from\n",
                 "export の書くテキスト（\"-\" は標準入力）を読み、設定ファイルを書きます。内容は\n"
                 "識別子、ブロック、テキストの tail だけで、元のファイルの内容は残りません。\n"
                 "テキストにあるキーだけを書き、他のバイトはベースファイル（なければそのプログラムの\n"
                 "工場出荷設定）のままです。エラーは行番号付きで報告し、エラーがあれば何も書かず\n"
                 "終了ステータスは 2 です。\n"
                 "  -o FILE      書き出す設定ファイル\n"
                 "  --check      テキストの検査だけ（何も書かない）\n"
                 "  --base FILE  書かれていないキーのバイトを取るファイル\n"}},
    CommandSpec{"new",
                "new PROGRAM -o FILE",
                {"a settings file with the factory defaults", "工場出荷設定の設定ファイル"},
                1,
                1,
                {},
                kOutput,
                {"PROGRAM is kbs18r, kbs62d or kbs18t.\n  -o FILE   the settings file to write\n",
                 "PROGRAM は kbs18r、kbs62d、kbs18t のいずれかです。\n  -o FILE   書き出す設定ファイル\n"}},
    CommandSpec{"queues",
                "queues [--json] [--server HOST]... [--servers FILE]",
                {"the print queues each program serves", "各プログラムの対象の印刷キュー"},
                0,
                0,
                kJson,
                kServerOptions,
                {"Lists the print server's queues whose model a program serves: program, queue,\n"
                 "model, connection (never a password) and state (idle, processing or paused;\n"
                 "accepting jobs or not), by print server. A server that does not answer is\n"
                 "reported and the others still listed; the exit status is 1 then.\n"
                 "  --json            one JSON object per queue\n"
                 "  --server HOST     a print server: HOST, HOST:PORT or a socket path, as lp -h\n"
                 "                    takes it; may be given again (default: CUPS_SERVER, client.conf)\n"
                 "  --servers FILE    the print servers in FILE, one a line, # comments\n",
                 "プリントサーバーのキューのうち、プログラムの対象機種のものを一覧します。\n"
                 "プログラム、キュー、機種、接続先（パスワードは表示しない）、状態（待機中・印刷中・\n"
                 "一時停止、受付中か否か）をプリントサーバーごとに。応答しないサーバーは報告し、\n"
                 "他のサーバーは一覧します。そのとき終了ステータスは 1 です。\n"
                 "  --json            キューごとに JSON オブジェクト\n"
                 "  --server HOST     プリントサーバー: HOST、HOST:PORT、ソケットのパス（lp -h と同じ）。\n"
                 "                    複数指定可（既定: CUPS_SERVER、client.conf）\n"
                 "  --servers FILE    FILE のプリントサーバー（一行に一つ、# はコメント）\n"}},
    CommandSpec{
        "send",
        "send FILE (QUEUE... | --all) [--if-changed] [--dry-run] [--allow-held] [--json] [--server HOST]...",
        {"send the settings to printers", "設定をプリンタへ送信する"},
        1,
        SIZE_MAX,
        kSendFlags,
        kSendOptions,
        {"Sends the file's settings to every named queue (in any case), or with --all to\n"
         "every queue that serves the file's program, several queues at a time. A named\n"
         "queue that does not exist or is of a model the program does not serve is refused\n"
         "before anything is sent. Ends with a table of queue, result and message: sent;\n"
         "held (the queue is paused, the job waits); rejected (not accepting jobs, with the\n"
         "server's reason); FAILED. Exit status 0 only when every queue took the settings\n"
         "(held counts with --allow-held), 1 when one did not, 2 on an error.\n"
         "A queue is QUEUE, on every server asked, or QUEUE@SERVER. Servers are asked at\n"
         "once; one that does not answer is reported and the others still get their jobs.\n"
         "Every accepted send is recorded (see \"knobctl sent\").\n"
         "  --all          every queue that serves the file's program\n"
         "  --if-changed   leave out a queue whose record holds the file's block: unchanged\n"
         "  --dry-run      which queues would get which file; nothing is sent\n"
         "  --allow-held   a paused queue that holds the job counts as done\n"
         "  --json         the results as JSON\n"
         "  --parallel N   queues at a time (default 16)\n"
         "  --server HOST  a print server, may be given again; --servers FILE: one a line\n",
         "ファイルの設定を指定したキュー（大文字小文字を区別しない）へ、--all ならファイルの\n"
         "プログラムの対象のすべてのキューへ、複数同時に送信します。存在しないキューや\n"
         "対象外の機種のキューが指定されると、何も送信せずに拒否します。最後にキュー、結果、\n"
         "メッセージの表を出します: 送信済み、保留（キューが一時停止中でジョブが待つ）、\n"
         "拒否（ジョブを受け付けていない、サーバーの理由付き）、失敗。終了ステータスは\n"
         "すべてのキューが受け取ったとき（--allow-held なら保留も含む）0、そうでなければ 1、\n"
         "エラーなら 2 です。\n"
         "キューは QUEUE（問い合わせたすべてのサーバー）または QUEUE@SERVER です。サーバーには\n"
         "同時に問い合わせ、応答しないサーバーは報告して他のサーバーへは送信します。\n"
         "受け付けられた送信はすべて記録します（\"knobctl sent\" を参照）。\n"
         "  --all          ファイルのプログラムの対象のすべてのキュー\n"
         "  --if-changed   記録がファイルのブロックと同じキューには送らない（変更なし）\n"
         "  --dry-run      どのキューにどのファイルが送られるかを表示するだけ（送信しない）\n"
         "  --allow-held   一時停止中のキューに保留されたジョブも成功とみなす\n"
         "  --json         結果を JSON で\n"
         "  --parallel N   同時に送るキューの数（既定 16）\n"
         "  --server HOST  プリントサーバー、複数指定可。--servers FILE: 一行に一つ\n"}},
    CommandSpec{"sent",
                "sent [QUEUE...] [--json]",
                {"what each printer was last sent", "各プリンタへ最後に送った設定"},
                0,
                SIZE_MAX,
                kJson,
                {},
                {"Lists the records of what each queue was last sent and accepted: server, queue,\n"
                 "program, time and the record, a settings file that show reads. With QUEUE (or\n"
                 "QUEUE@SERVER), only those. Records are kept in $XDG_STATE_HOME/knobstation/sent,\n"
                 "else /var/lib/knobstation/sent for root and ~/.local/state/knobstation/sent for\n"
                 "others. A send that was tried and not accepted, or is held, removes the queue's\n"
                 "record: what the printer holds is not known then.\n"
                 "  --json   one JSON object per record\n",
                 "各キューへ最後に送信し受け付けられた設定の記録を一覧します: サーバー、キュー、\n"
                 "プログラム、日時、記録（show で読める設定ファイル）。QUEUE（または QUEUE@SERVER）を\n"
                 "指定するとそれだけ。記録は $XDG_STATE_HOME/knobstation/sent、なければ root は\n"
                 "/var/lib/knobstation/sent、他は ~/.local/state/knobstation/sent に置きます。\n"
                 "送信を試みて受け付けられなかったとき、または保留のときは記録を消します\n"
                 "（プリンタの設定が分からなくなるため）。\n"
                 "  --json   記録ごとに JSON オブジェクト\n"}},
};

constexpr Phrase kUnknownCommand{"unknown command %1", "不明なコマンド %1"};
constexpr Phrase kNeedsValue{"%1 needs a value", "%1 には値が必要です"};
constexpr Phrase kGivenTwice{"%1 given twice", "%1 が二度指定されています"};
constexpr Phrase kUnknownOption{"unknown option %1", "不明なオプション %1"};
constexpr Phrase kUsage{"usage: knobctl %1", "使い方: knobctl %1"};
constexpr Phrase kRequired{"%1 is required", "%1 が必要です"};
constexpr Phrase kExclusive{"give %1 or %2, not both", "%1 と %2 は同時に指定できません"};
constexpr Phrase kOnlyWith{"%1 only goes with %2", "%1 は %2 と一緒にだけ指定できます"};

bool listed(std::span<const std::string_view> names, std::string_view name)
{
    return std::ranges::find(names, name) != names.end();
}

const CommandSpec* commandNamed(std::string_view name)
{
    const auto found = std::ranges::find(kCommands, name, &CommandSpec::name);
    return found != kCommands.end() ? &*found : nullptr;
}

Request usage(const CommandSpec* command, std::string refusal)
{
    return {Request::Usage, command, {}, std::move(refusal)};
}

// Options that only make sense together, or not at all together.
std::string combinationRefusal(const CommandSpec& command, const CommandLine& line, Language language)
{
    const std::string_view name = command.name;
    if (name == "import" && line.has("--check") == (line.value("-o") != nullptr))
        return line.has("--check") ? say(language, kExclusive, {"-o", "--check"})
                                   : say(language, kRequired, {"-o"});
    if (name == "export" && line.value("--base") && !line.has("--changed"))
        return say(language, kOnlyWith, {"--base", "--changed"});
    if (name == "diff" && line.value("--sent") && line.positional.size() != 1)
        return say(language, {"--sent QUEUE takes one file", "--sent QUEUE にはファイルを一つ指定します"});
    if (name == "new" && !line.value("-o"))
        return say(language, kRequired, {"-o"});
    return {};
}

} // namespace

std::string pointToHelp(const CommandSpec* command, Language language)
{
    const std::string help = "knobctl help" + (command ? " " + std::string(command->name) : std::string());
    return say(language, {"Run \"%1\" for usage.\n", "使い方は \"%1\" で表示します。\n"}, {help});
}

Request parseCommandLine(std::span<const std::string> arguments, Language language)
{
    if (arguments.empty())
        return usage(nullptr, {});
    const std::string& first = arguments[0];
    if (first == "--help" || first == "-h")
        return {Request::Help, nullptr, {}, {}};
    if (first == "--version")
        return {Request::Version, nullptr, {}, {}};
    if (first == "help") {
        if (arguments.size() == 1)
            return {Request::Help, nullptr, {}, {}};
        const CommandSpec* command = commandNamed(arguments[1]);
        if (command == nullptr || arguments.size() > 2)
            return usage(nullptr, say(language, kUnknownCommand, {arguments[1]}));
        return {Request::Help, command, {}, {}};
    }
    const CommandSpec* command = commandNamed(first);
    if (command == nullptr)
        return usage(nullptr, say(language, kUnknownCommand, {first}));

    Request request{Request::Run, command, {}, {}};
    CommandLine& line = request.line;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            line.positional.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            return {Request::Help, command, {}, {}};
        } else if (listed(command->flags, argument)) {
            line.flags.insert(argument);
        } else if (!listed(command->options, argument)) {
            return usage(command, say(language, kUnknownOption, {argument}));
        } else if (i + 1 == arguments.size()) {
            return usage(command, say(language, kNeedsValue, {argument}));
        } else if (listed(kRepeatable, argument)) {
            line.repeated[argument].push_back(arguments[++i]);
        } else if (!line.options.emplace(argument, arguments[++i]).second) {
            return usage(command, say(language, kGivenTwice, {argument}));
        }
    }
    if (line.positional.size() < command->minArguments || line.positional.size() > command->maxArguments)
        return usage(command, say(language, kUsage, {command->synopsis}));
    if (std::string refusal = combinationRefusal(*command, line, language); !refusal.empty())
        return usage(command, std::move(refusal));
    return request;
}

std::string helpText(const CommandSpec* command, Language language)
{
    const Phrase usageLine{"Usage: knobctl %1\n\n", "使い方: knobctl %1\n\n"};
    if (command)
        return say(language, usageLine, {command->synopsis}) + say(language, command->details);
    std::string text =
        say(language, usageLine, {"COMMAND [ARGUMENTS]"}) +
        say(language, {"Settings files of the ZAV Ferrostrike printers (kbs18r, kbs62d, kbs18t) from the\n"
                       "command line: read, compare, keep as text, and send to many printers.\n\nCommands:\n",
                       "ZAV Ferrostrike プリンタ（kbs18r、kbs62d、kbs18t）の設定ファイルをコマンドラインで\n"
                       "読み、比べ、テキストで管理し、多数のプリンタへ送信します。\n\nコマンド:\n"});
    for (const CommandSpec& entry : kCommands) {
        const std::string synopsis(entry.synopsis.substr(0, entry.synopsis.find(' ')));
        text +=
            "  " + synopsis + std::string(10 - synopsis.size(), ' ') + say(language, entry.summary) + "\n";
    }
    return text + say(language, {"\nRun \"knobctl help COMMAND\" for a command's arguments and options.\n"
                                 "  --version   the program's version\n",
                                 "\nコマンドの引数とオプションは \"knobctl help COMMAND\" で表示します。\n"
                                 "  --version   プログラムのバージョン\n"});
}

} // namespace kbs::cli
