#include "variants/kbs62d/kbs62d_variant.h"

#include "variants/common_messages.h"
#include "variants/common_tabs.h"
#include "variants/kbs62d/kbs62d_form_dialog.h"
#include "variants/kbs62d/kbs62d_tables.h"

#include <array>

namespace kbs::kbs62d {

namespace {
constexpr std::array<std::string_view, 2> kAcceptedModels = {"ZAV Ferrostrike P62DW",
                                                             "ZAV Ferrostrike P62DV"};

constexpr std::array kTabs = {
    common_tabs::kSelect,
    TabSpec{"パラメータ設定１", PageId::Param, 2, cmd::ShowParam, "パラメータ設定１（&P）\tCtrl+P", "Ctrl+P"},
    TabSpec{"パラメータ設定２", PageId::Param2, 2, cmd::ShowParam2, "パラメータ設定２（&L）\tCtrl+L",
            "Ctrl+L"},
    common_tabs::kMsw1,
    common_tabs::kMsw2,
    common_tabs::kMsw3,
    common_tabs::kMsw4,
    common_tabs::msw5(cmd::ShowMsw5Kbs62d),
};

constexpr std::array kExtraMenuCommands = {cmd::ShowParam2};
constexpr std::array<std::string_view, 4> kForms = {"書式０", "書式１", "書式２", "書式３"};
} // namespace

const ModelVariant& variant()
{
    static const ModelVariant instance{
        .deliverable = "kbs62d",
        .acceptedModels = kAcceptedModels,
        .windowTitle = "ZAV Ferrostrike P62DW/P62DV ノブステーション",
        .aboutLines = {"ZAV Ferrostrike P62DW/P62DV", "Version 2.000"},
        .fileIdentifier = "ZAV Ferrostrike P62DW_DV",
        .blockLength = 190,
        .factoryDefaults = factoryDefaults(),
        .fields = fields(),
        .tabs = kTabs,
        .extraMenuCommands = kExtraMenuCommands,
        .forms = kForms,
        .helpFiles = {"kbs62d.html"},
        .helpCommandId = cmd::Help,
        .filePortMessages = common_messages::kSendOnlyFilePortMessages,
        .saveDeniedMessage = common_messages::kSaveDeniedAskAdministrator,
        .formButtonPage = PageId::Select,
        .pageTables = &pageTables(),
        .formDialog = &formDialog(),
    };
    return instance;
}

} // namespace kbs::kbs62d
