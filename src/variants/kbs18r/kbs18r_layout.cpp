#include "variants/kbs18r/kbs18r_tables.h"

#include "model/form_images.h"

#include <array>
#include <string_view>

namespace kbs::kbs18r {

namespace {
using enum Encoding;
using enum PageId;

// name, offset, width, encoding, owner page, factory default, comma after, form image,
// first owned character
constexpr std::array kFields = {
    FieldSpec{"leadIn", 0, 4, Fixed, None, std::string_view("\x1C\x6F\x30\x2C", 4), false, nullptr},
    FieldSpec{"msw1", 4, 2, SwitchPair, MSW1, std::string_view("\x00\x00", 2), true, nullptr},
    FieldSpec{"msw2", 7, 2, SwitchPair, MSW2, std::string_view("\x02\x00", 2), true, nullptr},
    FieldSpec{"msw3", 10, 2, SwitchPair, MSW3, std::string_view("\x00\x00", 2), true, nullptr},
    FieldSpec{"msw4", 13, 2, SwitchPair, MSW4, std::string_view("\x0C\x00", 2), true, nullptr},
    FieldSpec{"font1", 16, 1, CodeChar, Param, "0", true, nullptr},
    FieldSpec{"font2", 18, 1, CodeChar, Param, "0", true, nullptr},
    FieldSpec{"kanjiTable", 20, 1, CodeChar, Param, "0", true, nullptr},
    FieldSpec{"reserved22", 22, 1, Reserved, None, std::string_view("\x00", 1), true, nullptr},
    FieldSpec{"postcardMode", 24, 1, CodeChar, Param, "0", true, nullptr},
    FieldSpec{"sheetGuideSetPos", 26, 1, CodeChar, Select, "0", true, nullptr},
    FieldSpec{"centerCutSheet", 28, 2, Decimal, Param, "40", true, nullptr},
    FieldSpec{"centerFrontTractor", 31, 2, Decimal, Param, "36", true, nullptr},
    FieldSpec{"centerRearTractor", 34, 3, Decimal, Param, "096", true, nullptr},
    FieldSpec{"form0", 38, 28, FormImage, Select, "66,120,120,046,046,054,00,00", true, &kFormImageR0},
    FieldSpec{"autoPosAdjust", 67, 2, Decimal, Select, "09", true, nullptr},
    FieldSpec{"typeface", 70, 1, CodeChar, Select, "0", true, nullptr},
    FieldSpec{"reducePrint", 72, 1, CodeChar, Select, "0", true, nullptr},
    FieldSpec{"paperThickness", 74, 2, Decimal, Select, "00", true, nullptr},
    FieldSpec{"printPressure", 77, 2, SignedHex, Select, "00", true, nullptr},
    FieldSpec{"printPosAdjust", 80, 2, SignedHex, Select, "00", true, nullptr},
    FieldSpec{"copyStrength", 83, 1, CodeChar, Select, "0", true, nullptr},
    FieldSpec{"formSelect", 85, 1, CodeChar, Select, "0", true, nullptr},
    FieldSpec{"form1", 87, 36, FormImage, Select, "66,000,136,120,120,046,046,054,00,00", true, &kFormImageR},
    FieldSpec{"formReserved1", 124, 1, Reserved, None, std::string_view("\x00", 1), true, nullptr},
    FieldSpec{"form2", 126, 36, FormImage, Select, "66,000,136,120,120,046,046,054,00,00", true,
              &kFormImageR},
    FieldSpec{"formReserved2", 163, 1, Reserved, None, std::string_view("\x00", 1), true, nullptr},
    FieldSpec{"form3", 165, 36, FormImage, Select, "66,000,136,120,120,046,046,054,00,00", true,
              &kFormImageR},
    FieldSpec{"formReserved3", 202, 1, Reserved, None, std::string_view("\x00", 1), true, nullptr},
    FieldSpec{"form4", 204, 36, FormImage, Select, "66,000,136,120,120,046,046,054,00,00", true,
              &kFormImageR},
    FieldSpec{"formReserved4", 241, 1, Reserved, None, std::string_view("\x00", 1), true, nullptr},
    FieldSpec{"autoReturnTime", 243, 2, Decimal, Param, "15", true, nullptr},
    // The first digit is not the page's: it stays as read.
    FieldSpec{"sheetGuideFeedTime", 246, 2, Decimal, Param, "02", true, nullptr, 1},
    FieldSpec{"thicknessRetryTime", 249, 2, Decimal, Param, "02", true, nullptr},
    FieldSpec{"lfPitchFrontTractor", 252, 2, SignedHex, Param, "00", true, nullptr},
    FieldSpec{"lfPitchRearTractor", 255, 2, SignedHex, Param, "00", true, nullptr},
    FieldSpec{"lfPitchSheetGuide", 258, 2, SignedHex, Param, "00", true, nullptr},
    FieldSpec{"lfPitchSheetFeeder", 261, 2, SignedHex, Param, "00", true, nullptr},
    FieldSpec{"msw5", 264, 2, SwitchPair, MSW5, std::string_view("\x03\x00", 2), false, nullptr},
    FieldSpec{"trailer", 266, 7, Fixed, None, std::string_view("\x2E\x00\x00\x00\x00\x00\x00", 7), false,
              nullptr},
};
} // namespace

std::span<const FieldSpec> fields()
{
    return kFields;
}

} // namespace kbs::kbs18r
