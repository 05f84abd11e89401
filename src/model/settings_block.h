#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kbs {

// The fixed-length byte image of every printer setting: at once the raw print job
// and the payload of a settings file. Its length never changes after construction.
class SettingsBlock {
public:
    explicit SettingsBlock(std::span<const std::uint8_t> bytes) : bytes_(bytes.begin(), bytes.end()) {}

    std::size_t size() const { return bytes_.size(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    std::uint8_t* data() { return bytes_.data(); }
    std::span<const std::uint8_t> bytes() const { return bytes_; }

    std::uint8_t operator[](std::size_t offset) const { return bytes_.at(offset); }
    std::uint8_t& operator[](std::size_t offset) { return bytes_.at(offset); }

    // Replaces the content; the length must match, anything else is a programming error.
    void assign(std::span<const std::uint8_t> bytes);

    friend bool operator==(const SettingsBlock&, const SettingsBlock&) = default;

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace kbs
