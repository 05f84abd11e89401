#include "send_rig.h"

#include <algorithm>

namespace kbs::test {

SendRig::SendRig(const ModelVariant& variant, const PrinterChoice& printer)
    : core_(variant, {window_, page_, selector_, spooler_, files_}, "/tmp/")
{
    // A user's change of the first settable field; it reaches the printer like any other.
    const auto settable = std::ranges::find_if(variant.fields, [](const FieldSpec& field) {
        return field.encoding != Encoding::Fixed && field.encoding != Encoding::Reserved;
    });
    page_.offset = settable->offset;
    page_.value = variant.factoryDefaults[page_.offset] ^ 0x01;
    selector_.printer = printer;
    core_.BeginStartup();
    core_.CompleteStartup();
}

std::vector<std::string> SendRig::messageTexts() const
{
    std::vector<std::string> texts;
    for (const Message& message : window_.messages)
        texts.push_back(message.text);
    return texts;
}

Answer SendRig::Window::showMessage(std::string_view text, std::string_view, ButtonSet buttons,
                                    MessageIcon icon)
{
    messages.push_back({std::string(text), icon});
    return buttons == ButtonSet::Ok ? Answer::Ok : Answer::No;
}

SelectionResult SendRig::Selector::runSelection(const PrinterChoice& preset, bool)
{
    ++runs;
    if (runs == 1)
        return {SelectionEnd::Ok, printer, 2};
    return {SelectionEnd::Cancel, preset, 2};
}

} // namespace kbs::test
