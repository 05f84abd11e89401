#include "core_rig.h"

using namespace kbs;
using namespace kbs::test;
using namespace kbs::said;
Q_DECLARE_METATYPE(kbs::fakes::FailAt)

class TestSend : public RigTest {
    Q_OBJECT

private slots:
    void sendCollectsTheEditCopy_data()
    {
        QTest::addColumn<const ModelVariant*>("variant");
        QTest::addColumn<QStringList>("journal");
        for (const auto& [variant, length] :
             {std::pair(&kbs18r::variant(), "273"), {&kbs62d::variant(), "190"}, {&kbs18t::variant(), "186"}})
            QTest::newRow(variant->deliverable.data())
                << variant
                << QStringList{"open queue ferro",
                               "start raw job Knobstation Status Write",
                               QString("write %1 bytes").arg(length),
                               "end job",
                               "close queue",
                               info(kSent)};
    }
    // A file in which every byte no page owns differs from the factory defaults is loaded and
    // changed, and the whole edit copy goes out, those bytes unchanged.
    void sendCollectsTheEditCopy()
    {
        QFETCH(const ModelVariant*, variant);
        QFETCH(QStringList, journal);
        CoreRig& rig = holder_.make(*variant);
        rig.startUp();
        std::vector<bool> owned(variant->blockLength, false);
        for (const FieldSpec& field : variant->fields)
            if (field.owner != PageId::None)
                std::fill_n(owned.begin() + long(field.offset), field.width, true);
        SettingsBlock loaded = rig.defaults();
        for (std::size_t offset = 0; offset < loaded.size(); ++offset)
            loaded[offset] = std::uint8_t(loaded[offset] ^ (owned[offset] ? 0 : 0xA5));
        QVERIFY(std::ranges::count(owned, false) > 30 &&
                writeFile(holder_.path("odd.dat"), settingsFile(*variant, loaded)));
        rig.chooser.expectOpen(holder_.path("odd.dat").toStdString());
        rig.core.LoadSettingsFile();

        rig.change("msw1", std::string("\x03\x08", 2), false); // the send must collect it
        QCOMPARE(rig.run(&CommandCore::SendSettingsToPrinter), journal);
        const QByteArray sent = bytesOf(rig.spooler.lastWrite);
        QCOMPARE(sent, bytesOf(rig.core.editBlock().bytes()));
        QCOMPARE(sent.mid(4, 2), QByteArray("\x03\x08", 2));
        for (std::size_t offset = 0; offset < loaded.size(); ++offset)
            QVERIFY(owned[offset] || std::uint8_t(sent.at(qsizetype(offset))) == loaded[offset]);
        QVERIFY(rig.copiesAre(rig.core.editBlock(), loaded, rig.core.editBlock()));
        QVERIFY(!rig.sendEnabled && !rig.core.neverSent());

        // A change enables the send again; changing it back to what was sent disables it.
        rig.change("msw1", std::string("\x03\x09", 2));
        QVERIFY(rig.sendEnabled);
        rig.change("msw1", std::string("\x03\x08", 2));
        QVERIFY(!rig.sendEnabled);
    }

    // The failure is followed by a printer change, which asks its own questions.
    void failedSend_data()
    {
        QTest::addColumn<fakes::FailAt>("failAt");
        QTest::addColumn<QStringList>("journal");
        const QStringList afterwards{warn(kUnavailable), ask(kSendBeforeChange), ask(kSaveBeforeChange),
                                     "select printer"};
        QTest::newRow("open") << fakes::FailAt::Open << QStringList{"open queue ferro"} + afterwards;
        QTest::newRow("start") << fakes::FailAt::Start
                               << QStringList{"open queue ferro", "start raw job Knobstation Status Write",
                                              "close queue"} +
                                      afterwards;
        // A started job is always ended.
        const QStringList wholeJob{"open queue ferro", "start raw job Knobstation Status Write",
                                   "write 273 bytes", "end job", "close queue"};
        QTest::newRow("write") << fakes::FailAt::Write << wholeJob + afterwards;
        QTest::newRow("end") << fakes::FailAt::End << wholeJob + afterwards;
    }
    void failedSend()
    {
        QFETCH(fakes::FailAt, failAt);
        QFETCH(QStringList, journal);
        CoreRig& rig = holder_.make(kbs18r::variant());
        rig.startUp();
        rig.change("font1", "2");
        rig.spooler.failAt = failAt;
        rig.selector.expectSelection(fakes::cancelled(kPrinter));
        QCOMPARE(rig.run(&CommandCore::SendSettingsToPrinter,
                         {{kSendBeforeChange, Answer::No}, {kSaveBeforeChange, Answer::No}}),
                 journal);
        QCOMPARE(rig.selector.calls.back().preset, kPrinter);
        QVERIFY(rig.core.sentBlock() == rig.defaults() && rig.sendEnabled && rig.core.neverSent());
    }

    // Only the exact text "FILE:" is a printer that prints to a file.
    void filePort_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QStringList>("journal");
        QTest::newRow("FILE:") << "FILE:" << QStringList{info(kFilePort)};
        QTest::newRow("file:") << "file:"
                               << QStringList{"open queue lp",   "start raw job Knobstation Status Write",
                                              "write 190 bytes", "end job",
                                              "close queue",     info(kSent)};
    }
    void filePort()
    {
        QFETCH(QString, connection);
        QFETCH(QStringList, journal);
        CoreRig& rig = holder_.make(kbs62d::variant());
        rig.startUp(fakes::chosen("lp", connection.toStdString()));
        QCOMPARE(rig.run(&CommandCore::SendSettingsToPrinter), journal);
        QCOMPARE(rig.core.neverSent(), journal.size() == 1);
    }

    // The page with an entry a store would not take comes forward with its notice, and nothing
    // is sent until it is corrected.
    void pendingEntryStopsSend_data()
    {
        QTest::addColumn<const ModelVariant*>("variant");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("selectedTab");
        QTest::addColumn<QStringList>("journal");
        QTest::newRow("kbs18r") << &kbs18r::variant() << int(PageId::Param) << 4
                                << QStringList{"show page 1", "pending notice on tab 1"};
        QTest::newRow("kbs62d, parameter tab shown")
            << &kbs62d::variant() << int(PageId::Param) << 1 << QStringList{"pending notice on tab 1"};
        QTest::newRow("kbs18t") << &kbs18t::variant() << int(PageId::Param) << 0
                                << QStringList{"show page 2", "pending notice on tab 2"};
        QTest::newRow("kbs18t form tab") << &kbs18t::variant() << int(PageId::Form) << 2
                                         << QStringList{"show page 1", "pending notice on tab 1"};
    }
    void pendingEntryStopsSend()
    {
        QFETCH(const ModelVariant*, variant);
        QFETCH(int, page);
        QFETCH(int, selectedTab);
        QFETCH(QStringList, journal);
        CoreRig& rig = holder_.make(*variant);
        rig.startUp();
        rig.change("msw2", std::string("\x01\x01", 2));
        rig.pageOf(PageId(page)).pendingEntry = true;
        rig.tab = std::size_t(selectedTab);
        QCOMPARE(rig.run(&CommandCore::SendSettingsToPrinter), journal);
        QVERIFY(rig.copiesAre(rig.core.editBlock(), rig.defaults(), rig.defaults()) && rig.core.neverSent());
        rig.pageOf(PageId(page)).pendingEntry = false; // corrected by the user
        QVERIFY(rig.sendSucceeds());
    }
};

QTEST_GUILESS_MAIN(TestSend)
#include "tst_send.moc"
