#include "app/main_app.h"

#include "app/artwork.h"
#include "app/early_printer_list.h"
#include "app/file_dialog_chooser.h"
#include "app/main_dlg.h"
#include "app/qt_translation.h"
#include "app/single_instance.h"
#include "cups/cups_printer_list.h"
#include "cups/cups_spooler.h"
#include "instance/runtime_directory.h"
#include "instance/started_program.h"
#include "printer/printer_select_dlg.h"
#include "printer/wait_cursor_spooler.h"
#include "widgets/dialog_units.h"

#include <QApplication>
#include <QFile>

#include <cups/cups.h>

#include <cstdio>

namespace kbs {

namespace {
// There is no log: what the user should know of the start goes to standard error.
void tellOnStandardError(const QString& program, const QString& problem)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(program), qPrintable(problem));
}

// libcups reads its settings from the environment once per thread, on first use; Qt unsets a
// variable or two while it starts, which must not happen in the middle of that reading.
void readPrintServerSettings()
{
    cupsServer();
    ippPort();
    cupsUser();
    cupsEncryption();
    cupsLangDefault();
}
} // namespace

int CMainApp::run(SingleInstance& instance, PrinterListSource& printers, const QString& programDirectory)
{
    installJapaneseQtTexts();
    usePlainDialogButtons();
    QApplication::setFont(dialogFont());
    QApplication::setWindowIcon(programIcon());

    CMainDlg window(variant_, programDirectory);
    QObject::connect(&instance, &SingleInstance::raiseRequested, &window, &CMainDlg::bringToFront);
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
    // Before Qt, which reads the runtime folder while it starts, and before any other thread.
    const RuntimeDirectory runtime = prepareRuntimeDirectory();
    // The command the user started names the instance, so a renamed copy runs on its own.
    const std::string command = takeStartedCommand(argv[0]);
    const QString programName = QFile::decodeName(instanceNameOf(command).c_str());
    if (!runtime.problem.empty())
        tellOnStandardError(programName,
                            QString::fromStdString(runtime.path.empty()
                                                       ? runtime.problem
                                                       : runtime.problem + "; using " + runtime.path));
    SingleInstance instance(programName, QFile::decodeName(runtime.path.c_str()));
    const SingleInstance::Claim claim = instance.claim();
    if (claim == SingleInstance::Claim::AnotherRuns)
        return 0;
    if (claim == SingleInstance::Claim::Unguarded)
        tellOnStandardError(programName,
                            instance.problem() + QStringLiteral("; starting without the check for a "
                                                                "running instance"));

    // The print server answers while Qt starts and the window is built.
    CupsPrinterList cupsPrinters;
    EarlyPrinterList printers(cupsPrinters, variant, readPrintServerSettings);

    QApplication application(argc, argv);
    instance.listen();
    if (claim == SingleInstance::Claim::Owner && !instance.problem().isEmpty())
        tellOnStandardError(programName, instance.problem());
    return CMainApp(variant).run(instance, printers, QFile::decodeName(folderOf(command).c_str()));
}

} // namespace kbs
