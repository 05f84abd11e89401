#pragma once

#include "model/model_variant.h"

namespace kbs::kbs62d {

const ModelVariant& variant();

} // namespace kbs::kbs62d
