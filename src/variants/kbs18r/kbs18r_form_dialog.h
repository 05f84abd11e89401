#pragma once

#include "model/form_dialog_table.h"

namespace kbs::kbs18r {

const FormDialogTable& formDialog();

} // namespace kbs::kbs18r
