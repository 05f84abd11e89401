#include "variants/kbs18t/kbs18t_variant.h"

#include "variants/common_messages.h"
#include "variants/common_tabs.h"
#include "variants/kbs18t/kbs18t_form_dialog.h"
#include "variants/kbs18t/kbs18t_tables.h"

#include <array>

namespace kbs::kbs18t {

namespace {
constexpr std::array<std::string_view, 1> kAcceptedModels = {"ZAV Ferrostrike Q18TS"};

constexpr std::array kTabs = {
    common_tabs::kSelect,
    TabSpec{"書式設定", PageId::Form, 3, cmd::ShowForm, "書式設定(&F)\tCtrl+F", "Ctrl+F"},
    TabSpec{"パラメータ設定", PageId::Param, 2, cmd::ShowParam, "パラメータ設定（&P）\tCtrl+P", "Ctrl+P"},
    common_tabs::kMsw1,
    common_tabs::kMsw2,
    common_tabs::kMsw3,
    common_tabs::kMsw4,
    common_tabs::msw5(cmd::ShowMsw5Kbs18t),
};

constexpr std::array kExtraMenuCommands = {cmd::ShowForm};
constexpr std::array<std::string_view, 4> kForms = {"選択なし", "書式１", "書式２", "書式３"};
} // namespace

const ModelVariant& variant()
{
    static const ModelVariant instance{
        .deliverable = "kbs18t",
        .acceptedModels = kAcceptedModels,
        .windowTitle = "ZAV Ferrostrike Q18TS ノブステーション",
        .aboutLines = {"Ferrostrike Q18TS", "Version 1.000"},
        .fileIdentifier = "ZAV Ferrostrike Q18TS",
        .blockLength = 186,
        .factoryDefaults = factoryDefaults(),
        .fields = fields(),
        .tabs = kTabs,
        .extraMenuCommands = kExtraMenuCommands,
        .forms = kForms,
        .helpFiles = {"kbs18t.html"},
        .helpCommandId = cmd::HelpKbs18t,
        .filePortMessages = common_messages::kReceiveSendFilePortMessages,
        .saveDeniedMessage = common_messages::kSaveDeniedMayLackPermission,
        .formButtonPage = PageId::Form,
        .pageTables = &pageTables(),
        .formDialog = &formDialog(),
    };
    return instance;
}

} // namespace kbs::kbs18t
