#pragma once

// Small helpers the page widget tests share.
#include "page_fakes.h"
#include "widgets/number_box.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
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

// Every widget the user sees in `root`'s window lies inside its parent at no less than its minimum
// size, labels and buttons at their full width, no control over another, and every control has an
// object name.
inline void verifyNothingClipped(QWidget* root)
{
    for (QWidget* child : root->findChildren<QWidget*>()) {
        QWidget* parent = child->parentWidget();
        // The parts of a spin box or a list are theirs to arrange.
        if (!child->isVisibleTo(root) || child->window() != root->window() ||
            qobject_cast<QAbstractSpinBox*>(parent) || qobject_cast<QComboBox*>(parent))
            continue;
        const bool control = child->focusPolicy() != Qt::NoFocus;
        const QString name = child->objectName() + " " + child->metaObject()->className();
        QVERIFY2(!control || !child->objectName().isEmpty(), qPrintable(name));
        QVERIFY2(parent->rect().contains(child->geometry()), qPrintable(name));
        const QSize least = child->minimumSizeHint();
        QVERIFY2(child->width() >= least.width() && child->height() >= least.height(), qPrintable(name));
        if (qobject_cast<QLabel*>(child) || qobject_cast<QAbstractButton*>(child))
            QVERIFY2(child->width() >= child->sizeHint().width(), qPrintable(name));
        for (QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (control && sibling != child && sibling->isVisibleTo(root) &&
                sibling->focusPolicy() != Qt::NoFocus)
                QVERIFY2(!sibling->geometry().intersects(child->geometry()),
                         qPrintable(name + " over " + sibling->objectName()));
    }
}

// For each test's cleanup: a window the test opened must be closed again.
inline void verifyNoWindowOpen()
{
    for (const QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

} // namespace page_test_support
