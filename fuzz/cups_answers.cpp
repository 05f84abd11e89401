// Any bytes as the print server's answer to each request of the printer list and the send: only
// an answer that says success counts, only served models are opened, a job not sent is cancelled.
#include "cups/cups_connection.h"
#include "cups/cups_printer_list.h"
#include "cups/cups_spooler.h"
#include "fuzz_input.h"

#include <cups/cups.h>

#include <sys/mman.h>
#include <unistd.h>

#include <set>

namespace {

using namespace kbs;
using namespace std::chrono_literals;

struct Exchange {
    ipp_op_t operation;
    std::string printerUri;
    int jobId;
    bool success; // the answer is a whole message with a successful-ok status
};

bool saysSuccess(std::string_view answer)
{
    const int file = memfd_create("answer", 0);
    ipp_t* message = ippNew();
    const bool success = write(file, answer.data(), answer.size()) == static_cast<ssize_t>(answer.size()) &&
                         lseek(file, 0, SEEK_SET) == 0 && ippReadFile(file, message) == IPP_STATE_DATA &&
                         ippGetStatusCode(message) < 0x0100;
    ippDelete(message);
    close(file);
    return success;
}

// Answers every request with the next bytes of the input, or, now and then, with nothing.
struct Feed : AnswerFeed {
    explicit Feed(fuzz::FuzzInput& input) : input(input) {}

    std::optional<std::string> answerTo(ipp_t* request) override
    {
        std::optional<std::string> answer;
        if (input.pick(8))
            answer = input.chunk(true);
        ipp_attribute_t* uri = ippFindAttribute(request, "printer-uri", IPP_TAG_URI);
        ipp_attribute_t* job = ippFindAttribute(request, "job-id", IPP_TAG_INTEGER);
        exchanges.push_back({ippGetOperation(request), uri ? ippGetString(uri, 0, nullptr) : "",
                             job ? ippGetInteger(job, 0) : 0, answer && saysSuccess(*answer)});
        return answer;
    }

    fuzz::FuzzInput& input;
    std::vector<Exchange> exchanges;
};

// Every printer listed answered its trial open, which only queues of the program's models get.
void listPrinters(fuzz::FuzzInput& input)
{
    const ModelVariant& variant = input.program();
    // The list answer read twice: to see what it holds, and by the printer list.
    fuzz::FuzzInput again = input;
    Feed replay(again);
    const auto installed = installedQueues(10s, {.feed = &replay}).value_or(std::vector<InstalledQueue>{});
    Feed feed(input);
    const std::vector<PrinterChoice> usable = CupsPrinterList(10s, &feed).usablePrinters(variant);
    FUZZ_CHECK(feed.exchanges.front().operation == IPP_OP_CUPS_GET_PRINTERS);
    const auto trials = std::span(feed.exchanges).subspan(1);
    FUZZ_CHECK(feed.exchanges.front().success || trials.empty());
    std::set<std::string> served, opened;
    for (const InstalledQueue& queue : installed)
        if (std::ranges::count(variant.acceptedModels, queue.makeAndModel) > 0)
            served.insert(queueUri(queue.name));
    for (const Exchange& trial : trials) {
        FUZZ_CHECK(trial.operation == IPP_OP_GET_PRINTER_ATTRIBUTES && served.contains(trial.printerUri));
        if (trial.success)
            opened.insert(trial.printerUri);
    }
    for (const PrinterChoice& printer : usable)
        FUZZ_CHECK(opened.contains(queueUri(printer.name)));
}

// Done only on a successful answer to the document; a job created and not sent is cancelled.
void sendJob(fuzz::FuzzInput& input)
{
    const SettingsBlock block = input.block(input.program());
    Feed feed(input);
    std::unique_ptr<OpenQueue> queue = CupsSpooler({10s, 4s}, {.feed = &feed}).openForUse("q");
    FUZZ_CHECK(!queue || feed.exchanges.back().success);
    const bool started = queue && queue->startRawJob("Knobstation Status Write");
    FUZZ_CHECK(!started || feed.exchanges.back().success);
    if (started && input.pick(4))
        queue->writeData(block.bytes());
    const bool sent = started && queue->endJob();
    FUZZ_CHECK(!sent ||
               (feed.exchanges.back().operation == IPP_OP_SEND_DOCUMENT && feed.exchanges.back().success));
    queue.reset();
    const Exchange& last = feed.exchanges.back();
    FUZZ_CHECK((last.operation == IPP_OP_CANCEL_JOB && last.jobId > 0) == (started && !sent));
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
