#include "reference_printer_list.h"

#include <cups/cups.h>

#include <sys/socket.h>

#include <iterator>

namespace bench {

std::vector<std::pair<std::string, std::string>> referencePrinterList()
{
    std::vector<std::pair<std::string, std::string>> queues;
    http_t* http =
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 10000, nullptr);
    if (!http)
        return queues;
    static const char* const requested[] = {"printer-name", "printer-make-and-model"};
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", std::size(requested),
                  nullptr, requested);
    ipp_t* response = cupsDoRequest(http, request, "/");
    std::pair<std::string, std::string> queue;
    for (ipp_attribute_t* a = response ? ippFirstAttribute(response) : nullptr; a;
         a = ippNextAttribute(response)) {
        const char* name = ippGetName(a);
        if (ippGetGroupTag(a) != IPP_TAG_PRINTER || !name) {
            if (!queue.first.empty())
                queues.push_back(std::move(queue));
            queue = {};
            continue;
        }
        const char* text = ippGetString(a, 0, nullptr);
        if (std::string_view(name) == "printer-name")
            queue.first = text ? text : "";
        else if (std::string_view(name) == "printer-make-and-model")
            queue.second = text ? text : "";
    }
    if (!queue.first.empty())
        queues.push_back(std::move(queue));
    ippDelete(response);
    httpClose(http);
    return queues;
}

} // namespace bench
