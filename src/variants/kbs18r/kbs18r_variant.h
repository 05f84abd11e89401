#pragma once

#include "model/model_variant.h"

namespace kbs::kbs18r {

const ModelVariant& variant();

} // namespace kbs::kbs18r
