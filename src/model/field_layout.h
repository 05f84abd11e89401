#pragma once

#include "model/page_id.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace kbs {

// How the bytes of one block field are encoded.
enum class Encoding {
    Fixed,      // lead-in and trailer: never written
    Reserved,   // bytes no page changes
    SwitchPair, // four switch bits in the low half of each of two bytes
    CodeChar,   // one ASCII code character
    Decimal,    // zero-padded ASCII decimal of the field's width
    SignedHex,  // 8-bit two's complement as two uppercase hex characters
    FormImage,  // a paper form's text image, see FormImageLayout
};

struct FormImageLayout;

// One row of a variant's block layout table.
struct FieldSpec {
    std::string_view name;
    std::size_t offset;
    std::size_t width;
    Encoding encoding;
    PageId owner;
    std::string_view defaultBytes; // the factory default, byte for byte
    bool commaAfter = true;
    const FormImageLayout* image = nullptr; // set for form images
    // Characters before it pass through: the owner page never reads or writes them.
    std::size_t firstOwnedChar = 0;
};

// True when the owner page of `field` may write the byte at `offset` of the block.
inline bool ownsByte(const FieldSpec& field, std::size_t offset)
{
    return field.owner != PageId::None && offset >= field.offset + field.firstOwnedChar &&
           offset < field.offset + field.width;
}

// One field inside a form image; offsets are relative to the image start.
struct FormFieldSpec {
    std::string_view name;
    std::size_t offset;
    std::size_t width;
};

struct FormImageLayout {
    std::string_view name; // "R0", "R", "D0", "D", "T"
    std::size_t length;
    std::span<const FormFieldSpec> fields;
};

} // namespace kbs
