// SPDX-License-Identifier: Apache-2.0
#pragma once

// Card profiles are read and written in src/cards (cards/CardProfileFile.h);
// the programs that still name the reader here find it under this name.
#include "cards/CardProfileFile.h"

namespace kestra::cli {
using kestra::ReadCardProfileAt;
} // namespace kestra::cli
