#include "core_rig.h"
#include "support/as_ordinary_user.h"

#include <QTemporaryDir>

#include <sys/stat.h>

using namespace kbs;
using namespace kbs::test;

namespace {

// One command run on a kbs18r after start-up, with msw2 changed on its page and not yet
// collected, and its scripted answers. State: the copies afterwards (edit, file, printer, and
// what the pages show where it is not the edit copy: 'D' factory defaults, 'C' msw2 changed,
// 'L' good.dat), then what differs from the usual: "unchanged", "pending" (the parameter page
// holds an entry a store would not take), "fails-at-open" or "-end", "FILE:" as the printer,
// the printer selection "cancel", "same" or "other", and ">name" for each file dialog in turn
// (">" cancels it). Their folder holds good.dat, other.dat (a kbs62d file) and denied/, where
// the user may not write.
struct Flow {
    Command command;
    const char* answers;
    QStringList journal;
    QString state = "CDD";
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
        const QStringList pending{"show page 1", "pending notice on tab 1"};
        const QString askSend = ask(sendExit), askSave = ask(saveExit), askSendC = ask(sendChange),
                      askSaveC = ask(saveChange), askDefaults = box("OK/Cancel", "!", defaultsQuestion);
        const QString failed = box("OK", "x", saveFailed), denied = warn(saveDenied),
                      notOurs = warn(notSettingsFile);

        // Exit: send, then save, each asked only where that copy differs; the window closes
        // only after every send and save the user asked for happened.
        add("exit, nothing changed", {exit, "", {"close 0"}, "DDD unchanged"});
        add("exit, Cancel", {exit, "C", {askSend}});
        add("exit, No, No", {exit, "NN", {askSend, askSave, "close 0"}});
        add("exit, Yes, Yes",
            {exit, "YY", QStringList{askSend} + sentToFerro + QStringList{askSave, toSave, "close 0"},
             "CCC >x.dat"});
        add("exit, dialog cancelled",
            {exit, "YY", QStringList{askSend} + sentToFerro + QStringList{askSave, toSave}, "CDC >"});
        add("exit, write failed", {exit, "NY", {askSend, askSave, toSave, failed}, "CDD >missing/x"});
        add("exit, access refused",
            {exit, "NY", {askSend, askSave, toSave, denied, toSave}, "CDD >denied/x >"});
        // A failed send runs its own printer change; the exit goes no further.
        add("exit, send failed",
            {exit, "YNN", QStringList{askSend, "open queue ferro"} + failedSend, "CDD fails-at-open cancel"});
        add("exit, send failed, other printer",
            {exit, "YNN", QStringList{askSend, "open queue ferro"} + failedSend + reset,
             "DDD fails-at-open other"});
        add("exit, pending entry", {exit, "NY", QStringList{askSend, askSave} + pending, "CDD pending"});
        // A printer accepted, even the same one, resets to the factory defaults.
        add("same printer", {change, "NN", QStringList{askSendC, askSaveC, select} + reset, "DDD same"});
        add("change, save cancelled", {change, "NY", {askSendC, askSaveC, toSave}, "CDD >"});
        // A started job is always ended and closed; only the server's answer counts.
        add("send, end fails", {send, "NN", job(273) + failedSend, "CDD fails-at-end cancel"});
        add("send, pending entry", {send, "", pending, "DDDC pending"});
        add("send to FILE:", {send, "", {info(filePort)}, "DDDC FILE:"});
        add("save, access refused", {save, "", {toSave, denied, toSave}, "CCD >denied/x >x.dat"});
        // Loading asks only when the edit copy differs from the printer copy.
        add("load, No", {load, "N", {loadQuestion}});
        add("load, Yes", {load, "Y", {loadQuestion, toOpen, refresh}, "LLD >good.dat"});
        add("load, other program's", {load, "Y", {loadQuestion, toOpen, notOurs}, "CDD >other.dat"});
        add("factory defaults, Cancel", {defaults, "C", {askDefaults}, "DDDC"});
        add("factory defaults, OK", {defaults, "O", QStringList{askDefaults} + reset, "DDD"});
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
        const QStringList state = flow.state.split(' ');
        const PrinterChoice printer = state.contains("FILE:") ? PrinterChoice{"lp", "FILE:"} : kPrinter;
        QCOMPARE(rig.startUp(chosen(printer)),
                 QStringList({"select first printer", "refresh form button on tab 0"}));
        if (!state.contains("unchanged"))
            rig.change("msw2", std::string("\x0A\x00", 2), false);
        rig.pages[1]->pending = state.contains("pending");
        rig.failAt = state.contains("fails-at-open")  ? FailAt::Open
                     : state.contains("fails-at-end") ? FailAt::End
                                                      : FailAt::Nothing;
        if (state.contains("cancel") || state.contains("same") || state.contains("other"))
            rig.selections = {
                state.contains("cancel")
                    ? cancelled()
                    : chosen(state.contains("same") ? kPrinter : PrinterChoice{"ferro-2", "lpd://ofc/"})};
        rig.answers.assign(flow.answers, flow.answers + std::strlen(flow.answers));
        for (const QString& token : state.filter(QRegularExpression("^>")))
            rig.files.push_back(token.mid(1));

        QStringList journal;
        QVERIFY(asOrdinaryUser([&] { journal = rig.run(flow.command); }));
        QCOMPARE(journal, flow.journal);
        QCOMPARE(rig.unexpected(), QString());
        const auto copy = [&](QChar c) { return c == 'C' ? changed : c == 'L' ? loaded : rig.defaults(); };
        QVERIFY(rig.core.editBlock() == copy(state[0][0]) &&
                rig.showing(copy(state[0].size() > 3 ? state[0][3] : state[0][0])));
        QVERIFY(rig.core.fileBlock() == copy(state[0][1]));
        QVERIFY(rig.core.sentBlock() == copy(state[0][2]));
        QVERIFY(state[0][1] != 'C' || QFile(folder.filePath("x.dat")).size() == 298);
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
        QVERIFY(rig.showing(rig.defaults()) && rig.sendOn && !rig.printerOn);
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
        QVERIFY(!rig.sendOn && !rig.core.neverSent());
        rig.change("msw1", std::string("\x03\x09", 2));
        QVERIFY(rig.sendOn);
        rig.change("msw1", std::string("\x03\x08", 2));
        QVERIFY(!rig.sendOn);
        QCOMPARE(rig.unexpected(), QString());
    }
};

QTEST_GUILESS_MAIN(TestCoreFlows)
#include "tst_core_flows.moc"
