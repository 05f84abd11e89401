#include "core_rig.h"

using namespace kbs;
using namespace kbs::test;

class TestStartUp : public RigTest {
    Q_OBJECT

private slots:
    // The pages are filled from the factory defaults, the printer is chosen without a question,
    // and last the form button is refreshed.
    void startUp_data()
    {
        QTest::addColumn<const ModelVariant*>("variant");
        QTest::addColumn<unsigned>("listed");
        QTest::addColumn<QStringList>("journal");
        QTest::newRow("kbs18r, one printer listed")
            << &kbs18r::variant() << 1u << QStringList{"select printer", "refresh form button on tab 0"};
        QTest::newRow("kbs62d, two printers listed")
            << &kbs62d::variant() << 2u << QStringList{"select printer", "refresh form button on tab 0"};
        QTest::newRow("kbs18t, three printers listed")
            << &kbs18t::variant() << 3u << QStringList{"select printer", "refresh form button on tab 1"};
    }
    void startUp()
    {
        QFETCH(const ModelVariant*, variant);
        QFETCH(unsigned, listed);
        QFETCH(QStringList, journal);
        CoreRig& rig = holder_.make(*variant);
        QCOMPARE(rig.startUp(fakes::chosen(kPrinter.name, kPrinter.connection, listed)), journal);
        QVERIFY(rig.copiesAre(rig.defaults(), rig.defaults(), rig.defaults()));
        QVERIFY(rig.showing(rig.defaults()));
        QVERIFY(rig.sendEnabled); // nothing sent yet
        QVERIFY(rig.core.startupComplete() && rig.core.neverSent());
        QCOMPARE(rig.printerEnabled, listed > 1);
        QCOMPARE(rig.status[0], "プリンタ名： ferro");
        QCOMPARE(rig.status[1], "接続先： socket://192.0.2.7:9100");
        QCOMPARE(rig.core.currentPrinter(), kPrinter);
        QCOMPARE(rig.selector.calls.size(), 1u);
        QVERIFY(rig.selector.calls[0].preset.empty() && !rig.selector.calls[0].startupComplete);
    }

    void startUpEndingProgram_data()
    {
        QTest::addColumn<SelectionResult>("selection");
        QTest::addColumn<QStringList>("journal");
        QTest::newRow("cancel with no printer chosen")
            << fakes::cancelled({}) << QStringList{"select printer", "close 0"};
        QTest::newRow("cancel after a refused FILE: printer")
            << fakes::cancelled({"lp", "FILE:"}) << QStringList{"select printer", "close 0"};
        QTest::newRow("no usable printer")
            << fakes::noUsablePrinter() << QStringList{"select printer", "close 1"};
    }
    void startUpEndingProgram()
    {
        QFETCH(SelectionResult, selection);
        QFETCH(QStringList, journal);
        CoreRig& rig = holder_.make(kbs62d::variant());
        QCOMPARE(rig.startUp(selection), journal);
        QVERIFY(!rig.core.startupComplete());
        rig.change("msw1", std::string("\x01\x00", 2), false);
        for (Command command :
             {&CommandCore::OnDataCheck, &CommandCore::OnExit, &CommandCore::SendSettingsToPrinter,
              &CommandCore::SaveSettingsFile, &CommandCore::LoadSettingsFile, &CommandCore::OnSelectPrinter,
              &CommandCore::OnFactoryDefaults})
            QCOMPARE(rig.run(command), QStringList()); // nothing runs once the window was told to close
    }
};

QTEST_GUILESS_MAIN(TestStartUp)
#include "tst_startup.moc"
