// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one setting: the hand-history folder it watches, remembered for the next start
// in ~/.config/tallowby/tallowby.conf (under $XDG_CONFIG_HOME when that is set).
#pragma once

#include <QString>

// The folder watched when the program last ended; empty when none was.
QString rememberedHandHistoryFolder();
// Remembers the folder; an empty one forgets it.
void rememberHandHistoryFolder(const QString &folder);
