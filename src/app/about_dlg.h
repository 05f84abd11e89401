#pragma once

#include "model/model_variant.h"

#include <QDialog>

namespace kbs {

// The version dialog: the program icon, the program's name, the variant's model and
// version lines in a group frame, the maker's notice and an OK button.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    CAboutDlg(const ModelVariant& variant, const QIcon& icon, QWidget* parent);
};

} // namespace kbs
