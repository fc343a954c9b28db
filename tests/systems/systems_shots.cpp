// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the "Edit System" dialog on each of its pages, at the default font, at larger ones
// and under a dark palette, the chart of the starter system, and the card panel with the verdicts
// of a loaded system, to PNG files for looking at them: tallowby_systems_shots <folder>.
#include "systemfixture.h"

#include "app/startup.h"
#include "app/tallowby.h"
#include "engine/cards.h"
#include "panel/selcards.h"
#include "scriptedprompts.h"
#include "systems/editsystem.h"
#include "systems/startersystem.h"
#include "windowchecks.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

void choose(QWidget &window, const char *list, const char *entry)
{
    auto *box = window.findChild<QListWidget *>(QString::fromLatin1(list));
    const QList<QListWidgetItem *> items =
        box->findItems(QString::fromLatin1(entry), Qt::MatchExactly);
    if (!items.isEmpty()) {
        box->setCurrentItem(items.front());
        box->scrollToItem(items.front());
    }
}

void saveEditorPages(TemporarySystem &system, const QString &folder, const QString &suffix)
{
    TFormEditSystem editor(system.handSet, system.typeSet);
    editor.show();
    QApplication::processEvents();
    auto *pages = editor.findChild<QTabWidget *>(QStringLiteral("PageControl"));
    const char *names[] = {"preflop", "flop", "turn", "river", "chart"};
    choose(editor, "ListBoxPF", "AK offsuit");
    for (int page = 0; page < 5; ++page) {
        pages->setCurrentIndex(page);
        if (page == 1) {
            choose(editor, "ListBoxFH", "Straight");
            choose(editor, "ListBoxFO", "Raise 200%");
            editor.findChild<QLineEdit *>(QStringLiteral("DBEditFHitV"))->setText("35");
        } else if (page == 2) {
            choose(editor, "ListBoxTH", "Full House");
            choose(editor, "ListBoxTO", "Raise All-In");
        } else if (page == 3) {
            choose(editor, "ListBoxRH", "Straight Flush");
            choose(editor, "ListBoxRO", "Call");
        } else if (page == 4) {
            editor.findChild<QComboBox *>(QStringLiteral("ComboBoxChartOpps"))->setCurrentIndex(1);
        }
        QApplication::processEvents();
        editor.grab().save(QDir(folder).filePath(
            QStringLiteral("editsystem-%1%2.png").arg(QString::fromLatin1(names[page]), suffix)));
    }
    editor.reject();
}

void savePanelWithVerdicts(const QString &folder, const QString &systemPath)
{
    ScriptedPrompts prompts;
    LongLivedWindows windows;
    FormTallowby->show();
    prompts.fileNames.enqueue(systemPath);
    FormTallowby->findChild<QAction *>(QStringLiteral("MenuLoadSystem"))->trigger();
    for (const char *code : {"Qd", "Qc", "Ts", "9h", "3d"})
        FormSelCards->SelectCard(tallowby::cardIndexFromCode(code));
    QApplication::processEvents();
    FormSelCards->grab().save(QDir(folder).filePath(QStringLiteral("panel-verdicts.png")));
    FormTallowby->grab().save(QDir(folder).filePath(QStringLiteral("main-system.png")));
}

// The chart of the starter system the build wrote beside this tool, against a call and against
// a raise of 200%, on a copy so that the shipped file stays as built.
void saveStarterCharts(const QString &folder)
{
    const QString starter = QDir(QCoreApplication::applicationDirPath())
                                .filePath(QString::fromLatin1(kStarterSystemFileName));
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("starter.mdb"));
    if (!QFile::copy(starter, copy))
        return;
    DbConnection connection;
    connection.setConnectionString(DbConnection::connectionStringFor(copy));
    DbTable handSet(connection, QString::fromLatin1(kHandSetTable));
    DbTable typeSet(connection, QString::fromLatin1(kTypeSetTable));
    OpenSystemTables(connection, handSet, typeSet);
    {
        TFormEditSystem editor(handSet, typeSet);
        editor.show();
        editor.findChild<QTabWidget *>(QStringLiteral("PageControl"))->setCurrentIndex(4);
        auto *opponents = editor.findChild<QComboBox *>(QStringLiteral("ComboBoxChartOpps"));
        for (const int index : {0, 2}) {
            opponents->setCurrentIndex(index);
            QApplication::processEvents();
            editor.grab().save(
                QDir(folder).filePath(QStringLiteral("starter-chart-%1.png").arg(index)));
        }
    }
    connection.close();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    TemporarySystem system;
    changeField(system.typeSet, QStringLiteral("HType;Rnd;Opps"),
                {"Straight", "Flop", "Raise 200%"}, QStringLiteral("HitL"),
                QStringLiteral("Raise 400%"));
    changeField(system.handSet, QStringLiteral("Hand"), {"AK offsuit"}, QStringLiteral("OppR2"),
                QStringLiteral("Raise 200%"));
    // A few painted hands, so the chart shows its colours.
    const QStringList strong = {"AA", "KK", "QQ", "AK suited", "AK offsuit", "AQ suited"};
    const QStringList middle = {"JJ", "TT", "AJ suited", "KQ suited", "AQ offsuit", "99"};
    const QStringList bold = {"AA", "KK"};
    for (const QString &hand : strong)
        changeField(system.handSet, QStringLiteral("Hand"), {hand}, QStringLiteral("OppR1"),
                    QStringLiteral("Raise 200%"));
    for (const QString &hand : middle)
        changeField(system.handSet, QStringLiteral("Hand"), {hand}, QStringLiteral("OppR1"),
                    QStringLiteral("Check/Call"));
    for (const QString &hand : bold)
        changeField(system.handSet, QStringLiteral("Hand"), {hand}, QStringLiteral("OppR1"),
                    QStringLiteral("Raise All-In"));
    changeField(system.handSet, QStringLiteral("Hand"), {"72 offsuit"}, QStringLiteral("OppR1"),
                QStringLiteral("limp"));
    for (const char *hand : {"T9 suited", "98 suited"})
        changeField(system.handSet, QStringLiteral("Hand"), {QString::fromLatin1(hand)},
                    QStringLiteral("OppR1"), QStringLiteral("Raise 100%"));
    for (const char *hand : {"KJ suited", "QJ suited"})
        changeField(system.handSet, QStringLiteral("Hand"), {QString::fromLatin1(hand)},
                    QStringLiteral("OppR1"), QStringLiteral("Raise 400%"));
    changeField(system.handSet, QStringLiteral("Hand"), {"AT suited"}, QStringLiteral("OppR1"),
                QStringLiteral("Raise 800%"));
    saveStarterCharts(folder);
    saveEditorPages(system, folder, QString());
    QFont large = QApplication::font();
    const QFont normal = large;
    large.setPointSizeF(large.pointSizeF() * 1.5);
    QApplication::setFont(large);
    saveEditorPages(system, folder, QStringLiteral("-large"));
    large.setPointSize(13);
    QApplication::setFont(large);
    saveEditorPages(system, folder, QStringLiteral("-13pt"));
    QApplication::setFont(normal);
    const QPalette light = QApplication::palette();
    QApplication::setPalette(darkPalette());
    saveEditorPages(system, folder, QStringLiteral("-dark"));
    QApplication::setPalette(light);

    // A pair of queens at the flop: the changed row gives an olive verdict.
    changeField(system.typeSet, QStringLiteral("HType;Rnd;Opps"), {"2 Kind", "Flop", "Call"},
                QStringLiteral("HitE"), QStringLiteral("Raise 400%"));
    system.connection.close();
    savePanelWithVerdicts(folder, system.path);
    return 0;
}
