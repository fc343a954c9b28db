// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its tabs, grids and status bar, first show, and the shared routines.
#include "tallowby.h"

#include "app/busycursor.h"
#include "app/commandguard.h"
#include "app/placement.h"
#include "app/prompts.h"
#include "db/dbtable.h"
#include "engine/handstate.h"
#include "engine/odds.h"
#include "history/newgame.h"
#include "panel/activeplayers.h"
#include "panel/gamestatsmodel.h"
#include "panel/handoddsmodel.h"
#include "panel/hintline.h"
#include "panel/localenumbers.h"
#include "panel/selcards.h"
#include "panel/stringgrid.h"
#include "tools/potodds.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using namespace tallowby;

TFormTallowby *FormTallowby = nullptr;

namespace {

QWidget *tabPage(QTableView *grid, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    return page;
}

QTableView *historyGrid(const QString &name, const QString &spoken, QWidget *parent)
{
    auto *grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setAccessibleName(spoken);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setTabKeyNavigation(false);
    return grid;
}

// A message box asked while the busy cursor is up gets the ordinary arrow.
class ArrowCursor
{
public:
    ArrowCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~ArrowCursor() { QApplication::restoreOverrideCursor(); }
    ArrowCursor(const ArrowCursor &) = delete;
    ArrowCursor &operator=(const ArrowCursor &) = delete;
};

} // namespace

TFormTallowby::TFormTallowby(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FormTallowby"));
    setWindowTitle(tr("Hold'em Tallowby 1.0"));
    setAccessibleName(windowTitle());
    // A cut Need list shows its whole text in a tooltip also while another window is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    handOdds_ = new HandOddsModel(this);
    gameStats_ = new GameStatsModel(this);
    buildTabs();
    buildMenus();
    buildStatusBar();
    createSystemConnection();
    createHistoryConnection();
    createHandHistoryWatcher();
    const QSize needed = minimumSizeHint();
    setFixedSize(std::max(kClientWidth, needed.width()),
                 std::max(kClientHeight + menuBar()->sizeHint().height(), needed.height()));
}

void TFormTallowby::setGridColumnWidths()
{
    // "Need" and "All Games" take up what the window has to spare.
    const QList<int> odds = handOddsColumnWidths(StringGrid->fontMetrics());
    setColumnWidths(*StringGrid, odds);
    StringGrid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    const QList<int> statistics = GameStatsModel::columnWidths(StringGridGS->fontMetrics());
    StringGridGS->verticalHeader()->setFixedWidth(statistics.front());
    setColumnWidths(*StringGridGS, statistics.mid(1));
    StringGridGS->horizontalHeader()->setStretchLastSection(true);
}

TFormTallowby::~TFormTallowby()
{
    // The tables close with the connection, after this window's own parts are gone: nothing of
    // theirs may reach back into it.
    if (ADOTableGHistory)
        ADOTableGHistory->disconnect(this);
}

void TFormTallowby::buildTabs()
{
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setAccessibleName(tr("Pages"));

    StringGrid = new QTableView(this);
    StringGrid->setObjectName(QStringLiteral("StringGrid"));
    StringGrid->setAccessibleName(tr("Hand Odds"));
    StringGrid->setModel(handOdds_);
    setUpStringGrid(*StringGrid, false);
    StringGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    DBGridHHistory = historyGrid(QStringLiteral("DBGridHHistory"), tr("Hand History"), this);
    DBGridGHistory = historyGrid(QStringLiteral("DBGridGHistory"), tr("Game History"), this);

    StringGridGS = new QTableView(this);
    StringGridGS->setObjectName(QStringLiteral("StringGridGS"));
    StringGridGS->setAccessibleName(tr("Game Statistics"));
    StringGridGS->setModel(gameStats_);
    setUpStringGrid(*StringGridGS, true);
    StringGridGS->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setGridColumnWidths();
    // Both grids are shown whole: the window grows beyond its design size only for a font
    // too large for it.
    StringGrid->setMinimumSize(wholeGridSize(*StringGrid, 0, HandOddsGrid::kInitialRows - 1));
    StringGridGS->setMinimumSize(wholeGridSize(
        *StringGridGS, StringGridGS->verticalHeader()->width(), GameStatsModel::kRows - 1));

    const std::pair<QTableView *, QString> pages[] = {{StringGrid, tr("Hand Odds")},
                                                      {DBGridHHistory, tr("Hand History")},
                                                      {DBGridGHistory, tr("Game History")},
                                                      {StringGridGS, tr("Game Statistics")}};
    const char *pageNames[] = {"TabSheetHO", "TabSheetHH", "TabSheetGH", "TabSheetGameStats"};
    int n = 0;
    for (const auto &[grid, caption] : pages) {
        QWidget *page = tabPage(grid, PageControl);
        page->setObjectName(QString::fromLatin1(pageNames[n++]));
        page->setAccessibleName(caption);
        PageControl->addTab(page, caption);
    }
    setCentralWidget(PageControl);
}

void TFormTallowby::buildStatusBar()
{
    const QString texts[] = {tr("Database:"), tr("System:")};
    for (int panel = 0; panel < 2; ++panel) {
        auto *label = new HintLine(this);
        label->setObjectName(panel == 0 ? QStringLiteral("StatusPanelDatabase")
                                        : QStringLiteral("StatusPanelSystem"));
        statusPanels_[panel] = label;
        setStatusPanelText(panel, texts[panel]);
    }
    // The database panel keeps its width; the system panel takes the rest of the bar, and
    // neither makes the window wider for a long name.
    statusPanels_[0]->setFixedWidth(kDatabasePanelWidth);
    statusPanels_[0]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(statusPanels_[0]);
    statusBar()->addWidget(statusPanels_[1], 1);
    // Shown while a hand-history folder is watched; it shares the room with the system panel,
    // both cut with "…".
    watchPanel_ = new HintLine(this);
    watchPanel_->setObjectName(QStringLiteral("StatusPanelWatch"));
    watchPanel_->setVisible(false);
    statusBar()->addWidget(watchPanel_, 1);
}

QString TFormTallowby::statusPanelText(int panel) const
{
    return statusPanels_[panel]->text();
}

// A long file name is cut with "…"; the tooltip gives the whole path of the open file.
void TFormTallowby::setStatusPanelText(int panel, const QString &text)
{
    HintLine *label = statusPanels_[panel];
    const QString path = !ADOCon || !ADOConE ? QString()
                         : panel == 0        ? HistoryFilePath()
                                             : SystemFilePath();
    const bool named = !path.isEmpty() && text.endsWith(QFileInfo(path).fileName());
    label->setHint(text);
    label->setToolTip(named ? QDir::toNativeSeparators(path) : text);
    label->setAccessibleName(text);
    label->setAccessibleDescription(named ? label->toolTip() : tr("Status bar"));
}

void TFormTallowby::setVisible(bool visible)
{
    if (visible && !placed_) {
        placed_ = true;
        placeWindowsAtStart();
    }
    QMainWindow::setVisible(visible);
}

void TFormTallowby::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

// The card panel has no minimise box, but a window manager may still minimise it: coming back
// to the main window brings it back, and the calculator too while its menu item is checked.
void TFormTallowby::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange && event->type() != QEvent::WindowStateChange)
        return;
    if (!shown_ || isMinimized())
        return;
    if (FormSelCards && (FormSelCards->isMinimized() || !FormSelCards->isVisible()))
        FormSelCards->showNormal();
    if (FormPotOdds && MenuPotOddsCalculator->isChecked() && FormPotOdds->isMinimized())
        FormPotOdds->showNormal();
}

// Closing the main window ends the program, as Quit does, whatever other window is open.
void TFormTallowby::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    QCoreApplication::quit();
}

void TFormTallowby::FormShow()
{
    runCommand(this, [this] { MenuNewGameClick(); });
    PageControl->setCurrentIndex(0);
    if (FormSelCards) {
        FormSelCards->show();
        // Once this window has been shown and made active, as the last step of its show.
        QMetaObject::invokeMethod(
            FormSelCards, [] { FormSelCards->takeKeyboardFocus(); }, Qt::QueuedConnection);
    }
    if (FormPotOdds)
        FormPotOdds->setVisible(MenuPotOddsCalculator->isChecked());
}

void TFormTallowby::placeWindowsAtStart()
{
    QWidget *windows[] = {this, FormSelCards, FormPotOdds};
    QSize frames[3];
    const QMargins frame = estimatedFrameMargins(*this);
    for (int w = 0; w < 3; ++w)
        frames[w] = windows[w] ? windowSizeBeforeShow(*windows[w]).grownBy(frame) : QSize();
    const QScreen *where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!where)
        return;
    const StartPlacement placed =
        placeStartWindows(where->availableGeometry(), frames[0], frames[1], frames[2]);
    moveFrameTo(*this, placed.main.topLeft());
    if (FormSelCards)
        moveFrameTo(*FormSelCards, placed.panel.topLeft());
    if (FormPotOdds)
        moveFrameTo(*FormPotOdds, placed.potOdds.topLeft());
}

void TFormTallowby::SetSlotCard(int s, int c)
{
    currentHand().SetSlotCard(s, c);
}

void TFormTallowby::ResetReadouts()
{
    if (FormPotOdds)
        FormPotOdds->resetInputs();
    FormSelCards->resetPanelReadouts();
}

void TFormTallowby::AnalyzeHand()
{
    repaint();
    BusyCursor busy;
    FormSelCards->setWinText(QStringLiteral("??"));
    // A figure for other players or cards goes, and its job stops competing with this one.
    FormSelCards->clearEquity();
    FormSelCards->repaint();

    const char separator = decimalSeparatorOf(QLocale());
    HandOddsGrid grid = handOdds_->grid();
    Readouts readouts;
    AnalysisHooks hooks;
    hooks.activePlayers = [this] {
        return readActivePlayers();
    };
    // The grid shows the new figures before the recommendation looks at them.
    hooks.updateRecommendation = [this, &grid, separator] {
        handOdds_->setGrid(grid, separator);
        UpdateRecommendation();
    };
    const bool completed = analyzeHand(currentHand(), grid, readouts, separator, hooks);
    handOdds_->setGrid(grid, separator);
    FormSelCards->setWinText(QString::fromStdString(readouts.win));
    if (!completed)
        return;
    const QString outs = QString::fromStdString(readouts.outs);
    FormSelCards->setOutsText(outs);
    if (FormPotOdds)
        FormPotOdds->setOutsText(outs);
    FormSelCards->setHitText(QString::fromStdString(readouts.hit));
    // Last, on a worker thread: the figures above never wait for it.
    FormSelCards->requestEquity(currentHand());
}

std::optional<int> TFormTallowby::readActivePlayers()
{
    const QString text = FormSelCards->activePlayersText();
    const std::optional<int> players = activePlayersFrom(text);
    if (!players) {
        ArrowCursor arrow;
        prompts().error(FormSelCards,
                        tr("\"%1\" is not a number of active players. Choose a number from %2 "
                           "to %3 under \"Active players:\" to have the odds worked out.")
                            .arg(text)
                            .arg(kFewestPlayers)
                            .arg(kMostPlayers));
    }
    return players;
}

void TFormTallowby::MenuNewGameClick()
{
    BusyCursor busy;
    const HandState &hand = currentHand();
    if (historyDatabaseOpen() && hand.filled(H1) && hand.filled(H2) && FormNewGame) {
        FormNewGame->setRecordGame([this] { return recordGame(); });
        FormNewGame->exec();
        // A game that could not be written stays entered, so it can be recorded again once
        // the cause is mended.
        if (FormNewGame->recordFailed())
            return;
    }
    handOdds_->setGrid(HandOddsGrid(), decimalSeparatorOf(QLocale()));
    gameStats_->clearForNewGame();
    setGridColumnWidths();
    currentHand().ResetHand();
    FormSelCards->clearSlotPictures();
    if (FormNewGame)
        FormSelCards->setActivePlayersText(FormNewGame->totalPlayersText());
    ResetReadouts();
    UpdateGameStatistics();
    // The next hand is typed in at once.
    FormSelCards->takeKeyboardFocus();
}

bool TFormTallowby::historyDatabaseAtHand()
{
    if (historyDatabaseOpen())
        return true;
    prompts().warning(this, tr("No database open"));
    return false;
}

void TFormTallowby::MenuPotOddsCalculatorClick()
{
    if (FormPotOdds)
        FormPotOdds->setVisible(MenuPotOddsCalculator->isChecked());
}
