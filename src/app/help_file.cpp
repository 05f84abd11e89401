#include "app/help_file.h"
#include "widgets/qt_text.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace kbs {

namespace {
bool isReadableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}
} // namespace

bool DesktopServicesOpener::openFile(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

DesktopServicesOpener& DesktopServicesOpener::instance()
{
    static DesktopServicesOpener opener;
    return opener;
}

std::optional<QString> locateHelpFile(const ModelVariant& variant, const QString& programDirectory)
{
    const QDir directory(programDirectory);
    const QString fileName = toQString(variant.helpFiles.htmlFile);
    const QStringList candidates = {
        directory.filePath(fileName),
        directory.filePath(QStringLiteral("../share/%1/%2").arg(toQString(variant.deliverable), fileName)),
    };
    for (const QString& candidate : candidates) {
        if (isReadableFile(candidate))
            return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    }
    return std::nullopt;
}

bool openHelpFile(DesktopOpenerPort& desktop, const QString& path)
{
    // A page removed since the start is reported like a missing one, not left to the browser.
    return isReadableFile(path) && desktop.openFile(path);
}

} // namespace kbs
