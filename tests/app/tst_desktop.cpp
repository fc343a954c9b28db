// SPDX-License-Identifier: GPL-3.0-or-later
// Every window on a desktop as users have it: at the font sizes desktops ship (9, 11 and
// 13 pt; the scale factor comes from QT_SCALE_FACTOR, set per run by the build), no text is
// cut and each window keeps its design size at the default font; under a dark palette every
// text stays readable; a screen reader hears every window and control by its name; the menu
// keys and F1 reach their commands from the card panel, the calculator and the dialogs; the card
// panel cannot be closed and comes back when minimised.
#include "app/helpviewer.h"
#include "app/startup.h"
#include "app/tallowby.h"
#include "engine/handstate.h"
#include "history/filter.h"
#include "history/newgame.h"
#include "history/printhistory.h"
#include "history/sort.h"
#include "historyfiles.h"
#include "panel/cardbutton.h"
#include "panel/handoddsmodel.h"
#include "panel/selcards.h"
#include "panel/stringgrid.h"
#include "scriptedprompts.h"
#include "systems/editsystem.h"
#include "tools/gamehistorygraph.h"
#include "tools/potodds.h"
#include "windowchecks.h"

#include "../systems/systemfixture.h"

#include "app/about.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <functional>
#include <memory>

using namespace tallowby;

namespace {

// Ace and king of diamonds and spades, queen of clubs, seven of hearts, three of spades: the
// Two Pair row needs sixteen cards, more than its cell can show.
const int kLongNeedHand[] = {52, 25, 13, 37, 45, 2};

struct RunningProgram
{
    ScriptedPrompts prompts;
    LongLivedWindows windows;
    RunningProgram()
    {
        FormTallowby->show();
        // A constructor cannot fail the test: the checks that follow do when it did not settle.
        if (!QTest::qWaitFor([] { return QApplication::activeWindow() == FormSelCards; }))
            qWarning("The card panel did not become the active window");
    }
};

QAction *menuItem(const char *name)
{
    return FormTallowby->findChild<QAction *>(QString::fromLatin1(name));
}

// Makes the window the active one. A tool window of the main window counts as active while
// the main window is, so activateWindow() alone would not move the keyboard there.
bool activate(QWidget *window)
{
    window->activateWindow();
    window->windowHandle()->requestActivate();
    return QTest::qWaitFor([window] {
        return QApplication::activeWindow() == window ||
               QGuiApplication::focusWindow() == window->windowHandle();
    });
}

void setFontSize(double points)
{
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    QApplication::setFont(font);
}

// A hand whose figures fill every kind of cell: shaded rows, a cut Need list, the river.
void enterLongNeedHand()
{
    for (const int card : kLongNeedHand)
        FormSelCards->SelectCard(card);
}

// A history file whose games fill both grids, opened: a day of every month (month names differ
// in width), every card on the boards, every result, the longest hand descriptions, all with the
// entered hand's hole cards so that the Hand History shows them too.
void openGamesOfTheHand()
{
    static QTemporaryDir folder;
    static int files = 0;
    const QString path = folder.filePath(QStringLiteral("games%1.mdb").arg(++files));
    const HandState &hand = currentHand();
    const QString h1 = QString::fromStdString(hand.CardCode(H1));
    const QString h2 = QString::fromStdString(hand.CardCode(H2));
    const QStringList hands{"Straight Flush. T, 9, 8, 7, 6", "Three Kind. 777, A, 2",
                            "Two Pair. KK, 99, 4"};
    const QStringList results{"Win", "Lose", "Split", "Fold"};
    // The boards hold every card of the deck between them, so the widest code is among them.
    const QString ranks = QStringLiteral("23456789TJQKA");
    const QString suits = QStringLiteral("cdhs");
    QList<QVariantList> rows;
    for (int month = 1; month <= 12; ++month) {
        QVariantList row = historyRow(QDate(2026, month, 28), h1, h2, results.at(month % 4),
                                      hands.at(month % 3));
        for (int card = 0; card < 5; ++card) {
            const int index = ((month - 1) * 5 + card) % 52;
            row[3 + card] = QString(ranks.at(index / 4)) + suits.at(index % 4);
        }
        rows << row;
    }
    makeHistoryFile(path, rows);
    dynamic_cast<ScriptedPrompts &>(prompts()).fileNames.enqueue(path);
    menuItem("MenuOpenDatabase")->trigger();
    if (!FormTallowby->historyDatabaseOpen())
        qWarning("The history file of the checks did not open");
}

void fillCalculator()
{
    FormPotOdds->RadioButtonRiver->setChecked(true);
    FormPotOdds->SpinEditOuts->setText(QStringLiteral("15"));
    // A profit of 22676.1, seven characters.
    FormPotOdds->EditCall->setText(QStringLiteral("99"));
    FormPotOdds->EditPot->setText(QStringLiteral("999"));
}

// The windows put through the checks, by name: each one made ready and shown.
QWidget *showWindow(const QString &name, std::unique_ptr<QWidget> &owned,
                    std::unique_ptr<TemporarySystem> &system)
{
    if (name == QLatin1String("main window")) {
        enterLongNeedHand();
        openGamesOfTheHand();
        return FormTallowby;
    }
    if (name == QLatin1String("card panel")) {
        enterLongNeedHand();
        return FormSelCards;
    }
    if (name == QLatin1String("calculator")) {
        fillCalculator();
        return FormPotOdds;
    }
    QWidget *window = nullptr;
    if (name == QLatin1String("New Game / Save"))
        window = FormNewGame;
    else if (name == QLatin1String("View"))
        window = FormFilter;
    else if (name == QLatin1String("Sort History"))
        window = FormSort;
    else if (name == QLatin1String("Print..."))
        window = FormPrint;
    else if (name == QLatin1String("Game History Graph"))
        window = FormGraph;
    if (name == QLatin1String("About")) {
        owned = std::make_unique<TFormAbout>(FormTallowby);
        window = owned.get();
    } else if (name == QLatin1String("Edit System")) {
        system = std::make_unique<TemporarySystem>();
        owned = std::make_unique<TFormEditSystem>(system->handSet, system->typeSet, FormTallowby);
        window = owned.get();
    }
    if (window) {
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            qWarning("A window was not exposed");
    }
    return window;
}

// Runs the check on every page of every tab control of the window in turn.
QStringList onEveryPage(QWidget *window, const std::function<QStringList(const QWidget *)> &check)
{
    QStringList faults = check(window);
    const auto tabs = window->findChildren<QTabWidget *>();
    for (QTabWidget *pages : tabs) {
        if (pages->window() != window)
            continue;
        const int shown = pages->currentIndex();
        for (int page = 0; page < pages->count(); ++page) {
            if (page == shown)
                continue;
            pages->setCurrentIndex(page);
            QApplication::processEvents();
            faults << check(window);
        }
        pages->setCurrentIndex(shown);
    }
    faults.removeDuplicates();
    return faults;
}

const char *const kWindows[] = {"main window", "card panel",   "calculator", "New Game / Save",
                                "View",        "Sort History", "Print...",   "Game History Graph",
                                "About",       "Edit System"};

// Each window's size at the default font as designed: the area inside the border.
QSize designSize(const QString &window)
{
    if (window == QLatin1String("calculator"))
        return {165, 215};
    if (window == QLatin1String("About"))
        return {280, 150};
    if (window == QLatin1String("Print..."))
        return {180, 105};
    if (window == QLatin1String("Game History Graph"))
        return {550, 380};
    if (window == QLatin1String("Edit System"))
        return {510, 285};
    return {};
}

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningProgram> program_;
    std::unique_ptr<QWidget> owned_;
    std::unique_ptr<TemporarySystem> system_;
    QFont defaultFont_;
    QPalette defaultPalette_;
    QString defaultStyle_;

    void start() { program_ = std::make_unique<RunningProgram>(); }

private Q_SLOTS:
    void initTestCase()
    {
        defaultFont_ = QApplication::font();
        defaultPalette_ = QApplication::palette();
        defaultStyle_ = QApplication::style()->name();
    }

    void cleanup()
    {
        owned_.reset();
        system_.reset();
        program_.reset();
        QApplication::setFont(defaultFont_);
        QApplication::setStyle(QStyleFactory::create(defaultStyle_));
        QApplication::setPalette(defaultPalette_);
    }

    void textsFit_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<double>("points");
        for (const double points : {9.0, 11.0, 13.0}) {
            for (const char *window : kWindows)
                QTest::addRow("%s at %g pt", window, points)
                    << QString::fromLatin1(window) << points;
        }
    }

    // At the font the desktop chose, every window grows as far as its texts need.
    void textsFit()
    {
        QFETCH(QString, window);
        QFETCH(double, points);
        setFontSize(points);
        start();
        QWidget *shown = showWindow(window, owned_, system_);
        QVERIFY(shown);
        const QStringList faults = onEveryPage(shown, &checkTextsFit);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void designSizeAtTheDefaultFont_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *window : kWindows) {
            if (designSize(QString::fromLatin1(window)).isValid())
                QTest::newRow(window) << QString::fromLatin1(window);
        }
        QTest::newRow("main window") << QStringLiteral("main window");
    }

    void designSizeAtTheDefaultFont()
    {
        QFETCH(QString, window);
        start();
        QWidget *shown = showWindow(window, owned_, system_);
        QVERIFY(shown);
        QSize expected = designSize(window);
        if (window == QLatin1String("main window"))
            expected = QSize(TFormTallowby::kClientWidth,
                             TFormTallowby::kClientHeight + FormTallowby->menuBar()->height());
        QCOMPARE(shown->size(), expected);
        // The run is at the scale factor it was started with.
        QCOMPARE(shown->devicePixelRatioF(),
                 qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
    }

    void darkPaletteKeepsTextReadable_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *window : kWindows)
            QTest::newRow(window) << QString::fromLatin1(window);
    }

    // The fills the program chooses are light; their text must not take a dark scheme's light
    // text colour, and the scheme's own fills must keep the scheme's text.
    void darkPaletteKeepsTextReadable()
    {
        QFETCH(QString, window);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
        start();
        QWidget *shown = showWindow(window, owned_, system_);
        QVERIFY(shown);
        if (window == QLatin1String("calculator")) {
            // Each shade of the profit: positive, negative and even.
            for (const char *call : {"10", "99999", "0"}) {
                FormPotOdds->EditCall->setText(QString::fromLatin1(call));
                const QStringList faults = checkContrast(shown);
                QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
            }
        }
        const QStringList faults =
            onEveryPage(shown, [](const QWidget *w) { return checkContrast(w); });
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void screenReaders_data() { darkPaletteKeepsTextReadable_data(); }

    void screenReaders()
    {
        QFETCH(QString, window);
        start();
        QWidget *shown = showWindow(window, owned_, system_);
        QVERIFY(shown);
        const QStringList faults = onEveryPage(shown, &checkAccessibility);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // The two choices of the panel: named by their labels, their texts as values.
    void panelChoicesByTheirLabels()
    {
        start();
        auto *opponents = FormSelCards->findChild<QComboBox *>(QStringLiteral("ComboBoxOpps"));
        auto *players = FormSelCards->findChild<QComboBox *>(QStringLiteral("ComboBoxAP"));
        QAccessibleInterface *spokenOpponents = QAccessible::queryAccessibleInterface(opponents);
        QAccessibleInterface *spokenPlayers = QAccessible::queryAccessibleInterface(players);
        QCOMPARE(spokenOpponents->role(), QAccessible::ComboBox);
        QCOMPARE(spokenOpponents->text(QAccessible::Name), QStringLiteral("Opponents"));
        QCOMPARE(spokenOpponents->text(QAccessible::Value), QStringLiteral("Call"));
        QCOMPARE(spokenPlayers->text(QAccessible::Name), QStringLiteral("Active players"));
        QCOMPARE(spokenPlayers->text(QAccessible::Value), QStringLiteral("10"));
        players->setCurrentIndex(4);
        QCOMPARE(spokenPlayers->text(QAccessible::Value), QStringLiteral("6"));
        // The list and the text field are there to be read.
        QCOMPARE(spokenPlayers->childCount(), 2);
        QCOMPARE(spokenPlayers->child(0)->role(), QAccessible::List);
    }

    void cutNeedListSaysWhatIsLeftOut()
    {
        start();
        enterLongNeedHand();
        const HandOddsModel &odds = FormTallowby->handOdds();
        auto *grid = FormTallowby->findChild<QTableView *>(QStringLiteral("StringGrid"));
        int longest = -1;
        for (int row = 0; row < odds.rowCount(); ++row) {
            if (longest < 0 || odds.index(row, 1).data().toString().size() >
                                   odds.index(longest, 1).data().toString().size())
                longest = row;
        }
        const QModelIndex need = odds.index(longest, 1);
        const QString whole = need.data().toString();
        QCOMPARE(whole.split(QLatin1Char(' '), Qt::SkipEmptyParts).size(), 12);
        const QString shown =
            shownCellText(need, grid->fontMetrics(), grid->columnWidth(1) - kCellTextPadding);
        QVERIFY2(shown.contains(QStringLiteral("\u2026 +")), qPrintable(shown));
        QCOMPARE(need.data(Qt::ToolTipRole).toString(), whole);
        QVERIFY(FormTallowby->testAttribute(Qt::WA_AlwaysShowToolTips));
    }

    void fittedCardList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("codesOfRoom"); // room for this many "Xx " codes
        QTest::addColumn<QString>("shown");
        QTest::newRow("fits whole") << " 2h 3h 4h " << 4 << " 2h 3h 4h ";
        QTest::newRow("one too many") << " 2h 3h 4h 5h 6h " << 4 << " 2h 3h \u2026 +3";
        QTest::newRow("sixteen") << " 2c 2d 2h 2s 3c 3d 3h 3s 4c 4d 4h 4s 5c 5d 5h 5s " << 6
                                 << " 2c 2d 2h 2s \u2026 +12";
        QTest::newRow("no room for a single code") << " Ah Kh Qh " << 1 << " \u2026 +3";
    }

    void fittedCardList()
    {
        QFETCH(QString, list);
        QFETCH(int, codesOfRoom);
        QFETCH(QString, shown);
        const QFontMetrics metrics(QFont(QStringLiteral("DejaVu Sans Mono"), 9));
        const int room = metrics.horizontalAdvance(QStringLiteral(" Xx").repeated(codesOfRoom));
        QCOMPARE(::fittedCardList(list, metrics, room), shown);
    }

    void shortcuts_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("command");
        const QKeySequence g(Qt::CTRL | Qt::Key_G);
        const QKeySequence n(Qt::CTRL | Qt::Key_N);
        const QKeySequence o(Qt::CTRL | Qt::Key_O);
        const QKeySequence a(Qt::CTRL | Qt::Key_A);
        const QKeySequence q(Qt::CTRL | Qt::Key_Q);
        QTest::newRow("Ctrl+G on the panel's deck") << "panel" << g << "MenuNewGame";
        QTest::newRow("Ctrl+N on the panel's deck") << "panel" << n << "MenuNewDatabase";
        QTest::newRow("Ctrl+O on the panel's deck") << "panel" << o << "MenuOpenDatabase";
        QTest::newRow("Ctrl+A on the panel's deck") << "panel" << a << "MenuSaveDatabaseAs";
        QTest::newRow("Ctrl+Q on the panel's deck") << "panel" << q << "MenuQuit";
        QTest::newRow("Ctrl+A in Active players") << "players" << a << "MenuSaveDatabaseAs";
        QTest::newRow("Ctrl+G in the calculator's Pot") << "pot" << g << "MenuNewGame";
        QTest::newRow("Ctrl+A in the calculator's Pot") << "pot" << a << "MenuSaveDatabaseAs";
        QTest::newRow("Ctrl+Q in the calculator's Outs") << "outs" << q << "MenuQuit";
    }

    void shortcuts()
    {
        QFETCH(QString, window);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, command);
        start();
        QWidget *target = FormSelCards->cardButton(13);
        if (window == QLatin1String("players"))
            target = FormSelCards->findChild<QComboBox *>(QStringLiteral("ComboBoxAP"))->lineEdit();
        else if (window == QLatin1String("pot"))
            target = FormPotOdds->EditPot;
        else if (window == QLatin1String("outs"))
            target = FormPotOdds->SpinEditOuts;
        QVERIFY(activate(target->window()));
        target->setFocus();
        QSignalSpy ran(menuItem(command.toLatin1().constData()), &QAction::triggered);
        QTest::keySequence(target, keys);
        QCOMPARE(ran.size(), 1);
    }

    void newGameFromThePanelClearsTheHand()
    {
        start();
        FormSelCards->SelectCard(13);
        QCOMPARE(currentHand().Slots[H1].Index, 13);
        QTest::keyClick(FormSelCards->cardButton(13), Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(currentHand().Slots[H1].Index, 0);
    }

    void helpAtTheWindowsPage_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("page");
        QTest::newRow("card panel") << "card panel"
                                    << "/entering.html";
        QTest::newRow("calculator") << "calculator"
                                    << "/potodds.html";
        QTest::newRow("main window, Hand History") << "Hand History"
                                                   << "/historyviews.html#hand-history";
        QTest::newRow("main window, Game History") << "Game History"
                                                   << "/historyviews.html#game-history";
        QTest::newRow("main window, Game Statistics") << "Game Statistics"
                                                      << "/statistics.html";
        QTest::newRow("New Game / Save") << "New Game / Save"
                                         << "/recording.html#dialog";
        QTest::newRow("View") << "View"
                              << "/historyviews.html#filter";
        QTest::newRow("Sort History") << "Sort History"
                                      << "/historyviews.html#sort";
        QTest::newRow("Print...") << "Print..."
                                  << "/printing.html#print";
        QTest::newRow("Game History Graph") << "Game History Graph"
                                            << "/graph.html";
        QTest::newRow("Edit System") << "Edit System"
                                     << "/editsystem.html";
    }

    // F1 opens the help at the page that explains the window it was pressed in; a modal dialog
    // does not block it.
    void helpAtTheWindowsPage()
    {
        QFETCH(QString, window);
        QFETCH(QString, page);
        start();
        QWidget *where = nullptr;
        auto *tabs = FormTallowby->findChild<QTabWidget *>(QStringLiteral("PageControl"));
        for (int tab = 0; tab < tabs->count(); ++tab) {
            if (tabs->tabText(tab) == window) {
                tabs->setCurrentIndex(tab);
                where = FormTallowby;
            }
        }
        if (!where)
            where = showWindow(window, owned_, system_);
        QVERIFY(where);
        if (where != FormTallowby && where != FormSelCards && where != FormPotOdds) {
            where->hide();
            where->setWindowModality(Qt::ApplicationModal);
            where->show();
        }
        QVERIFY(activate(where));
        QWidget *focus = where->focusWidget() ? where->focusWidget() : where;
        QTest::keyClick(focus, Qt::Key_F1);
        // The viewer already open from an earlier row goes to the page.
        QTRY_COMPARE_WITH_TIMEOUT(helpViewer().currentPage(), page, 20000);
        QVERIFY2(program_->prompts.messages.isEmpty(),
                 qPrintable(program_->prompts.texts().join(QLatin1Char('\n'))));
        where->setWindowModality(Qt::NonModal);
    }

    // Contents in the menu opens the help at its first page, whatever tab is shown.
    void contentsFromTheMenu()
    {
        start();
        FormTallowby->findChild<QTabWidget *>(QStringLiteral("PageControl"))->setCurrentIndex(3);
        // A viewer left at another page goes back to the first one.
        showHelp(FormTallowby, QStringLiteral("potodds.html"));
        QTRY_COMPARE_WITH_TIMEOUT(helpViewer().currentPage(), QStringLiteral("/potodds.html"),
                                  20000);
        menuItem("MenuContents")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(helpViewer().currentPage(), QStringLiteral("/index.html"), 20000);
        QVERIFY(program_->prompts.messages.isEmpty());
    }

    void windowSystemsCloseIsRefused_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("card panel") << "card panel";
        QTest::newRow("calculator") << "calculator";
    }

    // Alt+F4 or a task bar's Close reach a window as the window system's close request; the
    // program's own closing of its windows at the end still goes through.
    void windowSystemsCloseIsRefused()
    {
        QFETCH(QString, window);
        start();
        QWidget *target = window == QLatin1String("card panel")
                              ? static_cast<QWidget *>(FormSelCards)
                              : FormPotOdds;
        QCloseEvent fromTheWindowSystem;
        QSpontaneKeyEvent::setSpontaneous(&fromTheWindowSystem);
        // Delivered as it comes from the window system: sendEvent() would make it the program's.
        qApp->notify(target, &fromTheWindowSystem);
        QVERIFY(!fromTheWindowSystem.isAccepted());
        QVERIFY(target->isVisible());
        QCloseEvent fromTheProgram;
        QApplication::sendEvent(target, &fromTheProgram);
        QVERIFY(fromTheProgram.isAccepted());
    }

    void minimisedPanelComesBackWithTheMainWindow()
    {
        start();
        FormSelCards->showMinimized();
        QTRY_VERIFY(FormSelCards->isMinimized());
        QVERIFY(activate(FormPotOdds));
        QVERIFY(activate(FormTallowby));
        QTRY_VERIFY(!FormSelCards->isMinimized());
        QVERIFY(FormSelCards->isVisible());
    }

    // One task-bar entry: the panel and the calculator are tool windows owned by the main window.
    void oneEntryForTheProgram()
    {
        start();
        for (QWidget *companion :
             {static_cast<QWidget *>(FormSelCards), static_cast<QWidget *>(FormPotOdds)}) {
            QCOMPARE(companion->windowType(), Qt::Tool);
            QCOMPARE(companion->parentWidget(), FormTallowby);
            QVERIFY(companion->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        }
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
