// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the history tabs (Hand History, Game History, Game Statistics) with a few dozen
// games, and the View and Sort History dialogs, to PNG files for looking at them. Not a test:
// run it by hand with the folder to write into, under QT_QPA_PLATFORM=offscreen; "--font=13"
// sets the font size in points, "--dark" a dark palette.
#include "historyfixture.h"

#include "controls.h"
#include "history/filter.h"
#include "history/handhistorywatcher.h"
#include "history/sort.h"
#include "panel/selcards.h"
#include "windowchecks.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

void save(QWidget &window, const QString &folder, const QString &name)
{
    window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// Forty games over the last five weeks, a few of them with ace-king.
QList<QVariantList> someGames()
{
    const QStringList results{"Win", "Lose", "Split", "Fold"};
    const QStringList hands{"Two Kind. AA, K, 9, 4", "Two Pair. KK, 99, 4",
                            "Flush. A, J, 8, 6, 3",  "Straight. 9, 8, 7, 6, 5",
                            "Three Kind. 777, A, 2", "Full House. QQQ, 55"};
    const QString ranks = QStringLiteral("23456789TJQKA");
    const QString suits = QStringLiteral("sdch");
    QRandomGenerator random(7);
    QList<QVariantList> games;
    const QDate today = QDate::currentDate();
    for (int g = 0; g < 40; ++g) {
        QStringList cards;
        while (cards.size() < 7) {
            const QString card =
                QString(ranks.at(int(random.bounded(13)))) + suits.at(int(random.bounded(4)));
            if (!cards.contains(card))
                cards << card;
        }
        if (g % 7 == 3) {
            cards[0] = QStringLiteral("Ah");
            cards[1] = g % 2 ? QStringLiteral("Kd") : QStringLiteral("Ks");
        }
        const int board = g % 4 == 3 ? 0 : 5; // some folded before the flop
        for (int c = 2 + board; c < 7; ++c)
            cards[c] = QStringLiteral("--");
        QVariantList row{today.addDays(-int(random.bounded(35)))};
        for (const QString &card : cards)
            row << card;
        row << 0 << hands.at(int(random.bounded(hands.size())))
            << results.at(int(random.bounded(results.size())));
        games << row;
    }
    return games;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QString folder = QStringLiteral(".");
    for (const QString &argument : QApplication::arguments().mid(1)) {
        if (argument.startsWith(QLatin1String("--font="))) {
            QFont font = QApplication::font();
            font.setPointSizeF(argument.mid(7).toDouble());
            QApplication::setFont(font);
        } else if (argument == QLatin1String("--dark")) {
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
            QApplication::setPalette(darkPalette());
        } else {
            folder = argument;
        }
    }
    QTemporaryDir files;
    RunningProgram program;
    QApplication::processEvents();

    const QString path = files.filePath(QStringLiteral("games.mdb"));
    makeHistoryFile(path, someGames());
    runWithFile(program.prompts, "MenuOpenDatabase", path);
    // Ace of hearts and king of diamonds.
    FormSelCards->SelectCard(52);
    FormSelCards->SelectCard(25);

    auto *tabs = FormTallowby->findChild<QTabWidget *>(QStringLiteral("PageControl"));
    const char *names[] = {"", "hand-history", "game-history", "game-statistics"};
    for (int page = 1; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QApplication::processEvents();
        save(*FormTallowby, folder, QString::fromLatin1(names[page]));
    }
    // The Game History sorted by result, by a title click.
    tabs->setCurrentIndex(2);
    FormTallowby->DBGridGHistoryTitleClick(10);
    QApplication::processEvents();
    save(*FormTallowby, folder, QStringLiteral("game-history-by-result"));

    // A date filter in force, and a hand-history folder watched.
    whileModal(
        FormFilter,
        [] {
            control<QRadioButton>(FormFilter, "RadioButtonToday")->click();
            control<QPushButton>(FormFilter, "BitBtnOK")->click();
        },
        [] { menuItem("MenuFilter")->trigger(); });
    QTemporaryDir watched;
    runWithFile(program.prompts, "MenuWatchFolder", watched.path());
    QApplication::processEvents();
    save(*FormTallowby, folder, QStringLiteral("game-history-filtered-watching"));
    menuItem("MenuStopWatching")->trigger();

    for (QDialog *dialog : {static_cast<QDialog *>(FormFilter), static_cast<QDialog *>(FormSort)}) {
        dialog->show();
        QApplication::processEvents();
        save(*dialog, folder,
             dialog == FormFilter ? QStringLiteral("filter-dialog")
                                  : QStringLiteral("sort-dialog"));
        dialog->hide();
    }
    if (!program.prompts.messages.isEmpty()) {
        qWarning("%s", qPrintable(program.prompts.texts().join(QLatin1Char('\n'))));
        return 1;
    }
    return 0;
}
