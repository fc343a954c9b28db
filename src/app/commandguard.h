// SPDX-License-Identifier: GPL-3.0-or-later
// The general error report: runs one command; an error raised inside it is shown to the user,
// the rest of the command is skipped and what was already done stays done.
#pragma once

#include <functional>

class QWidget;

// Returns false when the command failed (its message has been shown).
bool runCommand(QWidget *parent, const std::function<void()> &command);
