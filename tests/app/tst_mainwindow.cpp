// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and start-up: the windows made and shown, the menu bar with its captions and
// shortcuts, the commands that need a history database, the pot-odds toggle, the status bar.
#include "app/helpviewer.h"
#include "app/startup.h"
#include "app/tallowby.h"
#include "engine/handstate.h"
#include "history/newgame.h"
#include "panel/selcards.h"
#include "runningprogram.h"
#include "tools/potodds.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace tallowby;

namespace {

bool staysOnTop(const QWidget *window)
{
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningProgram> program_;
    ScriptedPrompts &prompts() { return program_->prompts; }

private Q_SLOTS:
    void init() { program_ = std::make_unique<RunningProgram>(); }
    void cleanup() { program_.reset(); }

    void windowsAfterStart()
    {
        // The desktop's window class is a plain name; the title is the main window's caption.
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Tallowby"));
        QCOMPARE(FormTallowby->windowTitle(), QStringLiteral("Hold'em Tallowby 1.0"));
        QVERIFY(FormSelCards && FormNewGame && FormPotOdds);
        QVERIFY(FormTallowby->isVisible());
        QVERIFY(FormSelCards->isVisible());
        QVERIFY(FormPotOdds->isVisible());
        QVERIFY(!FormNewGame->isVisible());
        QVERIFY(menuItem("MenuPotOddsCalculator")->isChecked());
        QVERIFY(staysOnTop(FormTallowby));
        QVERIFY(staysOnTop(FormSelCards));
        QVERIFY(staysOnTop(FormPotOdds));
        // The card panel has no title-bar buttons; the main window can be minimised and
        // closed but not maximised.
        const Qt::WindowFlags panel = FormSelCards->windowFlags();
        QVERIFY(panel.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!panel.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!panel.testFlag(Qt::WindowMinimizeButtonHint));
        const Qt::WindowFlags main = FormTallowby->windowFlags();
        QVERIFY(main.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!main.testFlag(Qt::WindowMaximizeButtonHint));

        const auto *tabs = FormTallowby->findChild<QTabWidget *>(QStringLiteral("PageControl"));
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Hand Odds"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Hand History"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("Game History"));
        QCOMPARE(tabs->tabText(3), QStringLiteral("Game Statistics"));
        for (const char *name : {"DBGridHHistory", "DBGridGHistory"}) {
            const auto *grid = FormTallowby->findChild<QTableView *>(QString::fromLatin1(name));
            QVERIFY(grid);
            QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        }

        QCOMPARE(FormTallowby->statusPanelText(0), QStringLiteral("Database:"));
        QCOMPARE(FormTallowby->statusPanelText(1), QStringLiteral("System:"));
        QCOMPARE(FormTallowby->findChild<QLabel *>(QStringLiteral("StatusPanelDatabase"))->width(),
                 235);
    }

    // Fixed size: 465 by 225 below the menu bar, with both grids whole inside it.
    void fixedSizeWithWholeGrids()
    {
        const int menu = FormTallowby->menuBar()->height();
        QCOMPARE(FormTallowby->width(), 465);
        QCOMPARE(FormTallowby->height() - menu, 225);
        QCOMPARE(FormTallowby->minimumSize(), FormTallowby->maximumSize());
        for (const char *name : {"StringGrid", "StringGridGS"}) {
            auto *grid = FormTallowby->findChild<QTableView *>(QString::fromLatin1(name));
            auto *tabs = FormTallowby->findChild<QTabWidget *>(QStringLiteral("PageControl"));
            tabs->setCurrentWidget(grid->parentWidget());
            QApplication::processEvents();
            QVERIFY2(grid->horizontalScrollBar()->maximum() == 0, name);
            QVERIFY2(grid->verticalScrollBar()->maximum() == 0, name);
            QCOMPARE(grid->verticalHeader()->defaultSectionSize(), 17);
            const QRect inside = grid->viewport()->rect();
            const int lastColumn = grid->model()->columnCount() - 1;
            QVERIFY2(grid->columnViewportPosition(lastColumn) + grid->columnWidth(lastColumn) <=
                         inside.width(),
                     name);
        }
    }

    void menuBar_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<bool>("enabled");

        const QKeySequence none;
        QTest::newRow("MenuNewGame")
            << "MenuNewGame"
            << "New &Game / Save" << QKeySequence(QStringLiteral("Ctrl+G")) << true;
        QTest::newRow("MenuNewDatabase")
            << "MenuNewDatabase"
            << "&New Database..." << QKeySequence(QStringLiteral("Ctrl+N")) << true;
        QTest::newRow("MenuOpenDatabase")
            << "MenuOpenDatabase"
            << "&Open Database..." << QKeySequence(QStringLiteral("Ctrl+O")) << true;
        QTest::newRow("MenuSaveDatabaseAs")
            << "MenuSaveDatabaseAs"
            << "Save Database &As..." << QKeySequence(QStringLiteral("Ctrl+A")) << true;
        QTest::newRow("MenuImportHandHistories") << "MenuImportHandHistories"
                                                 << "Import Hand Histories..." << none << true;
        QTest::newRow("MenuExportHistory") << "MenuExportHistory"
                                           << "Export History..." << none << true;
        QTest::newRow("MenuPrintSetup") << "MenuPrintSetup"
                                        << "Print Setup..." << none << true;
        QTest::newRow("MenuPrint") << "MenuPrint"
                                   << "Print..." << none << true;
        QTest::newRow("MenuQuit") << "MenuQuit"
                                  << "&Quit" << QKeySequence(QStringLiteral("Ctrl+Q")) << true;
        QTest::newRow("MenuGameHistoryGraph") << "MenuGameHistoryGraph"
                                              << "Game History Graph" << none << true;
        QTest::newRow("MenuPotOddsCalculator") << "MenuPotOddsCalculator"
                                               << "Pot Odds Calculator" << none << true;
        QTest::newRow("MenuFilter") << "MenuFilter"
                                    << "Filter History " << none << true;
        QTest::newRow("MenuSort") << "MenuSort"
                                  << "Sort History" << none << true;
        QTest::newRow("MenuWatchFolder") << "MenuWatchFolder"
                                         << "Watch Hand History Folder..." << none << true;
        QTest::newRow("MenuStopWatching") << "MenuStopWatching"
                                          << "Stop Watching" << none << false;
        QTest::newRow("MenuNewSystem") << "MenuNewSystem"
                                       << "New System..." << none << true;
        QTest::newRow("MenuLoadSystem") << "MenuLoadSystem"
                                        << "Load System..." << none << true;
        QTest::newRow("MenuSaveSystemAs") << "MenuSaveSystemAs"
                                          << "Save System As..." << none << true;
        QTest::newRow("MenuEditSystem") << "MenuEditSystem"
                                        << "Edit System..." << none << true;
        QTest::newRow("MenuContents") << "MenuContents"
                                      << "&Contents" << QKeySequence(QStringLiteral("F1")) << true;
        QTest::newRow("MenuAbout") << "MenuAbout"
                                   << "&About" << none << true;
    }

    void menuBar()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, enabled);

        const QAction *item = menuItem(qPrintable(name));
        QVERIFY(item);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut(), shortcut);
        QCOMPARE(item->isEnabled(), enabled);
    }

    void menuOrder()
    {
        QStringList menus;
        QStringList lines;
        const auto titles = FormTallowby->menuBar()->actions();
        for (const QAction *title : titles) {
            menus << title->text();
            for (const QAction *line : title->menu()->actions())
                lines << line->objectName();
        }
        QCOMPARE(menus, (QStringList{QStringLiteral("&File"), QStringLiteral("&Tools"),
                                     QStringLiteral("&Systems"), QStringLiteral("&Help")}));
        QCOMPARE(lines.join(QLatin1Char(' ')),
                 QStringLiteral("MenuNewGame N3 MenuNewDatabase MenuOpenDatabase "
                                "MenuSaveDatabaseAs N6 MenuImportHandHistories "
                                "MenuExportHistory N1 MenuPrintSetup MenuPrint N4 MenuQuit "
                                "MenuGameHistoryGraph MenuPotOddsCalculator N5 MenuFilter "
                                "MenuSort N7 MenuWatchFolder MenuStopWatching MenuNewSystem "
                                "MenuLoadSystem MenuSaveSystemAs MenuEditSystem MenuContents N2 "
                                "MenuAbout"));
    }

    void noDatabaseOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Print...") << "MenuPrint";
        QTest::newRow("Game History Graph") << "MenuGameHistoryGraph";
        QTest::newRow("Filter History ") << "MenuFilter";
        QTest::newRow("Sort History") << "MenuSort";
        QTest::newRow("Import Hand Histories...") << "MenuImportHandHistories";
        QTest::newRow("Export History...") << "MenuExportHistory";
    }

    void noDatabaseOpen()
    {
        QFETCH(QString, name);
        const int windowsBefore = QApplication::topLevelWidgets().size();
        menuItem(qPrintable(name))->trigger();
        QCOMPARE(prompts().messages.size(), 1);
        QCOMPARE(prompts().messages.front().kind, ScriptedPrompts::Message::Warning);
        QCOMPARE(prompts().messages.front().text, QStringLiteral("No database open"));
        QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);
    }

    void potOddsToggle()
    {
        QAction *toggle = menuItem("MenuPotOddsCalculator");
        FormPotOdds->EditPot->setText(QStringLiteral("120"));

        toggle->trigger();
        QVERIFY(!toggle->isChecked());
        QVERIFY(!FormPotOdds->isVisible());

        toggle->trigger();
        QVERIFY(toggle->isChecked());
        QVERIFY(FormPotOdds->isVisible());
        QCOMPARE(FormPotOdds->EditPot->text(), QStringLiteral("120"));
    }

    void shortcutsFromTheMainWindow()
    {
        // The panel is a tool window of the main window: asked of the window itself.
        FormTallowby->windowHandle()->requestActivate();
        QTRY_COMPARE(QApplication::activeWindow(), FormTallowby);

        FormSelCards->SelectCard(13);
        QCOMPARE(currentHand().Slots[H1].Index, 13);
        QTest::keyClick(FormTallowby, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(currentHand().Slots[H1].Index, 0);
        QCOMPARE(FormSelCards->slotPicture(H1), 0);

        QSignalSpy quit(menuItem("MenuQuit"), &QAction::triggered);
        QTest::keyClick(FormTallowby, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(quit.size(), 1);

        // Ctrl+O reaches Open Database; the scripted prompts cancel its file dialog.
        QSignalSpy open(menuItem("MenuOpenDatabase"), &QAction::triggered);
        QTest::keyClick(FormTallowby, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(open.size(), 1);
        QVERIFY(prompts().messages.isEmpty());
    }

    // F1 opens the help in the viewer's own process; a help file that cannot be read is
    // reported, never silently ignored.
    void helpWithF1()
    {
        // The panel is a tool window of the main window: asked of the window itself.
        FormTallowby->windowHandle()->requestActivate();
        QTRY_COMPARE(QApplication::activeWindow(), FormTallowby);
        QSignalSpy contents(menuItem("MenuContents"), &QAction::triggered);
        QTest::keyClick(FormTallowby, Qt::Key_F1);
        QCOMPARE(contents.size(), 1);
        const auto reported = [this] {
            return !prompts().messages.isEmpty() &&
                   prompts().messages.front().text.contains(QLatin1String("tallowbyhelp.chm"));
        };
        QTRY_VERIFY_WITH_TIMEOUT(helpViewer().isReady() || reported(), 20000);
        QVERIFY2(!reported(), qPrintable(prompts().messages.value(0).text));
        QCOMPARE(helpViewer().currentPage(), QStringLiteral("/index.html"));
    }

    void accessibleNamesOfTheMainWindow()
    {
        for (const char *name : {"StringGrid", "StringGridGS", "DBGridHHistory", "DBGridGHistory"})
            QVERIFY(!FormTallowby->findChild<QTableView *>(QString::fromLatin1(name))
                         ->accessibleName()
                         .isEmpty());
        QCOMPARE(
            FormTallowby->findChild<QTableView *>(QStringLiteral("StringGridGS"))->accessibleName(),
            QStringLiteral("Game Statistics"));
        FormTallowby->setStatusPanelText(0, QStringLiteral("Database: games.db"));
        QCOMPARE(FormTallowby->findChild<QLabel *>(QStringLiteral("StatusPanelDatabase"))
                     ->accessibleName(),
                 QStringLiteral("Database: games.db"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
