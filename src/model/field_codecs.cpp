#include "model/field_codecs.h"

#include <algorithm>
#include <stdexcept>

namespace kbs {

namespace {

std::uint8_t asciiDigit(int digit)
{
    return static_cast<std::uint8_t>('0' + digit);
}

// Largest value a field of `width` decimal digits can hold.
int largestDecimal(std::size_t width)
{
    int largest = 0;
    for (std::size_t i = 0; i < width; ++i)
        largest = largest * 10 + 9;
    return largest;
}

// Signed hex characters exist for -6..9 only; anything else would not read back.
constexpr int kSignedHexMin = -6;
constexpr int kSignedHexMax = 9;

// Writers check the whole field first, so a bad offset never leaves half a field written.
void requireField(const SettingsBlock& block, std::size_t offset, std::size_t width)
{
    if (offset > block.size() || width > block.size() - offset)
        throw std::out_of_range("field outside the settings block");
}

} // namespace

SwitchValues readSwitchPair(const SettingsBlock& block, std::size_t offset)
{
    SwitchValues values{};
    const std::uint8_t low = block[offset];
    const std::uint8_t high = block[offset + 1];
    for (std::size_t bit = 0; bit < 4; ++bit) {
        values[bit] = (low >> bit) & 1U;
        values[bit + 4] = (high >> bit) & 1U;
    }
    return values;
}

void writeSwitchPair(SettingsBlock& block, std::size_t offset, const SwitchValues& values)
{
    requireField(block, offset, 2);
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    for (std::size_t bit = 0; bit < 4; ++bit) {
        if (values[bit] != 0)
            low |= static_cast<std::uint8_t>(1U << bit);
        if (values[bit + 4] != 0)
            high |= static_cast<std::uint8_t>(1U << bit);
    }
    block[offset] = low;
    block[offset + 1] = high;
}

int readDecimal(const SettingsBlock& block, std::size_t offset, std::size_t width)
{
    int value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value = value * 10 + (static_cast<int>(block[offset + i]) - '0');
    return value;
}

void writeDecimal(SettingsBlock& block, std::size_t offset, std::size_t width, int value)
{
    requireField(block, offset, width);
    int rest = std::clamp(value, 0, largestDecimal(width));
    for (std::size_t i = width; i > 0; --i) {
        block[offset + i - 1] = asciiDigit(rest % 10);
        rest /= 10;
    }
}

char readCode(const SettingsBlock& block, std::size_t offset)
{
    return static_cast<char>(block[offset]);
}

void writeCode(SettingsBlock& block, std::size_t offset, char code)
{
    block[offset] = static_cast<std::uint8_t>(code);
}

void writeSignedHex(SettingsBlock& block, std::size_t offset, int value)
{
    requireField(block, offset, 2);
    const int v = std::clamp(value, kSignedHexMin, kSignedHexMax);
    if (v >= 0) {
        block[offset] = '0';
        block[offset + 1] = asciiDigit(v);
    } else {
        block[offset] = 'F';
        block[offset + 1] = static_cast<std::uint8_t>(71 + v);
    }
}

std::optional<int> signedHexValue(char first, char second)
{
    const int code = static_cast<unsigned char>(second);
    switch (first) {
    case '0':
        return code - '0';
    case 'F':
        return code - 71;
    default:
        return std::nullopt;
    }
}

std::optional<int> readSignedHexUnchecked(const SettingsBlock& block, std::size_t offset)
{
    return signedHexValue(static_cast<char>(block[offset]), static_cast<char>(block[offset + 1]));
}

std::optional<int> readSignedHexInRange(const SettingsBlock& block, std::size_t offset, int min, int max)
{
    const std::optional<int> value = readSignedHexUnchecked(block, offset);
    if (!value)
        return std::nullopt;
    // "0x" stands for the steps 0 and up, "Fx" for the negative ones; "0/" is not -1.
    const bool positiveForm = block[offset] == '0';
    const int low = positiveForm ? std::max(min, 0) : min;
    const int high = positiveForm ? max : std::min(max, -1);
    return (*value >= low && *value <= high) ? *value : 0;
}

void writePaperThickness(SettingsBlock& block, std::size_t offset, int value)
{
    // "1" and the digit of value - 10 for 10 and up, "0" and the digit below: plain decimal.
    writeDecimal(block, offset, 2, value);
}

void writeAutoPosAdjust(SettingsBlock& block, std::size_t offset, int value)
{
    writeDecimal(block, offset, 2, (value >= 0 && value <= 24) ? value : 0);
}

std::string readBytes(const SettingsBlock& block, std::size_t offset, std::size_t width)
{
    std::string bytes(width, '\0');
    for (std::size_t i = 0; i < width; ++i)
        bytes[i] = static_cast<char>(block[offset + i]);
    return bytes;
}

void writeBytes(SettingsBlock& block, std::size_t offset, std::string_view bytes)
{
    requireField(block, offset, bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        block[offset + i] = static_cast<std::uint8_t>(bytes[i]);
}

} // namespace kbs
