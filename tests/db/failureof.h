// SPDX-License-Identifier: GPL-3.0-or-later
// The message of the database error an action raises; empty when it raises none.
#pragma once

#include "db/dberror.h"

#include <QString>

#include <functional>

inline QString failureOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const DatabaseError &error) {
        return error.message();
    }
    return {};
}
