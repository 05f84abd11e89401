#pragma once

namespace kbs {

// The tables a variant's pages are built from.
struct PageTables {
};

} // namespace kbs
