#include "variants/kbs18r/kbs18r_variant.h"

#include "variants/common_messages.h"
#include "variants/common_tabs.h"
#include "variants/kbs18r/kbs18r_form_dialog.h"
#include "variants/kbs18r/kbs18r_tables.h"

#include <array>

namespace kbs::kbs18r {

namespace {
constexpr std::array<std::string_view, 2> kAcceptedModels = {"ZAV Ferrostrike Q18RW",
                                                             "ZAV Ferrostrike Q18RV"};

constexpr std::array kTabs = {
    common_tabs::kSelect,
    TabSpec{"パラメータ設定", PageId::Param, 2, cmd::ShowParam, "パラメータ設定（&P）\tCtrl+P", "Ctrl+P"},
    common_tabs::kMsw1,
    common_tabs::kMsw2,
    common_tabs::kMsw3,
    common_tabs::kMsw4,
    common_tabs::msw5(cmd::ShowMsw5Kbs18r),
};

constexpr std::array<std::string_view, 5> kForms = {"書式０", "書式１", "書式２", "書式３", "書式４"};
} // namespace

const ModelVariant& variant()
{
    static const ModelVariant instance{
        .deliverable = "kbs18r",
        .acceptedModels = kAcceptedModels,
        .windowTitle = "ZAV Ferrostrike Q18RW/Q18RV ノブステーション",
        .aboutLines = {"Ferrostrike Q18RW/Q18RV", "Version 2.000"},
        .fileIdentifier = "ZAV Ferrostrike Q18RW_RV",
        .blockLength = 273,
        .factoryDefaults = factoryDefaults(),
        .fields = fields(),
        .tabs = kTabs,
        .extraMenuCommands = {},
        .forms = kForms,
        .helpFiles = {"kbs18r.html"},
        .helpCommandId = cmd::Help,
        .filePortMessages = common_messages::kSendOnlyFilePortMessages,
        .saveDeniedMessage = common_messages::kSaveDeniedMayLackPermission,
        .formButtonPage = PageId::Select,
        .pageTables = &pageTables(),
        .formDialog = &formDialog(),
    };
    return instance;
}

} // namespace kbs::kbs18r
