#pragma once

#include "model/form_dialog_table.h"

namespace kbs::kbs18t {

const FormDialogTable& formDialog();

} // namespace kbs::kbs18t
