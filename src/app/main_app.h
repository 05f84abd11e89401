#pragma once

#include "app/runtime_directory.h"
#include "model/model_variant.h"

#include <utility>

namespace kbs {

// The application object: one instance per user and program name, the Japanese standard
// texts and the dialog font, then the main window until it closes.
class CMainApp {
public:
    CMainApp(const ModelVariant& variant, RuntimeDirectory runtime)
        : variant_(variant), runtime_(std::move(runtime))
    {
    }

    // Needs a QApplication. Returns the program's exit status: 0 after handing over to an
    // instance that already runs, else the status the main window closed with.
    int run();

private:
    const ModelVariant& variant_;
    RuntimeDirectory runtime_;
};

// The whole program for one variant: what each executable's main calls.
int runApplication(const ModelVariant& variant, int argc, char** argv);

} // namespace kbs
