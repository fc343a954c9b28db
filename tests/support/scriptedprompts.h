// SPDX-License-Identifier: GPL-3.0-or-later
// Prompts for tests: records every message and answers from a queue, never opening a window.
#pragma once

#include "app/prompts.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

class ScriptedPrompts final : public Prompts
{
public:
    struct Message
    {
        enum Kind
        {
            Warning,
            Error,
            Question,
            Information
        } kind;
        QString caption;
        QString text;
    };

    ScriptedPrompts() { setPrompts(this); }
    ~ScriptedPrompts() override { setPrompts(nullptr); }

    QList<Message> messages;   // every message shown, in order
    QQueue<Answer> answers;    // answers to questions; No when empty
    QQueue<QString> fileNames; // answers to file dialogs; cancelled when empty
    QStringList fileCaptions;  // captions of the file dialogs opened
    QStringList fileFolders;   // folders they opened in

    void warning(QWidget *, const QString &text) override;
    void error(QWidget *, const QString &text) override;
    Answer question(QWidget *, const QString &caption, const QString &text,
                    bool withCancel) override;
    QString openFileName(QWidget *, const QString &caption, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(QWidget *, const QString &caption, const QString &folder,
                         const QString &filter, const QString &defaultSuffix) override;
    void information(QWidget *, const QString &text) override;
    // The next file names, up to an empty one or the end of the queue, as one choice.
    QStringList openFileNames(QWidget *, const QString &caption, const QString &folder,
                              const QString &filter) override;
    QString folderName(QWidget *, const QString &caption, const QString &folder) override;

    QStringList texts() const;
    void clear();
};
