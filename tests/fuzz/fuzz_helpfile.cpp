// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the container check of help files, on whole files.
#include "app/chmcheck.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    checkChmContainer({reinterpret_cast<const char *>(data), size});
    return 0;
}
