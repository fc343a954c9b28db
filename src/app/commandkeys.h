// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command keys in every window: the menu shortcuts (Ctrl+G, Ctrl+N, Ctrl+O,
// Ctrl+A, Ctrl+Q, F1) work in the card panel and the calculator as in the main window, even
// where a text field would take the key for itself, and F1 opens the help at the page of the
// window it was pressed in, modal dialogs included.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

class QAction;

class CommandKeys : public QObject
{
    Q_OBJECT

public:
    // `help` is the Contents command; `commands` the others with a shortcut. Their shortcuts
    // become application-wide; the object watches the whole application's key events.
    CommandKeys(QAction &help, const QList<QAction *> &commands, QObject *parent = nullptr);

    // Whether the help command now running was started by its key rather than from the menu.
    bool helpByKey() const { return helpByKey_; }
    // Called when the help command has run.
    void helpDone() { helpByKey_ = false; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isCommandKey(const QKeySequence &pressed) const;

    QAction &help_;
    QList<QKeySequence> keys_;
    bool helpByKey_ = false;
};
