#pragma once

#include "model/model_variant.h"

#include <QString>

namespace kbs {

class PrinterListSource;
class SingleInstance;

// The application object: the Japanese standard texts and the dialog font, then the main
// window until it closes.
class CMainApp {
public:
    explicit CMainApp(const ModelVariant& variant) : variant_(variant) {}

    // Needs a QApplication and the instance lock held; returns the status the main window
    // closed with. `programDirectory` is the folder of the command the user started.
    int run(SingleInstance& instance, PrinterListSource& printers, const QString& programDirectory);

private:
    const ModelVariant& variant_;
};

// The whole window program for one variant: what each main calls. A second start hands over
// to the running instance and ends with status 0 before Qt's GUI starts.
int runApplication(const ModelVariant& variant, int argc, char** argv);

} // namespace kbs
