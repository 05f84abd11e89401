// The send reference: the least libcups needs to send a file as one raw job to a queue of
// the default server, ending 0 only when the server took the document.
//   reference-send QUEUE FILE

#include <cups/cups.h>

#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    std::ifstream in(argv[2], std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, argv[1], "reference", 0, nullptr);
    if (job <= 0)
        return 1;
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, argv[1], job, "reference", CUPS_FORMAT_RAW, 1) !=
            HTTP_STATUS_CONTINUE ||
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, bytes.data(), bytes.size()) != HTTP_STATUS_CONTINUE)
        return 1;
    return cupsFinishDocument(CUPS_HTTP_DEFAULT, argv[1]) == IPP_STATUS_OK ? 0 : 1;
}
