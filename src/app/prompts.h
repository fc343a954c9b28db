// SPDX-License-Identifier: GPL-3.0-or-later
// The one door through which the program asks the user anything: message boxes and file
// dialogs. Tests install scripted answers, so no test ever waits on a modal window.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

class Prompts
{
public:
    enum class Answer
    {
        Ok,
        Yes,
        No,
        Cancel
    };

    virtual ~Prompts() = default;

    // One OK button; a warning or an error icon.
    virtual void warning(QWidget *parent, const QString &text) = 0;
    virtual void error(QWidget *parent, const QString &text) = 0;
    // Yes and No, or Yes, No and Cancel.
    virtual Answer question(QWidget *parent, const QString &caption, const QString &text,
                            bool withCancel) = 0;
    // Empty when the user cancels. A filter with one extension ("(*.mdb)") adds it to a name
    // typed without one.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &folder,
                                 const QString &filter, const QString &defaultSuffix) = 0;

    // One OK button and the information icon; prompts that show no other kind say it as a
    // warning.
    virtual void information(QWidget *parent, const QString &text) { warning(parent, text); }
    // Several existing files; empty when the user cancels. Prompts that choose one file at a
    // time give that one.
    virtual QStringList openFileNames(QWidget *parent, const QString &caption,
                                      const QString &folder, const QString &filter)
    {
        const QString one = openFileName(parent, caption, folder, filter);
        return one.isEmpty() ? QStringList() : QStringList{one};
    }
    // An existing folder; empty when the user cancels, or with prompts that choose no folders.
    virtual QString folderName(QWidget *, const QString &, const QString &) { return {}; }
};

// The prompts in force: real dialogs unless a test installed others.
Prompts &prompts();

// Installs other prompts (not owned); nullptr goes back to the real dialogs.
void setPrompts(Prompts *replacement);

// Whether a file chosen for writing may be written: yes when it does not exist; a file the
// program has open (`inUse`) is refused with "Can not create file. File is still in use.";
// otherwise only a Yes to "File already exists. Overwrite?" goes on.
bool mayWriteFile(QWidget *parent, const QString &path, bool inUse, bool withCancel);
