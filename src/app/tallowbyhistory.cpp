// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's history commands: New, Open and Save Database As, opening the history
// tables, recording a finished game, the game statistics, the hole-card filter of the Hand
// History, title-click sorting and the Filter and Sort dialogs.
#include "tallowby.h"

#include "app/busycursor.h"
#include "app/commandguard.h"
#include "app/paths.h"
#include "app/prompts.h"
#include "db/dbconnection.h"
#include "db/dbfiles.h"
#include "db/dbquery.h"
#include "db/dbtable.h"
#include "engine/handstate.h"
#include "history/datefilter.h"
#include "history/filter.h"
#include "history/historyfile.h"
#include "history/historygrid.h"
#include "history/historyrecord.h"
#include "history/historysort.h"
#include "history/historytablemodel.h"
#include "history/holecardfilter.h"
#include "history/newgame.h"
#include "history/sort.h"
#include "panel/gamestatsmodel.h"
#include "panel/localenumbers.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QTableView>

using namespace tallowby;

namespace {

const char *const kDatabaseFilter =
    QT_TRANSLATE_NOOP("TFormTallowby", "MS Access Database (*.mdb)");
const char *const kDatabaseSuffix = "mdb";

// A name typed without extension gets ".mdb"; an existing file of that name is taken as it is.
QString withDatabaseSuffix(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty() || QFileInfo::exists(path))
        return path;
    return path + QLatin1Char('.') + QLatin1String(kDatabaseSuffix);
}

QString chooseDatabaseFile(QWidget *parent, const QString &caption, bool forSaving)
{
    const QString folder = dataFolder();
    ensureFolder(folder);
    const QString filter = TFormTallowby::tr(kDatabaseFilter);
    const QString chosen = forSaving ? prompts().saveFileName(parent, caption, folder, filter,
                                                              QString::fromLatin1(kDatabaseSuffix))
                                     : prompts().openFileName(parent, caption, folder, filter);
    return withDatabaseSuffix(chosen);
}

// The status bar names the open history file by its file name alone.
QString databasePanelText(const QString &path)
{
    return TFormTallowby::tr("Database: ") + QFileInfo(path).fileName();
}

// A title click sorts by that column, the direction alternating with every click. The title
// row shows the sort in force, also when the new one failed.
void sortByTitle(QWidget *parent, QTableView &grid, DbTable &table, int column)
{
    runCommand(parent, [&table, column] {
        if (!table.isOpen() || column < 0 || column >= table.columns().size())
            return;
        BusyCursor busy;
        table.setSort(titleClickSort(table.sort(), table.columns().at(column).name));
    });
    showSortIndicator(grid);
}

} // namespace

void TFormTallowby::createHistoryConnection()
{
    ADOCon = new DbConnection(this);
    ADOCon->setObjectName(QStringLiteral("ADOCon"));
    ADOCon->setRequiredTables({QString::fromLatin1(kHistoryTable)});
    ADOTableHHistory = new DbTable(*ADOCon, QString::fromLatin1(kHistoryTable), this);
    ADOTableHHistory->setObjectName(QStringLiteral("ADOTableHHistory"));
    ADOTableGHistory = new DbTable(*ADOCon, QString::fromLatin1(kHistoryTable), this);
    ADOTableGHistory->setObjectName(QStringLiteral("ADOTableGHistory"));
    ADOQuery = new DbQuery(*ADOCon, this);
    ADOQuery->setObjectName(QStringLiteral("ADOQuery"));

    // Each grid's model lives as long as its table.
    auto *handRows = new HistoryTableModel(*ADOTableHHistory, ADOTableHHistory);
    auto *gameRows = new HistoryTableModel(*ADOTableGHistory, ADOTableGHistory);
    setUpHistoryGrid(*DBGridHHistory, *handRows);
    setUpHistoryGrid(*DBGridGHistory, *gameRows);
    // The grids leave out Rtg: a title's section is mapped to the table's column.
    connect(DBGridHHistory->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { DBGridHHistoryTitleClick(historyTableColumn(section)); });
    connect(DBGridGHistory->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { DBGridGHistoryTitleClick(historyTableColumn(section)); });
    setUpHistoryEditing(DBGridHHistory);
    setUpHistoryEditing(DBGridGHistory);
    // The Game History tab says whether a date filter narrows it, whatever set the filter.
    connect(ADOTableGHistory, &DbTable::rowsReset, this, &TFormTallowby::showGameHistoryFilter);
}

bool TFormTallowby::historyDatabaseOpen() const
{
    return ADOCon->isConnected();
}

QString TFormTallowby::HistoryFilePath() const
{
    return ADOCon->filePath();
}

bool TFormTallowby::historyFileInUse(const QString &path) const
{
    return (historyDatabaseOpen() && samePath(path, HistoryFilePath())) ||
           DbConnection::isFileOpen(path);
}

// The new file is made whole beside the one it replaces and takes its name only then; the open
// file stays open meanwhile.
void TFormTallowby::CreateHistoryFile(const QString &path)
{
    buildHistoryFile(path);
    ADOCon->setConnectionString(DbConnection::connectionStringFor(path));
}

QString TFormTallowby::holeCardFilterForHand() const
{
    const HandState &hand = currentHand();
    return holeCardFilterText(QLatin1Char(hand.Slots[H1].Rank), QLatin1Char(hand.Slots[H2].Rank));
}

void TFormTallowby::OpenHistoryTables()
{
    BusyCursor busy;
    statisticsCounter_.invalidate();
    openHistoryTables(*ADOCon, *ADOTableHHistory, *ADOTableGHistory, holeCardFilterForHand());
    refreshGameStatistics();
}

// The steps close the open file and open another. When one fails, the file open before is
// opened again, so the window never names or shows a file that is not open; the error then
// goes on to the general error report.
void TFormTallowby::replaceHistoryFile(const std::function<void()> &steps)
{
    const QString previous = ADOCon->connectionString();
    const bool wasOpen = historyDatabaseOpen();
    try {
        steps();
    } catch (...) {
        ADOCon->close();
        ADOCon->setConnectionString(previous);
        if (wasOpen) {
            try {
                OpenHistoryTables();
            } catch (...) {
                ADOCon->close();
                setStatusPanelText(0, tr("Database:"));
            }
        }
        throw;
    }
}

void TFormTallowby::MenuNewDatabaseClick()
{
    const QString chosen = chooseDatabaseFile(this, tr("New Database..."), true);
    if (chosen.isEmpty())
        return;
    if (!mayWriteFile(this, chosen, historyFileInUse(chosen), false))
        return;
    // An existing file is replaced only by the complete new one.
    replaceHistoryFile([this, &chosen] {
        CreateHistoryFile(chosen);
        OpenHistoryTables();
    });
    setStatusPanelText(0, databasePanelText(chosen));
}

void TFormTallowby::MenuOpenDatabaseClick()
{
    const QString chosen = chooseDatabaseFile(this, tr("Open Database..."), false);
    if (chosen.isEmpty())
        return;
    replaceHistoryFile([this, &chosen] {
        ADOCon->close();
        ADOCon->setConnectionString(DbConnection::connectionStringFor(chosen));
        OpenHistoryTables();
    });
    setStatusPanelText(0, databasePanelText(chosen));
}

void TFormTallowby::MenuSaveDatabaseAsClick()
{
    // Without an open file there is nothing to copy: refused before anything is touched.
    if (!historyDatabaseAtHand())
        return;
    const QString chosen = chooseDatabaseFile(this, tr("Save Database As..."), true);
    if (chosen.isEmpty())
        return;
    // The copy replaces the existing file only once it is complete.
    if (!mayWriteFile(this, chosen, historyFileInUse(chosen), true))
        return;
    replaceHistoryFile([this, &chosen] {
        ADOCon->close();
        safeCopyFile(HistoryFilePath(), chosen);
        ADOCon->setConnectionString(DbConnection::connectionStringFor(chosen));
        OpenHistoryTables();
    });
    setStatusPanelText(0, databasePanelText(chosen));
}

// The recording step of the New Game / Save dialog.
bool TFormTallowby::recordGame()
{
    const HistoryRecord record =
        historyRecordFor(currentHand(), FormNewGame->resultText(), QDate::currentDate());
    appendHistoryRecord(*ADOTableGHistory, record);
    // The game is written; a Hand History that cannot show it yet is reported on its own.
    runCommand(this, [this] { ADOTableHHistory->refresh(); });
    return true;
}

void TFormTallowby::UpdateGameStatistics()
{
    if (!historyDatabaseOpen())
        return;
    runCardCommand(this, "history", [this] { refreshGameStatistics(); });
}

void TFormTallowby::refreshGameStatistics()
{
    const HandState &hand = currentHand();
    const QString card1 = QString::fromStdString(hand.CardCode(H1));
    const QString card2 = QString::fromStdString(hand.CardCode(H2));
    gameStats_->setCell(HoleCardsColumn, 0, card1 + QLatin1Char(' ') + card2);
    const GameStatistics counts =
        statisticsCounter_.count(*ADOCon, card1, card2, QDate::currentDate());
    const char separator = decimalSeparatorOf(QLocale());
    for (int column = HoleCardsColumn; column <= AllGamesColumn; ++column) {
        const QStringList cells = statisticsCellTexts(counts[column], separator);
        for (int row = 1; row <= cells.size(); ++row)
            gameStats_->setCell(column, row, cells.at(row - 1));
    }
}

void TFormTallowby::ApplyHandHistoryFilter()
{
    if (!historyDatabaseOpen())
        return;
    runCardCommand(this, "history", [this] {
        BusyCursor busy;
        applyHoleCardFilter(*ADOTableHHistory, holeCardFilterForHand());
    });
}

void TFormTallowby::DBGridHHistoryTitleClick(int column)
{
    sortByTitle(this, *DBGridHHistory, *ADOTableHHistory, column);
}

void TFormTallowby::DBGridGHistoryTitleClick(int column)
{
    sortByTitle(this, *DBGridGHistory, *ADOTableGHistory, column);
}

void TFormTallowby::MenuFilterClick()
{
    if (!historyDatabaseAtHand() || !FormFilter)
        return;
    FormFilter->setApplyFilter([this](const QString &filter) {
        BusyCursor busy;
        const QString described = describeDateFilter(FormFilter->choice(), QDate::currentDate());
        ADOTableGHistory->setFilter(filter);
        ADOTableGHistory->setFiltered(true);
        gameFilterDescription_ = described;
        showGameHistoryFilter();
    });
    FormFilter->exec();
}

void TFormTallowby::MenuSortClick()
{
    if (!historyDatabaseAtHand() || !FormSort)
        return;
    FormSort->setApplySort([this](const QString &sort) {
        BusyCursor busy;
        ADOTableGHistory->setSort(sort);
        ADOTableHHistory->setSort(sort);
    });
    FormSort->exec();
}
