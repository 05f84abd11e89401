#pragma once

namespace kbs {

// The settings pages a variant may show; a variant's tab table says which it has and in
// what order. None marks block bytes that no page owns.
enum class PageId { None, Select, Param, Param2, Form, MSW1, MSW2, MSW3, MSW4, MSW5 };

} // namespace kbs
