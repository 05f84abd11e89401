#pragma once

#include "core/printer_selector_port.h"

#include <QString>
#include <QTest>

namespace kbs {

// How QCOMPARE shows a printer choice that differs.
inline char* toString(const PrinterChoice& choice)
{
    return QTest::toString(QString::fromStdString("{" + choice.name + ", " + choice.connection + "}"));
}

} // namespace kbs
