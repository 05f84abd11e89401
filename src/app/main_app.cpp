#include "app/main_app.h"

#include "app/artwork.h"
#include "app/file_dialog_chooser.h"
#include "app/main_dlg.h"
#include "app/qt_translation.h"
#include "app/runtime_directory.h"
#include "app/single_instance.h"
#include "cups/cups_printer_list.h"
#include "cups/cups_spooler.h"
#include "printer/printer_select_dlg.h"
#include "printer/wait_cursor_spooler.h"
#include "widgets/dialog_units.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kbs {

namespace {
// There is no log: what the user should know of the start goes to standard error.
void tellOnStandardError(const QString& program, const QString& problem)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(program), qPrintable(problem));
}

// The running program's file name without its extension, as the application object would
// give it, but without one: the instance check comes first.
QString programBaseName(const char* argv0)
{
    std::error_code error;
    const std::filesystem::path running = std::filesystem::read_symlink("/proc/self/exe", error);
    return QFileInfo(error ? QFile::decodeName(argv0) : QFile::decodeName(running.c_str()))
        .completeBaseName();
}
} // namespace

int CMainApp::run(SingleInstance& instance)
{
    installJapaneseQtTexts();
    usePlainDialogButtons();
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
    const RuntimeDirectory runtime = prepareRuntimeDirectory();
    // The instance name follows the program file, so a renamed copy runs on its own.
    const QString programName = programBaseName(argv[0]);
    if (!runtime.problem.empty())
        tellOnStandardError(programName,
                            QString::fromStdString(runtime.path.empty()
                                                       ? runtime.problem
                                                       : runtime.problem + "; using " + runtime.path));
    SingleInstance instance(programName, QString::fromStdString(runtime.path));
    const SingleInstance::Claim claim = instance.claim();
    if (claim == SingleInstance::Claim::AnotherRuns)
        return 0;
    if (claim == SingleInstance::Claim::Unguarded)
        tellOnStandardError(programName,
                            instance.problem() + QStringLiteral("; starting without the check for a "
                                                                "running instance"));

    QApplication application(argc, argv);
    instance.listen();
    if (claim == SingleInstance::Claim::Owner && !instance.problem().isEmpty())
        tellOnStandardError(programName, instance.problem());
    return CMainApp(variant).run(instance);
}

} // namespace kbs
