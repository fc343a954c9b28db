// SPDX-License-Identifier: GPL-3.0-or-later
// The main window "Hold'em Tallowby 1.0": the "Hand Odds", history and statistics tabs, the
// menu bar from which every command is reached, and the two-panel status bar. It also holds the
// routines that several windows share: writing a slot, resetting the read-outs, the odds
// analysis, the recommendation, the game statistics and the hand-history filter.
#pragma once

#include "history/gamestatistics.h"
#include "history/historyedits.h"
#include "history/historyimport.h"

#include <QMainWindow>

#include <functional>
#include <optional>

class CommandKeys;
class DbConnection;
class DbQuery;
class DbTable;
class GameStatsModel;
class HandHistoryWatcher;
class HandOddsModel;
class HintLine;
class QAction;
class QLabel;
class QTabWidget;
class QTableView;

class TFormTallowby : public QMainWindow
{
    Q_OBJECT

public:
    // The area below the menu bar.
    static constexpr int kClientWidth = 465;
    static constexpr int kClientHeight = 225;
    static constexpr int kDatabasePanelWidth = 235;

    explicit TFormTallowby(QWidget *parent = nullptr);
    ~TFormTallowby() override;

    // Routines shared by the windows.
    void SetSlotCard(int s, int c);
    void ResetReadouts();
    void AnalyzeHand();
    void UpdateRecommendation();
    void UpdateGameStatistics();
    void ApplyHandHistoryFilter();

    // Menu commands.
    void MenuNewGameClick();
    void MenuPrintSetupClick();
    void MenuPrintClick();
    void MenuGameHistoryGraphClick();
    void MenuFilterClick();
    void MenuSortClick();
    void MenuPotOddsCalculatorClick();
    void MenuContentsClick();
    void MenuAboutClick();
    void MenuQuitClick();
    void MenuNewSystemClick();
    void MenuLoadSystemClick();
    void MenuSaveSystemAsClick();
    void MenuEditSystemClick();
    void MenuNewDatabaseClick();
    void MenuOpenDatabaseClick();
    void MenuSaveDatabaseAsClick();
    void MenuImportHandHistoriesClick();
    void MenuExportHistoryClick();
    void MenuWatchFolderClick();
    void MenuStopWatchingClick();

    // Correcting the history: the selected games of a history grid deleted after a
    // confirmation, and the last deletion undone.
    void DeleteGamesClick(QTableView *grid);
    void UndoDeleteClick();
    bool canUndoDelete() const;

    // History files: make an empty one at a new path, open both history tables (and refresh
    // the statistics), the open file's full path. Title clicks sort a history grid by a column
    // of the table (numbered as in `History`).
    void CreateHistoryFile(const QString &path);
    void OpenHistoryTables();
    QString HistoryFilePath() const;
    void DBGridHHistoryTitleClick(int column);
    void DBGridGHistoryTitleClick(int column);

    // The history connection and its two tables over `History`.
    DbConnection &historyConnection() const { return *ADOCon; }
    DbTable &handHistoryTable() const { return *ADOTableHHistory; }
    DbTable &gameHistoryTable() const { return *ADOTableGHistory; }

    // A history database is open exactly when the history connection is; a system is loaded
    // exactly when the system connection is.
    bool historyDatabaseOpen() const;
    bool systemLoaded() const;

    // The system connection and its tables `PreFlop` and `FTR`, and the loaded system's path.
    DbConnection &systemConnection() const { return *ADOConE; }
    DbTable &handSetTable() const { return *ADOTableHandSet; }
    DbTable &typeSetTable() const { return *ADOTableTypeSet; }
    QString SystemFilePath() const;

    HandHistoryWatcher &handHistoryWatcher() const { return *watcher_; }
    // The Game History tab's caption and tooltip, which say when a date filter is on.
    QString gameHistoryCaption() const;
    QString gameHistoryToolTip() const;

    HandOddsModel &handOdds() const { return *handOdds_; }
    GameStatsModel &gameStatistics() const { return *gameStats_; }
    QTableView *handHistoryGrid() const { return DBGridHHistory; }
    QTableView *gameHistoryGrid() const { return DBGridGHistory; }

    // Status bar panel 0 ("Database:") or 1 ("System:").
    QString statusPanelText(int panel) const;
    void setStatusPanelText(int panel, const QString &text);

    // Before the first show, the three start windows are placed, so that the window system
    // puts each frame, title bar included, where it was meant to go.
    void setVisible(bool visible) override;

Q_SIGNALS:
    // Games were deleted or put back.
    void historyEdited();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildTabs();
    void buildMenus();
    void buildStatusBar();
    void setGridColumnWidths();
    void FormShow();
    // The main window centred, the card panel and the pot-odds window beside it.
    void placeWindowsAtStart();
    // "No database open" unless a history database is open.
    bool historyDatabaseAtHand();
    std::optional<int> readActivePlayers();
    void createSystemConnection();
    void createHistoryConnection();
    bool historyFileInUse(const QString &path) const;
    QString holeCardFilterForHand() const;
    void replaceHistoryFile(const std::function<void()> &steps);
    void replaceSystemFile(const std::function<void()> &steps);
    bool recordGame();
    void refreshGameStatistics();
    // After games were added or taken out: both views, the statistics and the captions.
    void refreshAfterChange();
    void setUpHistoryEditing(QTableView *grid);
    void createHandHistoryWatcher();
    void showWatchedFolder();
    void watcherImported(const ImportSummary &summary);
    void showGameHistoryFilter();

    QTabWidget *PageControl = nullptr;
    QTableView *StringGrid = nullptr;
    QTableView *DBGridHHistory = nullptr;
    QTableView *DBGridGHistory = nullptr;
    QTableView *StringGridGS = nullptr;
    HandOddsModel *handOdds_ = nullptr;
    GameStatsModel *gameStats_ = nullptr;
    HintLine *statusPanels_[2] = {};
    HintLine *watchPanel_ = nullptr;
    QAction *MenuPotOddsCalculator = nullptr;
    QAction *MenuStopWatching = nullptr;
    CommandKeys *commandKeys_ = nullptr;
    DbConnection *ADOConE = nullptr;
    DbTable *ADOTableHandSet = nullptr;
    DbTable *ADOTableTypeSet = nullptr;
    DbConnection *ADOCon = nullptr;
    DbTable *ADOTableHHistory = nullptr;
    DbTable *ADOTableGHistory = nullptr;
    DbQuery *ADOQuery = nullptr;
    GameStatisticsCounter statisticsCounter_;
    HandHistoryWatcher *watcher_ = nullptr;
    QString watchReport_; // what the watcher did last, for the status bar's tooltip
    std::optional<DeletedGames> lastDeletion_;
    QString gameFilterDescription_; // the date filter in force, in words
    bool shown_ = false;
    bool placed_ = false;
};

// The one main window of the program, made by the start-up code.
extern TFormTallowby *FormTallowby;
