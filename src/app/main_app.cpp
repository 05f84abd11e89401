#include "app/main_app.h"

#include "app/artwork.h"
#include "widgets/dialog_units.h"
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

#include <cstdio>

namespace kbs {

namespace {
// There is no log: what the user should know of the start goes to standard error.
void tellOnStandardError(const QString& program, const QString& problem)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(program), qPrintable(problem));
}
} // namespace

int CMainApp::run()
{
    // The instance name follows the program file, so a renamed copy runs on its own.
    const QString programName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (!runtime_.problem.empty())
        tellOnStandardError(programName,
                            QString::fromStdString(runtime_.path.empty()
                                                       ? runtime_.problem
                                                       : runtime_.problem + "; using " + runtime_.path));
    SingleInstance instance(programName, QString::fromStdString(runtime_.path));
    const SingleInstance::Claim claim = instance.claim();
    if (claim == SingleInstance::Claim::AnotherRuns)
        return 0;
    if (claim == SingleInstance::Claim::Unguarded)
        tellOnStandardError(programName,
                            instance.problem() + QStringLiteral("; starting without the check for a "
                                                                "running instance"));
    else if (!instance.problem().isEmpty())
        tellOnStandardError(programName, instance.problem());

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
    // Before Qt, which reads the runtime folder while it starts.
    RuntimeDirectory runtime = prepareRuntimeDirectory();
    QApplication application(argc, argv);
    return CMainApp(variant, std::move(runtime)).run();
}

} // namespace kbs
