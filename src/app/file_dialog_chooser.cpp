#include "app/file_dialog_chooser.h"

#include "widgets/qt_text.h"

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

namespace kbs {

namespace {

// The file list in the program's Japanese: Qt's file model writes sizes and dates in the
// session's locale and names folders in English.
class JapaneseFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        switch (index.column()) {
        case kSizeColumn:
            if (!files->isDir(source))
                return QLocale().formattedDataSize(files->size(source));
            break;
        case kTypeColumn:
            if (files->isDir(source))
                return QStringLiteral("フォルダー");
            break;
        case kDateColumn:
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            break;
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    // QFileSystemModel's columns: name, size, type, date modified.
    static constexpr int kSizeColumn = 1;
    static constexpr int kTypeColumn = 2;
    static constexpr int kDateColumn = 3;
};

std::optional<std::string> runFileDialog(QWidget* parent, std::string_view initialDirectory,
                                         QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    // Qt's own dialog, which speaks the program's Japanese; a desktop's would follow the session.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new JapaneseFileColumns(&dialog));
    // The detail view's columns as wide as their Japanese texts (Qt's dialog names it so).
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        details->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
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
