#pragma once

// The main window on scripted ports, shared by the window tests.
#include "app/main_dlg.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QCoreApplication>
#include <QStringList>

namespace kbs::test {

inline const ModelVariant& variantNamed(const QString& deliverable)
{
    for (const ModelVariant* variant : {&kbs18r::variant(), &kbs62d::variant(), &kbs18t::variant()})
        if (deliverable == QString::fromUtf8(variant->deliverable))
            return *variant;
    qFatal("no program %s", qPrintable(deliverable));
}

// Chooses the printer at start-up and cancels later selections; opens no file and no queue;
// notes the texts of message boxes, which take `answer` unless they
// have only OK.
class Window : public CMainDlg, PrinterSelectorPort, SpoolerPort, FileChooserPort {
public:
    explicit Window(const QString& deliverable,
                    const QString& programDirectory = QCoreApplication::applicationDirPath())
        : CMainDlg(variantNamed(deliverable), programDirectory)
    {
        initialise({*this, *this, *this});
        show();
    }
    Answer showMessage(std::string_view text, std::string_view, ButtonSet buttons, MessageIcon) override
    {
        texts << QString::fromUtf8(text);
        return buttons == ButtonSet::Ok ? Answer::Ok : answer;
    }
    SelectionResult runSelection(const PrinterChoice&, bool startupComplete) override
    {
        return {startupComplete ? SelectionEnd::Cancel : SelectionEnd::Ok, {"Q18_office", "socket://q"}, 2};
    }
    std::unique_ptr<OpenQueue> openForUse(std::string_view) override { return ++opens, nullptr; }
    std::optional<std::string> chooseFileToOpen(std::string_view) override { return std::nullopt; }
    std::optional<std::string> chooseFileToSave(std::string_view) override { return std::nullopt; }

    int opens = 0;
    QStringList texts;
    Answer answer = Answer::Cancel;
};

} // namespace kbs::test
