#pragma once

// One line per layout field, page control, notice and form dialog box of a program. What a
// control stores is found by storing each of its choices, so the dump shows the bytes the page
// really writes, not what a table claims.

#include "model/field_codecs.h"
#include "model/form_dialog_table.h"
#include "model/page_tables.h"
#include "pagedata/control_page.h"
#include "pagedata/field_lookup.h"
#include "pagedata/page_data_for.h"
#include "pagedata/page_names.h"
#include "pagedata/param_cases.h"

#include <algorithm>
#include <bit>
#include <sstream>
#include <string>

namespace page_dump {

using namespace kbs;

// Each "{}" of `pattern` replaced by the next argument.
template <typename... Args> std::string fmt(std::string_view pattern, const Args&... args)
{
    std::ostringstream out;
    const auto next = [&](const auto& arg) {
        const std::size_t at = pattern.find("{}");
        out << pattern.substr(0, at) << arg;
        pattern.remove_prefix(at + 2);
    };
    (next(args), ...);
    out << pattern;
    return out.str();
}

// A text in quotes, its line breaks as \n, so that every entry stays on its line.
inline std::string inQuotes(std::string_view text)
{
    std::string line = "\"";
    for (const char c : text)
        line += c == '\n' ? std::string("\\n") : std::string(1, c);
    return line + '"';
}

inline std::string bytesText(std::string_view bytes, bool asHex = false)
{
    if (!asHex && std::ranges::all_of(bytes, [](char c) { return c >= 0x20 && c < 0x7F; }))
        return inQuotes(bytes);
    std::string hex;
    for (const char c : bytes)
        hex += fmt("{}{}{}", hex.empty() ? "" : " ", "0123456789ABCDEF"[(c >> 4) & 0xF],
                   "0123456789ABCDEF"[c & 0xF]);
    return hex;
}

// The texts a control's choices show, in member order.
inline std::vector<std::string> choiceTexts(const ControlSpec& control)
{
    if (control.kind != ControlKind::CodeList)
        return control.kind == ControlKind::CheckBox
                   ? std::vector<std::string>{"off", "on"}
                   : std::vector<std::string>(control.choices.begin(), control.choices.end());
    std::vector<std::string> texts;
    for (const CodeEntry& entry : control.list->entries)
        texts.emplace_back(entry.text);
    return texts;
}

// What the page stores into the factory defaults with each value set into one member.
inline std::vector<SettingsBlock> storesOf(PageData& data, std::size_t index, const std::vector<int>& values,
                                           const SettingsBlock& base)
{
    std::vector<SettingsBlock> stores;
    for (const int value : values)
        stores.push_back(param_cases::storedWith(data, index, value, base));
    data.load(base);
    return stores;
}

// The field the stores differ in, with each store's bytes of it; a single switch bit as such.
inline std::string storedText(const ModelVariant& variant, const std::vector<SettingsBlock>& stores,
                              const std::vector<std::string>& labels, int shown)
{
    std::size_t first = stores[0].size();
    for (std::size_t offset = 0; offset < stores[0].size(); ++offset)
        for (const SettingsBlock& store : stores)
            if (store[offset] != stores[0][offset])
                first = std::min(first, offset);
    if (first == stores[0].size())
        return " stores nothing";
    const FieldSpec* field = nullptr;
    for (const FieldSpec& candidate : variant.fields)
        if (first >= candidate.offset && first < candidate.offset + candidate.width)
            field = &candidate;
    std::string line = fmt(" {}@{}", field->name, field->offset);
    const int flipped = stores[0][first] ^ stores[1][first];
    if (field->encoding == Encoding::SwitchPair && stores.size() == 2 &&
        std::popcount(unsigned(flipped)) == 1)
        line += fmt(" bit {}.{}", first - field->offset, std::countr_zero(unsigned(flipped)));
    for (std::size_t k = 0; k < stores.size(); ++k) {
        const std::string bytes = line.find(" bit ") != std::string::npos
                                      ? std::to_string((stores[k][first] & flipped) ? 1 : 0)
                                      : bytesText(readBytes(stores[k], field->offset, field->width));
        line += fmt(" {}{}={}", inQuotes(labels[k]), int(k) == shown ? "*" : "", bytes);
    }
    return line;
}

// A slider's stops and the scale under it.
inline std::string stopsText(std::span<const int> stops, std::span<const SliderScaleLine> scale)
{
    std::string text;
    for (const int stop : stops)
        text += fmt(" |{}", stop);
    for (const SliderScaleLine& marks : scale) {
        text += " scale";
        for (const SliderScaleMark& mark : marks)
            text += fmt(" {}:{}{}", mark.position, mark.text, mark.unitAfter);
    }
    return text;
}

inline std::string controlLine(const ModelVariant& variant, PageData& data, std::size_t index,
                               const SettingsBlock& base)
{
    const ControlSpec& control = data.controls()[index];
    constexpr const char* kinds[] = {"radio", "check", "list", "number", "button", "feed"};
    constexpr const char* places[] = {"L", "R", "F"};
    std::string line = fmt("  {} {} {} {}", kinds[static_cast<int>(control.kind)], control.name,
                           places[static_cast<int>(control.placement)], inQuotes(control.caption));
    if (!control.note.empty())
        line += " note " + inQuotes(control.note);
    if (!control.group.empty())
        line += " in " + inQuotes(control.group);
    if (!control.visible)
        line += " hidden";
    if (!control.unit.empty() && control.number == nullptr)
        line += fmt(" unit {}", control.unit);
    if (control.number != nullptr) {
        const NumberBoxSpec& box = *control.number;
        line += fmt(" {}..{}{}", box.min, box.max, control.unit);
        line += stopsText(control.stops, control.scale);
        const std::string_view shown = data.member(index).text;
        return line +
               storedText(variant, storesOf(data, index, {box.min, box.max}, base),
                          {std::to_string(box.min), std::to_string(box.max)}, -1) +
               fmt(" shows {}", data.member(index).kind == MemberKind::Text
                                    ? std::string(shown)
                                    : std::to_string(data.member(index).number));
    }
    if (control.kind == ControlKind::PushButton)
        return line;
    const std::vector<std::string> labels = choiceTexts(control);
    std::vector<int> values(labels.size());
    for (std::size_t k = 0; k < values.size(); ++k)
        values[k] = int(k);
    return line + storedText(variant, storesOf(data, index, values, base), labels, data.member(index).choice);
}

inline std::string noticeText(const FormNoticeText& notice)
{
    return fmt("{} / {}{}", inQuotes(notice.text), inQuotes(notice.caption),
               notice.captionAfterFormName ? " after form name" : "");
}

inline std::string formDialogLines(const FormDialogTable& table)
{
    std::string lines =
        fmt("form dialog \"{}\" feeds in \"{}\" forms", table.titlePrefix, table.feedGroupLabel);
    for (const FormImageEntry& form : table.forms)
        lines += fmt(" {}={}", form.formName, form.blockField);
    lines += fmt("\n  notices: margin order {}, left not below right {}, right pending {}\n",
                 noticeText(table.marginOrderAtOk), noticeText(table.leftNotBelowRight),
                 noticeText(table.rightPendingAtOk));
    constexpr const char* kinds[] = {"length", "left", "right", "feed", "correction"};
    for (const FormBoxRow& box : table.boxes) {
        std::string line =
            fmt("  {} {} {} {}..{}{} without {}", kinds[static_cast<int>(box.kind)], box.field,
                inQuotes(box.label), box.range.min, box.range.max, box.unit, box.valueWithoutField);
        line += stopsText(box.stops, box.scale);
        for (const int raised : box.raisedToMinimumAtOnce)
            line += fmt(" raise {}", raised);
        if (!box.belowMinimumAtOk.text.empty())
            line += " low " + noticeText(box.belowMinimumAtOk);
        lines += line + "\n";
    }
    return lines;
}

inline std::string dump(const ModelVariant& variant)
{
    // Fields as name@offset+width; "-" no page's, ">n" the page's from character n, "." no comma after.
    std::string lines = fmt("{} {} bytes\nfields", variant.deliverable, variant.blockLength);
    for (const FieldSpec& field : variant.fields)
        lines += fmt(
            " {}@{}+{}{}{}{}", field.name, field.offset, field.width, field.owner == PageId::None ? "-" : "",
            field.firstOwnedChar ? fmt(">{}", field.firstOwnedChar) : "", field.commaAfter ? "" : ".");
    for (std::size_t offset = 0; offset < variant.factoryDefaults.size(); offset += 64) {
        const std::size_t length = std::min<std::size_t>(64, variant.factoryDefaults.size() - offset);
        lines +=
            fmt("\ndefaults {}: ", offset) +
            bytesText({reinterpret_cast<const char*>(variant.factoryDefaults.data()) + offset, length}, true);
    }
    lines += "\n";
    std::vector<const FormImageLayout*> images;
    for (const FieldSpec& field : variant.fields) {
        if (field.image == nullptr || std::ranges::find(images, field.image) != images.end())
            continue;
        images.push_back(field.image);
        lines += fmt("image {} {}:", field.image->name, field.image->length);
        for (const FormFieldSpec& inner : field.image->fields)
            lines += fmt(" {}@{}+{}", inner.name, inner.offset, inner.width);
        lines += "\n";
    }
    const SettingsBlock base(variant.factoryDefaults);
    for (const TabSpec& tab : variant.tabs) {
        lines += fmt("tab {} {}", tab.label, pageClassName(tab.page));
        std::optional<PageData> data = pageDataFor(variant, tab.page);
        // Switches without a control: a pair of all ones shows which are passed through.
        for (const FieldSpec& field : variant.fields) {
            if (field.owner != tab.page || field.encoding != Encoding::SwitchPair)
                continue;
            SettingsBlock ones = base;
            ones[field.offset] = ones[field.offset + 1] = 0xFF;
            data->load(ones);
            data->store(ones);
            lines += fmt(", FF FF stores {}", bytesText(readBytes(ones, field.offset, field.width)));
        }
        lines += "\n";
        data->load(base);
        for (std::size_t index = 0; index < data->controls().size(); ++index)
            lines += controlLine(variant, *data, index, base) + "\n";
        const ControlPageTable* table = findControlPage(*variant.pageTables, tab.page);
        for (const PendingNotice& notice : table ? table->pendingNotices : std::span<const PendingNotice>{}) {
            lines += fmt("  notice {} / {} on", inQuotes(notice.text), inQuotes(notice.caption));
            for (const std::string_view box : notice.boxes)
                lines += fmt(" {}", box);
            lines += "\n";
        }
        if (table && table->formButton)
            lines += fmt("  form button {} \"{}\" for {}\n", table->formButton->button,
                         table->formButton->captionFormat, table->formButton->list);
    }
    return variant.formDialog ? lines + formDialogLines(*variant.formDialog) : lines;
}

} // namespace page_dump
