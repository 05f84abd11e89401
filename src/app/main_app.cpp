#include "app/main_app.h"

#include "app/artwork.h"
#include "app/dialog_units.h"
#include "app/file_dialog_chooser.h"
#include "app/main_dlg.h"
#include "app/qt_translation.h"
#include "app/single_instance.h"
#include "cups/cups_printer_list.h"
#include "cups/cups_spooler.h"
#include "printer/printer_select_dlg.h"
#include "printer/wait_cursor_spooler.h"

#include <QApplication>
#include <QFileInfo>

namespace kbs {

int CMainApp::run()
{
    // The instance name follows the program file, so a renamed copy runs on its own.
    const QString programName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    SingleInstance instance(programName, SingleInstance::defaultDirectory());
    if (!instance.claim())
        return 0;

    installJapaneseQtTexts();
    QApplication::setFont(dialogFont());
    QApplication::setWindowIcon(programIcon());

    CMainDlg window(variant_, QCoreApplication::applicationDirPath());
    QObject::connect(&instance, &SingleInstance::raiseRequested, &window, &CMainDlg::bringToFront);
    CupsPrinterList printers;
    CPrinterSelectDlg printerSelector(variant_, printers, &window);
    CupsSpooler cupsSpooler;
    WaitCursorSpooler spooler(cupsSpooler);
    FileDialogChooser fileChooser(&window);

    window.initialise({printerSelector, spooler, fileChooser});
    if (!window.closeRequested())
        window.exec();
    return window.exitStatus();
}

int runApplication(const ModelVariant& variant, int argc, char** argv)
{
    QApplication application(argc, argv);
    return CMainApp(variant).run();
}

} // namespace kbs
