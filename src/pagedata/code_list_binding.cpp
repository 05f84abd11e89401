#include "pagedata/code_list_binding.h"

#include "model/field_codecs.h"
#include "pagedata/code_list_rules.h"

#include <algorithm>
#include <climits>

namespace kbs {

namespace {
std::optional<int> entryValue(const CodeEntry& entry)
{
    return entry.code.size() == 2 ? signedHexValue(entry.code[0], entry.code[1]) : std::nullopt;
}
} // namespace

CodeListBinding::CodeListBinding(std::size_t offset, std::size_t width, CodeCodec codec, const CodeList& list,
                                 std::size_t member)
    : offset_(offset), width_(width), codec_(codec), list_(list), member_(member)
{
}

std::optional<std::string> CodeListBinding::readCode(const SettingsBlock& block) const
{
    switch (codec_) {
    case CodeCodec::Chars:
        return readBytes(block, offset_, width_);
    case CodeCodec::SecondCharOnly:
        return std::string(1, '0') + static_cast<char>(block[offset_ + 1]);
    case CodeCodec::SignedHexInRange:
    case CodeCodec::SignedHexAnyChar:
        return signedHexCode(block);
    }
    return std::nullopt;
}

// Signed hex fields are matched by value: the entry whose code reads as the same step.
std::optional<std::string> CodeListBinding::signedHexCode(const SettingsBlock& block) const
{
    std::optional<int> value;
    if (codec_ == CodeCodec::SignedHexInRange) {
        int low = INT_MAX;
        int high = INT_MIN;
        for (const CodeEntry& entry : list_.entries) {
            if (const auto step = entryValue(entry)) {
                low = std::min(low, *step);
                high = std::max(high, *step);
            }
        }
        value = readSignedHexInRange(block, offset_, low, high);
    } else {
        value = readSignedHexUnchecked(block, offset_);
    }
    if (!value)
        return std::nullopt;
    const auto entry =
        std::ranges::find_if(list_.entries, [&](const CodeEntry& e) { return entryValue(e) == value; });
    // Bytes with a value no entry has match no entry's code either.
    return entry != list_.entries.end() ? std::string(entry->code) : readBytes(block, offset_, width_);
}

void CodeListBinding::load(const SettingsBlock& block, std::span<Member> members)
{
    Member& member = members[member_];
    const std::optional<std::string> code = readCode(block);
    member.choice =
        loadedEntry(list_, code ? std::optional<std::string_view>(*code) : std::nullopt, member.choice);
}

void CodeListBinding::store(SettingsBlock& block, std::span<const Member> members)
{
    if (const auto code = storedCode(list_, members[member_].choice))
        writeBytes(block, offset_, *code);
}

std::vector<OwnedBits> CodeListBinding::owned(std::size_t member) const
{
    return member == member_ ? wholeBytes(offset_, width_) : std::vector<OwnedBits>{};
}

} // namespace kbs
