#pragma once

#include "model/page_id.h"

#include <array>
#include <cstddef>
#include <string_view>

// The block fields of each program with their offsets, widths and owner pages, written out
// independently of the variant tables so that the two can be compared.
namespace expected {

struct Field {
    std::string_view name;
    std::size_t offset;
    std::size_t width;
    kbs::PageId owner;
};

using enum kbs::PageId;

inline constexpr std::array kKbs18rFields = {
    Field{"leadIn", 0, 4, None},
    Field{"msw1", 4, 2, MSW1},
    Field{"msw2", 7, 2, MSW2},
    Field{"msw3", 10, 2, MSW3},
    Field{"msw4", 13, 2, MSW4},
    Field{"font1", 16, 1, Param},
    Field{"font2", 18, 1, Param},
    Field{"kanjiTable", 20, 1, Param},
    Field{"reserved22", 22, 1, None},
    Field{"postcardMode", 24, 1, Param},
    Field{"sheetGuideSetPos", 26, 1, Select},
    Field{"centerCutSheet", 28, 2, Param},
    Field{"centerFrontTractor", 31, 2, Param},
    Field{"centerRearTractor", 34, 3, Param},
    Field{"form0", 38, 28, Select},
    Field{"autoPosAdjust", 67, 2, Select},
    Field{"typeface", 70, 1, Select},
    Field{"reducePrint", 72, 1, Select},
    Field{"paperThickness", 74, 2, Select},
    Field{"printPressure", 77, 2, Select},
    Field{"printPosAdjust", 80, 2, Select},
    Field{"copyStrength", 83, 1, Select},
    Field{"formSelect", 85, 1, Select},
    Field{"form1", 87, 36, Select},
    Field{"formReserved1", 124, 1, None},
    Field{"form2", 126, 36, Select},
    Field{"formReserved2", 163, 1, None},
    Field{"form3", 165, 36, Select},
    Field{"formReserved3", 202, 1, None},
    Field{"form4", 204, 36, Select},
    Field{"formReserved4", 241, 1, None},
    Field{"autoReturnTime", 243, 2, Param},
    Field{"sheetGuideFeedTime", 246, 2, Param},
    Field{"thicknessRetryTime", 249, 2, Param},
    Field{"lfPitchFrontTractor", 252, 2, Param},
    Field{"lfPitchRearTractor", 255, 2, Param},
    Field{"lfPitchSheetGuide", 258, 2, Param},
    Field{"lfPitchSheetFeeder", 261, 2, Param},
    Field{"msw5", 264, 2, MSW5},
    Field{"trailer", 266, 7, None},
};

inline constexpr std::array kKbs62dFields = {
    Field{"leadIn", 0, 4, None},
    Field{"msw1", 4, 2, MSW1},
    Field{"msw2", 7, 2, MSW2},
    Field{"msw3", 10, 2, MSW3},
    Field{"msw4", 13, 2, MSW4},
    Field{"font1", 16, 1, Param},
    Field{"font2", 18, 1, Param},
    Field{"kanjiTable", 20, 1, Param},
    Field{"postcardMode", 22, 1, Param},
    Field{"paperSetPos", 24, 1, Param},
    Field{"centerCutSheet", 26, 2, Param},
    Field{"centerFrontTractor", 29, 2, Param},
    Field{"centerRearTractor", 32, 2, Param},
    Field{"form0", 35, 22, Select},
    Field{"hopper", 58, 1, Select},
    Field{"typeface", 60, 1, Select},
    Field{"reducePrint", 62, 1, Select},
    Field{"paperThickness", 64, 2, Select},
    Field{"printPressure", 67, 2, Select},
    Field{"formSelect", 70, 1, Select},
    Field{"form1", 72, 30, Select},
    Field{"form2", 103, 30, Select},
    Field{"form3", 134, 30, Select},
    Field{"autoReturnTime", 165, 2, Param2},
    Field{"sheetGuideFeedTime", 168, 1, Param2},
    Field{"thicknessRetryTime", 170, 2, Param2},
    Field{"lfPitchFrontTractor", 173, 2, Param2},
    Field{"lfPitchRearTractor", 176, 2, Param2},
    Field{"lfPitchSheetGuide", 179, 2, Param2},
    Field{"lfPitchSheetFeeder", 182, 2, Param2},
    Field{"msw5", 185, 2, MSW5},
    Field{"trailer", 187, 3, None},
};

inline constexpr std::array kKbs18tFields = {
    Field{"leadIn", 0, 4, None},
    Field{"msw1", 4, 2, MSW1},
    Field{"msw2", 7, 2, MSW2},
    Field{"msw3", 10, 2, MSW3},
    Field{"msw4", 13, 2, MSW4},
    Field{"font1", 16, 1, Param},
    Field{"font2", 18, 1, Param},
    Field{"kanjiTable", 20, 1, Param},
    Field{"quietPrint", 22, 1, Select},
    Field{"postcardMode", 24, 1, Param},
    Field{"reserved26", 26, 1, None},
    Field{"centerCutSheet", 28, 2, Param},
    Field{"centerContinuous", 31, 2, Param},
    Field{"reserved34", 34, 3, None},
    Field{"form0.formLength", 38, 2, Form},
    Field{"form0.feedContinuous", 41, 3, Form},
    Field{"form0.feedReserved", 45, 3, None},
    Field{"form0.feedCutSheet", 49, 3, Form},
    Field{"form0.feedPostcard", 53, 3, Form},
    Field{"form0.adjCutSheet", 57, 2, Form},
    Field{"typeface", 60, 1, Select},
    Field{"reducePrint", 62, 1, Select},
    Field{"paperThickness", 64, 2, Select},
    Field{"printPressure", 67, 2, Select},
    Field{"printPosAdjust", 70, 2, Select},
    Field{"formSelect", 73, 1, Form},
    Field{"form1", 75, 29, Form},
    Field{"form2", 105, 29, Form},
    Field{"form3", 135, 29, Form},
    Field{"reserved165", 165, 2, None},
    Field{"autoReturnTime", 168, 2, Param},
    Field{"sheetGuideFeedTime", 171, 2, Param},
    Field{"msw5", 174, 2, MSW5},
    Field{"thicknessRetryTime", 177, 2, Param},
    Field{"trailer", 179, 7, None},
};

} // namespace expected
