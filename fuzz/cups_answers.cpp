// Any bytes as the print server's answer to each request the CUPS adapter makes: the printer
// list, the trial open, Create-Job, Send-Document and Cancel-Job. Nothing counts as done on an
// answer that does not say success, a listed printer is one of the program's models that answered
// its trial open, and a job created and not sent is cancelled.
#include "cups/cups_connection.h"
#include "cups/cups_printer_list.h"
#include "cups/cups_spooler.h"
#include "fuzz_input.h"

#include <cups/cups.h>

#include <algorithm>
#include <vector>

namespace {

using namespace kbs;
using namespace std::chrono_literals;

struct Exchange {
    ipp_op_t operation;
    std::string printerUri;
    int jobId;
    std::optional<std::string> answer;
    bool success; // the answer is a whole message with a successful-ok status
};

bool saysSuccess(const std::string& answer)
{
    struct Reader {
        std::string_view rest;
        static ssize_t read(void* context, ipp_uchar_t* buffer, size_t length)
        {
            auto& reader = *static_cast<Reader*>(context);
            const std::size_t count = std::min(length, reader.rest.size());
            std::copy_n(reader.rest.begin(), count, buffer);
            reader.rest.remove_prefix(count);
            return static_cast<ssize_t>(count);
        }
    } reader{answer};
    ipp_t* message = ippNew();
    const bool success = ippReadIO(&reader, Reader::read, 1, nullptr, message) == IPP_STATE_DATA &&
                         ippGetStatusCode(message) < 0x0100;
    ippDelete(message);
    return success;
}

// Answers every request with the next bytes of the input, or, now and then, with nothing; or,
// made with an answer, always with that one.
struct Feed : AnswerFeed {
    explicit Feed(fuzz::FuzzInput* input, std::optional<std::string> fixed = {}) : input(input), fixed(fixed)
    {
    }

    std::optional<std::string> answerTo(ipp_t* request) override
    {
        ipp_attribute_t* uri = ippFindAttribute(request, "printer-uri", IPP_TAG_URI);
        ipp_attribute_t* job = ippFindAttribute(request, "job-id", IPP_TAG_INTEGER);
        std::optional<std::string> answer = fixed;
        if (input && input->pick(8) != 0)
            answer = std::string(input->chunk(true));
        exchanges.push_back({ippGetOperation(request), uri ? ippGetString(uri, 0, nullptr) : "",
                             job ? ippGetInteger(job, 0) : 0, answer, answer && saysSuccess(*answer)});
        return answer;
    }

    fuzz::FuzzInput* input;
    std::optional<std::string> fixed;
    std::vector<Exchange> exchanges;
};

// Every printer listed answered its trial open, which only queues of the program's models get.
void listPrinters(fuzz::FuzzInput& input)
{
    const ModelVariant& variant = input.program();
    Feed feed(&input);
    const std::vector<PrinterChoice> usable = CupsPrinterList(10s, &feed).usablePrinters(variant);
    FUZZ_CHECK(feed.exchanges.front().operation == IPP_OP_CUPS_GET_PRINTERS);
    const auto trials = std::span(feed.exchanges).subspan(1);
    FUZZ_CHECK(feed.exchanges.front().success || trials.empty());
    // The same list answer once more, to see what it holds.
    Feed replay(nullptr, feed.exchanges.front().answer);
    const auto installed = installedQueues(10s, &replay).value_or(std::vector<InstalledQueue>{});
    for (const Exchange& trial : trials)
        FUZZ_CHECK(trial.operation == IPP_OP_GET_PRINTER_ATTRIBUTES &&
                   std::ranges::any_of(installed, [&](const InstalledQueue& queue) {
                       return trial.printerUri == queueUri(queue.name) &&
                              std::ranges::count(variant.acceptedModels, queue.makeAndModel) > 0;
                   }));
    for (const PrinterChoice& printer : usable)
        FUZZ_CHECK(std::ranges::any_of(trials, [&](const Exchange& trial) {
            return trial.success && trial.printerUri == queueUri(printer.name);
        }));
}

void sendJob(fuzz::FuzzInput& input)
{
    Feed feed(&input);
    const SettingsBlock block = input.block(input.program());
    bool started = false, sent = false;
    {
        const std::unique_ptr<OpenQueue> queue = CupsSpooler({10s, 4s}, &feed).openForUse("q");
        FUZZ_CHECK(!queue || feed.exchanges.back().success);
        if (!queue)
            return;
        started = queue->startRawJob("Knobstation Status Write");
        FUZZ_CHECK(!started || feed.exchanges.back().success);
        if (started && input.pick(4))
            queue->writeData(block.bytes());
        sent = started && queue->endJob();
        FUZZ_CHECK(!sent || (feed.exchanges.back().operation == IPP_OP_SEND_DOCUMENT &&
                             feed.exchanges.back().success));
    }
    const Exchange& last = feed.exchanges.back();
    const bool cancelled = last.operation == IPP_OP_CANCEL_JOB && last.jobId > 0;
    FUZZ_CHECK(cancelled == (started && !sent));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    if (input.pick(2))
        listPrinters(input);
    else
        sendJob(input);
    return 0;
}
