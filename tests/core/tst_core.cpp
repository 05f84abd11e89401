#include "core/command_core.h"
#include "core/messages.h"
#include "fakes/fake_file_chooser.h"
#include "fakes/fake_printer_selector.h"
#include "fakes/fake_spooler.h"
#include "model/command_ids.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QTemporaryDir>
#include <QtTest>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace kbs;
using namespace kbs::messages;
using Script = QList<std::pair<std::string_view, Answer>>; // questions and answers, in the order asked
using Command = void (CommandCore::*)();
Q_DECLARE_METATYPE(const kbs::ModelVariant*)
Q_DECLARE_METATYPE(Script)
Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(kbs::fakes::FailAt)

namespace {
const std::array<const ModelVariant*, 3> kVariants{&kbs18r::variant(), &kbs62d::variant(),
                                                   &kbs18t::variant()};
const PrinterChoice kPrinter{"ferro", "socket://192.0.2.7:9100"};

const auto entry = [](std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
};
const auto bytesOf = [](std::span<const std::uint8_t> bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
};
// A settings file: identifier, NUL, block.
const auto settingsFile = [](const ModelVariant& variant, const SettingsBlock& block) {
    return entry(variant.fileIdentifier).toLatin1() + '\0' + bytesOf(block.bytes());
};
bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A command core wired to fakes, for one variant. The rig is its window, which journals every
// message box by its text and answers questions as scripted, and its pages: one per tab over one
// screen copy of the block, each reading and writing only the fields its tab owns.
struct CoreRig : WindowPort, PagesPort {
    struct Page : SettingsPage {
        Page(CoreRig& rig, PageId id) : rig(rig), id(id) {}
        void LoadBlock(const SettingsBlock& block) override { rig.copy(id, block.data(), rig.screen.data()); }
        void StoreBlock(SettingsBlock& block) override { rig.copy(id, rig.screen.data(), block.data()); }
        bool HasPendingEntry() const override { return pendingEntry; }
        void ShowPendingNotice() override { rig.journal.add("pending notice"); }
        CoreRig& rig;
        PageId id;
        bool pendingEntry = false;
    };

    explicit CoreRig(const ModelVariant& v) : variant(v), screen(v.blockLength) {}

    Answer showMessage(std::string_view text, std::string_view, ButtonSet buttons, MessageIcon) override
    {
        if (buttons == ButtonSet::Ok) {
            journal.add(std::string(text));
            return Answer::Ok;
        }
        const Answer answer = fakes::nextScripted(answers, journal, std::string(text), Answer::Cancel);
        if (answer == Answer::Cancel ? buttons == ButtonSet::YesNo
                                     : (answer == Answer::Ok) != (buttons == ButtonSet::OkCancel))
            journal.problems.push_back("answer not offered: " + std::string(text));
        return answer;
    }
    void ShowPage(std::size_t index) override { journal.add("show page " + std::to_string(tab = index)); }
    std::size_t selectedTab() const override { return tab; }
    void setCommandEnabled(int id, bool on) override { sendEnabled = id == cmd::Send ? on : sendEnabled; }
    void setStatusText(int, const std::string&) override {}
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
    // The window's start-up around its page creation; returns its journal.
    QStringList startUp(const SelectionResult& first = fakes::chosen(kPrinter.name, kPrinter.connection))
    {
        selector.expectSelection(first);
        core.BeginStartup();
        for (const TabSpec& tabSpec : variant.tabs)
            pages.push_back(std::make_unique<Page>(*this, tabSpec.page));
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
    QStringList run(Command command, const Script& script = {})
    {
        journal.entries.clear();
        for (const auto& [question, answer] : script)
            answers.push_back(answer);
        (core.*command)();
        QStringList entries;
        for (const std::string& text : journal.entries)
            entries << QString::fromStdString(text);
        return entries;
    }
    bool sendSucceeds() { return run(&CommandCore::SendSettingsToPrinter).contains(entry(kSendSucceeded)); }
    bool saveSucceeds(const QString& path)
    {
        chooser.expectSave(path.toStdString());
        core.SaveSettingsFile();
        return core.fileBlock() == core.editBlock() && QFile::exists(path);
    }
    QStringList jobEvents() const
    {
        return {"open queue " + QString::fromStdString(core.currentPrinter().name),
                "start raw job Knobstation Status Write", QString("write %1 bytes").arg(variant.blockLength),
                "end job", "close queue"};
    }
    SettingsBlock defaults() const { return SettingsBlock(variant.factoryDefaults); }
    bool copiesAre(const SettingsBlock& edit, const SettingsBlock& file, const SettingsBlock& sent) const
    {
        return core.editBlock() == edit && core.fileBlock() == file && core.sentBlock() == sent;
    }
    const ModelVariant& variant;
    fakes::Journal journal;
    std::deque<Answer> answers;
    bool sendEnabled = false;
    std::size_t tab = 0; // the user clicks tabs here
    std::vector<std::uint8_t> screen;
    std::vector<std::unique_ptr<Page>> pages;
    fakes::FakePrinterSelector selector{journal};
    fakes::FakeSpooler spooler{journal};
    fakes::FakeFileChooser chooser{journal};
    CommandCore core{variant, {*this, *this, selector, spooler, chooser}, "/opt/knobstation/bin/"};
};

// A block for the kbs18t whose msw1 and font1 differ from the factory defaults.
SettingsBlock loadableBlock()
{
    SettingsBlock block(kVariants[2]->factoryDefaults);
    block[4] = 0x09;
    block[16] = '2';
    return block;
}

} // namespace

class TestCore : public QObject {
    Q_OBJECT
    std::optional<CoreRig> rig_;
    std::optional<QTemporaryDir> dir_;
    CoreRig& makeRig(const ModelVariant& variant) { return rig_.emplace(variant); }
    QString path(const QString& name) const { return dir_->filePath(name); }

private slots:
    void init() { dir_.emplace(); }
    // Fails a test on a call it did not script, or a scripted answer never asked for.
    void cleanup()
    {
        std::vector<std::string> problems = rig_ ? rig_->journal.problems : std::vector<std::string>();
        if (rig_ && rig_->answers.size() + rig_->selector.unused() + rig_->chooser.unused() > 0)
            problems.push_back("a scripted answer was never asked for");
        rig_.reset();
        QVERIFY2(problems.empty(), problems.empty() ? "" : problems.front().c_str());
    }

    void startUpEndingProgram_data()
    {
        QTest::addColumn<SelectionResult>("selection");
        QTest::addColumn<int>("exitStatus");
        QTest::newRow("cancel with no printer chosen") << fakes::cancelled({}) << 0;
        QTest::newRow("cancel after a refused FILE: printer") << fakes::cancelled({"lp", "FILE:"}) << 0;
        QTest::newRow("no usable printer") << fakes::noUsablePrinter() << 1;
    }
    void startUpEndingProgram()
    {
        QFETCH(SelectionResult, selection);
        QFETCH(int, exitStatus);
        CoreRig& rig = makeRig(*kVariants[1]);
        QCOMPARE(rig.startUp(selection),
                 QStringList({"select printer", QString("close %1").arg(exitStatus)}));
        rig.change("msw1", std::string("\x01\x00", 2), false);
        for (Command command :
             {&CommandCore::OnDataCheck, &CommandCore::OnExit, &CommandCore::SendSettingsToPrinter,
              &CommandCore::SaveSettingsFile, &CommandCore::LoadSettingsFile, &CommandCore::OnSelectPrinter,
              &CommandCore::OnFactoryDefaults})
            QCOMPARE(rig.run(command), QStringList()); // nothing runs once the window was told to close
    }

    void startUpLoadSendSave_data()
    {
        QTest::addColumn<const ModelVariant*>("variant");
        for (const ModelVariant* variant : kVariants)
            QTest::newRow(variant->deliverable.data()) << variant;
    }
    // Start-up on the factory defaults; then a file in which every byte no page owns differs is
    // loaded, changed, sent and saved, those bytes passing through unchanged.
    void startUpLoadSendSave()
    {
        QFETCH(const ModelVariant*, variant);
        CoreRig& rig = makeRig(*variant);
        QCOMPARE(rig.startUp(), QStringList{"select printer"});
        QVERIFY(rig.copiesAre(rig.defaults(), rig.defaults(), rig.defaults()));
        QVERIFY(rig.showing(rig.defaults()) && rig.sendEnabled);

        std::vector<bool> owned(variant->blockLength, false);
        for (const FieldSpec& field : variant->fields)
            if (field.owner != PageId::None)
                std::fill_n(owned.begin() + long(field.offset), field.width, true);
        SettingsBlock loaded = rig.defaults();
        for (std::size_t offset = 0; offset < loaded.size(); ++offset)
            loaded[offset] = std::uint8_t(loaded[offset] ^ (owned[offset] ? 0 : 0xA5));
        QVERIFY(std::ranges::count(owned, false) > 30 &&
                writeFile(path("odd.dat"), settingsFile(*variant, loaded)));
        rig.chooser.expectOpen(path("odd.dat").toStdString());
        rig.core.LoadSettingsFile();

        rig.change("msw1", std::string("\x03\x08", 2), false); // the send must collect it
        QCOMPARE(rig.run(&CommandCore::SendSettingsToPrinter), rig.jobEvents() << entry(kSendSucceeded));
        const QByteArray sent = bytesOf(rig.spooler.lastWrite);
        QCOMPARE(sent, bytesOf(rig.core.editBlock().bytes()));
        QCOMPARE(sent.mid(4, 2), QByteArray("\x03\x08", 2));
        for (std::size_t offset = 0; offset < loaded.size(); ++offset)
            QVERIFY(owned[offset] || std::uint8_t(sent.at(qsizetype(offset))) == loaded[offset]);
        QVERIFY(rig.copiesAre(rig.core.editBlock(), loaded, rig.core.editBlock()) && !rig.sendEnabled);

        rig.change("font1", loaded[16] == '2' ? "3" : "2", false); // the save must collect it
        QVERIFY(rig.saveSucceeds(path("saved.dat")) && rig.core.editBlock() != rig.core.sentBlock());
        QFile saved(path("saved.dat"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), settingsFile(*variant, rig.core.editBlock()));
        rig.core.OnDataCheck();
        QVERIFY(rig.sendEnabled);
    }

    void failedSend_data()
    {
        QTest::addColumn<fakes::FailAt>("failAt");
        QTest::addColumn<int>("jobSteps"); // before the queue is closed: a started job is always ended
        QTest::newRow("open") << fakes::FailAt::Open << 1;
        QTest::newRow("start") << fakes::FailAt::Start << 2;
        QTest::newRow("write") << fakes::FailAt::Write << 4;
        QTest::newRow("end") << fakes::FailAt::End << 4;
    }
    void failedSend()
    {
        QFETCH(fakes::FailAt, failAt);
        QFETCH(int, jobSteps);
        CoreRig& rig = makeRig(*kVariants[0]);
        rig.startUp();
        rig.change("font1", "2");
        rig.spooler.failAt = failAt;
        rig.selector.expectSelection(fakes::cancelled(kPrinter));
        QStringList expected = rig.jobEvents().first(jobSteps);
        if (failAt != fakes::FailAt::Open)
            expected << "close queue";
        // The printer change that follows the failure asks its own questions.
        expected << entry(kPrinterUnavailable) << entry(kSendBeforePrinterChange)
                 << entry(kSaveBeforePrinterChange) << "select printer";
        QCOMPARE(rig.run(&CommandCore::SendSettingsToPrinter,
                         {{kSendBeforePrinterChange, Answer::No}, {kSaveBeforePrinterChange, Answer::No}}),
                 expected);
        QCOMPARE(rig.selector.calls.back().preset, kPrinter);
        QVERIFY(rig.core.sentBlock() == rig.defaults() && rig.sendEnabled);
    }

    void filePortRefusesSend()
    {
        CoreRig& rig = makeRig(*kVariants[1]);
        rig.startUp(fakes::chosen("lp", "FILE:"));
        QCOMPARE(rig.run(&CommandCore::SendSettingsToPrinter), QStringList{entry(kFilePortCannotSend)});
        QVERIFY(rig.core.neverSent());
    }

    void questionsBeforeExitOrPrinterChange_data()
    {
        QTest::addColumn<bool>("exits");            // else the printer change
        QTest::addColumn<QList<Answer>>("answers"); // to the send and save questions; none: nothing changed
        using enum Answer;
        for (bool exits : {true, false}) {
            const char* flow = exits ? "exit" : "printer change";
            QTest::addRow("%s, nothing changed", flow) << exits << QList<Answer>{};
            QTest::addRow("%s, Cancel", flow) << exits << QList{Cancel};
            QTest::addRow("%s, No, No", flow) << exits << QList{No, No};
            QTest::addRow("%s, Yes, Yes", flow) << exits << QList{Yes, Yes};
        }
    }
    void questionsBeforeExitOrPrinterChange()
    {
        QFETCH(bool, exits);
        QFETCH(QList<Answer>, answers);
        CoreRig& rig = makeRig(*kVariants[0]);
        rig.startUp();
        if (!answers.isEmpty())
            rig.change("msw2", std::string("\x0A\x00", 2), false); // left for the flow to collect
        const std::string_view questions[] = {exits ? kSendBeforeExit : kSendBeforePrinterChange,
                                              exits ? kSaveBeforeExit : kSaveBeforePrinterChange};
        Script script;
        QStringList expected;
        for (qsizetype i = 0; i < answers.size(); ++i)
            expected << entry((script << std::pair(questions[i], answers[i])).last().first);
        const bool yes = answers.contains(Answer::Yes);
        if (yes) {
            expected = QStringList{expected[0]} + rig.jobEvents()
                       << entry(kSendSucceeded) << expected[1] << "choose file to save";
            rig.chooser.expectSave(path("flow.dat").toStdString());
        }
        if (!answers.contains(Answer::Cancel))
            expected << (exits ? "close 0" : "select printer");
        if (!answers.contains(Answer::Cancel) && !exits)
            rig.selector.expectSelection(fakes::cancelled(kPrinter));
        QCOMPARE(rig.run(exits ? &CommandCore::OnExit : &CommandCore::OnSelectPrinter, script), expected);
        const SettingsBlock& edited = rig.core.editBlock();
        QCOMPARE(edited == rig.defaults(), answers.isEmpty());
        QVERIFY(rig.copiesAre(edited, yes ? edited : rig.defaults(), yes ? edited : rig.defaults()));
    }

    void printerChangeAfterStartUp_data()
    {
        QTest::addColumn<SelectionResult>("selection");
        QTest::addColumn<int>("exitStatus"); // -1: the window stays
        QTest::newRow("OK on the same printer") << fakes::chosen(kPrinter.name, kPrinter.connection, 1) << -1;
        QTest::newRow("OK on another printer") << fakes::chosen("ferro-2", "lpd://ofc/", 3) << -1;
        QTest::newRow("Cancel") << fakes::cancelled(kPrinter) << -1;
        QTest::newRow("no usable printer any more") << fakes::noUsablePrinter() << 1;
    }
    void printerChangeAfterStartUp()
    {
        QFETCH(SelectionResult, selection);
        QFETCH(int, exitStatus);
        CoreRig& rig = makeRig(*kVariants[2]);
        rig.startUp();
        rig.change("font1", "1");
        QVERIFY(rig.sendSucceeds() && rig.saveSucceeds(path("kept.dat")));
        const SettingsBlock edited = rig.core.editBlock();
        rig.tab = 2;
        rig.selector.expectSelection(selection);

        // Accepting resets to the factory defaults, even for the same printer; anything else keeps all.
        const bool accepted = selection.end == SelectionEnd::Ok;
        QStringList expected{"select printer"};
        if (accepted)
            expected << "show page 0" << entry(kFactoryDefaultsShown);
        if (exitStatus >= 0)
            expected << QString("close %1").arg(exitStatus);
        QCOMPARE(rig.run(&CommandCore::OnSelectPrinter), expected);
        QVERIFY(rig.copiesAre(accepted ? rig.defaults() : edited, edited, edited));
        QVERIFY(rig.showing(rig.core.editBlock()));
        QCOMPARE(rig.sendEnabled, accepted);
        QCOMPARE(rig.core.currentPrinter(), accepted ? selection.choice : kPrinter);
    }

    void pendingEntryStopsCommand_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<Script>("script");
        using enum Answer;
        QTest::newRow("send") << Command(&CommandCore::SendSettingsToPrinter) << Script{};
        QTest::newRow("save") << Command(&CommandCore::SaveSettingsFile) << Script{};
        QTest::newRow("exit, Yes to send") << Command(&CommandCore::OnExit) << Script{{kSendBeforeExit, Yes}};
        QTest::newRow("printer change, Yes to save")
            << Command(&CommandCore::OnSelectPrinter)
            << Script{{kSendBeforePrinterChange, No}, {kSaveBeforePrinterChange, Yes}};
    }
    void pendingEntryStopsCommand()
    {
        QFETCH(Command, command);
        QFETCH(Script, script);
        CoreRig& rig = makeRig(*kVariants[0]);
        const std::size_t paramTab = *tabIndexOf(rig.variant, PageId::Param);
        rig.startUp();
        rig.change("font2", "1");
        rig.pages[paramTab]->pendingEntry = true;
        rig.tab = 4;

        // The parameter tab comes forward with the notice, and the command ends there.
        QStringList expected;
        for (const auto& [question, answer] : script)
            expected << entry(question);
        QCOMPARE(rig.run(command, script),
                 expected << QString("show page %1").arg(paramTab) << "pending notice");
        QVERIFY(rig.copiesAre(rig.core.editBlock(), rig.defaults(), rig.defaults()));
        rig.pages[paramTab]->pendingEntry = false; // corrected by the user
        QVERIFY(rig.sendSucceeds());
    }

    // Two refusals by the folder's permissions, then a folder that does not exist.
    void failedSaveKeepsFileCopy()
    {
        const ModelVariant& variant = *kVariants[1];
        CoreRig& rig = makeRig(variant);
        rig.startUp();
        rig.change("msw4", std::string("\x05\x05", 2));
        const QString denied = path("denied");
        QVERIFY(::chmod(qPrintable(dir_->path()), 0755) == 0 && ::mkdir(qPrintable(denied), 0555) == 0);
        for (const QString& file : {denied + "/first.dat", denied + "/second.dat", path("missing/third.dat")})
            rig.chooser.expectSave(file.toStdString());
        QVERIFY(getuid() != 0 || (setegid(65534) == 0 && seteuid(65534) == 0)); // root ignores permissions
        const QStringList events = rig.run(&CommandCore::SaveSettingsFile);
        QVERIFY(getuid() != 0 || (seteuid(0) == 0 && setegid(0) == 0));
        const QString chooser = "choose file to save";
        const QString deniedText = entry(variant.saveDeniedMessage);
        QCOMPARE(events,
                 QStringList({chooser, deniedText, chooser, deniedText, chooser, entry(kSaveFailed)}));
        QVERIFY(QDir(denied).isEmpty() && rig.core.fileBlock() == rig.defaults());
    }

    // The question compares with the printer copy only; a refused file changes no copy.
    void load_data()
    {
        QTest::addColumn<bool>("sent"); // else saved
        QTest::addColumn<Script>("script");
        QTest::addColumn<QByteArray>("content"); // empty: no such file
        const QByteArray good = settingsFile(*kVariants[2], loadableBlock());
        QByteArray noNul = good;
        noNul[qsizetype(kVariants[2]->fileIdentifier.size())] = ' ';
        const Script yes{{kLoadDiscardsChanges, Answer::Yes}};
        QTest::newRow("saved: asks, No") << false << Script{{kLoadDiscardsChanges, Answer::No}} << good;
        QTest::newRow("saved: asks, Yes") << false << yes << good;
        QTest::newRow("sent: no question") << true << Script{} << good;
        QTest::newRow("another program's")
            << false << yes << settingsFile(*kVariants[0], SettingsBlock(kVariants[0]->factoryDefaults));
        QTest::newRow("identifier not ended by NUL") << false << yes << noNul;
        QTest::newRow("no such file") << false << yes << QByteArray();
    }
    void load()
    {
        QFETCH(bool, sent);
        QFETCH(Script, script);
        QFETCH(QByteArray, content);
        CoreRig& rig = makeRig(*kVariants[2]);
        rig.startUp();
        rig.change("msw3", std::string("\x01\x02", 2));
        QVERIFY(sent ? rig.sendSucceeds() : rig.saveSucceeds(path("saved.dat")));
        QVERIFY(content.isEmpty() || writeFile(path("load.dat"), content));
        const SettingsBlock edit = rig.core.editBlock(), saved = rig.core.fileBlock(),
                            sentCopy = rig.core.sentBlock();

        const bool opens = script.isEmpty() || script[0].second == Answer::Yes;
        const bool loads = opens && content == settingsFile(rig.variant, loadableBlock());
        QStringList expected = script.isEmpty() ? QStringList() : QStringList{entry(kLoadDiscardsChanges)};
        if (opens) {
            rig.chooser.expectOpen(path("load.dat").toStdString());
            expected << "choose file to open";
        }
        QCOMPARE(rig.run(&CommandCore::LoadSettingsFile, script),
                 opens && !loads ? expected << entry(kNotSettingsFile) : expected);
        QVERIFY(rig.copiesAre(loads ? loadableBlock() : edit, loads ? loadableBlock() : saved, sentCopy));
        QVERIFY(rig.showing(rig.core.editBlock()) && rig.sendEnabled);
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
