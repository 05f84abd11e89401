#include "offering_flow.h"

using namespace kbs;
using namespace kbs::test;
using namespace kbs::said;

class TestPrinterChange : public QObject {
    Q_OBJECT
    RigHolder holder_;

private slots:
    void cleanup()
    {
        const QString problems = holder_.finish();
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    // The questions before the selection; a send or save the user asked for that did not
    // happen ends the printer change before the selection and its reset.
    void questions_data()
    {
        addOfferingColumns();
        using enum Answer;
        using enum Copy;
        using Selections = QList<SelectionResult>;
        const auto fine = fakes::FailAt::Nothing;
        const QString choose = "choose file to save";
        const Selections cancelled{fakes::cancelled(kPrinter)};
        const QStringList reset{"show page 0", info(kFactoryDefaultsShown), "refresh form button on tab 0"};

        QTest::newRow("nothing changed")
            << false << false << fine << Script{} << QStringList{} << cancelled
            << QStringList{"select printer"} << Copies{Defaults, Defaults, Defaults};
        QTest::newRow("Cancel") << true << false << fine << Script{{kSendBeforeChange, Cancel}}
                                << QStringList{} << Selections{} << QStringList{ask(kSendBeforeChange)}
                                << Copies{Changed, Defaults, Defaults};
        QTest::newRow("No, Cancel") << true << false << fine
                                    << Script{{kSendBeforeChange, No}, {kSaveBeforeChange, Cancel}}
                                    << QStringList{} << Selections{}
                                    << QStringList{ask(kSendBeforeChange), ask(kSaveBeforeChange)}
                                    << Copies{Changed, Defaults, Defaults};
        QTest::newRow("No, No, selection cancelled")
            << true << false << fine << Script{{kSendBeforeChange, No}, {kSaveBeforeChange, No}}
            << QStringList{} << cancelled
            << QStringList{ask(kSendBeforeChange), ask(kSaveBeforeChange), "select printer"}
            << Copies{Changed, Defaults, Defaults};
        QTest::newRow("No, No, same printer: factory defaults")
            << true << false << fine << Script{{kSendBeforeChange, No}, {kSaveBeforeChange, No}}
            << QStringList{} << Selections{fakes::chosen(kPrinter.name, kPrinter.connection)}
            << QStringList{ask(kSendBeforeChange), ask(kSaveBeforeChange), "select printer"} + reset
            << Copies{Defaults, Defaults, Defaults};
        QTest::newRow("Yes, Yes, selection cancelled")
            << true << false << fine << Script{{kSendBeforeChange, Yes}, {kSaveBeforeChange, Yes}}
            << QStringList{"flow.dat"} << cancelled
            << QStringList{ask(kSendBeforeChange)} + jobToFerro(273) +
                   QStringList{info(kSent), ask(kSaveBeforeChange), choose, "select printer"}
            << Copies{Changed, Changed, Changed};
        QTest::newRow("No, Yes, dialog cancelled")
            << true << false << fine << Script{{kSendBeforeChange, No}, {kSaveBeforeChange, Yes}}
            << QStringList{""} << Selections{}
            << QStringList{ask(kSendBeforeChange), ask(kSaveBeforeChange), choose}
            << Copies{Changed, Defaults, Defaults};
        QTest::newRow("No, Yes, write failed: no factory defaults")
            << true << false << fine << Script{{kSendBeforeChange, No}, {kSaveBeforeChange, Yes}}
            << QStringList{"missing/x.dat"} << Selections{}
            << QStringList{ask(kSendBeforeChange), ask(kSaveBeforeChange), choose, stop(kSaveFailed)}
            << Copies{Changed, Defaults, Defaults};
        QTest::newRow("No, Yes, access refused, then cancelled")
            << true << false << fine << Script{{kSendBeforeChange, No}, {kSaveBeforeChange, Yes}}
            << QStringList{"denied/x.dat", ""} << Selections{}
            << QStringList{ask(kSendBeforeChange), ask(kSaveBeforeChange), choose,
                           warn(kSaveDeniedMayLackPermission), choose}
            << Copies{Changed, Defaults, Defaults};
        // The failed send runs a printer change of its own, and that is the only selection.
        QTest::newRow("Yes, send failed")
            << true << false << fakes::FailAt::Start
            << Script{{kSendBeforeChange, Yes}, {kSendBeforeChange, No}, {kSaveBeforeChange, No}}
            << QStringList{} << cancelled << QStringList{ask(kSendBeforeChange),
                                                         "open queue ferro",
                                                         "start raw job Knobstation Status Write",
                                                         "close queue",
                                                         warn(kUnavailable),
                                                         ask(kSendBeforeChange),
                                                         ask(kSaveBeforeChange),
                                                         "select printer"}
            << Copies{Changed, Defaults, Defaults};
        QTest::newRow("Yes, pending entry")
            << true << true << fine << Script{{kSendBeforeChange, Yes}} << QStringList{} << Selections{}
            << QStringList{ask(kSendBeforeChange), "show page 1", "pending notice on tab 1"}
            << Copies{Changed, Defaults, Defaults};
        QTest::newRow("No, Yes, pending entry")
            << true << true << fine << Script{{kSendBeforeChange, No}, {kSaveBeforeChange, Yes}}
            << QStringList{} << Selections{}
            << QStringList{ask(kSendBeforeChange), ask(kSaveBeforeChange), "show page 1",
                           "pending notice on tab 1"}
            << Copies{Changed, Defaults, Defaults};
    }
    void questions() { runOfferingFlow(holder_, &CommandCore::OnSelectPrinter); }

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
