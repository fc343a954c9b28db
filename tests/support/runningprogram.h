// SPDX-License-Identifier: GPL-3.0-or-later
// The program as it stands after start, for the tests that drive its windows: prompts scripted,
// the long-lived windows made, the main window shown; and its menu items by name.
#pragma once

#include "app/startup.h"
#include "app/tallowby.h"
#include "panel/selcards.h"
#include "scriptedprompts.h"

#include <QAction>
#include <QApplication>
#include <QString>
#include <QTest>

struct RunningProgram
{
    ScriptedPrompts prompts;
    LongLivedWindows windows;
    RunningProgram()
    {
        FormTallowby->show();
        // Start-up ends with the card panel taking the keyboard; only then may a test move it.
        (void)QTest::qWaitFor([] { return QApplication::activeWindow() == FormSelCards; });
    }
};

inline QAction *menuItem(const char *name)
{
    return FormTallowby->findChild<QAction *>(QString::fromLatin1(name));
}
