// SPDX-License-Identifier: GPL-3.0-or-later
// What the history window tests share: the running program with scripted prompts, history files
// made on disk, the menu items, the rows a grid shows, and modal dialogs run from a timer.
#pragma once

#include "app/startup.h"
#include "app/tallowby.h"
#include "history/dbconnection.h"
#include "history/dbtable.h"
#include "history/historyfile.h"
#include "history/historygrid.h"
#include "scriptedprompts.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTableView>
#include <QTimer>

#include <functional>

struct RunningProgram
{
    ScriptedPrompts prompts;
    LongLivedWindows windows;
    RunningProgram() { FormTallowby->show(); }
};

// One row of History: date, H1, H2, the board (all "--" unless given), hand, result.
inline QVariantList historyRow(const QVariant &date, const QString &h1, const QString &h2,
                               const QString &result = QStringLiteral("Win"),
                               const QString &hand = QStringLiteral("High Card. A, K, 9, 7, 4"))
{
    const QString none = QStringLiteral("--");
    return {date, h1, h2, none, none, none, none, none, 0, hand, result};
}

// A history file with the rows, written in one transaction and closed again.
inline void makeHistoryFile(const QString &path, const QList<QVariantList> &rows)
{
    DbConnection connection;
    createHistoryFile(connection, path);
    DbTable table(connection, QStringLiteral("History"));
    table.open();
    DbTransaction writing(connection);
    for (const QVariantList &row : rows)
        table.appendRecord(row);
    writing.commit();
}

inline QAction *menuItem(const char *name)
{
    return FormTallowby->findChild<QAction *>(QString::fromLatin1(name));
}

// Answers the next file dialog with the path and runs the menu command.
inline void runWithFile(ScriptedPrompts &prompts, const char *command, const QString &path)
{
    prompts.fileNames.enqueue(path);
    menuItem(command)->trigger();
}

// The texts of one column of the table (numbered as in `History`), top to bottom, as the grid
// shows them.
inline QStringList gridColumn(const QTableView *grid, int column)
{
    QStringList texts;
    const QAbstractItemModel *model = grid->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, historyGridColumn(column)).data().toString();
    return texts;
}

// H1 and H2 of every row, "Ad Kc".
inline QStringList gridHoleCards(const QTableView *grid)
{
    const QStringList h1 = gridColumn(grid, 1);
    const QStringList h2 = gridColumn(grid, 2);
    QStringList pairs;
    for (int row = 0; row < h1.size(); ++row)
        pairs << h1.at(row) + QLatin1Char(' ') + h2.at(row);
    return pairs;
}

// Runs `open` (which shows the dialog modally); once the dialog is up, `inside` runs, and a
// dialog still open afterwards is cancelled, so no test waits on it.
inline void whileModal(QDialog *dialog, const std::function<void()> &inside,
                       const std::function<void()> &open)
{
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, dialog, [dialog, inside] {
        inside();
        if (dialog->isVisible())
            dialog->reject();
    });
    timer.start(0);
    open();
    // A dialog that never opened leaves nothing behind to fire later.
    timer.stop();
}
