#pragma once

#include "model/control_table.h"
#include "pagedata/field_binding.h"

#include <cstddef>
#include <optional>
#include <string>

namespace kbs {

// A list or radio pair on its field: the member holds the entry shown.
class CodeListBinding : public FieldBinding {
public:
    // `offset` and `width` cover the characters the control reads and writes.
    CodeListBinding(std::size_t offset, std::size_t width, CodeCodec codec, const CodeList& list,
                    std::size_t member);

    void load(const SettingsBlock& block, std::span<Member> members) override;
    void store(SettingsBlock& block, std::span<const Member> members) override;
    std::vector<OwnedBits> owned(std::size_t member) const override;

private:
    // The code the field holds for the list, or nothing when it cannot be read at all.
    std::optional<std::string> readCode(const SettingsBlock& block) const;
    std::optional<std::string> signedHexCode(const SettingsBlock& block) const;

    std::size_t offset_;
    std::size_t width_;
    CodeCodec codec_;
    const CodeList& list_;
    std::size_t member_;
};

} // namespace kbs
