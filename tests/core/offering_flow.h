#pragma once

#include "core_rig.h"

#include <sys/stat.h>
#include <unistd.h>

// The exit and the printer change offer to send and to save before they go on. Both tests use
// one table layout: what the user changed, answers, choices, and the journal to expect.
namespace kbs::test {

enum class Copy { Defaults, Changed }; // the factory defaults, or the block the user changed
struct Copies {
    Copy edit, file, sent;
};

inline void addOfferingColumns()
{
    QTest::addColumn<bool>("changed");            // msw2 changed on its page, left for the flow to collect
    QTest::addColumn<bool>("pending");            // the parameter page holds a pending entry
    QTest::addColumn<fakes::FailAt>("sendFails"); // where the spooler fails a send
    QTest::addColumn<Script>("script");
    QTest::addColumn<QStringList>("saveChoices"); // in the temporary folder; "": cancelled
    QTest::addColumn<QList<SelectionResult>>("selections");
    QTest::addColumn<QStringList>("journal");
    QTest::addColumn<Copies>("copies");
}

// Runs `flow` on a kbs18r after start-up as the current row describes and checks the journal
// and the copies. Runs as the user nobody where the test runs as root, so that a folder
// without write permission refuses the save.
inline void runOfferingFlow(RigHolder& holder, Command flow)
{
    QFETCH(bool, changed);
    QFETCH(bool, pending);
    QFETCH(fakes::FailAt, sendFails);
    QFETCH(Script, script);
    QFETCH(QStringList, saveChoices);
    QFETCH(QList<SelectionResult>, selections);
    QFETCH(QStringList, journal);
    QFETCH(Copies, copies);

    CoreRig& rig = holder.make(kbs18r::variant());
    rig.startUp();
    if (changed)
        rig.change("msw2", std::string("\x0A\x00", 2), false);
    rig.pageOf(PageId::Param).pendingEntry = pending;
    rig.spooler.failAt = sendFails;
    for (const SelectionResult& selection : selections)
        rig.selector.expectSelection(selection);
    for (const QString& choice : saveChoices)
        rig.chooser.expectSave(choice.isEmpty() ? std::nullopt
                                                : std::optional(holder.path(choice).toStdString()));
    const QByteArray folder = QFile::encodeName(holder.folder());
    QVERIFY(::chmod(folder, 0777) == 0 && ::mkdir(folder + "/denied", 0555) == 0);

    const bool root = ::getuid() == 0;
    QVERIFY(!root || (::setegid(65534) == 0 && ::seteuid(65534) == 0));
    const QStringList events = rig.run(flow, script);
    QVERIFY(!root || (::seteuid(0) == 0 && ::setegid(0) == 0));
    QCOMPARE(events, journal);

    SettingsBlock changedBlock = rig.defaults(); // msw2 is bytes 7 and 8
    changedBlock[7] = 0x0A;
    changedBlock[8] = 0x00;
    const auto block = [&](Copy copy) { return copy == Copy::Changed ? changedBlock : rig.defaults(); };
    QVERIFY(rig.copiesAre(block(copies.edit), block(copies.file), block(copies.sent)));
    QVERIFY(rig.showing(rig.core.editBlock()));
}

} // namespace kbs::test

Q_DECLARE_METATYPE(kbs::test::Copies)
Q_DECLARE_METATYPE(kbs::fakes::FailAt)
