#include "app/main_dlg.h"

#include "app/about_dlg.h"
#include "app/accelerator_table.h"
#include "app/artwork.h"
#include "app/command_router.h"
#include "app/help_file.h"
#include "app/help_window.h"
#include "app/main_status_bar.h"
#include "app/main_tool_bar.h"
#include "app/tab_keys.h"
#include "app/tab_strip.h"
#include "core/messages.h"
#include "menu/command_pictures.h"
#include "menu/main_menu.h"
#include "pages/page_factory.h"
#include "widgets/dialog_units.h"
#include "widgets/message_box.h"
#include "widgets/qt_text.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QVBoxLayout>

namespace kbs {

CMainDlg::CMainDlg(const ModelVariant& variant, const QString& programDirectory, QWidget* parent)
    : QDialog(parent), variant_(variant), programDirectory_(programDirectory),
      // Drawn once: the application's icon when the program has set it already.
      icon_(QGuiApplication::windowIcon().isNull() ? programIcon() : QGuiApplication::windowIcon()),
      client_(new QWidget(this)), tabStrip_(new TabStrip(client_))
{
    setObjectName(QStringLiteral("mainDialog"));
    setWindowTitle(toQString(variant.windowTitle));
    // A main window that can be minimised but neither maximised nor resized.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(dialogFont());

    const DialogUnits du(font());
    client_->setObjectName(QStringLiteral("clientArea"));
    client_->setFixedSize(du.size(245, 255));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(client_);

    tabStrip_->setObjectName(QStringLiteral("tabStrip"));
    tabStrip_->setGeometry(du.rect(5, 20, 235, 221));
    connect(tabStrip_, &TabStrip::tabActivated, this,
            [this](int index) { showOnlyPage(static_cast<std::size_t>(index)); });
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::initialise(ExternalPorts ports)
{
    core_ = std::make_unique<CommandCore>(
        variant_, CommandCore::Ports{*this, *this, ports.printerSelector, ports.spooler, ports.fileChooser},
        programDirectory_.toStdString());
    router_ = std::make_unique<CommandRouter>(
        variant_, *core_,
        CommandRouter::WindowCommands{[this](std::size_t tab) { ShowPage(tab); }, [this] { showHelp({}); },
                                      [this] { showAbout(); }});

    createMenu();
    chooseHelpFile();
    setWindowIcon(icon_);
    createBars();
    core_->BeginStartup();
    createPages();
    core_->CompleteStartup();
}

void CMainDlg::createMenu()
{
    menu_ = std::make_unique<MainMenu>(variant_, this);
    layout()->setMenuBar(menu_->menuBar());
    accelerators_ = new AcceleratorTable(this);
    for (const MenuPopup& popup : menu_->layout()) {
        for (const MenuEntry& entry : popup.entries) {
            if (entry.commandId == 0)
                continue;
            QAction* action = menu_->action(entry.commandId);
            connect(action, &QAction::triggered, this, [this, id = entry.commandId] { runCommand(id); });
            if (entry.accelerator.empty())
                continue;
            if (entry.commandId == variant_.helpCommandId)
                action = pageHelpAction(action);
            accelerators_->add(toQString(entry.accelerator), action);
        }
    }
    addTabKeys(*accelerators_, this, [this](int step) {
        const auto count = static_cast<int>(pages_.size());
        if (count > 0)
            ShowPage(static_cast<std::size_t>((static_cast<int>(selectedTab()) + step + count) % count));
    });
}

// The help key opens the help at the shown page's section; the menu item at the contents.
// Both are grayed together.
QAction* CMainDlg::pageHelpAction(QAction* helpCommand)
{
    auto* action = new QAction(this);
    connect(helpCommand, &QAction::enabledChanged, action, &QAction::setEnabled);
    connect(action, &QAction::triggered, this, [this] {
        if (selectedTab() < variant_.tabs.size())
            showHelp(helpSection(variant_.tabs[selectedTab()].page));
    });
    return action;
}

void CMainDlg::chooseHelpFile()
{
    helpFilePath_ = locateHelpFile(variant_, programDirectory_);
    if (!helpFilePath_)
        setCommandEnabled(variant_.helpCommandId, false);
}

void CMainDlg::createBars()
{
    toolBar_ = new MainToolBar([this](int commandId) { return menu_->action(commandId); }, client_);
    toolBar_->setGeometry(0, 0, client_->width(), toolBar_->sizeHint().height());

    statusBar_ = new MainStatusBar(client_);
    const int statusHeight = statusBar_->sizeHint().height();
    statusBar_->setGeometry(0, client_->height() - statusHeight, client_->width(), statusHeight);
    statusBar_->splitParts();
}

void CMainDlg::createPages()
{
    const DialogUnits du(font());
    const PageContext context{variant_, *this, dialogRunner_};
    for (const TabSpec& tab : variant_.tabs) {
        const QImage image = pictureImage(kTabPictures.at(static_cast<std::size_t>(tab.imageIndex)));
        tabStrip_->addTab(QIcon(QPixmap::fromImage(image)), toQString(tab.label));
        std::unique_ptr<PageWidget> page = createPage(context, tab.page, client_);
        page->setGeometry(du.rect(7, 48, 230, 190));
        page->hide();
        // Pages lie on top of the tab strip, inside its page frame.
        page->raise();
        connect(page.get(), &PageWidget::dataCheckRequested, this, [this] { runCommand(cmd::DataCheck); });
        pages_.push_back(std::move(page));
    }
    ShowPage(0);
}

SettingsPage& CMainDlg::page(std::size_t tabIndex)
{
    return *pages_.at(tabIndex);
}

bool CMainDlg::runCommand(int commandId)
{
    return router_ && router_->run(commandId);
}

Answer CMainDlg::showMessage(std::string_view text, std::string_view caption, ButtonSet buttons,
                             MessageIcon icon)
{
    return showMessageBox(this, text, caption, buttons, icon);
}

void CMainDlg::ShowPage(std::size_t tabIndex)
{
    if (tabIndex >= pages_.size())
        return;
    tabStrip_->setCurrentIndex(static_cast<int>(tabIndex));
    showOnlyPage(tabIndex);
}

void CMainDlg::showOnlyPage(std::size_t tabIndex)
{
    // Decided before hiding: a hidden page hands its focus on, possibly to the strip.
    const bool stripHasFocus = focusWidget() == tabStrip_;
    for (std::size_t index = 0; index < pages_.size(); ++index)
        if (index != tabIndex)
            pages_[index]->hide();
    pages_.at(tabIndex)->show();
    // The strip keeps the focus when the user moves through the tabs on it.
    if (!stripHasFocus)
        focusPage(tabIndex);
}

void CMainDlg::focusPage(std::size_t tabIndex)
{
    PageWidget* page = pages_.at(tabIndex).get();
    if (QWidget* last = page->focusWidget(); last && last->isEnabled() && last->isVisibleTo(page)) {
        last->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (QWidget* widget = page->nextInFocusChain(); widget != page; widget = widget->nextInFocusChain()) {
        if (page->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
            widget->isVisibleTo(page)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    page->setFocus(Qt::OtherFocusReason);
}

std::size_t CMainDlg::selectedTab() const
{
    return static_cast<std::size_t>(std::max(0, tabStrip_->currentIndex()));
}

void CMainDlg::setCommandEnabled(int commandId, bool enabled)
{
    if (QAction* action = menu_ ? menu_->action(menuTwinOf(commandId)) : nullptr)
        action->setEnabled(enabled);
}

void CMainDlg::setStatusText(int part, const std::string& text)
{
    if (statusBar_)
        statusBar_->setPartText(part, QString::fromStdString(text));
}

void CMainDlg::closeWindow(int exitStatus)
{
    closeRequested_ = true;
    exitStatus_ = exitStatus;
    QDialog::done(exitStatus);
}

void CMainDlg::bringToFront()
{
    if (isVisible()) {
        if (isMinimized())
            showNormal();
        raise();
        activateWindow();
    }
    // A dialog or message box open over the window comes along in front of it.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this) {
        modal->raise();
        modal->activateWindow();
    }
}

void CMainDlg::closeEvent(QCloseEvent* event)
{
    if (core_ && !closeRequested_)
        core_->OnExit();
    if (!core_ || closeRequested_)
        event->accept();
    else
        event->ignore();
}

void CMainDlg::showHelp(const QString& section)
{
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(this);
    if (!helpFilePath_ || !helpWindow_->showPage(*helpFilePath_, section))
        showMessage(kHelpFileNotFound, messages::kCaption, ButtonSet::Ok, MessageIcon::Exclamation);
}

void CMainDlg::showAbout()
{
    CAboutDlg about(variant_, icon_, this);
    about.exec();
}

} // namespace kbs
