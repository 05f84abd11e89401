#pragma once

#include "core/command_core.h"
#include "core/messages.h"
#include "fakes/fake_file_chooser.h"
#include "fakes/fake_pages.h"
#include "fakes/fake_printer_selector.h"
#include "fakes/fake_spooler.h"
#include "fakes/fake_window.h"
#include "model/command_ids.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QFile>
#include <QTest>

#include <memory>
#include <span>

namespace kbs::test {
// Questions with the user's answers, in the order they must be asked.
using Script = QList<std::pair<std::string_view, Answer>>;
using Command = void (CommandCore::*)();
} // namespace kbs::test

Q_DECLARE_METATYPE(const kbs::ModelVariant*)
Q_DECLARE_METATYPE(kbs::test::Script)
Q_DECLARE_METATYPE(kbs::test::Command)

namespace kbs::test {

// What the core tests share besides the rig: journal texts, bytes, files and variants.
struct CoreTestKit {
    static QString toQString(std::string_view text)
    {
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    // Journal entries of a notice and of a question.
    static QString tell(std::string_view text) { return "tell: " + toQString(text); }
    static QString ask(std::string_view text) { return "ask: " + toQString(text); }
    static QStringList toList(const std::vector<std::string>& entries)
    {
        QStringList list;
        for (const std::string& entry : entries)
            list << QString::fromStdString(entry);
        return list;
    }
    static QByteArray bytesOf(std::span<const std::uint8_t> bytes)
    {
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    }
    // A settings file as the format defines it: identifier, NUL, block.
    static QByteArray settingsFile(const ModelVariant& variant, const SettingsBlock& block)
    {
        const std::string_view id = variant.fileIdentifier;
        return QByteArray(id.data(), qsizetype(id.size())) + '\0' + bytesOf(block.bytes());
    }
    [[nodiscard]] static bool writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static std::vector<const ModelVariant*> allVariants()
    {
        return {&kbs18r::variant(), &kbs62d::variant(), &kbs18t::variant()};
    }
    // Adds a "variant" column and one row per variant.
    static void addVariantRows()
    {
        QTest::addColumn<const ModelVariant*>("variant");
        for (const ModelVariant* variant : allVariants())
            QTest::newRow(variant->deliverable.data()) << variant;
    }
};

// A command core wired to fakes, for one variant; the pages exist once startUp() ran.
struct CoreRig : CoreTestKit {
    explicit CoreRig(const ModelVariant& v) : variant(v) {}

    const ModelVariant& variant;
    fakes::Journal journal;
    fakes::FakeWindow window{journal};
    fakes::FakePages pages{variant, journal};
    fakes::FakePrinterSelector selector{journal};
    fakes::FakeSpooler spooler{journal};
    fakes::FakeFileChooser chooser{journal};
    static inline const std::string kProgramDirectory = "/opt/knobstation/bin/";
    CommandCore core{variant, {window, pages, selector, spooler, chooser}, kProgramDirectory};

    static inline const PrinterChoice kPrinter{"ferro", "socket://192.0.2.7:9100"};

    // The window's start-up around its page creation, with this first printer selection.
    void startUp(const SelectionResult& firstSelection = fakes::chosen(kPrinter.name, kPrinter.connection))
    {
        selector.expectSelection(firstSelection);
        core.BeginStartup();
        pages.create();
        core.OnDataCheck(); // raised by a page before it holds the block: must not be collected
        core.CompleteStartup();
    }
    // A user's change on a page, followed by the data check the page raises.
    void change(std::string_view field, const std::string& bytes)
    {
        pages.edit(field, bytes);
        core.OnDataCheck();
    }
    // Answers the questions of `script`, runs the command and returns the journal of that run.
    QStringList run(Command command, const Script& script = {})
    {
        journal.entries.clear();
        for (const auto& [question, answer] : script)
            window.expectQuestion(question, answer);
        (core.*command)();
        return toList(journal.entries);
    }
    [[nodiscard]] bool sendSucceeds()
    {
        return run(&CommandCore::SendSettingsToPrinter).contains(tell(messages::kSendSucceeded));
    }
    [[nodiscard]] bool saveSucceeds(const QString& path)
    {
        chooser.expectSave(path.toStdString());
        core.SaveSettingsFile();
        return core.fileBlock() == core.editBlock() && QFile::exists(path);
    }

    // The journal of one whole raw job, and of a reset to the factory defaults.
    QStringList jobEvents(const std::string& queue = kPrinter.name) const
    {
        return {QString::fromStdString("open queue " + queue), "start raw job Knobstation Status Write",
                QString("write %1 bytes").arg(variant.blockLength), "end job", "close queue"};
    }
    QStringList resetEvents() const
    {
        return {"show page 0", tell(messages::kFactoryDefaultsShown), formButtonEntry()};
    }
    QString formButtonEntry() const
    {
        return QString("form button on tab %1").arg(variant.formButtonTabIndex);
    }
    SettingsBlock factoryDefaults() const { return SettingsBlock(variant.factoryDefaults); }
    bool copiesAre(const SettingsBlock& edit, const SettingsBlock& file, const SettingsBlock& sent) const
    {
        return core.editBlock() == edit && core.fileBlock() == file && core.sentBlock() == sent;
    }
    bool sendCommandEnabled() { return window.commandEnabled.at(cmd::Send); }
};

// Owns the rig of the running test function and checks it after the test.
class RigHolder : protected CoreTestKit {
protected:
    CoreRig& makeRig(const ModelVariant& variant)
    {
        rig_ = std::make_unique<CoreRig>(variant);
        return *rig_;
    }
    // For cleanup(): fails the test on a call it did not script or a scripted one never made.
    void verifyRigAndDrop()
    {
        const std::unique_ptr<CoreRig> rig = std::move(rig_);
        if (!rig)
            return;
        QStringList problems = toList(rig->journal.problems);
        if (rig->window.unused() + rig->selector.unused() + rig->chooser.unused() > 0)
            problems << "a scripted answer was never asked for";
        for (const std::string& folder : rig->chooser.initialFolders)
            if (folder != CoreRig::kProgramDirectory)
                problems << QString::fromStdString("file chooser opened in " + folder);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
    }

private:
    std::unique_ptr<CoreRig> rig_;
};

} // namespace kbs::test
