#pragma once

#include "model/command_ids.h"

#include <QToolBar>
#include <array>
#include <functional>
#include <string_view>

class QToolButton;

namespace kbs {

// One button of the tool bar: its own id, the command it shares with the menu (and whose
// picture it shows) and its tooltip.
struct ToolButtonSpec {
    bool separatorBefore;
    int toolbarId;
    int commandId;
    std::string_view toolTip;
};

inline constexpr std::array kToolButtons = {
    ToolButtonSpec{true, toolbar::LoadFile, cmd::LoadFile, "設定ファイルの読み込み"},
    ToolButtonSpec{false, toolbar::SaveFile, cmd::SaveFile, "設定ファイルへの書き込み"},
    ToolButtonSpec{true, toolbar::Send, cmd::Send, "設定値をプリンタへ送信"},
    ToolButtonSpec{true, toolbar::FactoryDefaults, cmd::FactoryDefaults, "工場出荷設定を表示"},
    ToolButtonSpec{true, toolbar::SelectPrinter, cmd::SelectPrinter, "プリンタの選択"},
};

// The command a tool bar id stands for; any other id stays as it is.
int menuTwinOf(int commandId);

// A tooltip as the tool bar shows it: at most 79 characters.
QString toolTipText(std::string_view text);

// The tool bar at the top of the main window. Each button shows its command's action, so
// enabling or disabling the command changes the menu item and the button together.
class MainToolBar : public QToolBar {
    Q_OBJECT
public:
    MainToolBar(const std::function<QAction*(int commandId)>& actionOf, QWidget* parent);

    QToolButton* button(int toolbarId) const;
};

} // namespace kbs
