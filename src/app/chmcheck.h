// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the container of a compiled HTML help file (CHM) before the help library reads it: the
// file header, the directory header, every directory chunk reachable from the index root and
// along the chain of listing chunks (each within the directory, none visited twice), every
// entry of those chunks (within its chunk, a known section, its bytes within that section),
// and the records that describe the compressed section (span, reset table, control data).
//
// What it cannot check is the compressed data itself: that is only known to be sound once it
// has been decompressed. Plain C++, no Qt, no file access: it looks at the bytes it is given.
#pragma once

#include <string>
#include <string_view>

// Empty when the container is sound, else one sentence saying what is wrong ("the directory
// chunk 3 names chunk 3 as the next one").
std::string checkChmContainer(std::string_view file);
