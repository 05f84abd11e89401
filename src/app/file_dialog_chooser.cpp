#include "app/file_dialog_chooser.h"

#include "widgets/qt_text.h"

#include <QFile>
#include <QFileDialog>

namespace kbs {

namespace {

std::optional<std::string> runFileDialog(QWidget* parent, std::string_view initialDirectory,
                                         QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    // Qt's own dialog, which speaks the program's Japanese; a desktop's would follow the session.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("KS設定ファイル (*.dat)"));
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    dialog.setDirectory(toQString(initialDirectory));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    // Paths go to the file calls in the file system's own encoding.
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

} // namespace

std::optional<std::string> FileDialogChooser::chooseFileToOpen(std::string_view initialDirectory)
{
    return runFileDialog(parent_, initialDirectory, QFileDialog::AcceptOpen);
}

std::optional<std::string> FileDialogChooser::chooseFileToSave(std::string_view initialDirectory)
{
    return runFileDialog(parent_, initialDirectory, QFileDialog::AcceptSave);
}

} // namespace kbs
