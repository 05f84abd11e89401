#include "variants/kbs18t/kbs18t_tables.h"

#include "model/form_images.h"

#include <array>
#include <string_view>

namespace kbs::kbs18t {

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
    FieldSpec{"quietPrint", 22, 1, CodeChar, Select, "0", true, nullptr},
    FieldSpec{"postcardMode", 24, 1, CodeChar, Param, "0", true, nullptr},
    FieldSpec{"reserved26", 26, 1, Reserved, None, "0", true, nullptr},
    FieldSpec{"centerCutSheet", 28, 2, Decimal, Param, "40", true, nullptr},
    FieldSpec{"centerContinuous", 31, 2, Decimal, Param, "36", true, nullptr},
    FieldSpec{"reserved34", 34, 3, Reserved, None, "000", true, nullptr},
    FieldSpec{"form0.formLength", 38, 2, Decimal, Form, "66", true, nullptr},
    FieldSpec{"form0.feedContinuous", 41, 3, Decimal, Form, "120", true, nullptr},
    FieldSpec{"form0.feedReserved", 45, 3, Reserved, None, "000", true, nullptr},
    FieldSpec{"form0.feedCutSheet", 49, 3, Decimal, Form, "046", true, nullptr},
    FieldSpec{"form0.feedPostcard", 53, 3, Decimal, Form, "054", true, nullptr},
    FieldSpec{"form0.adjCutSheet", 57, 2, Decimal, Form, "00", true, nullptr},
    FieldSpec{"typeface", 60, 1, CodeChar, Select, "0", true, nullptr},
    FieldSpec{"reducePrint", 62, 1, CodeChar, Select, "0", true, nullptr},
    FieldSpec{"paperThickness", 64, 2, Decimal, Select, "00", true, nullptr},
    FieldSpec{"printPressure", 67, 2, SignedHex, Select, "00", true, nullptr},
    FieldSpec{"printPosAdjust", 70, 2, SignedHex, Select, "00", true, nullptr},
    FieldSpec{"formSelect", 73, 1, CodeChar, Form, "0", true, nullptr},
    FieldSpec{"form1", 75, 29, FormImage, Form, "66,000,136,120,000,046,054,00", true, &kFormImageT},
    FieldSpec{"form2", 105, 29, FormImage, Form, "66,000,136,120,000,046,054,00", true, &kFormImageT},
    FieldSpec{"form3", 135, 29, FormImage, Form, "66,000,136,120,000,046,054,00", true, &kFormImageT},
    FieldSpec{"reserved165", 165, 2, Reserved, None, "00", true, nullptr},
    FieldSpec{"autoReturnTime", 168, 2, Decimal, Param, "15", true, nullptr},
    // The first digit is not the page's: it stays as read.
    FieldSpec{"sheetGuideFeedTime", 171, 2, Decimal, Param, "02", true, nullptr, 1},
    FieldSpec{"msw5", 174, 2, SwitchPair, MSW5, std::string_view("\x03\x00", 2), true, nullptr},
    FieldSpec{"thicknessRetryTime", 177, 2, Decimal, Param, "02", false, nullptr},
    FieldSpec{"trailer", 179, 7, Fixed, None, std::string_view("\x2E\x00\x00\x00\x00\x00\x00", 7), false,
              nullptr},
};
} // namespace

std::span<const FieldSpec> fields()
{
    return kFields;
}

} // namespace kbs::kbs18t
