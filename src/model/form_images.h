#pragma once

#include "model/field_layout.h"

#include <array>

namespace kbs {

// The text images of one paper form. Every field but the last is followed by a comma
// inside the image; the comma behind the last is the block's separator.
// Units: formLength in lines, margins and adjustments in columns, feeds in 1/120 inch.

inline constexpr std::array kFormFieldsR0 = {
    FormFieldSpec{"formLength", 0, 2},        FormFieldSpec{"feedFrontTractor", 3, 3},
    FormFieldSpec{"feedRearTractor", 7, 3},   FormFieldSpec{"feedSheetGuide", 11, 3},
    FormFieldSpec{"feedSheetFeeder", 15, 3},  FormFieldSpec{"feedPostcard", 19, 3},
    FormFieldSpec{"adjCutSheet", 23, 2},      FormFieldSpec{"adjFrontTractor", 26, 2},
};
inline constexpr FormImageLayout kFormImageR0{"R0", 28, kFormFieldsR0};

inline constexpr std::array kFormFieldsR = {
    FormFieldSpec{"formLength", 0, 2},        FormFieldSpec{"leftMargin", 3, 3},
    FormFieldSpec{"rightMargin", 7, 3},       FormFieldSpec{"feedFrontTractor", 11, 3},
    FormFieldSpec{"feedRearTractor", 15, 3},  FormFieldSpec{"feedSheetGuide", 19, 3},
    FormFieldSpec{"feedSheetFeeder", 23, 3},  FormFieldSpec{"feedPostcard", 27, 3},
    FormFieldSpec{"adjCutSheet", 31, 2},      FormFieldSpec{"adjFrontTractor", 34, 2},
};
inline constexpr FormImageLayout kFormImageR{"R", 36, kFormFieldsR};

inline constexpr std::array kFormFieldsD0 = {
    FormFieldSpec{"formLength", 0, 2},        FormFieldSpec{"feedFrontTractor", 3, 3},
    FormFieldSpec{"feedRearTractor", 7, 3},   FormFieldSpec{"feedSheetGuide", 11, 3},
    FormFieldSpec{"feedSheetFeeder", 15, 3},  FormFieldSpec{"feedPostcard", 19, 3},
};
inline constexpr FormImageLayout kFormImageD0{"D0", 22, kFormFieldsD0};

inline constexpr std::array kFormFieldsD = {
    FormFieldSpec{"formLength", 0, 2},        FormFieldSpec{"leftMargin", 3, 3},
    FormFieldSpec{"rightMargin", 7, 3},       FormFieldSpec{"feedFrontTractor", 11, 3},
    FormFieldSpec{"feedRearTractor", 15, 3},  FormFieldSpec{"feedSheetGuide", 19, 3},
    FormFieldSpec{"feedSheetFeeder", 23, 3},  FormFieldSpec{"feedPostcard", 27, 3},
};
inline constexpr FormImageLayout kFormImageD{"D", 30, kFormFieldsD};

inline constexpr std::array kFormFieldsT = {
    FormFieldSpec{"formLength", 0, 2},        FormFieldSpec{"leftMargin", 3, 3},
    FormFieldSpec{"rightMargin", 7, 3},       FormFieldSpec{"feedContinuous", 11, 3},
    FormFieldSpec{"feedReserved", 15, 3},     FormFieldSpec{"feedCutSheet", 19, 3},
    FormFieldSpec{"feedPostcard", 23, 3},     FormFieldSpec{"adjCutSheet", 27, 2},
};
inline constexpr FormImageLayout kFormImageT{"T", 29, kFormFieldsT};

} // namespace kbs
