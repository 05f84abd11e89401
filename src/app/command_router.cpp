#include "app/command_router.h"

#include "app/main_tool_bar.h"
#include "model/command_ids.h"

namespace kbs {

CommandRouter::CommandRouter(const ModelVariant& variant, CommandCore& core, WindowCommands window)
{
    handlers_ = {
        {cmd::LoadFile, [&core] { core.LoadSettingsFile(); }},
        {cmd::SaveFile, [&core] { core.SaveSettingsFile(); }},
        {cmd::Send, [&core] { core.SendSettingsToPrinter(); }},
        {cmd::FactoryDefaults, [&core] { core.OnFactoryDefaults(); }},
        {cmd::SelectPrinter, [&core] { core.OnSelectPrinter(); }},
        {cmd::Exit, [&core] { core.OnExit(); }},
        {cmd::DataCheck, [&core] { core.OnDataCheck(); }},
        {variant.helpCommandId, window.showHelp},
        {cmd::About, window.showAbout},
    };
    for (std::size_t tab = 0; tab < variant.tabs.size(); ++tab)
        handlers_.emplace(variant.tabs[tab].commandId, [showPage = window.showPage, tab] { showPage(tab); });
}

bool CommandRouter::run(int commandId) const
{
    const auto handler = handlers_.find(menuTwinOf(commandId));
    if (handler == handlers_.end())
        return false;
    handler->second();
    return true;
}

} // namespace kbs
