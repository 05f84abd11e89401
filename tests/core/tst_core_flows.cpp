#include "core_rig.h"
#include "support/as_ordinary_user.h"

#include <QTemporaryDir>

#include <sys/stat.h>

using namespace kbs;
using namespace kbs::test;

namespace {

// One command run on a kbs18r after start-up, with msw2 changed on its page and not yet
// collected. Copies: edit, file and printer copy afterwards, and what the pages show where it
// is not the edit copy, each 'D' (factory defaults), 'C' (msw2 changed) or 'L' (good.dat). The file dialogs' folder holds good.dat, other.dat
// (a kbs62d file) and denied/, where the user may not write.
struct Flow {
    Command command;
    const char* answers;
    QStringList journal;
    const char* copies = "CDD";
    QStringList files = {};
    struct Extra {
        QList<SelectionResult> selections = {};
        FailAt failAt = FailAt::Nothing;
        bool pending = false; // the parameter page holds an entry a store would not take
        bool changed = true;
        PrinterChoice printer = CoreTerms::kPrinter;
    } extra = {};
};

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

SettingsBlock with(SettingsBlock block, std::size_t offset, std::string_view bytes)
{
    for (const char byte : bytes)
        block[offset++] = std::uint8_t(byte);
    return block;
}

} // namespace

Q_DECLARE_METATYPE(Flow)
Q_DECLARE_METATYPE(const ModelVariant*)

class TestCoreFlows : public QObject, CoreTerms {
    Q_OBJECT

private slots:
    void flows_data()
    {
        QTest::addColumn<Flow>("flow");
        const auto add = [](const char* name, const Flow& flow) { QTest::newRow(name) << flow; };
        const auto exit = &CommandCore::OnExit, change = &CommandCore::OnSelectPrinter,
                   save = &CommandCore::SaveSettingsFile, load = &CommandCore::LoadSettingsFile,
                   send = &CommandCore::SendSettingsToPrinter, defaults = &CommandCore::OnFactoryDefaults;
        const QString toSave = "choose file to save", toOpen = "choose file to open",
                      refresh = "refresh form button on tab 0";
        const QString select = "select printer, preset ferro",
                      loadQuestion = box("Yes/No", "!", loadDiscards);
        const QStringList reset{"show page 0", info(defaultsShown), refresh};
        const QStringList sentToFerro = job(273) << info(sent);
        const QStringList failedSend{warn(unavailable), ask(sendChange), ask(saveChange), select};
        const QStringList pendingStop{"show page 1", "pending notice on tab 1"};

        // Exit: send, then save, each asked only where that copy differs; the window closes
        // only after every send and save the user asked for happened.
        add("exit, nothing changed", {exit, "", {"close 0"}, "DDD", {}, {.changed = false}});
        add("exit, Cancel", {exit, "C", {ask(sendExit)}});
        add("exit, No, No", {exit, "NN", {ask(sendExit), ask(saveExit), "close 0"}});
        add("exit, Yes, Yes",
            {exit,
             "YY",
             QStringList{ask(sendExit)} + sentToFerro + QStringList{ask(saveExit), toSave, "close 0"},
             "CCC",
             {"x.dat"}});
        add("exit, Yes, Yes, dialog cancelled",
            {exit,
             "YY",
             QStringList{ask(sendExit)} + sentToFerro + QStringList{ask(saveExit), toSave},
             "CDC",
             {""}});
        add("exit, No, Yes, write failed",
            {exit,
             "NY",
             {ask(sendExit), ask(saveExit), toSave, box("OK", "x", saveFailed)},
             "CDD",
             {"missing/x.dat"}});
        add("exit, No, Yes, access refused, then cancelled",
            {exit,
             "NY",
             {ask(sendExit), ask(saveExit), toSave, warn(saveDenied), toSave},
             "CDD",
             {"denied/x.dat", ""}});
        // A failed send runs its own printer change; the exit goes no further.
        add("exit, send failed, printer change cancelled",
            {exit,
             "YNN",
             QStringList{ask(sendExit), "open queue ferro"} + failedSend,
             "CDD",
             {},
             {.selections = {cancelled()}, .failAt = FailAt::Open}});
        add("exit, send failed, another printer",
            {exit,
             "YNN",
             QStringList{ask(sendExit), "open queue ferro"} + failedSend + reset,
             "DDD",
             {},
             {.selections = {chosen({"ferro-2", "lpd://ofc/"})}, .failAt = FailAt::Open}});
        add("exit, No, Yes, pending entry", {exit,
                                             "NY",
                                             QStringList{ask(sendExit), ask(saveExit)} + pendingStop,
                                             "CDD",
                                             {},
                                             {.pending = true}});

        // A printer accepted, even the same one, resets to the factory defaults.
        add("printer change, No, No, same printer",
            {change,
             "NN",
             QStringList{ask(sendChange), ask(saveChange), select} + reset,
             "DDD",
             {},
             {.selections = {chosen()}}});
        add("printer change, No, Yes, dialog cancelled",
            {change, "NY", {ask(sendChange), ask(saveChange), toSave}, "CDD", {""}});
        // A started job is always ended and closed; only the server's answer counts.
        add("send failing at its end", {send,
                                        "NN",
                                        job(273) + failedSend,
                                        "CDD",
                                        {},
                                        {.selections = {cancelled()}, .failAt = FailAt::End}});
        add("send, pending entry", {send, "", pendingStop, "DDDC", {}, {.pending = true}});
        add("send to FILE:", {send, "", {info(filePort)}, "DDDC", {}, {.printer = {"lp", "FILE:"}}});
        add("save, access refused, then another folder",
            {save, "", {toSave, warn(saveDenied), toSave}, "CCD", {"denied/x.dat", "x.dat"}});
        // Loading asks only when the edit copy differs from the printer copy.
        add("load, No", {load, "N", {loadQuestion}});
        add("load, Yes", {load, "Y", {loadQuestion, toOpen, refresh}, "LLD", {"good.dat"}});
        add("load, another program's file",
            {load, "Y", {loadQuestion, toOpen, warn(notSettingsFile)}, "CDD", {"other.dat"}});
        add("factory defaults, Cancel", {defaults, "C", {box("OK/Cancel", "!", defaultsQuestion)}, "DDDC"});
        add("factory defaults, OK",
            {defaults, "O", QStringList{box("OK/Cancel", "!", defaultsQuestion)} + reset, "DDD"});
    }
    void flows()
    {
        QFETCH(Flow, flow);
        QTemporaryDir folder;
        CoreRig rig(kbs18r::variant());
        rig.folder = folder.path();
        const SettingsBlock changed = with(rig.defaults(), 7, std::string_view("\x0A\x00", 2));
        const SettingsBlock loaded = with(rig.defaults(), 16, "2");
        const QByteArray path = QFile::encodeName(folder.path());
        QVERIFY(::chmod(path, 0777) == 0 && ::mkdir(path + "/denied", 0555) == 0);
        QVERIFY(writeFile(folder.filePath("good.dat"), settingsFile(rig.variant, loaded)));
        QVERIFY(writeFile(folder.filePath("other.dat"), settingsFile(kbs62d::variant(), rig.defaults())));
        QCOMPARE(rig.startUp(chosen(flow.extra.printer)),
                 QStringList({"select first printer", "refresh form button on tab 0"}));
        if (flow.extra.changed)
            rig.change("msw2", std::string("\x0A\x00", 2), false);
        rig.pages[1]->pending = flow.extra.pending;
        rig.failAt = flow.extra.failAt;
        rig.answers.assign(flow.answers, flow.answers + std::strlen(flow.answers));
        rig.selections.assign(flow.extra.selections.begin(), flow.extra.selections.end());
        rig.files.assign(flow.files.begin(), flow.files.end());

        QStringList journal;
        QVERIFY(asOrdinaryUser([&] { journal = rig.run(flow.command); }));
        QCOMPARE(journal, flow.journal);
        QCOMPARE(rig.unexpected(), QString());
        const auto copy = [&](char c) { return c == 'C' ? changed : c == 'L' ? loaded : rig.defaults(); };
        QVERIFY(rig.core.editBlock() == copy(flow.copies[0]) && rig.showing(copy(flow.copies[flow.copies[3] ? 3 : 0])));
        QVERIFY(rig.core.fileBlock() == copy(flow.copies[1]));
        QVERIFY(rig.core.sentBlock() == copy(flow.copies[2]));
        QVERIFY(flow.copies[1] != 'C' || QFile(folder.filePath("x.dat")).size() == 298);
    }

    // Every program: a file with no byte of the defaults is loaded, a field changed and not yet
    // collected, saved and sent. Bytes no page owns come through unchanged, the file and the job
    // hold the edit copy; a change enables the send, a change back disables it.
    void everyByteReachesFileAndPrinter_data()
    {
        QTest::addColumn<const ModelVariant*>("variant");
        QTest::addColumn<QString>("formButton");
        QTest::newRow("kbs18r") << &kbs18r::variant() << "refresh form button on tab 0";
        QTest::newRow("kbs62d") << &kbs62d::variant() << "refresh form button on tab 0";
        QTest::newRow("kbs18t") << &kbs18t::variant() << "refresh form button on tab 1";
    }
    void everyByteReachesFileAndPrinter()
    {
        QFETCH(const ModelVariant*, variant);
        QFETCH(QString, formButton);
        QTemporaryDir folder;
        CoreRig rig(*variant);
        rig.folder = folder.path();
        QCOMPARE(rig.startUp(chosen(kPrinter, 1)), QStringList({"select first printer", formButton}));
        QVERIFY(rig.showing(rig.defaults()) && rig.sendEnabled && !rig.printerEnabled);
        QCOMPARE(rig.status[0] + rig.status[1], "プリンタ名： ferro接続先： socket://192.0.2.7:9100");
        SettingsBlock odd = rig.defaults();
        for (std::size_t offset = 0; offset < odd.size(); ++offset)
            odd[offset] ^= 0x5A;
        QVERIFY(writeFile(folder.filePath("odd.dat"), settingsFile(*variant, odd)));
        rig.files = {"odd.dat", "saved.dat"};
        rig.core.LoadSettingsFile();
        QVERIFY(rig.showing(odd) && rig.core.fileBlock() == odd);
        rig.change("msw1", std::string("\x03\x08", 2), false);
        const SettingsBlock edited = with(odd, 4, std::string_view("\x03\x08", 2));

        rig.core.SaveSettingsFile();
        rig.core.SendSettingsToPrinter();
        QFile saved(folder.filePath("saved.dat"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), settingsFile(*variant, edited));
        QCOMPARE(rig.written, bytesOf(edited.bytes()));
        QVERIFY(rig.core.fileBlock() == edited && rig.core.sentBlock() == edited);
        QVERIFY(!rig.sendEnabled && !rig.core.neverSent());
        rig.change("msw1", std::string("\x03\x09", 2));
        QVERIFY(rig.sendEnabled);
        rig.change("msw1", std::string("\x03\x08", 2));
        QVERIFY(!rig.sendEnabled);
        QCOMPARE(rig.unexpected(), QString());
    }
};

QTEST_GUILESS_MAIN(TestCoreFlows)
#include "tst_core_flows.moc"
