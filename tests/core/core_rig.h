#pragma once

#include "core/command_core.h"
#include "model/command_ids.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QFile>
#include <QtTest>

#include <deque>

namespace kbs::test {

enum class FailAt { Nothing, Open, Start, Write, End };
using Command = void (CommandCore::*)();

// The program's texts as the user reads them, so that a wrong word fails the flows, and the
// words the core tests speak in. A test class derives from it to use them unqualified.
struct CoreTerms {
    static inline const QString sendExit = "Knobstation を終了する前に、設定値をプリンタへ送信しますか？";
    static inline const QString saveExit = "Knobstation を終了する前に、設定ファイルへ保存しますか？";
    static inline const QString sendChange =
        "設定値が変更されています。\nプリンタを切り替える前に、設定値をプリンタへ送信しますか？";
    static inline const QString saveChange =
        "設定値が変更されています。\nプリンタを切り替える前に、設定ファイルへ保存しますか？";
    static inline const QString loadDiscards =
        "設定が変更されています。\nコマンドを続行すると設定の変更は破棄されます。";
    static inline const QString defaultsQuestion =
        "現在の設定値は破棄されます、\n工場出荷設定値に変更しますか？";
    static inline const QString defaultsShown = "工場出荷設定値を表示しました。";
    static inline const QString sent = "プリンタに設定値を送信しました。";
    static inline const QString unavailable =
        "指定されたプリンタは、現在接続されていないか、プリンタ使用権の制限により使用できません。";
    static inline const QString filePort = "接続先がFILEのため設定値を送信できません。";
    static inline const QString notSettingsFile = "このファイルは設定ファイルではありません。";
    static inline const QString saveFailed = "設定ファイルの書き込みに失敗しました。";
    static inline const QString saveDenied =
        "設定ファイルの書き込みに失敗しました。\nこのディレクトリに保存するアクセス許可がない"
        "可能性があります。\n設定ファイルの保存先を変更してやり直してください。";
    static inline const PrinterChoice kPrinter{"ferro", "socket://192.0.2.7:9100"};

    // A message box as the rig journals it: buttons, icon, text.
    static QString box(const char* buttons, const char* icon, QString text)
    {
        return QString("[%1 %2] ").arg(buttons, icon) + text;
    }
    static QString ask(const QString& text) { return box("Yes/No/Cancel", "!", text); }
    static QString info(const QString& text) { return box("OK", "i", text); }
    static QString warn(const QString& text) { return box("OK", "!", text); }
    // The spooler's steps of one whole job to the queue "ferro".
    static QStringList job(int bytes)
    {
        return {"open queue ferro", "start raw job Knobstation Status Write",
                QString("write %1 bytes").arg(bytes), "end job", "close queue"};
    }
    static SelectionResult chosen(PrinterChoice p = kPrinter, unsigned n = 2)
    {
        return {SelectionEnd::Ok, p, n};
    }
    static SelectionResult cancelled(PrinterChoice p = kPrinter) { return {SelectionEnd::Cancel, p, 2}; }
    static QByteArray bytesOf(std::span<const std::uint8_t> bytes)
    {
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    }
    // A settings file: identifier, NUL, block.
    static QByteArray settingsFile(const ModelVariant& variant, const SettingsBlock& block)
    {
        return QByteArray(variant.fileIdentifier.data(), qsizetype(variant.fileIdentifier.size())) + '\0' +
               bytesOf(block.bytes());
    }
};

// The command core on fakes of every port. The rig journals what each port is asked, in one
// order; it answers questions ('Y', 'N', 'C', 'O'), file dialogs (a path; "" cancels) and printer
// selections as scripted; and its pages share one screen copy of the block, each page reading
// and writing only the fields its tab owns.
struct CoreRig : CoreTerms, WindowPort, PagesPort, PrinterSelectorPort, SpoolerPort, FileChooserPort {
    struct Page : SettingsPage {
        Page(CoreRig& rig, PageId id, std::size_t tab) : rig(rig), id(id), tab(tab) {}
        void LoadBlock(const SettingsBlock& block) override { rig.copy(id, block.data(), rig.screen.data()); }
        void StoreBlock(SettingsBlock& block) override { rig.copy(id, rig.screen.data(), block.data()); }
        bool HasPendingEntry() const override { return pending; }
        void ShowPendingNotice() override { rig.log("pending notice on tab " + QString::number(tab)); }
        void RefreshFormButton() override { rig.log("refresh form button on tab " + QString::number(tab)); }
        CoreRig& rig;
        PageId id;
        std::size_t tab;
        bool pending = false;
    };
    struct Queue : OpenQueue {
        explicit Queue(CoreRig& rig) : rig(rig) {}
        ~Queue() override { rig.log("close queue"); }
        bool startRawJob(std::string_view name) override
        {
            return rig.step("start raw job " + QString::fromUtf8(name), FailAt::Start);
        }
        bool writeData(std::span<const std::uint8_t> bytes) override
        {
            rig.written = bytesOf(bytes);
            return rig.step(QString("write %1 bytes").arg(bytes.size()), FailAt::Write);
        }
        bool endJob() override { return rig.step("end job", FailAt::End); }
        CoreRig& rig;
    };

    explicit CoreRig(const ModelVariant& v) : variant(v), screen(v.blockLength) {}

    Answer showMessage(std::string_view text, std::string_view caption, ButtonSet buttons,
                       MessageIcon icon) override
    {
        static const char* const kButtons[] = {"OK", "OK/Cancel", "Yes/No", "Yes/No/Cancel"};
        static const char* const kIcons[] = {"!", "i", "x"};
        log(box(kButtons[int(buttons)], kIcons[int(icon)], QString::fromUtf8(text)));
        if (caption != "Knobstation")
            problems << "caption " + QString::fromUtf8(caption);
        if (buttons == ButtonSet::Ok)
            return Answer::Ok;
        return Answer(std::string_view("OCYN").find(next(answers, 'C', "question"))); // as Answer orders them
    }
    void ShowPage(std::size_t index) override { log("show page " + QString::number(tab = index)); }
    std::size_t selectedTab() const override { return tab; }
    void setCommandEnabled(int id, bool on) override { (id == cmd::Send ? sendOn : printerOn) = on; }
    void setStatusText(int part, const std::string& text) override { status[part] = text.c_str(); }
    void closeWindow(int exitStatus) override { log("close " + QString::number(exitStatus)); }
    std::size_t pageCount() const override { return pages.size(); }
    Page& page(std::size_t index) override { return *pages.at(index); }
    SelectionResult runSelection(const PrinterChoice& preset, bool startupComplete) override
    {
        log(startupComplete ? "select printer, preset " + QString::fromStdString(preset.name)
                            : "select first printer");
        return next(selections, cancelled(preset), "selection");
    }
    std::unique_ptr<OpenQueue> openForUse(std::string_view name) override
    {
        return step("open queue " + QString::fromUtf8(name), FailAt::Open) ? std::make_unique<Queue>(*this)
                                                                           : nullptr;
    }
    std::optional<std::string> chooseFileToOpen(std::string_view) override { return chooseFile("open"); }
    std::optional<std::string> chooseFileToSave(std::string_view) override { return chooseFile("save"); }

    void log(const QString& entry) { journal << entry; }
    bool step(const QString& entry, FailAt failing) { return log(entry), failAt != failing; }
    template <class T> T next(std::deque<T>& script, T fallback, const char* what)
    {
        if (script.empty())
            return problems << QString("unscripted ") + what, fallback;
        T first = script.front();
        script.pop_front();
        return first;
    }
    std::optional<std::string> chooseFile(const QString& purpose)
    {
        log("choose file to " + purpose);
        const QString name = next(files, QString(), "file dialog");
        return name.isEmpty() ? std::nullopt : std::optional(folder.toStdString() + "/" + name.toStdString());
    }
    void copy(PageId id, const std::uint8_t* from, std::uint8_t* to) const
    {
        for (const FieldSpec& field : variant.fields)
            if (field.owner == id)
                std::copy_n(from + field.offset, field.width, to + field.offset);
    }
    // True when the pages show the bytes of `block`.
    bool showing(SettingsBlock block)
    {
        const SettingsBlock wanted = block;
        for (auto& page : pages)
            page->StoreBlock(block);
        return block == wanted;
    }
    // The window's start-up around its page creation.
    QStringList startUp(const SelectionResult& first = chosen())
    {
        selections.push_back(first);
        core.BeginStartup();
        for (const TabSpec& tabSpec : variant.tabs)
            pages.push_back(std::make_unique<Page>(*this, tabSpec.page, pages.size()));
        core.OnDataCheck(); // raised by a page before it holds the block: must not be collected
        return run(&CommandCore::CompleteStartup);
    }
    // The user changing a control, with or without the data check it raises.
    void change(std::string_view name, const std::string& bytes, bool check = true)
    {
        const auto field = std::ranges::find(variant.fields, name, &FieldSpec::name);
        QVERIFY(field != variant.fields.end() && bytes.size() == field->width);
        std::ranges::copy(bytes, screen.begin() + long(field->offset));
        if (check)
            core.OnDataCheck();
    }
    QStringList run(Command command) { return journal.clear(), (core.*command)(), journal; }
    SettingsBlock defaults() const { return SettingsBlock(variant.factoryDefaults); }
    // What went wrong beside the journal: calls nobody scripted, scripted answers never asked for.
    QString unexpected() const
    {
        const bool unused = !answers.empty() || !selections.empty() || !files.empty();
        return (problems + (unused ? QStringList{"scripted but never asked"} : QStringList())).join('\n');
    }

    const ModelVariant& variant;
    QString folder; // where the file dialogs' names lie
    std::deque<char> answers;
    std::deque<SelectionResult> selections;
    std::deque<QString> files;
    FailAt failAt = FailAt::Nothing;
    QStringList journal, problems;
    QByteArray written;                     // the last job's data
    bool sendOn = false, printerOn = false; // the send and printer commands
    QString status[2];
    std::size_t tab = 0; // the user clicks tabs here
    std::vector<std::uint8_t> screen;
    std::vector<std::unique_ptr<Page>> pages;
    CommandCore core{variant, {*this, *this, *this, *this, *this}, "/opt/knobstation/bin/"};
};

} // namespace kbs::test
