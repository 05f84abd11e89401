#include "offering_flow.h"

using namespace kbs;
using namespace kbs::test;
using namespace kbs::said;

// Exit asks whether to send, then whether to save, each only when the edit copy differs from
// that copy; the window closes only when every send or save the user asked for happened.
class TestExit : public RigTest {
    Q_OBJECT

private slots:
    void exit_data()
    {
        QTest::addColumn<FlowCase>("flowCase");
        using enum Answer;
        using enum Copy;
        const QString send = ask(kSendBeforeExit), save = ask(kSaveBeforeExit),
                      choose = "choose file to save";
        const QStringList sent = jobToFerro(273) << info(kSent);
        const Script noYes{{kSendBeforeExit, No}, {kSaveBeforeExit, Yes}};
        const Script yesYes{{kSendBeforeExit, Yes}, {kSaveBeforeExit, Yes}};
        // The failed send runs its own printer change; the exit goes no further.
        const Script sendFails{{kSendBeforeExit, Yes}, {kSendBeforeChange, No}, {kSaveBeforeChange, No}};
        const QStringList failedSend{send,
                                     "open queue ferro",
                                     warn(kUnavailable),
                                     ask(kSendBeforeChange),
                                     ask(kSaveBeforeChange),
                                     "select printer"};

        addFlow("nothing changed",
                {.journal = {"close 0"}, .copies = {Defaults, Defaults, Defaults}, .changed = false});
        addFlow("Cancel", {.script = {{kSendBeforeExit, Cancel}}, .journal = {send}});
        addFlow("No, Cancel",
                {.script = {{kSendBeforeExit, No}, {kSaveBeforeExit, Cancel}}, .journal = {send, save}});
        addFlow("No, No", {.script = {{kSendBeforeExit, No}, {kSaveBeforeExit, No}},
                           .journal = {send, save, "close 0"}});
        addFlow("Yes, Yes", {.script = yesYes,
                             .journal = QStringList{send} + sent + QStringList{save, choose, "close 0"},
                             .copies = {Changed, Changed, Changed},
                             .saveChoices = {"flow.dat"}});
        addFlow("Yes, Yes, dialog cancelled",
                {.script = yesYes,
                 .journal = QStringList{send} + sent + QStringList{save, choose},
                 .copies = {Changed, Defaults, Changed},
                 .saveChoices = {""}});
        addFlow("No, Yes, dialog cancelled",
                {.script = noYes, .journal = {send, save, choose}, .saveChoices = {""}});
        addFlow("No, Yes, write failed", {.script = noYes,
                                          .journal = {send, save, choose, stop(kSaveFailed)},
                                          .saveChoices = {"missing/x.dat"}});
        addFlow("No, Yes, access refused, then cancelled",
                {.script = noYes,
                 .journal = {send, save, choose, warn(kSaveDeniedMayLackPermission), choose},
                 .saveChoices = {"denied/x.dat", ""}});
        addFlow("Yes, send failed, printer change cancelled", {.script = sendFails,
                                                               .journal = failedSend,
                                                               .selections = {fakes::cancelled(kPrinter)},
                                                               .sendFails = fakes::FailAt::Open});
        addFlow("Yes, send failed, another printer: its factory defaults are not saved",
                {.script = sendFails,
                 .journal = failedSend + QStringList{"show page 0", info(kFactoryDefaultsShown),
                                                     "refresh form button on tab 0"},
                 .copies = {Defaults, Defaults, Defaults},
                 .selections = {fakes::chosen("ferro-2", "lpd://ofc/")},
                 .sendFails = fakes::FailAt::Open});
        addFlow("Yes, pending entry", {.script = {{kSendBeforeExit, Yes}},
                                       .journal = {send, "show page 1", "pending notice on tab 1"},
                                       .pending = true});
        addFlow("No, Yes, pending entry", {.script = noYes,
                                           .journal = {send, save, "show page 1", "pending notice on tab 1"},
                                           .pending = true});
    }
    void exit() { runFlow(holder_, &CommandCore::OnExit); }
};

QTEST_GUILESS_MAIN(TestExit)
#include "tst_exit.moc"
