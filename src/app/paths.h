// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program finds its files: the help file, the starter system and the Data/ and
// Systems/ folders.
//
// Run from its CMake build tree, the program keeps everything beside its executable. Installed,
// it follows the Linux conventions: the help file lies in the installed data folder
// (<prefix>/share/tallowby/, found relative to <prefix>/bin/), and Data/ and Systems/ lie in the
// user's data folder (~/.local/share/tallowby/), so nothing is ever written beside an installed
// executable. The program never creates these folders by itself, only when a file dialog is about
// to offer one.
#pragma once

#include <QString>

// The rules for an executable in the given folder; the overloads without it apply them to the
// running program. Every folder returned ends in "/", so callers append a file name directly.

// True when the folder is the top of a CMake build tree (it holds CMakeCache.txt, which
// `cmake --install` never copies).
bool runsFromBuildTree(const QString &programFolder);
bool runsFromBuildTree();

// Full path of "tallowbyhelp.chm"; the file need not exist.
QString helpFilePath(const QString &programFolder);
QString helpFilePath();

// The folder in which history databases are kept by default.
QString dataFolder(const QString &programFolder);
QString dataFolder();

// The starter betting system the program ships: beside the executable in the build tree, in the
// installed data folder otherwise. The file need not exist.
QString starterSystemPath(const QString &programFolder);
QString starterSystemPath();

// The folder in which betting systems are kept by default.
QString systemsFolder(const QString &programFolder);
QString systemsFolder();

// Creates the folder and its parents if missing, for a dialog that offers to keep files there.
// Returns false when it does not exist afterwards. Never called at start.
bool ensureFolder(const QString &folder);

// ensureFolder for the systems folder: when it makes the folder, it also puts a copy of the
// starter system in it (when that exists), writable by the user, so that a new user finds a
// system to load. A folder that already exists is left as it is, even when the user has
// deleted the copy.
bool ensureSystemsFolder(const QString &folder, const QString &starterSystem);
