// SPDX-License-Identifier: GPL-3.0-or-later
// Routing the command keys.
#include "app/commandkeys.h"

#include "app/helpat.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

QKeySequence pressedKeys(const QKeyEvent &event)
{
    return QKeySequence(event.keyCombination());
}

} // namespace

CommandKeys::CommandKeys(QAction &help, const QList<QAction *> &commands, QObject *parent)
    : QObject(parent), help_(help)
{
    for (QAction *command : commands) {
        command->setShortcutContext(Qt::ApplicationShortcut);
        keys_.append(command->shortcut());
    }
    help_.setShortcutContext(Qt::ApplicationShortcut);
    // A shortcut event reaches the action only when its key triggers it.
    help_.installEventFilter(this);
    qApp->installEventFilter(this);
}

bool CommandKeys::isCommandKey(const QKeySequence &pressed) const
{
    return keys_.contains(pressed) || pressed == help_.shortcut();
}

bool CommandKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &help_) {
        if (event->type() == QEvent::Shortcut)
            helpByKey_ = true;
        return false;
    }
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence pressed = pressedKeys(*key);
    if (!isCommandKey(pressed) || !watched->isWidgetType())
        return false;

    QWidget *modal = QApplication::activeModalWidget();
    if (!modal) {
        // A text field would keep Ctrl+A (select all) for itself; the command comes first, as
        // in the main window, so the field is not asked.
        if (event->type() == QEvent::ShortcutOverride) {
            key->ignore();
            return true;
        }
        return false;
    }
    // A modal dialog blocks the menu's shortcuts; only its help is at hand there.
    if (pressed != help_.shortcut())
        return false;
    key->accept();
    if (event->type() == QEvent::ShortcutOverride)
        return true;
    openHelpAt(helpPageFor(static_cast<QWidget *>(watched)), modal);
    return true;
}
