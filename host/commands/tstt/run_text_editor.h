// Opens the single-line text editor on the records, modally, with the
// host's main frame as parent.
#pragma once

#include <vector>

#include "host/entity_ops/text_properties.h"

namespace tarsil {

void RunTextEditor(std::vector<CTextProperties> records);

}  // namespace tarsil
