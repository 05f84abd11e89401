#pragma once

#include "core/command_core.h"
#include "fakes/fake_file_chooser.h"
#include "fakes/fake_printer_selector.h"
#include "fakes/fake_spooler.h"
#include "model/command_ids.h"
#include "said.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <optional>

namespace kbs::test {

// Questions with the answers the user gives, in the order they are to be asked.
using Script = QList<std::pair<std::string_view, Answer>>;
using Command = void (CommandCore::*)();

inline const ModelVariant& kbs18r()
{
    return kbs18r::variant();
}
inline const ModelVariant& kbs62d()
{
    return kbs62d::variant();
}
inline const ModelVariant& kbs18t()
{
    return kbs18t::variant();
}

inline const PrinterChoice kPrinter{"ferro", "socket://192.0.2.7:9100"};

inline QByteArray bytesOf(std::span<const std::uint8_t> bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}
// A settings file: identifier, NUL, block.
inline QByteArray settingsFile(const ModelVariant& variant, const SettingsBlock& block)
{
    return QByteArray(variant.fileIdentifier.data(), qsizetype(variant.fileIdentifier.size())) + '\0' +
           bytesOf(block.bytes());
}
inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A command core wired to fakes, for one variant. The rig is its window, which journals every
// message box (buttons, icon, text) and answers questions as scripted, and its pages: one per
// tab over one screen copy of the block, each reading and writing only the fields its tab owns.
struct CoreRig : WindowPort, PagesPort {
    struct Page : SettingsPage {
        Page(CoreRig& rig, PageId id, std::size_t tab) : rig(rig), id(id), tab(tab) {}
        void LoadBlock(const SettingsBlock& block) override { rig.copy(id, block.data(), rig.screen.data()); }
        void StoreBlock(SettingsBlock& block) override { rig.copy(id, rig.screen.data(), block.data()); }
        bool HasPendingEntry() const override { return pendingEntry; }
        void ShowPendingNotice() override { rig.journal.add("pending notice on tab " + std::to_string(tab)); }
        void RefreshFormButton() override
        {
            rig.journal.add("refresh form button on tab " + std::to_string(tab));
        }
        CoreRig& rig;
        PageId id;
        std::size_t tab;
        bool pendingEntry = false;
    };

    explicit CoreRig(const ModelVariant& v) : variant(v), screen(v.blockLength) {}

    static bool offers(ButtonSet buttons, Answer answer)
    {
        switch (buttons) {
        case ButtonSet::Ok:
            return answer == Answer::Ok;
        case ButtonSet::OkCancel:
            return answer == Answer::Ok || answer == Answer::Cancel;
        case ButtonSet::YesNo:
            return answer == Answer::Yes || answer == Answer::No;
        case ButtonSet::YesNoCancel:
            return answer != Answer::Ok;
        }
        return false;
    }

    Answer showMessage(std::string_view text, std::string_view caption, ButtonSet buttons,
                       MessageIcon icon) override
    {
        static constexpr std::string_view kButtons[] = {"OK", "OK/Cancel", "Yes/No", "Yes/No/Cancel"};
        static constexpr std::string_view kIcons[] = {"!", "i", "x"};
        if (caption != "Knobstation")
            journal.problems.push_back("caption " + std::string(caption));
        journal.add(said::box(kButtons[int(buttons)], kIcons[int(icon)], text).toStdString());
        if (buttons == ButtonSet::Ok)
            return Answer::Ok;
        if (script.isEmpty()) {
            journal.problems.push_back("unexpected question " + std::string(text));
            return Answer::Cancel;
        }
        const auto [question, answer] = script.takeFirst();
        if (question != text)
            journal.problems.push_back("asked " + std::string(text) + " instead of " + std::string(question));
        if (!offers(buttons, answer))
            journal.problems.push_back("answer not offered: " + std::string(text));
        return answer;
    }
    void ShowPage(std::size_t index) override { journal.add("show page " + std::to_string(tab = index)); }
    std::size_t selectedTab() const override { return tab; }
    void setCommandEnabled(int id, bool on) override
    {
        (id == cmd::Send ? sendEnabled : printerEnabled) = on;
    }
    void setStatusText(int part, const std::string& text) override { status.at(std::size_t(part)) = text; }
    void closeWindow(int exitStatus) override { journal.add("close " + std::to_string(exitStatus)); }
    std::size_t pageCount() const override { return pages.size(); }
    Page& page(std::size_t tabIndex) override { return *pages.at(tabIndex); }

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
    Page& pageOf(PageId id)
    {
        return **std::ranges::find(pages, id, [](const auto& page) { return page->id; });
    }
    // The window's start-up around its page creation; returns its journal.
    QStringList startUp(const SelectionResult& first = fakes::chosen(kPrinter.name, kPrinter.connection))
    {
        selector.expectSelection(first);
        core.BeginStartup();
        for (const TabSpec& tabSpec : variant.tabs)
            pages.push_back(std::make_unique<Page>(*this, tabSpec.page, pages.size()));
        core.OnDataCheck(); // raised by a page before it holds the block: must not be collected
        return run(&CommandCore::CompleteStartup);
    }
    // The user changing a control, with (or without) the data check that raises.
    void change(std::string_view name, const std::string& bytes, bool check = true)
    {
        const auto field = std::ranges::find(variant.fields, name, &FieldSpec::name);
        QVERIFY(field != variant.fields.end() && bytes.size() == field->width);
        std::ranges::copy(bytes, screen.begin() + long(field->offset));
        if (check)
            core.OnDataCheck();
    }
    // Scripts the answers, runs the command and returns the journal of that run.
    QStringList run(Command command, const Script& answers = {})
    {
        journal.entries.clear();
        script += answers;
        (core.*command)();
        QStringList entries;
        for (const std::string& text : journal.entries)
            entries << QString::fromStdString(text);
        return entries;
    }
    bool sendSucceeds() { return run(&CommandCore::SendSettingsToPrinter).contains(said::info(said::kSent)); }
    bool saveSucceeds(const QString& path)
    {
        chooser.expectSave(path.toStdString());
        core.SaveSettingsFile();
        return core.fileBlock() == core.editBlock() && QFile::exists(path);
    }
    SettingsBlock defaults() const { return SettingsBlock(variant.factoryDefaults); }
    bool copiesAre(const SettingsBlock& edit, const SettingsBlock& file, const SettingsBlock& sent) const
    {
        return core.editBlock() == edit && core.fileBlock() == file && core.sentBlock() == sent;
    }
    // Calls no test scripted, and scripted answers nobody asked for.
    QString problems() const
    {
        QStringList all;
        for (const std::string& problem : journal.problems)
            all << QString::fromStdString(problem);
        if (script.size() + selector.unused() + chooser.unused() > 0)
            all << "a scripted answer was never asked for";
        return all.join('\n');
    }

    const ModelVariant& variant;
    fakes::Journal journal;
    Script script;
    bool sendEnabled = false;
    bool printerEnabled = false;
    std::array<std::string, 2> status;
    std::size_t tab = 0; // the user clicks tabs here
    std::vector<std::uint8_t> screen;
    std::vector<std::unique_ptr<Page>> pages;
    fakes::FakePrinterSelector selector{journal};
    fakes::FakeSpooler spooler{journal};
    fakes::FakeFileChooser chooser{journal};
    CommandCore core{variant, {*this, *this, selector, spooler, chooser}, "/opt/knobstation/bin/"};
};

// One rig and one temporary folder per test function.
class RigHolder {
public:
    CoreRig& make(const ModelVariant& variant)
    {
        dir_.emplace();
        return rig_.emplace(variant);
    }
    QString path(const QString& name) const { return dir_->filePath(name); }
    QString folder() const { return dir_->path(); }
    // Ends the test function's rig; what it found wrong, or nothing.
    QString finish()
    {
        const QString problems = rig_ ? rig_->problems() : QString();
        rig_.reset();
        dir_.reset();
        return problems;
    }

private:
    std::optional<CoreRig> rig_;
    std::optional<QTemporaryDir> dir_;
};

// The base of the core's test classes: each test function makes its rig through holder_, and
// the rig is checked and ended after it.
class RigTest : public QObject {
    Q_OBJECT

protected:
    RigHolder holder_;

private slots:
    void cleanup()
    {
        const QString problems = holder_.finish();
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }
};

} // namespace kbs::test

Q_DECLARE_METATYPE(const kbs::ModelVariant*)
Q_DECLARE_METATYPE(kbs::test::Script)
Q_DECLARE_METATYPE(kbs::test::Command)
