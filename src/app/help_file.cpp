#include "app/help_file.h"
#include "widgets/qt_text.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace kbs {

std::optional<QString> locateHelpFile(const ModelVariant& variant, const QString& programDirectory)
{
    const QDir directory(programDirectory);
    const QString fileName = toQString(variant.helpFiles.htmlFile);
    const QStringList candidates = {
        directory.filePath(fileName),
        directory.filePath(QStringLiteral("../share/%1/%2").arg(toQString(variant.deliverable), fileName)),
    };
    for (const QString& candidate : candidates) {
        const QFileInfo info(candidate);
        if (info.isFile())
            return QDir::cleanPath(info.absoluteFilePath());
    }
    return std::nullopt;
}

bool openHelpFile(const QString& path)
{
    return QFileInfo(path).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace kbs
