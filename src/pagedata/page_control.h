#pragma once

#include "model/control_table.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace kbs {

// One control of a page as the page's widget builds it.
struct ControlSpec {
    ControlKind kind{};
    std::string name;                          // object name stem, e.g. "msw1_4"
    std::string_view caption{};                // group caption, check-box label or list label
    std::string_view field{};                  // the block field it reads, empty for a switch
    std::string_view note{};                   // small label beside the control, e.g. "（MSW1-4）"
    std::array<std::string_view, 2> choices{}; // radio pair: the buttons for 0 and 1
    const CodeList* list = nullptr;            // code list: its entries
    const NumberBoxSpec* number = nullptr;     // number box: range and type-ahead
    std::string_view unit{};                   // number box: the unit behind it
    std::string_view group{};                  // the group box it sits in, empty for none
    Placement placement = Placement::Full;
    bool visible = true; // hidden controls still take part in load and store
    // Feed rows: slider stops and the scale under the slider.
    std::span<const int> stops{};
    std::span<const SliderScaleLine> scale{};
};

// What a member holds: the entry shown, a number or a text.
enum class MemberKind { Choice, Number, Text };

// A control's exchange value, as the page's data holds it between the control and the block.
struct Member {
    static constexpr int kNoChoice = -1;
    MemberKind kind = MemberKind::Choice;
    int choice = kNoChoice; // radio pair, check box, list: the entry shown
    int number = 0;         // number box
    std::string text;       // text
    // Number box: a typed value left as it is because more digits may follow.
    bool pending = false;
};

} // namespace kbs
