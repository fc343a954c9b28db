// SPDX-License-Identifier: GPL-3.0-or-later
// The general error report: runs one command; an error raised inside it is shown to the user,
// the rest of the command is skipped and what was already done stays done.
#pragma once

#include <functional>

class QWidget;

// Returns false when the command failed (its message has been shown).
bool runCommand(QWidget *parent, const std::function<void()> &command);

// The same for the reads that follow every card click, which fail together and again on every
// click while their file is locked or damaged: a failure is shown only when the last command on
// the same `file` ("history", "system") succeeded, so a run of failures shows one message.
bool runCardCommand(QWidget *parent, const char *file, const std::function<void()> &command);
