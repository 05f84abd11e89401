#pragma once

#include "core/command_core.h"
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

Q_DECLARE_METATYPE(const kbs::ModelVariant*)

namespace kbs::test {

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
// Journal entries of a notice and of a question.
inline QString tell(std::string_view text)
{
    return "tell: " + toQString(text);
}
inline QString ask(std::string_view text)
{
    return "ask: " + toQString(text);
}

inline QStringList toList(const std::vector<std::string>& entries)
{
    QStringList list;
    for (const std::string& entry : entries)
        list << QString::fromStdString(entry);
    return list;
}

// The questions and notices shown, in order.
inline QStringList messageTexts(const fakes::FakeWindow& window)
{
    QStringList texts;
    for (const fakes::MessageRecord& message : window.messages)
        texts << QString::fromStdString(message.text);
    return texts;
}

inline QByteArray bytesOf(std::span<const std::uint8_t> bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// A settings file as the format defines it: identifier, NUL, block.
inline QByteArray settingsFile(const ModelVariant& variant, const SettingsBlock& block)
{
    return QByteArray(variant.fileIdentifier.data(), qsizetype(variant.fileIdentifier.size())) + '\0' +
           bytesOf(block.bytes());
}

[[nodiscard]] inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline std::vector<const ModelVariant*> allVariants()
{
    return {&kbs18r::variant(), &kbs62d::variant(), &kbs18t::variant()};
}

// Adds a "variant" column and one row per variant.
inline void addVariantRows()
{
    QTest::addColumn<const ModelVariant*>("variant");
    for (const ModelVariant* variant : allVariants())
        QTest::newRow(variant->deliverable.data()) << variant;
}

// A command core wired to fakes, for one variant; the pages exist once startUp() ran.
struct CoreRig {
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
        core.CompleteStartup();
    }
    // A user's change on a page, followed by the data check the page raises.
    void change(std::string_view field, const std::string& bytes)
    {
        pages.edit(field, bytes);
        core.OnDataCheck();
    }
    // Arranging steps of a test; false when they did not work out.
    [[nodiscard]] bool sendSucceeds()
    {
        const std::size_t queuesBefore = spooler.queues.size();
        core.SendSettingsToPrinter();
        return spooler.queues.size() == queuesBefore + 1 && core.sentBlock() == core.editBlock();
    }
    [[nodiscard]] bool saveSucceeds(const std::string& path)
    {
        chooser.expectSave(path);
        core.SaveSettingsFile();
        return core.fileBlock() == core.editBlock() && QFile::exists(QString::fromStdString(path));
    }
    // Forgets the journal and the messages of the arranging steps.
    void clearRecords()
    {
        journal.entries.clear();
        window.messages.clear();
    }

    SettingsBlock factoryDefaults() const { return SettingsBlock(variant.factoryDefaults); }
    bool sendCommandEnabled() { return window.commandEnabled.at(cmd::Send); }
    QString formButtonEntry() const
    {
        return QString("form button on tab %1").arg(variant.formButtonTabIndex);
    }
};

// Owns the rig of the running test function and checks it after the test.
class RigHolder {
protected:
    CoreRig& makeRig(const ModelVariant& variant)
    {
        rig_ = std::make_unique<CoreRig>(variant);
        return *rig_;
    }
    // For cleanup(): fails the test on a question or call the test did not script.
    void verifyRigAndDrop()
    {
        const std::unique_ptr<CoreRig> rig = std::move(rig_);
        if (!rig)
            return;
        QStringList unmet;
        for (const auto& list : {rig->window.unmetExpectations(), rig->selector.unmetExpectations(),
                                 rig->chooser.unmetExpectations()})
            unmet << toList(list);
        QVERIFY2(unmet.isEmpty(), qPrintable(unmet.join("; ")));
        for (const fakes::MessageRecord& message : rig->window.messages)
            QCOMPARE(message.caption, std::string("Knobstation"));
    }

private:
    std::unique_ptr<CoreRig> rig_;
};

} // namespace kbs::test
