#include "core_rig.h"

#include "model/command_ids.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QFile>
#include <QTest>

namespace kbs::test {

CoreRig::CoreRig(const ModelVariant& v, bool pagesCreated)
    : variant(v), pages(v, journal, pagesCreated),
      core(v, {window, pages, selector, spooler, chooser}, kProgramDirectory)
{
}

void CoreRig::startUp(const SelectionResult& firstSelection)
{
    selector.expectSelection(firstSelection);
    core.BeginStartup();
    pages.create();
    core.CompleteStartup();
}

void CoreRig::change(std::string_view field, std::string bytes)
{
    pages.edit(field, std::move(bytes));
    core.OnDataCheck();
}

bool CoreRig::sendSucceeds()
{
    const std::size_t queuesBefore = spooler.queues.size();
    core.SendSettingsToPrinter();
    return spooler.queues.size() == queuesBefore + 1 && core.sentBlock() == core.editBlock();
}

bool CoreRig::saveSucceeds(const std::string& path)
{
    chooser.expectSave(path);
    core.SaveSettingsFile();
    return core.fileBlock() == core.editBlock() && QFile::exists(QString::fromStdString(path));
}

std::vector<std::string> CoreRig::unmetExpectations() const
{
    std::vector<std::string> all = window.unmetExpectations();
    for (const auto& more : {selector.unmetExpectations(), chooser.unmetExpectations()})
        all.insert(all.end(), more.begin(), more.end());
    return all;
}

CoreRig& RigHolder::makeRig(const ModelVariant& variant, bool pagesCreated)
{
    rig_ = std::make_unique<CoreRig>(variant, pagesCreated);
    return *rig_;
}

void RigHolder::verifyRigAndDrop()
{
    const std::unique_ptr<CoreRig> rig = std::move(rig_);
    if (!rig)
        return;
    const QStringList unmet = toList(rig->unmetExpectations());
    QVERIFY2(unmet.isEmpty(), qPrintable(unmet.join("; ")));
    for (const fakes::MessageRecord& message : rig->window.messages)
        QCOMPARE(message.caption, std::string("Knobstation"));
}

std::vector<const ModelVariant*> allVariants()
{
    return {&kbs18r::variant(), &kbs62d::variant(), &kbs18t::variant()};
}

void addVariantRows()
{
    QTest::addColumn<const ModelVariant*>("variant");
    for (const ModelVariant* variant : allVariants())
        QTest::newRow(std::string(variant->deliverable).c_str()) << variant;
}

QStringList toList(const std::vector<std::string>& entries)
{
    QStringList list;
    for (const std::string& entry : entries)
        list << QString::fromStdString(entry);
    return list;
}

QByteArray bytesOf(const SettingsBlock& block)
{
    return QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size()));
}

QByteArray bytesOf(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QStringList messageTexts(const fakes::FakeWindow& window)
{
    QStringList texts;
    for (const fakes::MessageRecord& message : window.messages)
        texts << QString::fromStdString(message.text);
    return texts;
}

QByteArray settingsFile(const ModelVariant& variant, const SettingsBlock& block)
{
    QByteArray bytes(variant.fileIdentifier.data(), static_cast<qsizetype>(variant.fileIdentifier.size()));
    bytes.append('\0');
    return bytes + bytesOf(block);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace kbs::test
