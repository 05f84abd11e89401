// Writes the program icon into an icon theme folder, one PNG per size:
//   render-program-icon THEME_DIR ICON_NAME SIZE...
// gives THEME_DIR/<size>x<size>/apps/ICON_NAME.png, drawn at that size rather than scaled.
#include "app/artwork.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // Drawing needs no display: the build may run where there is none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fputs("usage: render-program-icon THEME_DIR ICON_NAME SIZE...\n", stderr);
        return 2;
    }
    const QDir theme(arguments[1]);
    const QString iconName = arguments[2];
    for (const QString& sizeText : arguments.mid(3)) {
        bool isNumber = false;
        const int size = sizeText.toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024) {
            std::fprintf(stderr, "render-program-icon: not an icon size: %s\n", qPrintable(sizeText));
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = theme.filePath(folder + '/' + iconName + ".png");
        if (!theme.mkpath(folder) || !kbs::programIconPixmap(size).save(file, "PNG")) {
            std::fprintf(stderr, "render-program-icon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
