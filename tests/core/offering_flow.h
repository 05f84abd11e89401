#pragma once

#include "core_rig.h"

#include <sys/stat.h>
#include <unistd.h>

// The exit and the printer change offer to send and to save before they go on; their tests
// share one row layout and one runner.
namespace kbs::test {

enum class Copy { Defaults, Changed }; // the factory defaults, or the block with msw2 changed
struct Copies {
    Copy edit, file, sent;
};

struct FlowCase {
    Script script = {};
    QStringList journal = {};
    Copies copies{Copy::Changed, Copy::Defaults, Copy::Defaults};
    QStringList saveChoices = {}; // in the temporary folder; "": cancelled
    QList<SelectionResult> selections = {};
    fakes::FailAt sendFails = fakes::FailAt::Nothing;
    bool pending = false; // the parameter page holds a pending entry
    bool changed = true;  // msw2 changed on its page, left for the flow to collect
};

inline void addFlow(const char* name, const FlowCase& flowCase)
{
    QTest::newRow(name) << flowCase;
}

// Runs `flow` on a kbs18r after start-up as the row describes, and checks the journal and the
// copies. Runs as the user nobody where the test runs as root, so that a folder without write
// permission refuses the save.
inline void runFlow(RigHolder& holder, Command flow)
{
    QFETCH(FlowCase, flowCase);
    CoreRig& rig = holder.make(kbs18r::variant());
    rig.startUp();
    if (flowCase.changed)
        rig.change("msw2", std::string("\x0A\x00", 2), false);
    rig.pageOf(PageId::Param).pendingEntry = flowCase.pending;
    rig.spooler.failAt = flowCase.sendFails;
    for (const SelectionResult& selection : flowCase.selections)
        rig.selector.expectSelection(selection);
    for (const QString& choice : flowCase.saveChoices)
        rig.chooser.expectSave(choice.isEmpty() ? std::nullopt
                                                : std::optional(holder.path(choice).toStdString()));
    const QByteArray folder = QFile::encodeName(holder.folder());
    QVERIFY(::chmod(folder, 0777) == 0 && ::mkdir(folder + "/denied", 0555) == 0);

    const bool root = ::getuid() == 0;
    QVERIFY(!root || (::setegid(65534) == 0 && ::seteuid(65534) == 0));
    const QStringList events = rig.run(flow, flowCase.script);
    QVERIFY(!root || (::seteuid(0) == 0 && ::setegid(0) == 0));
    QCOMPARE(events, flowCase.journal);

    SettingsBlock changed = rig.defaults(); // msw2 is bytes 7 and 8
    changed[7] = 0x0A;
    changed[8] = 0x00;
    const auto block = [&](Copy copy) { return copy == Copy::Changed ? changed : rig.defaults(); };
    const Copies& copies = flowCase.copies;
    QVERIFY(rig.copiesAre(block(copies.edit), block(copies.file), block(copies.sent)));
    QVERIFY(rig.showing(rig.core.editBlock()));
}

} // namespace kbs::test

Q_DECLARE_METATYPE(kbs::test::FlowCase)
