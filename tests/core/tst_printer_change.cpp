#include "offering_flow.h"

using namespace kbs;
using namespace kbs::test;
using namespace kbs::said;

class TestPrinterChange : public RigTest {
    Q_OBJECT

private slots:
    // The questions before the selection; a send or save the user asked for that did not
    // happen ends the printer change before the selection and its reset.
    void questions_data()
    {
        QTest::addColumn<FlowCase>("flowCase");
        using enum Answer;
        using enum Copy;
        const QString send = ask(kSendBeforeChange), save = ask(kSaveBeforeChange),
                      choose = "choose file to save";
        const QList<SelectionResult> cancelled{fakes::cancelled(kPrinter)};
        const Script noNo{{kSendBeforeChange, No}, {kSaveBeforeChange, No}};
        const Script noYes{{kSendBeforeChange, No}, {kSaveBeforeChange, Yes}};

        addFlow("nothing changed", {.journal = {"select printer"},
                                    .copies = {Defaults, Defaults, Defaults},
                                    .selections = cancelled,
                                    .changed = false});
        addFlow("Cancel", {.script = {{kSendBeforeChange, Cancel}}, .journal = {send}});
        addFlow("No, No, selection cancelled",
                {.script = noNo, .journal = {send, save, "select printer"}, .selections = cancelled});
        addFlow("No, No, same printer: factory defaults",
                {.script = noNo,
                 .journal = {send, save, "select printer", "show page 0", info(kFactoryDefaultsShown),
                             "refresh form button on tab 0"},
                 .copies = {Defaults, Defaults, Defaults},
                 .selections = {fakes::chosen(kPrinter.name, kPrinter.connection)}});
        addFlow("Yes, Yes, selection cancelled",
                {.script = {{kSendBeforeChange, Yes}, {kSaveBeforeChange, Yes}},
                 .journal = QStringList{send} + jobToFerro(273) +
                            QStringList{info(kSent), save, choose, "select printer"},
                 .copies = {Changed, Changed, Changed},
                 .saveChoices = {"flow.dat"},
                 .selections = cancelled});
        addFlow("No, Yes, dialog cancelled",
                {.script = noYes, .journal = {send, save, choose}, .saveChoices = {""}});
        addFlow("No, Yes, write failed: no factory defaults",
                {.script = noYes,
                 .journal = {send, save, choose, stop(kSaveFailed)},
                 .saveChoices = {"missing/x.dat"}});
        // The failed send runs a printer change of its own, and that is the only selection.
        addFlow("Yes, send failed",
                {.script = {{kSendBeforeChange, Yes}, {kSendBeforeChange, No}, {kSaveBeforeChange, No}},
                 .journal = {send, "open queue ferro", "start raw job Knobstation Status Write",
                             "close queue", warn(kUnavailable), send, save, "select printer"},
                 .selections = cancelled,
                 .sendFails = fakes::FailAt::Start});
        addFlow("No, Yes, pending entry", {.script = noYes,
                                           .journal = {send, save, "show page 1", "pending notice on tab 1"},
                                           .pending = true});
    }
    void questions() { runFlow(holder_, &CommandCore::OnSelectPrinter); }

    // After a send and a save nothing is asked; accepting a printer, even the same one, resets
    // to the factory defaults, anything else keeps every copy.
    void selection_data()
    {
        QTest::addColumn<SelectionResult>("selection");
        QTest::addColumn<QStringList>("journal");
        QTest::addColumn<bool>("printerEnabled");
        QTest::addColumn<QString>("statusName");
        QTest::addColumn<QString>("statusConnection");
        const QStringList reset{"select printer", "show page 0", said::info(kFactoryDefaultsShown),
                                "refresh form button on tab 1"};
        QTest::newRow("OK on the same printer, the only one")
            << fakes::chosen(kPrinter.name, kPrinter.connection, 1) << reset << false << "プリンタ名： ferro"
            << "接続先： socket://192.0.2.7:9100";
        QTest::newRow("OK on another printer")
            << fakes::chosen("ferro-2", "lpd://ofc/", 3) << reset << true << "プリンタ名： ferro-2"
            << "接続先： lpd://ofc/";
        QTest::newRow("Cancel") << fakes::cancelled(kPrinter) << QStringList{"select printer"} << true
                                << "プリンタ名： ferro"
                                << "接続先： socket://192.0.2.7:9100";
        QTest::newRow("no usable printer any more")
            << fakes::noUsablePrinter() << QStringList{"select printer", "close 1"} << true
            << "プリンタ名： ferro"
            << "接続先： socket://192.0.2.7:9100";
    }
    void selection()
    {
        QFETCH(SelectionResult, selection);
        QFETCH(QStringList, journal);
        QFETCH(bool, printerEnabled);
        QFETCH(QString, statusName);
        QFETCH(QString, statusConnection);
        CoreRig& rig = holder_.make(kbs18t::variant());
        rig.startUp(fakes::chosen(kPrinter.name, kPrinter.connection, 2));
        rig.change("font1", "1");
        QVERIFY(rig.sendSucceeds() && rig.saveSucceeds(holder_.path("kept.dat")));
        const SettingsBlock edited = rig.core.editBlock();
        rig.tab = 2;
        rig.selector.expectSelection(selection);

        QCOMPARE(rig.run(&CommandCore::OnSelectPrinter), journal);
        const bool accepted = selection.end == SelectionEnd::Ok;
        QVERIFY(rig.copiesAre(accepted ? rig.defaults() : edited, edited, edited));
        QVERIFY(rig.showing(rig.core.editBlock()));
        QCOMPARE(rig.sendEnabled, accepted);
        QCOMPARE(rig.core.currentPrinter(), accepted ? selection.choice : kPrinter);
        QCOMPARE(rig.printerEnabled, printerEnabled);
        QCOMPARE(QString::fromStdString(rig.status[0]), statusName);
        QCOMPARE(QString::fromStdString(rig.status[1]), statusConnection);
        QCOMPARE(rig.selector.calls.back().preset, kPrinter);
        QVERIFY(rig.selector.calls.back().startupComplete);
    }
};

QTEST_GUILESS_MAIN(TestPrinterChange)
#include "tst_printer_change.moc"
