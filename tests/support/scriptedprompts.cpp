// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptedprompts.h"

void ScriptedPrompts::warning(QWidget *, const QString &text)
{
    messages.append({Message::Warning, {}, text});
}

void ScriptedPrompts::error(QWidget *, const QString &text)
{
    messages.append({Message::Error, {}, text});
}

Prompts::Answer ScriptedPrompts::question(QWidget *, const QString &caption, const QString &text,
                                          bool)
{
    messages.append({Message::Question, caption, text});
    return answers.isEmpty() ? Answer::No : answers.dequeue();
}

QString ScriptedPrompts::openFileName(QWidget *, const QString &caption, const QString &folder,
                                      const QString &)
{
    fileCaptions.append(caption);
    fileFolders.append(folder);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QString ScriptedPrompts::saveFileName(QWidget *, const QString &caption, const QString &folder,
                                      const QString &, const QString &)
{
    fileCaptions.append(caption);
    fileFolders.append(folder);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

void ScriptedPrompts::information(QWidget *, const QString &text)
{
    messages.append({Message::Information, {}, text});
}

QStringList ScriptedPrompts::openFileNames(QWidget *, const QString &caption, const QString &folder,
                                           const QString &)
{
    fileCaptions.append(caption);
    fileFolders.append(folder);
    QStringList chosen;
    while (!fileNames.isEmpty()) {
        const QString name = fileNames.dequeue();
        if (name.isEmpty())
            break;
        chosen.append(name);
    }
    return chosen;
}

QString ScriptedPrompts::folderName(QWidget *, const QString &caption, const QString &folder)
{
    fileCaptions.append(caption);
    fileFolders.append(folder);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QStringList ScriptedPrompts::texts() const
{
    QStringList result;
    for (const Message &m : messages)
        result.append(m.text);
    return result;
}

void ScriptedPrompts::clear()
{
    messages.clear();
    answers.clear();
    fileNames.clear();
    fileCaptions.clear();
    fileFolders.clear();
}
