// SPDX-License-Identifier: GPL-3.0-or-later
// What the history window tests share: the running program with scripted prompts, history files
// made on disk, the menu items, the rows a grid shows, the rows a printed view holds, and modal
// dialogs run from a timer.
#pragma once

#include "historyfiles.h"
#include "pdfreport.h"
#include "runningprogram.h"
#include "history/historygrid.h"

#include <QAbstractItemModel>
#include <QDialog>
#include <QTableView>
#include <QTimer>

#include <functional>

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

// The dates of the rows the first page of a printed view holds.
inline QStringList rowDates(const QString &pdf)
{
    QStringList dates;
    for (const QString &line : pdfreport::textLines(pdfreport::pdfPages(pdf).value(0))) {
        if (line.contains(QLatin1String("/2024 ")) && !line.contains(QLatin1String("Date:")))
            dates.append(line.section(QLatin1Char(' '), 0, 0));
    }
    return dates;
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
