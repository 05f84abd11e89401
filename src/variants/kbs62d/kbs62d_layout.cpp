#include "variants/kbs62d/kbs62d_tables.h"

#include "model/form_images.h"

#include <array>
#include <string_view>

namespace kbs::kbs62d {

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
    FieldSpec{"postcardMode", 22, 1, CodeChar, Param, "0", true, nullptr},
    FieldSpec{"paperSetPos", 24, 1, CodeChar, Param, "0", true, nullptr},
    FieldSpec{"centerCutSheet", 26, 2, Decimal, Param, "40", true, nullptr},
    FieldSpec{"centerFrontTractor", 29, 2, Decimal, Param, "68", true, nullptr},
    FieldSpec{"centerRearTractor", 32, 2, Decimal, Param, "68", true, nullptr},
    FieldSpec{"form0", 35, 22, FormImage, Select, "66,120,120,120,046,054", true, &kFormImageD0},
    FieldSpec{"hopper", 58, 1, CodeChar, Select, "1", true, nullptr},
    FieldSpec{"typeface", 60, 1, CodeChar, Select, "0", true, nullptr},
    FieldSpec{"reducePrint", 62, 1, CodeChar, Select, "0", true, nullptr},
    FieldSpec{"paperThickness", 64, 2, Decimal, Select, "00", true, nullptr},
    FieldSpec{"printPressure", 67, 2, SignedHex, Select, "00", true, nullptr},
    FieldSpec{"formSelect", 70, 1, CodeChar, Select, "0", true, nullptr},
    FieldSpec{"form1", 72, 30, FormImage, Select, "66,000,136,120,120,120,046,054", true, &kFormImageD},
    FieldSpec{"form2", 103, 30, FormImage, Select, "66,000,136,120,120,120,046,054", true, &kFormImageD},
    FieldSpec{"form3", 134, 30, FormImage, Select, "66,000,136,120,120,120,046,054", true, &kFormImageD},
    FieldSpec{"autoReturnTime", 165, 2, Decimal, Param2, "08", true, nullptr},
    FieldSpec{"sheetGuideFeedTime", 168, 1, Decimal, Param2, "2", true, nullptr},
    FieldSpec{"thicknessRetryTime", 170, 2, Decimal, Param2, "02", true, nullptr},
    FieldSpec{"lfPitchFrontTractor", 173, 2, SignedHex, Param2, "00", true, nullptr},
    FieldSpec{"lfPitchRearTractor", 176, 2, SignedHex, Param2, "00", true, nullptr},
    FieldSpec{"lfPitchSheetGuide", 179, 2, SignedHex, Param2, "00", true, nullptr},
    FieldSpec{"lfPitchSheetFeeder", 182, 2, SignedHex, Param2, "00", true, nullptr},
    FieldSpec{"msw5", 185, 2, SwitchPair, MSW5, std::string_view("\x03\x00", 2), false, nullptr},
    FieldSpec{"trailer", 187, 3, Fixed, None, std::string_view("\x2E\x00\x00", 3), false, nullptr},
};
} // namespace

std::span<const FieldSpec> fields()
{
    return kFields;
}

} // namespace kbs::kbs62d
