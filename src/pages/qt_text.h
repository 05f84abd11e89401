#pragma once

#include <QString>

#include <string_view>

namespace kbs {

// The tables hold UTF-8 text.
inline QString qtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace kbs
