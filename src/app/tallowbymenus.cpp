// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menu bar and the commands that only open another window.
#include "tallowby.h"

#include "app/about.h"
#include "app/commandguard.h"
#include "app/commandkeys.h"
#include "app/helpat.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

// One line of a menu: a command, or a separator when the caption is empty. An item whose
// command is not built yet has no handler and stays disabled.
struct MenuLine
{
    const char *name;
    const char *caption;
    QKeySequence shortcut;
    void (TFormTallowby::*handler)();
};

struct MenuTable
{
    const char *name;
    const char *caption;
    std::initializer_list<MenuLine> lines;
};

} // namespace

void TFormTallowby::buildMenus()
{
    using T = TFormTallowby;
    const QKeySequence none;
    const MenuTable menus[] = {
        {"MenuFile",
         QT_TR_NOOP("&File"),
         {
             {"MenuNewGame", QT_TR_NOOP("New &Game / Save"), QKeySequence(Qt::CTRL | Qt::Key_G),
              &T::MenuNewGameClick},
             {"N3", "", none, nullptr},
             {"MenuNewDatabase", QT_TR_NOOP("&New Database..."), QKeySequence(Qt::CTRL | Qt::Key_N),
              &T::MenuNewDatabaseClick},
             {"MenuOpenDatabase", QT_TR_NOOP("&Open Database..."),
              QKeySequence(Qt::CTRL | Qt::Key_O), &T::MenuOpenDatabaseClick},
             {"MenuSaveDatabaseAs", QT_TR_NOOP("Save Database &As..."),
              QKeySequence(Qt::CTRL | Qt::Key_A), &T::MenuSaveDatabaseAsClick},
             {"N1", "", none, nullptr},
             {"MenuPrintSetup", QT_TR_NOOP("Print Setup..."), none, &T::MenuPrintSetupClick},
             {"MenuPrint", QT_TR_NOOP("Print..."), none, &T::MenuPrintClick},
             {"N4", "", none, nullptr},
             {"MenuQuit", QT_TR_NOOP("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q),
              &T::MenuQuitClick},
         }},
        {"MenuTools",
         QT_TR_NOOP("&Tools"),
         {
             {"MenuGameHistoryGraph", QT_TR_NOOP("Game History Graph"), none,
              &T::MenuGameHistoryGraphClick},
             {"MenuPotOddsCalculator", QT_TR_NOOP("Pot Odds Calculator"), none,
              &T::MenuPotOddsCalculatorClick},
             {"N5", "", none, nullptr},
             {"MenuFilter", QT_TR_NOOP("Filter History "), none, &T::MenuFilterClick},
             {"MenuSort", QT_TR_NOOP("Sort History"), none, &T::MenuSortClick},
         }},
        {"Systems1",
         QT_TR_NOOP("&Systems"),
         {
             {"MenuNewSystem", QT_TR_NOOP("New System..."), none, &T::MenuNewSystemClick},
             {"MenuLoadSystem", QT_TR_NOOP("Load System..."), none, &T::MenuLoadSystemClick},
             {"MenuSaveSystemAs", QT_TR_NOOP("Save System As..."), none, &T::MenuSaveSystemAsClick},
             {"MenuEditSystem", QT_TR_NOOP("Edit System..."), none, &T::MenuEditSystemClick},
         }},
        {"MenuHelp",
         QT_TR_NOOP("&Help"),
         {
             {"MenuContents", QT_TR_NOOP("&Contents"), QKeySequence(Qt::Key_F1),
              &T::MenuContentsClick},
             {"N2", "", none, nullptr},
             {"MenuAbout", QT_TR_NOOP("&About"), none, &T::MenuAboutClick},
         }},
    };

    for (const MenuTable &table : menus) {
        QMenu *menu = menuBar()->addMenu(tr(table.caption));
        menu->setObjectName(QString::fromLatin1(table.name));
        for (const MenuLine &line : table.lines) {
            QAction *action = nullptr;
            if (*line.caption == '\0') {
                action = menu->addSeparator();
            } else {
                action = menu->addAction(tr(line.caption));
                action->setShortcut(line.shortcut);
                action->setEnabled(line.handler != nullptr);
                if (line.handler) {
                    const auto handler = line.handler;
                    connect(action, &QAction::triggered, this, [this, handler] {
                        runCommand(this, [this, handler] { (this->*handler)(); });
                    });
                }
            }
            action->setObjectName(QString::fromLatin1(line.name));
        }
    }

    MenuPotOddsCalculator = findChild<QAction *>(QStringLiteral("MenuPotOddsCalculator"));
    MenuPotOddsCalculator->setCheckable(true);
    MenuPotOddsCalculator->setChecked(true);

    // The menu's keys work from every window of the program.
    QList<QAction *> commands;
    auto *contents = findChild<QAction *>(QStringLiteral("MenuContents"));
    const auto actions = menuBar()->findChildren<QAction *>();
    for (QAction *action : actions) {
        if (!action->shortcut().isEmpty() && action != contents)
            commands.append(action);
    }
    commandKeys_ = new CommandKeys(*contents, commands, this);
}

// From the menu the help opens at its first page; F1 opens it at the page of the window where
// it was pressed.
void TFormTallowby::MenuContentsClick()
{
    const bool byKey = commandKeys_->helpByKey();
    commandKeys_->helpDone();
    openHelpAt(byKey ? helpPageFor(QApplication::activeWindow()) : QString(), this);
}

void TFormTallowby::MenuAboutClick()
{
    TFormAbout about(this);
    about.exec();
}

void TFormTallowby::MenuQuitClick()
{
    QCoreApplication::quit();
}
