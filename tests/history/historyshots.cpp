// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the history tabs (Hand History, Game History, Game Statistics) with a few dozen
// games, the View and Sort History dialogs, and an import's progress and summary, to PNG files
// for looking at them. Not a test:
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
#include <QFile>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

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

// The hands of the cash-game sample copied under new hand numbers until there are `hands` of
// them, so that importing them takes long enough to show its progress.
QString manyHands(const QString &folder, int hands)
{
    QFile sample(QStringLiteral(TALLOWBY_IMPORT_DATA "/cash_usd.txt"));
    if (!sample.open(QIODevice::ReadOnly))
        qFatal("the cash-game sample cannot be read");
    const QString text = QString::fromUtf8(sample.readAll());
    const QString path = QDir(folder).filePath(QStringLiteral("many hands.txt"));
    QFile many(path);
    if (!many.open(QIODevice::WriteOnly))
        qFatal("the many hands cannot be written");
    const QRegularExpression number(QStringLiteral("Hand #23000000000(\\d)"));
    for (int copy = 0, written = 0; written < hands; ++copy, written += int(text.count(number))) {
        QString renumbered = text;
        renumbered.replace(number, QStringLiteral("Hand #%1\\1").arg(240000000 + copy));
        many.write(renumbered.toUtf8() + "\n\n");
    }
    return path;
}

// Imports the files through the menu command and saves its progress dialog once it shows.
void importAndSaveProgress(ScriptedPrompts &prompts, const QStringList &files,
                           const QString &folder)
{
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&poll, folder] {
        auto *progress =
            FormTallowby->findChild<QProgressDialog *>(QStringLiteral("ImportProgress"));
        if (progress && progress->isVisible() && progress->value() > 100) {
            save(*progress, folder, QStringLiteral("import-progress"));
            poll.stop();
        }
    });
    poll.start(20);
    for (const QString &file : files)
        prompts.fileNames.enqueue(file);
    menuItem("MenuImportHandHistories")->trigger();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QString folder = applyShotOptions();
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
    // An import of many hands with two damaged files among them, and its summary as the
    // program's message box shows it.
    importAndSaveProgress(program.prompts,
                          {manyHands(files.path(), 12000),
                           QStringLiteral(TALLOWBY_IMPORT_DATA "/garbled.txt"),
                           QStringLiteral(TALLOWBY_IMPORT_DATA "/truncated.txt")},
                          folder);
    if (program.prompts.messages.size() != 1) {
        qWarning("the import said: %s", qPrintable(program.prompts.texts().join('\n')));
        return 1;
    }
    QMessageBox summary(QMessageBox::Warning, QString::fromLatin1(kApplicationTitle),
                        program.prompts.messages.takeFirst().text, QMessageBox::Ok, FormTallowby);
    summary.show();
    QApplication::processEvents();
    save(summary, folder, QStringLiteral("import-summary"));
    summary.hide();

    if (!program.prompts.messages.isEmpty()) {
        qWarning("%s", qPrintable(program.prompts.texts().join(QLatin1Char('\n'))));
        return 1;
    }
    return 0;
}
