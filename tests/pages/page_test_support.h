#pragma once

// Small helpers the page widget tests share.
#include "widgets/number_box.h"

#include <QApplication>
#include <QComboBox>
#include <QtTest>

#include <string_view>

namespace page_test_support {

inline QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// Replaces the box's text by typing into it with the keyboard focus; no keys clear it.
inline void typeInto(kbs::NumberBox* box, const QString& keys)
{
    box->setFocus();
    box->selectAll();
    if (keys.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, keys);
}

// Changes a choice as the user would: a list moves to a neighbouring entry by the arrow keys, a
// radio button is clicked.
inline void changeChoice(QWidget* choice)
{
    if (auto* list = qobject_cast<QComboBox*>(choice)) {
        list->setFocus();
        QTest::keyClick(list, list->currentIndex() + 1 < list->count() ? Qt::Key_Down : Qt::Key_Up);
    } else {
        QTest::mouseClick(choice, Qt::LeftButton);
    }
}

// For each test's cleanup: a window the test opened must be closed again.
inline void verifyNoWindowOpen()
{
    for (const QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

} // namespace page_test_support
