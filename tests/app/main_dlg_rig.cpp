#include "main_dlg_rig.h"

#include "app/qt_text.h"

#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QFile>
#include <QTest>

namespace kbs::test {

const ModelVariant& variantNamed(const QString& deliverable)
{
    if (deliverable == QLatin1String("kbs62d"))
        return kbs62d::variant();
    if (deliverable == QLatin1String("kbs18t"))
        return kbs18t::variant();
    return kbs18r::variant();
}

void addVariantRows()
{
    QTest::addColumn<QString>("deliverable");
    for (const char* name : {"kbs18r", "kbs62d", "kbs18t"})
        QTest::newRow(name) << QString(name);
}

Answer ScriptedMainDlg::showMessage(std::string_view text, std::string_view, ButtonSet buttons,
                                    MessageIcon icon)
{
    messages.push_back({std::string(text), buttons, icon});
    if (buttons == ButtonSet::Ok)
        return Answer::Ok;
    if (answers.empty())
        return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

namespace {
QString helpDirectory(QTemporaryDir& directory, const ModelVariant& variant, bool helpFile)
{
    if (helpFile) {
        QFile page(directory.filePath(toQString(variant.helpFiles.htmlFile)));
        if (page.open(QIODevice::WriteOnly))
            page.write("<html><body>help</body></html>");
    }
    return directory.path();
}
} // namespace

MainDlgRig::MainDlgRig(const ModelVariant& variant, bool helpFile)
    : variant(variant), window(variant, helpDirectory(programDirectory, variant, helpFile))
{
    selector.expectSelection(fakes::chosen("Q18_office", "socket://192.0.2.7:9100", 2));
    window.initialise({selector, spooler, chooser});
}

bool MainDlgRig::showActive()
{
    window.show();
    return QTest::qWaitForWindowActive(&window);
}

bool MainDlgRig::loadChangedSettings()
{
    std::string contents(variant.fileIdentifier);
    contents.push_back('\0');
    contents.append(variant.factoryDefaults.begin(), variant.factoryDefaults.end());
    contents.back() = contents.back() == 'X' ? 'Y' : 'X';
    const QString path = programDirectory.filePath(QStringLiteral("changed.dat"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(contents.data(), static_cast<qint64>(contents.size())) != qint64(contents.size()))
        return false;
    file.close();
    chooser.expectOpen(path.toStdString());
    window.core().LoadSettingsFile();
    return window.core().editBlock() != window.core().sentBlock() &&
           window.core().editBlock() != SettingsBlock(variant.factoryDefaults);
}

} // namespace kbs::test
