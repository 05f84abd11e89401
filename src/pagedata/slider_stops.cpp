#include "pagedata/slider_stops.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace kbs {

int nearestStop(std::span<const int> stops, int value)
{
    int best = 0;
    std::int64_t bestDistance = INT64_MAX;
    for (std::size_t position = 0; position < stops.size(); ++position) {
        const std::int64_t distance = std::abs(std::int64_t{stops[position]} - value);
        // Strictly smaller only: on a tie the lower position stays.
        if (distance < bestDistance) {
            best = static_cast<int>(position);
            bestDistance = distance;
        }
    }
    return best;
}

int stopValue(std::span<const int> stops, int position)
{
    if (stops.empty())
        return 0;
    return stops[static_cast<std::size_t>(std::clamp(position, 0, lastPosition(stops)))];
}

int lastPosition(std::span<const int> stops)
{
    return stops.empty() ? 0 : static_cast<int>(stops.size()) - 1;
}

std::span<const int> feedStops(const FormDialogTable& table, std::string_view field)
{
    const auto row = std::ranges::find_if(table.boxes, [&](const FormBoxRow& box) {
        return box.kind == FormBoxKind::Feed && box.field == field;
    });
    return row == table.boxes.end() ? std::span<const int>{} : row->stops;
}

} // namespace kbs
