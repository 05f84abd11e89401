#include "app/help_file.h"
#include "pagedata/page_names.h"
#include "widgets/qt_text.h"

#include <QDir>
#include <QFileInfo>

namespace kbs {

namespace {
bool isReadableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}
} // namespace

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

QString helpSection(PageId page)
{
    return toQString(pageClassName(page)).remove(QStringLiteral("CPage_")).toLower();
}

} // namespace kbs
