#include "block_kind.h"

#include "model/model_variant.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <algorithm>
#include <array>

namespace kbs::simulator {

namespace {

// The program whose block this is: same length, and the same lead-in (the block's first
// field) as that program's factory defaults.
const ModelVariant* blockOwner(std::span<const std::uint8_t> bytes)
{
    static const std::array<const ModelVariant*, 3> variants = {&kbs18r::variant(), &kbs62d::variant(),
                                                                &kbs18t::variant()};
    for (const ModelVariant* variant : variants) {
        const std::span<const std::uint8_t> leadIn =
            variant->factoryDefaults.first(variant->fields.front().width);
        if (bytes.size() == variant->blockLength && std::ranges::equal(bytes.first(leadIn.size()), leadIn))
            return variant;
    }
    return nullptr;
}

} // namespace

std::string describeJob(unsigned jobNumber, std::span<const std::uint8_t> bytes)
{
    std::string line = "job " + std::to_string(jobNumber) + ": " + std::to_string(bytes.size()) + " bytes, ";
    if (const ModelVariant* owner = blockOwner(bytes))
        line += std::string(owner->deliverable) + " settings block";
    else
        line += "not a settings block";
    return line;
}

} // namespace kbs::simulator
