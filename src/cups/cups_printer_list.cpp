#include "cups/cups_printer_list.h"

#include "cups/connection_text.h"
#include "cups/cups_connection.h"

#include <cups/cups.h>

#include <iterator>
#include <string>

namespace kbs {

namespace {

// What one CUPS-Get-Printers entry tells about a queue.
struct QueueAttributes {
    std::string name;
    std::string makeAndModel;
    std::string deviceUri;
    std::string printerUri;
    int type = 0;
};

std::string textOf(ipp_attribute_t* attribute)
{
    const char* text = ippGetString(attribute, 0, nullptr);
    return text ? text : "";
}

std::optional<std::vector<QueueAttributes>> queueAttributes(CupsConnection& connection)
{
    static const char* const requested[] = {"printer-name", "printer-make-and-model", "device-uri",
                                            "printer-type", "printer-uri-supported"};
    IppMessage request = newIppRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  std::size(requested), nullptr, requested);
    const IppMessage answer = connection.request(std::move(request), "/");
    if (!succeeded(answer))
        return std::nullopt;
    ipp_t* response = answer.get();

    std::vector<QueueAttributes> queues;
    QueueAttributes queue;
    // Each queue is one group of printer attributes; other tags separate them.
    const auto finishQueue = [&] {
        if (!queue.name.empty())
            queues.push_back(std::move(queue));
        queue = {};
    };
    for (ipp_attribute_t* attribute = ippFirstAttribute(response); attribute;
         attribute = ippNextAttribute(response)) {
        const char* name = ippGetName(attribute);
        if (ippGetGroupTag(attribute) != IPP_TAG_PRINTER || !name) {
            finishQueue();
            continue;
        }
        const std::string_view attributeName = name;
        if (attributeName == "printer-name")
            queue.name = textOf(attribute);
        else if (attributeName == "printer-make-and-model")
            queue.makeAndModel = textOf(attribute);
        else if (attributeName == "device-uri")
            queue.deviceUri = textOf(attribute);
        else if (attributeName == "printer-uri-supported")
            queue.printerUri = textOf(attribute);
        else if (attributeName == "printer-type")
            queue.type = ippGetInteger(attribute, 0);
    }
    finishQueue();
    return queues;
}

std::string connectionOf(const QueueAttributes& queue)
{
    return connectionText({.deviceUri = queue.deviceUri,
                           .printerUri = queue.printerUri,
                           .remote = (queue.type & CUPS_PRINTER_REMOTE) != 0});
}

} // namespace

std::optional<std::vector<InstalledQueue>> installedQueues(std::chrono::milliseconds budget)
{
    CupsConnection connection(CupsConnection::Clock::now() + budget);
    const auto queues = queueAttributes(connection);
    if (!queues)
        return std::nullopt;
    std::vector<InstalledQueue> installed;
    for (const QueueAttributes& queue : *queues)
        installed.push_back({queue.name, queue.makeAndModel, connectionOf(queue)});
    return installed;
}

CupsPrinterList::CupsPrinterList(std::chrono::milliseconds budget) : budget_(budget) {}

std::vector<PrinterChoice> CupsPrinterList::usablePrinters(const ModelVariant& variant)
{
    CupsConnection connection(CupsConnection::Clock::now() + budget_);
    std::vector<PrinterChoice> usable;
    for (const QueueAttributes& queue :
         queueAttributes(connection).value_or(std::vector<QueueAttributes>{})) {
        if (!servesModel(variant, queue.makeAndModel) || !connection.queueAnswers(queue.name))
            continue;
        usable.push_back({queue.name, connectionOf(queue)});
    }
    return usable;
}

} // namespace kbs
