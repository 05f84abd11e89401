#include "core/raw_job.h"

#include <memory>

namespace kbs {

bool sendRawJob(SpoolerPort& spooler, std::string_view queueName, std::span<const std::uint8_t> block)
{
    const std::unique_ptr<OpenQueue> queue = spooler.openForUse(queueName);
    if (!queue || !queue->startRawJob(kJobDocumentName))
        return false;
    const bool written = queue->writeData(block);
    const bool ended = queue->endJob();
    return written && ended;
}

} // namespace kbs
