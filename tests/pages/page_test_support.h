#pragma once

// Small helpers the page widget tests share.
#include "page_fakes.h"
#include "pagedata/field_lookup.h"
#include "pages/page_factory.h"
#include "widgets/number_box.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>
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

// A page in a window of its own, as the main window sets it up: loaded with the factory defaults,
// its form button refreshed, shown; activate() waits until it has the focus.
struct PageRig {
    PageRig(const kbs::ModelVariant& program, kbs::PageId id)
        : variant(program), page(kbs::createPage({variant, messages, dialogs}, id, nullptr))
    {
        page->LoadBlock(kbs::SettingsBlock(variant.factoryDefaults));
        page->RefreshFormButton();
        page->show();
        dataChecks.emplace(page.get(), &kbs::PageWidget::dataCheckRequested);
    }
    bool activate() { return QTest::qWaitForWindowActive(page.get()); }
    kbs::NumberBox* box(const char* name) const { return page->findChild<kbs::NumberBox*>(name); }
    void type(const char* name, const QString& keys) const { typeInto(box(name), keys); }
    // What the page stores into a block of the factory defaults.
    kbs::SettingsBlock stored() const
    {
        kbs::SettingsBlock block(variant.factoryDefaults);
        page->StoreBlock(block);
        return block;
    }
    QByteArray bytes(const kbs::SettingsBlock& block, const char* field) const
    {
        const kbs::FieldSpec& layout = kbs::fieldNamed(variant.fields, field);
        return QByteArray(reinterpret_cast<const char*>(block.data() + layout.offset),
                          qsizetype(layout.width));
    }
    QByteArray stored(const char* field) const { return bytes(stored(), field); }

    const kbs::ModelVariant& variant;
    page_fakes::FakeMessages messages;
    page_fakes::FakeDialogs dialogs;
    std::unique_ptr<kbs::PageWidget> page;
    std::optional<QSignalSpy> dataChecks;
};

} // namespace page_test_support
