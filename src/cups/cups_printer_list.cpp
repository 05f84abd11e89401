#include "cups/cups_printer_list.h"

#include "cups/connection_text.h"
#include "cups/cups_connection.h"

#include <cups/cups.h>

#include <iterator>
#include <optional>
#include <span>
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
    QueueState state = QueueState::Unknown;
    bool accepting = false;
    std::vector<std::string> stateReasons;
    std::string stateMessage;
};

QueueState stateOf(ipp_attribute_t* attribute)
{
    switch (const int state = ippGetInteger(attribute, 0)) {
    case IPP_PSTATE_IDLE:
    case IPP_PSTATE_PROCESSING:
    case IPP_PSTATE_STOPPED:
        return static_cast<QueueState>(state);
    default:
        return QueueState::Unknown;
    }
}

std::vector<std::string> keywordsOf(ipp_attribute_t* attribute)
{
    std::vector<std::string> keywords;
    for (int i = 0; i < ippGetCount(attribute); ++i)
        if (const char* keyword = ippGetString(attribute, i, nullptr);
            keyword && std::string_view(keyword) != "none")
            keywords.emplace_back(keyword);
    return keywords;
}

std::string textOf(ipp_attribute_t* attribute)
{
    const char* text = ippGetString(attribute, 0, nullptr);
    return text ? text : "";
}

// Each queue in an answer is one group of printer attributes; other tags separate them. Nothing
// when the server did not answer or refused.
std::optional<std::vector<QueueAttributes>> queuesIn(const IppMessage& answer)
{
    if (!succeeded(answer))
        return std::nullopt;
    ipp_t* response = answer.get();
    std::vector<QueueAttributes> queues;
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
        else if (attributeName == "printer-state")
            queue.state = stateOf(attribute);
        else if (attributeName == "printer-is-accepting-jobs")
            queue.accepting = ippGetBoolean(attribute, 0) != 0;
        else if (attributeName == "printer-state-reasons")
            queue.stateReasons = keywordsOf(attribute);
        else if (attributeName == "printer-state-message")
            queue.stateMessage = textOf(attribute);
    }
    finishQueue();
    return queues;
}

// Every queue's attributes from one CUPS-Get-Printers.
std::optional<std::vector<QueueAttributes>> listedQueues(CupsConnection& connection,
                                                         std::span<const char* const> requested)
{
    IppMessage request = newIppRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(requested.size()), nullptr, requested.data());
    return queuesIn(connection.request(std::move(request), "/"));
}

// The trial open of a served queue, which also brings what its connection text is made of.
std::vector<QueueAttributes> openedForUse(CupsConnection& connection, const std::string& queueName)
{
    static const char* const requested[] = {"printer-name", "device-uri", "printer-type",
                                            "printer-uri-supported"};
    return queuesIn(connection.queueAttributes(queueName, requested))
        .value_or(std::vector<QueueAttributes>{});
}

std::string connectionOf(const QueueAttributes& queue)
{
    return connectionText({.deviceUri = queue.deviceUri,
                           .printerUri = queue.printerUri,
                           .remote = (queue.type & CUPS_PRINTER_REMOTE) != 0});
}

} // namespace

std::optional<std::vector<InstalledQueue>> installedQueues(std::chrono::milliseconds budget,
                                                           const PrintServer& server)
{
    CupsConnection connection(CupsConnection::Clock::now() + budget, server);
    static const char* const requested[] = {"printer-name",
                                            "printer-make-and-model",
                                            "device-uri",
                                            "printer-type",
                                            "printer-uri-supported",
                                            "printer-state",
                                            "printer-is-accepting-jobs",
                                            "printer-state-reasons",
                                            "printer-state-message"};
    const auto queues = listedQueues(connection, requested);
    if (!queues)
        return std::nullopt;
    std::vector<InstalledQueue> installed;
    for (const QueueAttributes& queue : *queues)
        installed.push_back({queue.name, queue.makeAndModel, connectionOf(queue), queue.state,
                             queue.accepting, queue.stateReasons, queue.stateMessage});
    return installed;
}

CupsPrinterList::CupsPrinterList(std::chrono::milliseconds budget, AnswerFeed* feed)
    : budget_(budget), feed_(feed)
{
}

std::vector<PrinterChoice> CupsPrinterList::usablePrinters(const ModelVariant& variant)
{
    PrintServer server = defaultPrintServer();
    server.feed = feed_;
    CupsConnection connection(CupsConnection::Clock::now() + budget_, server);
    std::vector<PrinterChoice> usable;
    // Of every queue, only what the model test needs: most queues are of models no program serves.
    static const char* const requested[] = {"printer-name", "printer-make-and-model"};
    for (const QueueAttributes& listed :
         listedQueues(connection, requested).value_or(std::vector<QueueAttributes>{})) {
        if (!servesModel(variant, listed.makeAndModel))
            continue;
        const std::vector<QueueAttributes> opened = openedForUse(connection, listed.name);
        if (opened.size() != 1 || opened.front().name != listed.name)
            continue;
        usable.push_back({listed.name, connectionOf(opened.front())});
    }
    return usable;
}

} // namespace kbs
