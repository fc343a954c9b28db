// SPDX-License-Identifier: GPL-3.0-or-later
// The program as it stands after start, for the tests that drive its windows: prompts scripted,
// the long-lived windows made, the main window shown; and its menu items by name.
#pragma once

#include "app/startup.h"
#include "app/tallowby.h"
#include "scriptedprompts.h"

#include <QAction>
#include <QString>

struct RunningProgram
{
    ScriptedPrompts prompts;
    LongLivedWindows windows;
    RunningProgram() { FormTallowby->show(); }
};

inline QAction *menuItem(const char *name)
{
    return FormTallowby->findChild<QAction *>(QString::fromLatin1(name));
}
