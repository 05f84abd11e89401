#include "app/help_file.h"
#include "core/messages.h"
#include "model/form_dialog_table.h"
#include "model/page_tables.h"
#include "pagedata/number_rules.h"
#include "pagedata/param_cases.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

using namespace kbs;
using param_cases::variantNamed;

namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// HTML folds ASCII white space and line breaks, so they do not count when texts are compared.
// The full-width space is a character of the labels and stays.
QString withoutAsciiSpace(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("[ \\t\\r\\n]")));
    return text;
}

struct HelpPage {
    QString text; // what a reader sees, without ASCII white space
    QString title;
    QString language;
    QStringList problems; // not well-formed, or directives left from the assembly
};

HelpPage readHelpPage(const QString& deliverable)
{
    HelpPage page;
    QFile file(QStringLiteral(KBS_HELP_DIR "/%1.html").arg(deliverable));
    if (!file.open(QIODevice::ReadOnly)) {
        page.problems << file.fileName() + ": " + file.errorString();
        return page;
    }
    QXmlStreamReader reader(&file);
    QStringList open;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            open << reader.name().toString();
            if (reader.name() == QLatin1String("html"))
                page.language = reader.attributes().value(QStringLiteral("lang")).toString();
            break;
        case QXmlStreamReader::EndElement:
            open.removeLast();
            break;
        case QXmlStreamReader::Characters:
            if (open.contains(QStringLiteral("title")))
                page.title += reader.text();
            else if (!open.contains(QStringLiteral("style")))
                page.text += reader.text();
            break;
        case QXmlStreamReader::Comment:
            if (reader.text().startsWith(QLatin1Char('#')))
                page.problems << "directive left in the page: " + reader.text().toString();
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        page.problems << QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString());
    page.text = withoutAsciiSpace(page.text);
    return page;
}

// A text the help must contain, and where it comes from for the failure report.
struct Wanted {
    QString text;
    QString source;
};

// A text as the user reads it: its lines run together, "(&C)" reads "(C)", and "%s", "%1" and
// the like stand for values the help cannot know, so only the parts around them count.
void want(std::vector<Wanted>& wanted, std::string_view label, const QString& source)
{
    QString text = fromView(label);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    for (const QString& part : text.split(QRegularExpression(QStringLiteral("%[0-9s]"))))
        if (!withoutAsciiSpace(part).isEmpty())
            wanted.push_back({withoutAsciiSpace(part), source + ": " + fromView(label)});
}

void wantEntries(std::vector<Wanted>& wanted, const CodeList* list, const QString& source)
{
    if (list)
        for (const CodeEntry& entry : list->entries)
            want(wanted, entry.text, source);
}

bool isShown(SwitchControl control)
{
    return control == SwitchControl::RadioPair || control == SwitchControl::CheckBox ||
           control == SwitchControl::CountryList;
}

// Every text on every tab page and in the form dialog, from the program's own tables.
std::vector<Wanted> labelsOfThePages(const ModelVariant& variant)
{
    std::vector<Wanted> wanted;
    for (const TabSpec& tab : variant.tabs) {
        const QString source = fromView(tab.label);
        want(wanted, tab.label, "tab");
        const SwitchPageTable* switches = findSwitchPage(*variant.pageTables, tab.page);
        const ControlPageTable* controls = findControlPage(*variant.pageTables, tab.page);
        if (switches) {
            for (const SwitchRow& row : switches->rows) {
                if (!isShown(row.control))
                    continue;
                for (const std::string_view text : {row.caption, row.switchLabel, row.label0, row.label1})
                    want(wanted, text, source);
                wantEntries(wanted, row.list, source);
            }
        }
        if (controls) {
            for (const ControlRow& row : controls->rows) {
                // A button's caption is the form it opens, not the one in the table.
                if (!row.visible || row.kind == ControlKind::PushButton)
                    continue;
                for (const std::string_view text : {row.label, row.group, row.unit, row.note})
                    want(wanted, text, source);
                wantEntries(wanted, row.list, source);
            }
        }
    }
    if (const FormDialogTable* dialog = variant.formDialog) {
        const QString source = QStringLiteral("form dialog");
        want(wanted, dialog->feedGroupLabel, source);
        for (const FormImageEntry& form : dialog->forms)
            want(wanted, form.formName, source);
        for (const FormBoxRow& box : dialog->boxes) {
            want(wanted, box.label, source);
            want(wanted, box.unit, source);
        }
    }
    return wanted;
}

void wantNotice(std::vector<Wanted>& wanted, const FormNoticeText& notice, const QString& source)
{
    if (notice.text.empty())
        return;
    want(wanted, notice.text, source);
    want(wanted, notice.caption, source + " caption");
}

// Every message box text the program can show.
std::vector<Wanted> messagesOfTheProgram(const ModelVariant& variant)
{
    std::vector<Wanted> wanted;
    const QString core = QStringLiteral("window");
    for (const std::string_view text :
         {messages::kFactoryDefaultsQuestion, messages::kFactoryDefaultsShown, messages::kLoadDiscardsChanges,
          messages::kNotSettingsFile, messages::kSaveFailed, messages::kNoPrinterChosen,
          messages::kFilePortCannotSend, messages::kSendSucceeded, messages::kPrinterUnavailable,
          messages::kSendBeforePrinterChange, messages::kSaveBeforePrinterChange,
          messages::kStatusPrinterName, messages::kStatusConnection, messages::kSendBeforeExit,
          messages::kSaveBeforeExit, kHelpFileNotFound})
        want(wanted, text, core);
    const QString selection = QStringLiteral("printer selection");
    want(wanted,
         "使用可能なプリンタがありませんでした。プリンタドライバを確認してからやり直してください。"
         "\n\nKnobstationを終了します。",
         selection);
    for (const std::string_view text :
         {variant.filePortMessages.everyPrinterIsFile, variant.filePortMessages.onlyPrinterIsFile,
          variant.filePortMessages.chosenPrinterIsFile})
        want(wanted, text, selection);
    want(wanted, variant.saveDeniedMessage, QStringLiteral("save"));
    want(wanted, kNotAnInteger, QStringLiteral("number box"));
    want(wanted, kIntegerOutOfRange, QStringLiteral("number box"));

    for (const ControlPageTable& page : variant.pageTables->controlPages) {
        for (const PendingNotice& notice : page.pendingNotices) {
            want(wanted, notice.text, QStringLiteral("pending notice"));
            want(wanted, notice.caption, QStringLiteral("pending notice caption"));
        }
    }
    if (const FormDialogTable* dialog = variant.formDialog) {
        const QString source = QStringLiteral("form dialog");
        wantNotice(wanted, dialog->marginOrderAtOk, source);
        wantNotice(wanted, dialog->leftNotBelowRight, source);
        wantNotice(wanted, dialog->rightPendingAtOk, source);
        for (const FormBoxRow& box : dialog->boxes)
            wantNotice(wanted, box.belowMinimumAtOk, source);
    }
    return wanted;
}

} // namespace

class TstHelpPages : public QObject {
    Q_OBJECT
private slots:
    void helpExplainsEveryLabelAndMessage_data()
    {
        QTest::addColumn<QString>("deliverable");
        for (const char* program : {"kbs18r", "kbs62d", "kbs18t"})
            QTest::newRow(program) << program;
    }

    // The page as built: well-formed, Japanese, titled with the window title, no assembly
    // directive left; and a page, a setting, a choice or a message added to a program's tables
    // without a word in its help fails here.
    void helpExplainsEveryLabelAndMessage()
    {
        QFETCH(QString, deliverable);
        const ModelVariant& variant = variantNamed(deliverable);
        const HelpPage page = readHelpPage(deliverable);
        QVERIFY2(page.problems.isEmpty(), qPrintable(page.problems.join('\n')));
        QCOMPARE(page.language, QString("ja"));
        QVERIFY(page.title.contains(fromView(variant.windowTitle)));

        std::vector<Wanted> wanted = labelsOfThePages(variant);
        QVERIFY(wanted.size() > std::size_t(variant.tabs.size()));
        const std::vector<Wanted> texts = messagesOfTheProgram(variant);
        wanted.insert(wanted.end(), texts.begin(), texts.end());
        QStringList missing;
        for (const Wanted& item : wanted)
            if (!page.text.contains(item.text))
                missing << item.source;
        QVERIFY2(missing.isEmpty(), qPrintable("not in the help:\n" + missing.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TstHelpPages)
#include "tst_help_pages.moc"
