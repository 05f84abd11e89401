#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kbs {

struct CodeList;

enum class ControlKind {
    RadioPair, // a group box with two radio buttons
    CheckBox,
    CodeList, // a fixed drop-down list with its label
};

// One control of a page as the page's widget builds it.
struct ControlSpec {
    ControlKind kind{};
    std::string name;                          // object name stem, e.g. "msw1_4"
    std::string_view caption{};                // group caption, check-box label or list label
    std::string_view note{};                   // small label inside a group, e.g. "（MSW1-4）"
    std::array<std::string_view, 2> choices{}; // radio pair: the buttons for 0 and 1
    const CodeList* list = nullptr;            // code list: its entries
    bool visible = true;                       // hidden controls still take part in load and store
};

// A control's exchange value, as the page's data holds it between the control and the block.
struct Member {
    static constexpr int kNoChoice = -1;
    int choice = kNoChoice; // radio pair: checked button; check box: 0 or 1
    std::string text;       // code list: the selected entry's text, empty for none
};

} // namespace kbs
