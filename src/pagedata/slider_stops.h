#pragma once

#include "model/form_dialog_table.h"

#include <span>
#include <string_view>

namespace kbs {

// The slider position for a feed value: the first position whose stop equals it, else the
// nearest stop, the lower position winning a tie (90 between 60 and 120 gives 60's).
// An empty table gives 0.
int nearestStop(std::span<const int> stops, int value);

// The feed value a slider position stands for; a position outside the table counts as the
// nearest end. An empty table gives 0.
int stopValue(std::span<const int> stops, int position);

// The highest slider position (9, or 2 where there are three stops).
int lastPosition(std::span<const int> stops);

// The stop table of a feed box by its field name in the form image ("feedPostcard"); empty
// when the table has no such feed.
std::span<const int> feedStops(const FormDialogTable& table, std::string_view field);

} // namespace kbs
