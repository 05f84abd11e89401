#include "cups/cups_printer_list.h"

#include "cups/connection_text.h"
#include "cups/cups_connection.h"

#include <cups/cups.h>

#include <iterator>
#include <string>

namespace kbs {

namespace {

// What the print server tells about a queue.
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

// Each queue in an answer is one group of printer attributes; other tags separate them.
std::vector<QueueAttributes> queuesIn(const IppMessage& answer)
{
    std::vector<QueueAttributes> queues;
    if (!succeeded(answer))
        return queues;
    ipp_t* response = answer.get();
    QueueAttributes queue;
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

// Of every queue, only what the model test needs: most queues are of models no program serves.
std::vector<QueueAttributes> installedQueues(CupsConnection& connection)
{
    static const char* const requested[] = {"printer-name", "printer-make-and-model"};
    IppMessage request = newIppRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  std::size(requested), nullptr, requested);
    return queuesIn(connection.request(std::move(request), "/"));
}

// The trial open of a served queue, which also brings what its connection text is made of.
std::vector<QueueAttributes> openedForUse(CupsConnection& connection, const std::string& queueName)
{
    static const char* const requested[] = {"printer-name", "device-uri", "printer-type",
                                            "printer-uri-supported"};
    return queuesIn(connection.queueAttributes(queueName, requested));
}

} // namespace

CupsPrinterList::CupsPrinterList(std::chrono::milliseconds budget) : budget_(budget) {}

std::vector<PrinterChoice> CupsPrinterList::usablePrinters(const ModelVariant& variant)
{
    CupsConnection connection(CupsConnection::Clock::now() + budget_);
    std::vector<PrinterChoice> usable;
    for (const QueueAttributes& listed : installedQueues(connection)) {
        if (!servesModel(variant, listed.makeAndModel))
            continue;
        const std::vector<QueueAttributes> opened = openedForUse(connection, listed.name);
        if (opened.size() != 1 || opened.front().name != listed.name)
            continue;
        const QueueAttributes& queue = opened.front();
        const QueueLocation location{.deviceUri = queue.deviceUri,
                                     .printerUri = queue.printerUri,
                                     .remote = (queue.type & CUPS_PRINTER_REMOTE) != 0};
        usable.push_back({listed.name, connectionText(location)});
    }
    return usable;
}

} // namespace kbs
