#include "offering_flow.h"

using namespace kbs;
using namespace kbs::test;
using namespace kbs::said;

// Exit asks whether to send, then whether to save, each only when the edit copy differs from
// that copy; the window closes only when every send or save the user asked for happened.
class TestExit : public QObject {
    Q_OBJECT
    RigHolder holder_;

private slots:
    void cleanup()
    {
        const QString problems = holder_.finish();
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void exit_data()
    {
        addOfferingColumns();
        using enum Answer;
        using enum Copy;
        using Selections = QList<SelectionResult>;
        const auto fine = fakes::FailAt::Nothing;
        const QString choose = "choose file to save";
        const QStringList sent = jobToFerro(273) << info(kSent);

        QTest::newRow("nothing changed")
            << false << false << fine << Script{} << QStringList{} << Selections{} << QStringList{"close 0"}
            << Copies{Defaults, Defaults, Defaults};
        QTest::newRow("Cancel") << true << false << fine << Script{{kSendBeforeExit, Cancel}} << QStringList{}
                                << Selections{} << QStringList{ask(kSendBeforeExit)}
                                << Copies{Changed, Defaults, Defaults};
        QTest::newRow("No, Cancel") << true << false << fine
                                    << Script{{kSendBeforeExit, No}, {kSaveBeforeExit, Cancel}}
                                    << QStringList{} << Selections{}
                                    << QStringList{ask(kSendBeforeExit), ask(kSaveBeforeExit)}
                                    << Copies{Changed, Defaults, Defaults};
        QTest::newRow("No, No") << true << false << fine
                                << Script{{kSendBeforeExit, No}, {kSaveBeforeExit, No}} << QStringList{}
                                << Selections{}
                                << QStringList{ask(kSendBeforeExit), ask(kSaveBeforeExit), "close 0"}
                                << Copies{Changed, Defaults, Defaults};
        QTest::newRow("Yes, Yes") << true << false << fine
                                  << Script{{kSendBeforeExit, Yes}, {kSaveBeforeExit, Yes}}
                                  << QStringList{"flow.dat"} << Selections{}
                                  << QStringList{ask(kSendBeforeExit)} + sent +
                                         QStringList{ask(kSaveBeforeExit), choose, "close 0"}
                                  << Copies{Changed, Changed, Changed};
        QTest::newRow("Yes, Yes, dialog cancelled")
            << true << false << fine << Script{{kSendBeforeExit, Yes}, {kSaveBeforeExit, Yes}}
            << QStringList{""} << Selections{}
            << QStringList{ask(kSendBeforeExit)} + sent + QStringList{ask(kSaveBeforeExit), choose}
            << Copies{Changed, Defaults, Changed};
        QTest::newRow("No, Yes, dialog cancelled")
            << true << false << fine << Script{{kSendBeforeExit, No}, {kSaveBeforeExit, Yes}}
            << QStringList{""} << Selections{}
            << QStringList{ask(kSendBeforeExit), ask(kSaveBeforeExit), choose}
            << Copies{Changed, Defaults, Defaults};
        QTest::newRow("No, Yes, write failed")
            << true << false << fine << Script{{kSendBeforeExit, No}, {kSaveBeforeExit, Yes}}
            << QStringList{"missing/x.dat"} << Selections{}
            << QStringList{ask(kSendBeforeExit), ask(kSaveBeforeExit), choose, stop(kSaveFailed)}
            << Copies{Changed, Defaults, Defaults};
        QTest::newRow("No, Yes, access refused, then cancelled")
            << true << false << fine << Script{{kSendBeforeExit, No}, {kSaveBeforeExit, Yes}}
            << QStringList{"denied/x.dat", ""} << Selections{}
            << QStringList{ask(kSendBeforeExit), ask(kSaveBeforeExit), choose,
                           warn(kSaveDeniedMayLackPermission), choose}
            << Copies{Changed, Defaults, Defaults};
        // The failed send runs its own printer change; the exit goes no further.
        QTest::newRow("Yes, send failed, printer change cancelled")
            << true << false << fakes::FailAt::Open
            << Script{{kSendBeforeExit, Yes}, {kSendBeforeChange, No}, {kSaveBeforeChange, No}}
            << QStringList{} << Selections{fakes::cancelled(kPrinter)}
            << QStringList{ask(kSendBeforeExit),   "open queue ferro",     warn(kUnavailable),
                           ask(kSendBeforeChange), ask(kSaveBeforeChange), "select printer"}
            << Copies{Changed, Defaults, Defaults};
        QTest::newRow("Yes, send failed, another printer: its factory defaults are not saved")
            << true << false << fakes::FailAt::Write
            << Script{{kSendBeforeExit, Yes}, {kSendBeforeChange, No}, {kSaveBeforeChange, No}}
            << QStringList{} << Selections{fakes::chosen("ferro-2", "lpd://ofc/")}
            << QStringList{ask(kSendBeforeExit),
                           "open queue ferro",
                           "start raw job Knobstation Status Write",
                           "write 273 bytes",
                           "end job",
                           "close queue",
                           warn(kUnavailable),
                           ask(kSendBeforeChange),
                           ask(kSaveBeforeChange),
                           "select printer",
                           "show page 0",
                           info(kFactoryDefaultsShown),
                           "refresh form button on tab 0"}
            << Copies{Defaults, Defaults, Defaults};
        QTest::newRow("Yes, pending entry")
            << true << true << fine << Script{{kSendBeforeExit, Yes}} << QStringList{} << Selections{}
            << QStringList{ask(kSendBeforeExit), "show page 1", "pending notice on tab 1"}
            << Copies{Changed, Defaults, Defaults};
        QTest::newRow("No, Yes, pending entry")
            << true << true << fine << Script{{kSendBeforeExit, No}, {kSaveBeforeExit, Yes}} << QStringList{}
            << Selections{}
            << QStringList{ask(kSendBeforeExit), ask(kSaveBeforeExit), "show page 1",
                           "pending notice on tab 1"}
            << Copies{Changed, Defaults, Defaults};
    }
    void exit() { runOfferingFlow(holder_, &CommandCore::OnExit); }
};

QTEST_GUILESS_MAIN(TestExit)
#include "tst_exit.moc"
