#pragma once

#include "model/field_layout.h"
#include "model/page_id.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kbs {

struct PageTables; // the pages' own tables (switches, lists, ranges)

// The form settings dialog's boxes, stops and notices, see model/form_dialog_table.h.
struct FormDialogTable;

struct AboutLines {
    std::string_view modelLine;
    std::string_view versionLine;
};

// One tab of the main window with the menu entry and accelerator that show it.
struct TabSpec {
    std::string_view label;
    PageId page;
    int imageIndex; // 0 function selection, 1 memory switch, 2 parameters, 3 forms
    int commandId;
    std::string_view menuLabel; // with a tab character before the shortcut text
    std::string_view shortcut;  // e.g. "Ctrl+1"
};

// The three refusals of a printer whose connection is "FILE:".
struct FilePortMessages {
    std::string_view everyPrinterIsFile;
    std::string_view onlyPrinterIsFile;
    std::string_view chosenPrinterIsFile;
};

struct HelpFiles {
    std::string_view htmlFile; // looked for in the program's directory, then ../share/<deliverable>/
};

// Every constant in which the three programs differ. One instance per deliverable,
// read-only for the life of the program.
struct ModelVariant {
    std::string_view deliverable;
    std::span<const std::string_view> acceptedModels;
    std::string_view windowTitle;
    AboutLines aboutLines;
    std::string_view fileIdentifier;
    std::size_t blockLength;
    std::span<const std::uint8_t> factoryDefaults;
    std::span<const FieldSpec> fields;
    std::span<const TabSpec> tabs;
    std::span<const int> extraMenuCommands; // entries only this variant's menu has
    std::span<const std::string_view> forms;
    HelpFiles helpFiles;
    int helpCommandId;
    FilePortMessages filePortMessages;
    std::string_view saveDeniedMessage;
    PageId formButtonPage; // the page carrying the form-settings button
    const PageTables* pageTables = nullptr;
    const FormDialogTable* formDialog = nullptr;
};

// The tab that shows `page`, or nothing when the variant has no such tab.
inline std::optional<std::size_t> tabIndexOf(const ModelVariant& variant, PageId page)
{
    for (std::size_t index = 0; index < variant.tabs.size(); ++index)
        if (variant.tabs[index].page == page)
            return index;
    return std::nullopt;
}

} // namespace kbs
