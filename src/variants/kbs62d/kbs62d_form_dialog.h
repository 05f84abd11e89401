#pragma once

#include "model/form_dialog_table.h"

namespace kbs::kbs62d {

const FormDialogTable& formDialog();

} // namespace kbs::kbs62d
