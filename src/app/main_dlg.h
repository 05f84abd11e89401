#pragma once

#include "app/help_file.h"
#include "core/command_core.h"
#include "core/settings_page.h"
#include "core/window_port.h"
#include "pages/page_context.h"

#include <QDialog>
#include <QIcon>
#include <memory>
#include <optional>
#include <vector>

namespace kbs {

class AcceleratorTable;
class CommandRouter;
class HelpWindow;
class MainMenu;
class MainStatusBar;
class MainToolBar;
class PageWidget;
class TabStrip;

// The ports of the world outside the window that the command core reaches.
struct ExternalPorts {
    PrinterSelectorPort& printerSelector;
    SpoolerPort& spooler;
    FileChooserPort& fileChooser;
};

// The main window: a fixed-size dialog with the menu, the tool bar, the tab strip with one
// page per tab and the status bar. It carries out what the command core asks of a window
// and hands every command to it.
class CMainDlg : public QDialog, public WindowPort, public PagesPort, public MessagePort {
    Q_OBJECT
public:
    CMainDlg(const ModelVariant& variant, const QString& programDirectory, QWidget* parent = nullptr);
    ~CMainDlg() override;

    // Builds the window in its fixed order and runs the first printer choice. Afterwards
    // the window is ready to run, unless closeRequested() says the program ends here.
    void initialise(ExternalPorts ports);

    bool closeRequested() const { return closeRequested_; }
    int exitStatus() const { return exitStatus_; }

    // Runs a command of the menu, the tool bar, an accelerator or a page.
    bool runCommand(int commandId);
    // Restores the window when minimised and brings it to the front.
    void bringToFront();

    CommandCore& core() { return *core_; }
    QWidget* clientArea() const { return client_; }
    TabStrip* tabStrip() const { return tabStrip_; }
    MainToolBar* toolBar() const { return toolBar_; }
    MainStatusBar* mainStatusBar() const { return statusBar_; }
    const MainMenu& menu() const { return *menu_; }
    // The help viewer, once help has been asked for.
    HelpWindow* helpWindow() const { return helpWindow_; }
    PageWidget* pageWidget(std::size_t tabIndex) const { return pages_.at(tabIndex).get(); }

    // WindowPort, and the pages' MessagePort
    Answer showMessage(std::string_view text, std::string_view caption, ButtonSet buttons,
                       MessageIcon icon) override;
    void ShowPage(std::size_t tabIndex) override;
    std::size_t selectedTab() const override;
    void setCommandEnabled(int commandId, bool enabled) override;
    void setStatusText(int part, const std::string& text) override;
    void closeWindow(int exitStatus) override;

    // PagesPort
    std::size_t pageCount() const override { return pages_.size(); }
    SettingsPage& page(std::size_t tabIndex) override;

public slots:
    // Enter and Esc never close the main window.
    void accept() override {}
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenu();
    QAction* pageHelpAction(QAction* helpCommand);
    void chooseHelpFile();
    void createBars();
    void createPages();
    void showOnlyPage(std::size_t tabIndex);
    void focusPage(std::size_t tabIndex);
    // The help page at a section (the top for an empty one), or the not-found notice.
    void showHelp(const QString& section);
    void showAbout();

    const ModelVariant& variant_;
    const QString programDirectory_;
    const QIcon icon_;
    QWidget* client_;
    TabStrip* tabStrip_;
    MainToolBar* toolBar_ = nullptr;
    MainStatusBar* statusBar_ = nullptr;
    std::unique_ptr<MainMenu> menu_;
    AcceleratorTable* accelerators_ = nullptr;
    ModalDialogRunner dialogRunner_;
    std::vector<std::unique_ptr<PageWidget>> pages_;
    std::optional<QString> helpFilePath_;
    HelpWindow* helpWindow_ = nullptr;
    std::unique_ptr<CommandCore> core_;
    std::unique_ptr<CommandRouter> router_;
    bool closeRequested_ = false;
    int exitStatus_ = 0;
};

} // namespace kbs
