// Renders every page of every variant, loaded with the factory defaults, into PNG files
// for a visual check: render_pages <directory>. Run under Xvfb or the offscreen platform.
#include "model/settings_block.h"
#include "pages/page_factory.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QApplication>
#include <QDir>
#include <QLayout>
#include <QPixmap>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: render_pages <directory>\n";
        return 2;
    }
    const QDir directory(arguments.at(1));
    QTextStream out(stdout);
    for (const kbs::ModelVariant* variant :
         {&kbs::kbs18r::variant(), &kbs::kbs62d::variant(), &kbs::kbs18t::variant()}) {
        const kbs::SettingsBlock defaults(variant->factoryDefaults);
        for (const kbs::TabSpec& tab : variant->tabs) {
            auto page = kbs::createPage(*variant, tab.page, nullptr);
            page->LoadBlock(defaults);
            page->show();
            const QSize needed = page->layout() ? page->layout()->minimumSize() : QSize();
            const QString name = QString::fromUtf8(variant->deliverable.data(), variant->deliverable.size()) +
                                 QLatin1Char('_') + page->objectName();
            out << name << ": page " << page->width() << 'x' << page->height() << ", layout needs "
                << needed.width() << 'x' << needed.height() << '\n';
            page->grab().save(directory.filePath(name + QStringLiteral(".png")));
        }
    }
    return 0;
}
