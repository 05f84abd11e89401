#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace kbs {

// A print queue opened for use; destroying it closes it, so it is closed on every path.
class OpenQueue {
public:
    virtual ~OpenQueue() = default;
    // Starts a raw job (no filtering of the bytes) with this document name.
    virtual bool startRawJob(std::string_view documentName) = 0;
    virtual bool writeData(std::span<const std::uint8_t> bytes) = 0;
    // Ends the job; true only when the spooler accepted the document.
    virtual bool endJob() = 0;
};

class SpoolerPort {
public:
    virtual ~SpoolerPort() = default;
    // The trial open for use; nullptr when the queue cannot be used.
    virtual std::unique_ptr<OpenQueue> openForUse(std::string_view queueName) = 0;
};

} // namespace kbs
