// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window (each tab), the card panel (empty, with a rank typed and waiting for
// its suit, and with a river hand), the calculator, the About box, the dialogs and the
// arrangement of the start windows to PNG files, for looking at them. Not a test: run it by hand
// with the folder to write into, under QT_QPA_PLATFORM=offscreen; "--font=13" sets the font size in
// points, "--dark" a dark palette.
#include "app/about.h"
#include "app/startup.h"
#include "app/tallowby.h"
#include "history/filter.h"
#include "history/newgame.h"
#include "history/printhistory.h"
#include "history/sort.h"
#include "panel/cardbutton.h"
#include "panel/selcards.h"
#include "scriptedprompts.h"
#include "tools/gamehistorygraph.h"
#include "tools/potodds.h"
#include "windowchecks.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

namespace {

void save(QWidget &window, const QString &folder, const QString &name)
{
    window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// The three windows where start-up put them, on a picture of the screen.
void saveArrangement(const QString &folder)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QImage desk(screen.size(), QImage::Format_RGB32);
    desk.fill(QColor(70, 80, 95));
    QPainter painter(&desk);
    for (QWidget *window :
         {static_cast<QWidget *>(FormTallowby), static_cast<QWidget *>(FormSelCards),
          static_cast<QWidget *>(FormPotOdds)}) {
        const QRect frame = window->frameGeometry();
        painter.fillRect(frame, QColor(40, 40, 40));
        painter.drawPixmap(window->geometry().topLeft() - screen.topLeft(), window->grab());
    }
    painter.end();
    desk.save(QDir(folder).filePath(QStringLiteral("startup-arrangement.png")));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QString folder = applyShotOptions();
    ScriptedPrompts prompts;
    const LongLivedWindows windows;
    FormTallowby->show();
    QApplication::processEvents();

    saveArrangement(folder);
    save(*FormSelCards, folder, QStringLiteral("panel-empty"));
    // A king typed on the deck, waiting for its suit.
    QTest::keyClick(FormSelCards->cardButton(13), 'k');
    save(*FormSelCards, folder, QStringLiteral("panel-typing"));
    QTest::keyClick(FormSelCards->cardButton(13), Qt::Key_Escape);
    auto *tabs = FormTallowby->findChild<QTabWidget *>(QStringLiteral("PageControl"));
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        save(*FormTallowby, folder, QStringLiteral("main-empty-tab%1").arg(page));
    }

    // Ace and king of hearts, a flop with two more hearts: flush draw, then the whole hand.
    tabs->setCurrentIndex(0);
    for (int card : {52, 51, 41, 46, 10})
        FormSelCards->SelectCard(card);
    save(*FormTallowby, folder, QStringLiteral("main-flop"));
    save(*FormSelCards, folder, QStringLiteral("panel-flop"));
    FormSelCards->SelectCard(25);
    FormSelCards->SelectCard(3);
    save(*FormTallowby, folder, QStringLiteral("main-river"));
    save(*FormSelCards, folder, QStringLiteral("panel-river"));
    FormTallowby->MenuNewGameClick();
    for (int card : {12, 25})
        FormSelCards->SelectCard(card);
    save(*FormTallowby, folder, QStringLiteral("main-preflop-pair"));

    // A hand whose Two Pair row needs more cards than its cell shows.
    FormTallowby->MenuNewGameClick();
    for (int card : {52, 25, 13, 37, 45, 2})
        FormSelCards->SelectCard(card);
    save(*FormTallowby, folder, QStringLiteral("main-long-need"));

    FormPotOdds->RadioButtonRiver->setChecked(true);
    FormPotOdds->SpinEditOuts->setText(QStringLiteral("15"));
    FormPotOdds->EditCall->setText(QStringLiteral("99"));
    FormPotOdds->EditPot->setText(QStringLiteral("999"));
    save(*FormPotOdds, folder, QStringLiteral("potodds-profit"));
    FormPotOdds->EditCall->setText(QStringLiteral("9999"));
    save(*FormPotOdds, folder, QStringLiteral("potodds-loss"));

    FormTallowby->setStatusPanelText(
        0, QStringLiteral("Database: My tournament games for the last season of the league.mdb"));
    FormTallowby->setStatusPanelText(
        1, QStringLiteral("System: My tournament system for late positions and short stacks.mdb"));
    save(*FormTallowby, folder, QStringLiteral("main-long-status"));

    TFormAbout about(FormTallowby);
    about.show();
    save(about, folder, QStringLiteral("about"));
    const std::pair<QWidget *, const char *> dialogs[] = {{FormNewGame, "newgame"},
                                                          {FormFilter, "filter"},
                                                          {FormSort, "sort"},
                                                          {FormPrint, "print"},
                                                          {FormGraph, "graph"}};
    for (const auto &[dialog, name] : dialogs) {
        dialog->show();
        QApplication::processEvents();
        save(*dialog, folder, QString::fromLatin1(name));
        dialog->hide();
    }
    return 0;
}
