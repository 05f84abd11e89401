#include "core_rig.h"

using namespace kbs;
using namespace kbs::test;
using namespace kbs::said;

class TestFactoryDefaults : public RigTest {
    Q_OBJECT

private slots:
    // The edit copy alone goes back to the factory defaults; the file and printer copies stay.
    void factoryDefaults_data()
    {
        QTest::addColumn<const ModelVariant*>("variant");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("journal");
        const QString question = askOkCancel(kFactoryDefaultsQuestion);
        QTest::newRow("kbs18r, Cancel") << &kbs18r::variant() << Answer::Cancel << QStringList{question};
        QTest::newRow("kbs18r, OK") << &kbs18r::variant() << Answer::Ok
                                    << QStringList{question, "show page 0", info(kFactoryDefaultsShown),
                                                   "refresh form button on tab 0"};
        QTest::newRow("kbs62d, OK") << &kbs62d::variant() << Answer::Ok
                                    << QStringList{question, "show page 0", info(kFactoryDefaultsShown),
                                                   "refresh form button on tab 0"};
        QTest::newRow("kbs18t, OK") << &kbs18t::variant() << Answer::Ok
                                    << QStringList{question, "show page 0", info(kFactoryDefaultsShown),
                                                   "refresh form button on tab 1"};
    }
    void factoryDefaults()
    {
        QFETCH(const ModelVariant*, variant);
        QFETCH(Answer, answer);
        QFETCH(QStringList, journal);
        CoreRig& rig = holder_.make(*variant);
        rig.startUp();
        rig.change("font1", "2");
        QVERIFY(rig.sendSucceeds());
        rig.change("msw1", std::string("\x01\x04", 2), false); // shown, not yet collected
        rig.tab = 3;
        const SettingsBlock sent = rig.core.sentBlock();
        const SettingsBlock edited = [&] {
            SettingsBlock block = sent;
            block[4] = 0x01;
            block[5] = 0x04;
            return block;
        }();

        QCOMPARE(rig.run(&CommandCore::OnFactoryDefaults, {{kFactoryDefaultsQuestion, answer}}), journal);
        const bool reset = answer == Answer::Ok;
        QVERIFY(rig.copiesAre(reset ? rig.defaults() : sent, rig.defaults(), sent)); // nothing collects
        QVERIFY(rig.showing(reset ? rig.defaults() : edited));
        QCOMPARE(rig.tab, reset ? 0u : 3u);
        QCOMPARE(rig.sendEnabled, reset); // a reset is a change the printer has not seen
    }

    // Afterwards the exit compares with the last send and the last save, not with the defaults.
    void exitAfterFactoryDefaults_data()
    {
        QTest::addColumn<bool>("sentBefore");
        QTest::addColumn<bool>("savedBefore");
        QTest::addColumn<Script>("script");
        QTest::addColumn<QStringList>("journal");
        using enum Answer;
        QTest::newRow("neither sent nor saved") << false << false << Script{} << QStringList{"close 0"};
        QTest::newRow("sent") << true << false << Script{{kSendBeforeExit, Cancel}}
                              << QStringList{ask(kSendBeforeExit)};
        QTest::newRow("saved") << false << true << Script{{kSaveBeforeExit, Cancel}}
                               << QStringList{ask(kSaveBeforeExit)};
        QTest::newRow("sent and saved")
            << true << true << Script{{kSendBeforeExit, No}, {kSaveBeforeExit, Cancel}}
            << QStringList{ask(kSendBeforeExit), ask(kSaveBeforeExit)};
    }
    void exitAfterFactoryDefaults()
    {
        QFETCH(bool, sentBefore);
        QFETCH(bool, savedBefore);
        QFETCH(Script, script);
        QFETCH(QStringList, journal);
        CoreRig& rig = holder_.make(kbs62d::variant());
        rig.startUp();
        rig.change("msw5", std::string("\x02\x02", 2));
        QVERIFY(!sentBefore || rig.sendSucceeds());
        QVERIFY(!savedBefore || rig.saveSucceeds(holder_.path("before.dat")));
        rig.run(&CommandCore::OnFactoryDefaults, {{kFactoryDefaultsQuestion, Answer::Ok}});
        QCOMPARE(rig.run(&CommandCore::OnExit, script), journal);
    }
};

QTEST_GUILESS_MAIN(TestFactoryDefaults)
#include "tst_factory_defaults.moc"
