#pragma once

#include "model/model_variant.h"

namespace kbs::kbs18t {

const ModelVariant& variant();

} // namespace kbs::kbs18t
