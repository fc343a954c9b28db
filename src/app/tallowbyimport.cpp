// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands that bring games in and take them out: importing hand histories,
// watching the client's folder, exporting a view as CSV, and deleting games with undo.
#include "tallowby.h"

#include "app/busycursor.h"
#include "app/commandguard.h"
#include "app/paths.h"
#include "app/prompts.h"
#include "app/watchsetting.h"
#include "db/dbconnection.h"
#include "db/dberror.h"
#include "db/dbtable.h"
#include "db/dbtablemodel.h"
#include "history/handhistorywatcher.h"
#include "history/historygrid.h"
#include "history/historytablemodel.h"
#include "import/historycsv.h"
#include "panel/hintline.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProgressDialog>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTime>

#include <algorithm>

namespace {

constexpr int kHandHistoryTab = 1;
constexpr int kProgressSteps = 1000;
constexpr int kProgressDelay = 400; // milliseconds before a long import shows its progress

QString withSuffix(const QString &path, const char *suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + QLatin1String(suffix);
}

// A funnel, the sign of a filtered list, drawn in the tab's text colour so that it reads in any
// palette. It takes far less room than a word, so the four tabs keep fitting the window.
QIcon filterIcon(const QColor &ink, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    const qreal s = size;
    const QPointF funnel[] = {{0.05 * s, 0.1 * s}, {0.95 * s, 0.1 * s}, {0.6 * s, 0.5 * s},
                              {0.6 * s, 0.95 * s}, {0.4 * s, 0.8 * s},  {0.4 * s, 0.5 * s}};
    painter.drawPolygon(funnel, int(std::size(funnel)));
    return QIcon(pixmap);
}

} // namespace

void TFormTallowby::createHandHistoryWatcher()
{
    watcher_ = new HandHistoryWatcher(*ADOCon, this);
    watcher_->setObjectName(QStringLiteral("HandHistoryWatcher"));
    // No writing while a dialog is up: the New Game dialog, the graph and the printing read the
    // tables as they stand.
    watcher_->setMayImport([this] {
        return historyDatabaseOpen() && !QApplication::activeModalWidget() &&
               !ADOTableGHistory->isEditing();
    });
    connect(watcher_, &HandHistoryWatcher::imported, this, &TFormTallowby::watcherImported);
    watcher_->setFolder(rememberedHandHistoryFolder());
    showWatchedFolder();
}

void TFormTallowby::refreshAfterChange()
{
    if (!historyDatabaseOpen())
        return;
    BusyCursor busy;
    if (ADOTableGHistory->isOpen())
        ADOTableGHistory->refresh();
    if (ADOTableHHistory->isOpen())
        ADOTableHHistory->refresh();
    refreshGameStatistics();
}

void TFormTallowby::MenuImportHandHistoriesClick()
{
    if (!historyDatabaseAtHand())
        return;
    const QString folder = watcher_->isWatching() ? watcher_->folder() : QDir::homePath();
    const QStringList files = prompts().openFileNames(this, tr("Import Hand Histories..."), folder,
                                                      tr("Hand histories (*.txt);;All files (*)"));
    if (files.isEmpty())
        return;

    QProgressDialog progress(importProgressText(files, 0), tr("Cancel"), 0, kProgressSteps, this);
    // As wide as a long name and the words around it from the start, so that the dialog keeps
    // its width from file to file.
    progress.setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    progress.setObjectName(QStringLiteral("ImportProgress"));
    progress.setWindowTitle(tr("Import Hand Histories"));
    progress.setAccessibleName(tr("Import progress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelay);
    progress.setAutoReset(false);
    progress.setValue(0);
    ImportSummary summary;
    {
        BusyCursor busy;
        int shownFile = 0;
        summary = importHandHistoryFiles(*ADOCon, files, [&](qint64 done, qint64 total, int file) {
            if (file != shownFile) {
                shownFile = file;
                progress.setLabelText(importProgressText(files, file));
            }
            progress.setValue(total > 0 ? int(done * kProgressSteps / total) : 0);
            return !progress.wasCanceled();
        });
    }
    progress.close();
    runCommand(this, [this] { refreshAfterChange(); });
    const QString text = importSummaryText(summary);
    if (summary.problems.isEmpty())
        prompts().information(this, text);
    else
        prompts().warning(this, text);
}

void TFormTallowby::MenuExportHistoryClick()
{
    if (!historyDatabaseAtHand())
        return;
    // The view on show, or the Game History from any other tab.
    const bool handHistory = PageControl->currentIndex() == kHandHistoryTab;
    DbTable &table = handHistory ? *ADOTableHHistory : *ADOTableGHistory;
    const QString name = handHistory ? tr("Hand History") : tr("Game History");
    const QString chosen = withSuffix(
        prompts().saveFileName(
            this, handHistory ? tr("Export Hand History...") : tr("Export Game History..."),
            dataFolder() + name + QStringLiteral(".csv"), tr("CSV file (*.csv)"),
            QStringLiteral("csv")),
        "csv");
    if (chosen.isEmpty() || !mayWriteFile(this, chosen, historyFileInUse(chosen), false))
        return;
    BusyCursor busy;
    const QString failure = writeHistoryCsv(table, chosen);
    if (!failure.isEmpty())
        throw DatabaseError(failure);
}

void TFormTallowby::MenuWatchFolderClick()
{
    const QString start = watcher_->isWatching() ? watcher_->folder() : QDir::homePath();
    const QString folder = prompts().folderName(this, tr("Watch Hand History Folder..."), start);
    if (folder.isEmpty())
        return;
    watcher_->setFolder(folder);
    rememberHandHistoryFolder(watcher_->folder());
    watchReport_.clear();
    showWatchedFolder();
}

void TFormTallowby::MenuStopWatchingClick()
{
    watcher_->setFolder(QString());
    rememberHandHistoryFolder(QString());
    watchReport_.clear();
    showWatchedFolder();
}

void TFormTallowby::showWatchedFolder()
{
    MenuStopWatching->setEnabled(watcher_->isWatching());
    watchPanel_->setVisible(watcher_->isWatching());
    if (!watcher_->isWatching())
        return;
    const QString folder = QDir::toNativeSeparators(watcher_->folder());
    const QString text = tr("Watching: %1").arg(QFileInfo(watcher_->folder()).fileName());
    watchPanel_->setHint(text);
    watchPanel_->setAccessibleName(text);
    QString tip = tr("Hands added to the hand-history files of %1 are imported as they appear, "
                     "while a history file is open.")
                      .arg(folder);
    if (!watchReport_.isEmpty())
        tip += QStringLiteral("\n\n") + watchReport_;
    watchPanel_->setToolTip(tip);
}

void TFormTallowby::watcherImported(const ImportSummary &summary)
{
    if (summary.counts.imported > 0)
        runCommand(this, [this] { refreshAfterChange(); });
    watchReport_ =
        tr("Last read at %1:").arg(QLocale().toString(QTime::currentTime(), QLocale::ShortFormat)) +
        QLatin1Char('\n') + importSummaryText(summary);
    showWatchedFolder();
}

void TFormTallowby::setUpHistoryEditing(QTableView *grid)
{
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *remove = new QAction(tr("Delete Games..."), grid);
    remove->setObjectName(grid->objectName() + QStringLiteral("Delete"));
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut);
    auto *undo = new QAction(tr("Undo"), grid);
    undo->setObjectName(grid->objectName() + QStringLiteral("Undo"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setShortcutContext(Qt::WidgetShortcut);
    grid->addAction(remove);
    grid->addAction(undo);
    connect(remove, &QAction::triggered, this,
            [this, grid] { runCommand(this, [this, grid] { DeleteGamesClick(grid); }); });
    connect(undo, &QAction::triggered, this,
            [this] { runCommand(this, [this] { UndoDeleteClick(); }); });
    // Both items say whether there is anything to do as the menu opens.
    const auto update = [this, grid, remove, undo] {
        remove->setEnabled(historyDatabaseOpen() && grid->selectionModel() &&
                           grid->selectionModel()->hasSelection());
        undo->setEnabled(canUndoDelete());
    };
    // The action is the context: the grid's children go before the window's tables, whose
    // closing resets the model.
    update();
    connect(grid->model(), &QAbstractItemModel::modelReset, remove, update);
    connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, remove, update);
    connect(this, &TFormTallowby::historyEdited, remove, update);
}

bool TFormTallowby::canUndoDelete() const
{
    return lastDeletion_ && historyDatabaseOpen() && lastDeletion_->file == HistoryFilePath();
}

void TFormTallowby::DeleteGamesClick(QTableView *grid)
{
    if (!historyDatabaseOpen() || !grid->selectionModel())
        return;
    const HistoryTableModel *model = historyRowsOf(*grid);
    if (!model)
        return;
    std::vector<qint64> rowIds;
    for (const QItemSelectionRange &range : grid->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rowIds.push_back(model->table().rowId(row));
    }
    std::sort(rowIds.begin(), rowIds.end());
    rowIds.erase(std::unique(rowIds.begin(), rowIds.end()), rowIds.end());
    if (rowIds.empty() || rowIds.front() < 0)
        return;
    const QString question = tr("Delete %n game(s) from the history? Undo (Ctrl+Z) in the grid "
                                "puts them back.",
                                nullptr, int(rowIds.size()));
    if (prompts().question(this, tr("Delete Games"), question, false) != Prompts::Answer::Yes)
        return;
    {
        BusyCursor busy;
        lastDeletion_ = deleteGames(*ADOCon, rowIds);
    }
    Q_EMIT historyEdited();
    refreshAfterChange();
}

void TFormTallowby::UndoDeleteClick()
{
    if (!canUndoDelete())
        return;
    {
        BusyCursor busy;
        restoreGames(*ADOCon, *lastDeletion_);
    }
    lastDeletion_.reset();
    Q_EMIT historyEdited();
    refreshAfterChange();
}

QString TFormTallowby::gameHistoryCaption() const
{
    return PageControl->tabBar()->accessibleTabName(2);
}

QString TFormTallowby::gameHistoryToolTip() const
{
    return PageControl->tabToolTip(2);
}

void TFormTallowby::showGameHistoryFilter()
{
    const bool filtered = ADOTableGHistory->isFiltered() && !ADOTableGHistory->filter().isEmpty();
    // Seen as a funnel beside the caption, heard as "(filtered)" after it.
    const int iconSize = PageControl->fontMetrics().height() * 3 / 4;
    PageControl->setIconSize(QSize(iconSize, iconSize));
    PageControl->setTabIcon(
        2, filtered ? filterIcon(PageControl->palette().color(QPalette::WindowText), iconSize)
                    : QIcon());
    PageControl->tabBar()->setAccessibleTabName(2, filtered ? tr("Game History (filtered)")
                                                            : tr("Game History"));
    PageControl->setTabToolTip(
        2, filtered ? tr("Only some games are shown: %1. Tools > Filter History > “All games” "
                         "shows every game again.")
                          .arg(gameFilterDescription_.isEmpty() ? ADOTableGHistory->filter()
                                                                : gameFilterDescription_)
                    : QString());
}
