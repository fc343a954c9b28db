// SPDX-License-Identifier: GPL-3.0-or-later
// The card panel driven as the user drives it: card clicks, Reset Card, the slot radio buttons,
// the two combo boxes typed into key by key, New Game, and the analysis seen in the main
// window's grid and the panel's read-outs.
#include "app/startup.h"
#include "app/tallowby.h"
#include "cardscript.h"
#include "engine/cards.h"
#include "engine/handstate.h"
#include "history/newgame.h"
#include "panel/cardbutton.h"
#include "panel/gamestatsmodel.h"
#include "panel/handoddsmodel.h"
#include "panel/selcards.h"
#include "panel/slotpicture.h"
#include "panel/slots.h"
#include "runningprogram.h"
#include "tools/potodds.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace tallowby;

namespace {

const char *const kSlotNames[] = {"", "H1", "H2", "F1", "F2", "F3", "Tn", "Rr"};

QString slotCodes()
{
    QStringList codes;
    for (int s = H1; s <= Rr; ++s)
        codes.append(QString::fromStdString(currentHand().CardCode(s)));
    return codes.join(QLatin1Char(' '));
}

QString oddsCell(int column, int row)
{
    return FormTallowby->handOdds().cellText(column, row);
}

// The grid row whose name starts with the label ("Three Kind."), or -1.
int oddsRow(const QString &label)
{
    const HandOddsModel &odds = FormTallowby->handOdds();
    for (int row = 1; row < odds.grid().rowCount(); ++row)
        if (odds.cellText(0, row).startsWith(label))
            return row;
    return -1;
}

QComboBox *combo(const char *name)
{
    return FormSelCards->findChild<QComboBox *>(QString::fromLatin1(name));
}

// Empties an editable combo without a change event, as selecting its text and typing over it
// would leave it before the first key.
void clearText(QComboBox *box)
{
    box->lineEdit()->clear();
}

} // namespace

class TestSelCards : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningProgram> program_;
    ScriptedPrompts &prompts() { return program_->prompts; }

private Q_SLOTS:
    void init() { program_ = std::make_unique<RunningProgram>(); }
    void cleanup()
    {
        program_.reset();
        QLocale::setDefault(QLocale::c());
    }

    void startsWithAnEmptyHand()
    {
        QCOMPARE(slotCodes(), QStringLiteral("-- -- -- -- -- -- --"));
        QCOMPARE(FormSelCards->selectedSlot(), int(H1));
        QCOMPARE(FormSelCards->opponentsText(), QStringLiteral("Call"));
        QCOMPARE(FormSelCards->activePlayersText(), QStringLiteral("10"));
        QCOMPARE(FormSelCards->outsText(), QStringLiteral("0"));
        QCOMPARE(FormSelCards->hitText(), QStringLiteral("0"));
        QCOMPARE(FormSelCards->winText(), QStringLiteral("??"));
        QCOMPARE(FormSelCards->verdictText(1), QString());
        QCOMPARE(FormSelCards->verdictColour(2), QColor(0, 128, 0));
        QVERIFY(FormSelCards->isVisible());
        QCOMPARE(FormSelCards->windowTitle(), QStringLiteral("Control & Recommendation Panel"));
    }

    void deckLayout()
    {
        // Rows spades, diamonds, clubs, hearts; columns ace down to deuce.
        const auto *ace = FormSelCards->findChild<CardButton *>(QStringLiteral("ImageAs"));
        const auto *king = FormSelCards->findChild<CardButton *>(QStringLiteral("ImageKs"));
        const auto *deuce = FormSelCards->findChild<CardButton *>(QStringLiteral("Image2s"));
        const auto *aceDiamonds = FormSelCards->findChild<CardButton *>(QStringLiteral("ImageAd"));
        const auto *deuceHearts = FormSelCards->findChild<CardButton *>(QStringLiteral("Image2h"));
        QVERIFY(ace && king && deuce && aceDiamonds && deuceHearts);
        QCOMPARE(ace->cardIndex(), 13);
        QCOMPARE(FormSelCards->findChild<CardButton *>(QStringLiteral("Image2d"))->cardIndex(), 14);
        QCOMPARE(FormSelCards->findChild<CardButton *>(QStringLiteral("ImageAh"))->cardIndex(), 52);
        QCOMPARE(FormSelCards->findChildren<CardButton *>().size(), 52);
        QVERIFY(ace->x() < king->x() && king->x() < deuce->x());
        QCOMPARE(ace->y(), deuce->y());
        QVERIFY(ace->y() < aceDiamonds->y() && aceDiamonds->y() < deuceHearts->y());
        QCOMPARE(ace->size(), QSize(22, 32));
    }

    void selectCard_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("slots");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("warnings");

        QTest::newRow("As") << "As"
                            << "As -- -- -- -- -- --" << int(H2) << 0;
        QTest::newRow("As twice") << "As As"
                                  << "As -- -- -- -- -- --" << int(H2) << 1;
        QTest::newRow("As Kd As") << "As Kd As"
                                  << "As Kd -- -- -- -- --" << int(F1) << 1;
        QTest::newRow("As, back to H1, As again") << "As @H1 As"
                                                  << "As -- -- -- -- -- --" << int(H1) << 1;
        QTest::newRow("As replaced by Kd frees As") << "As @H1 Kd As"
                                                    << "Kd As -- -- -- -- --" << int(F1) << 0;
        QTest::newRow("reset on empty H1") << "reset"
                                           << "-- -- -- -- -- -- --" << int(H2) << 0;
        QTest::newRow("seven cards come back to H1") << "2c 7d Qc Jh 4d 9s 8d"
                                                     << "2c 7d Qc Jh 4d 9s 8d" << int(H1) << 0;
        QTest::newRow("eighth card replaces H1") << "2c 7d Qc Jh 4d 9s 8d 3h"
                                                 << "3h 7d Qc Jh 4d 9s 8d" << int(H2) << 0;
        QTest::newRow("eighth card already in a slot") << "2c 7d Qc Jh 4d 9s 8d 9s"
                                                       << "2c 7d Qc Jh 4d 9s 8d" << int(H1) << 1;
        QTest::newRow("Tn reset with Rr filled") << "2c 7d Qc Jh 4d 9s 8d @Tn reset"
                                                 << "2c 7d Qc Jh 4d -- 8d" << int(Rr) << 0;
        QTest::newRow("board card before the hole cards") << "@F2 Qd"
                                                          << "-- -- -- Qd -- -- --" << int(F3) << 0;
    }

    void selectCard()
    {
        QFETCH(QString, script);
        QFETCH(QString, slots);
        QFETCH(int, selected);
        QFETCH(int, warnings);

        play(script);

        QCOMPARE(slotCodes(), slots);
        QCOMPARE(FormSelCards->selectedSlot(), selected);
        QCOMPARE(prompts().messages.size(), warnings);
        for (const auto &message : std::as_const(prompts().messages)) {
            QCOMPARE(message.kind, ScriptedPrompts::Message::Warning);
            QCOMPARE(message.text, QStringLiteral("Card has already been selected"));
        }
        // Each slot picture shows what its slot holds; every held card is out of the deck.
        for (int s = H1; s <= Rr; ++s) {
            const int index = currentHand().Slots[s].Index;
            QCOMPARE(FormSelCards->slotPicture(s), index);
            if (index > 0)
                QCOMPARE(currentHand().Deck[index].Live, 0);
        }
    }

    void stageDetection_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("header");
        QTest::addColumn<bool>("analysed");

        QTest::newRow("H1 only") << ""
                                 << "As"
                                 << "You %" << false;
        QTest::newRow("H1 H2") << "As"
                               << "Ks"
                               << "Flop %" << true;
        QTest::newRow("flop with F3 missing") << "As Ks Qd"
                                              << "Jc"
                                              << "Flop %" << false;
        QTest::newRow("flop") << "As Ks Qd Jc"
                              << "2h"
                              << "Turn %" << true;
        QTest::newRow("turn") << "As Ks Qd Jc 2h"
                              << "3h"
                              << "River %" << true;
        QTest::newRow("river") << "As Ks Qd Jc 2h 3h"
                               << "4h"
                               << "You %" << true;
        QTest::newRow("river without turn") << "As Ks Qd Jc 2h @Rr"
                                            << "4h"
                                            << "Turn %" << false;
        QTest::newRow("board without hole cards") << "@F1 Qd Jc"
                                                  << "2h"
                                                  << "You %" << false;
        QTest::newRow("hole cards after the flop") << "@F1 Qd Jc 2h @H1 As"
                                                   << "Ks"
                                                   << "Turn %" << true;
    }

    void stageDetection()
    {
        QFETCH(QString, before);
        QFETCH(QString, last);
        QFETCH(QString, header);
        QFETCH(bool, analysed);

        play(before);
        // The opponents' action chosen for the stage before; a new analysis resets it.
        combo("ComboBoxOpps")->setCurrentIndex(3);
        FormSelCards->setOutsText(QStringLiteral("mark"));
        play(last);

        QCOMPARE(oddsCell(2, 0), header);
        QCOMPARE(FormSelCards->opponentsText(),
                 analysed ? QStringLiteral("Call") : QStringLiteral("Raise 200%"));
        QCOMPARE(FormSelCards->outsText() != QLatin1String("mark"), analysed);
        QVERIFY(prompts().messages.isEmpty());
    }

    void pocketPairPreFlop()
    {
        play(QStringLiteral("Ks Kd"));

        QCOMPARE(oddsCell(0, 0), QStringLiteral("Hand Type"));
        QCOMPARE(oddsCell(1, 0), QStringLiteral("Need"));
        QCOMPARE(oddsCell(2, 0), QStringLiteral("Flop %"));
        QCOMPARE(oddsCell(3, 0), QStringLiteral("Higher %"));
        QCOMPARE(oddsCell(0, 1), QStringLiteral("Two Kind."));
        QCOMPARE(oddsCell(1, 1), QStringLiteral(" "));
        QCOMPARE(oddsCell(2, 1), QStringLiteral("100"));
        const int three = oddsRow(QStringLiteral("Three Kind."));
        QVERIFY(three > 0);
        QCOMPARE(oddsCell(2, three), QStringLiteral("11.76"));
        QCOMPARE(oddsCell(1, three), QStringLiteral(" Kc Kh "));
        for (int row = 1; row < FormTallowby->handOdds().grid().rowCount(); ++row)
            QCOMPARE(oddsCell(3, row), QStringLiteral("??"));
        QCOMPARE(FormSelCards->outsText(), QStringLiteral("2"));
        QCOMPARE(FormSelCards->hitText(), QStringLiteral("11.8"));
        QCOMPARE(FormSelCards->winText(), QStringLiteral("??"));
        QCOMPARE(FormPotOdds->SpinEditOuts->text(), QStringLiteral("2"));
        QCOMPARE(QApplication::overrideCursor(), nullptr);

        // What the grid view shows and a screen reader reads.
        auto *view = FormTallowby->findChild<QTableView *>(QStringLiteral("StringGrid"));
        const QModelIndex cell = view->model()->index(three - 1, 2);
        QCOMPARE(cell.data().toString(), QStringLiteral("11.76"));
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 128));
        QCOMPARE(view->model()->index(three - 1, 1).data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("King of clubs, King of hearts"));
        QCOMPARE(view->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Flop %"));
    }

    // Under a locale with a decimal comma every figure is written with it.
    void decimalCommaLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        play(QStringLiteral("Ks Kd"));

        QCOMPARE(oddsCell(2, oddsRow(QStringLiteral("Three Kind."))), QStringLiteral("11,76"));
        QCOMPARE(FormSelCards->hitText(), QStringLiteral("11,8"));
        // The colours read the numbers back with the same separator.
        auto *view = FormTallowby->findChild<QTableView *>(QStringLiteral("StringGrid"));
        const QModelIndex cell =
            view->model()->index(oddsRow(QStringLiteral("Three Kind.")) - 1, 0);
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 128));

        // On the river every figure of the opponents' side is there too.
        play(QStringLiteral("Qh Jh 2h 3c 4d"));
        QStringList figures{FormSelCards->winText(), FormSelCards->hitText()};
        for (int row = 1; row < FormTallowby->handOdds().grid().rowCount(); ++row)
            figures << oddsCell(2, row) << oddsCell(3, row);
        QVERIFY(figures.join(QString()).contains(QLatin1Char(',')));
        for (const QString &figure : std::as_const(figures))
            QVERIFY2(!figure.contains(QLatin1Char('.')), qPrintable(figure));
    }

    void comboValidation_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("warnings");
        QTest::addColumn<bool>("ranAtLast");
        QTest::addColumn<QString>("shown"); // the box's text at the end; empty: as typed

        QTest::newRow("players 10") << "ComboBoxAP"
                                    << "10" << 1 << true << QString();
        QTest::newRow("players 11") << "ComboBoxAP"
                                    << "11" << 2 << false << QString();
        QTest::newRow("players 2") << "ComboBoxAP"
                                   << "2" << 0 << true << QString();
        QTest::newRow("players abc") << "ComboBoxAP"
                                     << "abc" << 3 << false << QString();
        QTest::newRow("opponents Call") << "ComboBoxOpps"
                                        << "Call" << 0 << true << QString();
        QTest::newRow("opponents raise 200% in lower case")
            << "ComboBoxOpps"
            << "raise 200%" << 0 << true << "Raise 200%";
        QTest::newRow("opponents CHECK") << "ComboBoxOpps"
                                         << "CHECK" << 0 << true << "Check";
        QTest::newRow("opponents Rais") << "ComboBoxOpps"
                                        << "Rais" << 0 << false << QString();
    }

    // One check per keystroke: the warning for every text that is no item of "Active players:",
    // the analysis or the recommendation once the text is one.
    void comboValidation()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(int, warnings);
        QFETCH(bool, ranAtLast);
        QFETCH(QString, shown);

        play(QStringLiteral("Ks Kd"));
        prompts().clear();
        // Marks that show whether a handler ran: the analysis rewrites the outs, the
        // recommendation empties the verdicts.
        FormSelCards->setOutsText(QStringLiteral("mark"));
        FormSelCards->setVerdictText(1, QStringLiteral("mark"));

        QComboBox *target = combo(qPrintable(box));
        clearText(target);
        QTest::keyClicks(target->lineEdit(), typed);

        // A typed action takes the letters of the item it names.
        QCOMPARE(target->currentText(), shown.isEmpty() ? typed : shown);
        QCOMPARE(prompts().messages.size(), warnings);
        for (const auto &message : std::as_const(prompts().messages))
            QCOMPARE(message.text, QStringLiteral("Invalid option"));
        const bool analysed = FormSelCards->outsText() != QLatin1String("mark");
        const bool advised = FormSelCards->verdictText(1).isEmpty();
        if (box == QLatin1String("ComboBoxAP")) {
            QCOMPARE(analysed, ranAtLast);
            QCOMPARE(advised, ranAtLast); // the analysis runs the recommendation
        } else {
            QCOMPARE(advised, ranAtLast);
            QVERIFY(!analysed);
        }
    }

    void choosingFromTheList()
    {
        play(QStringLiteral("Ks Kd Qh Jh 2h 3c 4d"));
        const QString tenPlayers = FormSelCards->winText();
        QComboBox *players = combo("ComboBoxAP");
        players->setFocus();
        // Down from "10" to "9" and on to "2".
        for (int step = 0; step < 8; ++step)
            QTest::keyClick(players, Qt::Key_Down);
        QCOMPARE(players->currentText(), QStringLiteral("2"));
        const QString twoPlayers = FormSelCards->winText();
        QVERIFY(twoPlayers.toDouble() > tenPlayers.toDouble());
        QVERIFY(prompts().messages.isEmpty());

        // Changing the opponents' action leaves the figures alone.
        FormSelCards->setVerdictText(1, QStringLiteral("mark"));
        QComboBox *opponents = combo("ComboBoxOpps");
        opponents->setFocus();
        QTest::keyClick(opponents, Qt::Key_Down);
        QCOMPARE(opponents->currentText(), QStringLiteral("Raise 100%"));
        QCOMPARE(FormSelCards->opponentsIndex(), 2);
        QCOMPARE(FormSelCards->verdictText(1), QString());
        QCOMPARE(FormSelCards->winText(), twoPlayers);

        // Typed text selects no item.
        clearText(opponents);
        QTest::keyClicks(opponents->lineEdit(), QStringLiteral("Check"));
        QCOMPARE(FormSelCards->opponentsIndex(), -1);
    }

    // An "Active players:" text that is no number stops the analysis once opponents' hands
    // were counted, with a message; pre-flop the text is never read.
    void activePlayersNotANumber()
    {
        QComboBox *players = combo("ComboBoxAP");
        clearText(players);
        QTest::keyClicks(players->lineEdit(), QStringLiteral("x"));
        QCOMPARE(prompts().texts(), QStringList{QStringLiteral("Invalid option")});
        prompts().clear();

        play(QStringLiteral("Ks Kd"));
        QVERIFY(prompts().messages.isEmpty());
        QCOMPARE(FormSelCards->outsText(), QStringLiteral("2"));
        const QString threeKind = oddsCell(2, oddsRow(QStringLiteral("Three Kind.")));

        play(QStringLiteral("Qh Jh 2h"));
        QCOMPARE(prompts().messages.size(), 1);
        QCOMPARE(prompts().messages.front().kind, ScriptedPrompts::Message::Error);
        QVERIFY(prompts().messages.front().text.contains(QLatin1String("\"x\"")));
        QCOMPARE(FormSelCards->outsText(), QStringLiteral("0"));
        QCOMPARE(FormSelCards->hitText(), QStringLiteral("0"));
        QCOMPARE(FormSelCards->winText(), QStringLiteral("??"));
        QCOMPARE(oddsCell(2, oddsRow(QStringLiteral("Three Kind."))), threeKind);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(players->currentText(), QStringLiteral("x"));
    }

    void newGameClears()
    {
        FormNewGame->findChild<QSpinBox *>(QStringLiteral("SpinEditTP"))->setValue(6);
        play(QStringLiteral("Ks Kd Qh Jh 2h"));
        combo("ComboBoxOpps")->setCurrentIndex(5);
        FormPotOdds->EditPot->setText(QStringLiteral("40"));

        QTest::mouseClick(FormSelCards->findChild<QPushButton *>(QStringLiteral("ButtonNewGame")),
                          Qt::LeftButton);

        QVERIFY(!FormNewGame->isVisible());
        QCOMPARE(slotCodes(), QStringLiteral("-- -- -- -- -- -- --"));
        for (int s = H1; s <= Rr; ++s)
            QCOMPARE(FormSelCards->slotPicture(s), 0);
        QCOMPARE(FormSelCards->selectedSlot(), int(H1));
        QCOMPARE(FormSelCards->activePlayersText(), QStringLiteral("6"));
        QCOMPARE(FormSelCards->opponentsText(), QStringLiteral("Call"));
        QCOMPARE(FormSelCards->outsText(), QStringLiteral("0"));
        QCOMPARE(FormSelCards->hitText(), QStringLiteral("0"));
        QCOMPARE(FormSelCards->winText(), QStringLiteral("??"));
        QCOMPARE(FormPotOdds->EditPot->text(), QStringLiteral("0"));
        QCOMPARE(FormPotOdds->SpinEditOuts->text(), QStringLiteral("0"));

        const HandOddsModel &odds = FormTallowby->handOdds();
        QCOMPARE(odds.grid().rowCount(), 9);
        const QStringList headers{QStringLiteral("Hand Type"), QStringLiteral("Need"),
                                  QStringLiteral("You %"), QStringLiteral("Higher %")};
        for (int column = 0; column < 4; ++column) {
            QCOMPARE(oddsCell(column, 0), headers[column]);
            for (int row = 1; row < 9; ++row)
                QCOMPARE(oddsCell(column, row), QString());
        }
        const GameStatsModel &stats = FormTallowby->gameStatistics();
        QCOMPARE(stats.cell(1, 0), QStringLiteral("-- --"));
        QCOMPARE(stats.cell(6, 0), QStringLiteral("All Games"));
        QCOMPARE(stats.cell(0, 8), QStringLiteral("Fold"));
        QCOMPARE(stats.cell(0, 0), QString());
        QCOMPARE(stats.cell(3, 4), QString());
        QVERIFY(prompts().messages.isEmpty());

        // Entering cards changes nothing in the statistics while no history is open.
        play(QStringLiteral("As Ad"));
        QCOMPARE(stats.cell(1, 0), QStringLiteral("-- --"));
    }

    void accessibleNames()
    {
        auto *ace = FormSelCards->findChild<CardButton *>(QStringLiteral("ImageAs"));
        QCOMPARE(ace->accessibleName(), QStringLiteral("Ace of spades"));
        QCOMPARE(FormSelCards->findChild<CardButton *>(QStringLiteral("Image2h"))->accessibleName(),
                 QStringLiteral("Deuce of hearts"));
        auto *first = FormSelCards->findChild<SlotPicture *>(QStringLiteral("ImageHand1"));
        auto *river = FormSelCards->findChild<SlotPicture *>(QStringLiteral("ImageRiver"));
        QCOMPARE(first->accessibleName(), QStringLiteral("First hole card: empty"));
        QCOMPARE(river->accessibleName(), QStringLiteral("River: empty"));

        play(QStringLiteral("As Ad"));
        QCOMPARE(first->accessibleName(), QStringLiteral("First hole card: Ace of spades"));
        const auto *outs = FormSelCards->findChild<QLabel *>(QStringLiteral("LabelOuts"));
        const auto *win = FormSelCards->findChild<QLabel *>(QStringLiteral("LabelWin"));
        QCOMPARE(outs->accessibleName(), QStringLiteral("Outs: 2"));
        QCOMPARE(win->accessibleName(), QStringLiteral("Win %: ??"));
        QCOMPARE(
            FormSelCards->findChild<QLabel *>(QStringLiteral("PanelVerdict1"))->accessibleName(),
            QStringLiteral("Hit verdict: none"));
        QCOMPARE(FormSelCards->findChild<QRadioButton *>(QStringLiteral("RadioButtonTn"))
                     ->accessibleName(),
                 QStringLiteral("Turn"));

        // Every control of the panel can be named by a screen reader.
        for (QWidget *control : FormSelCards->findChildren<QWidget *>()) {
            if (!control->isVisible() || control->focusPolicy() == Qt::NoFocus)
                continue;
            QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(control);
            QVERIFY(spoken);
            const bool editable = qobject_cast<QLineEdit *>(control) != nullptr;
            QVERIFY2(editable || !spoken->text(QAccessible::Name).isEmpty(),
                     qPrintable(control->objectName()));
        }
    }

    // The grid's cells are reachable through the accessibility interfaces.
    void gridCellsAreExposed()
    {
        play(QStringLiteral("Ks Kd"));
        auto *view = FormTallowby->findChild<QTableView *>(QStringLiteral("StringGrid"));
        QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(view);
        QVERIFY(grid);
        QCOMPARE(grid->text(QAccessible::Name), QStringLiteral("Hand Odds"));
        QAccessibleTableInterface *table = grid->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->columnCount(), 4);
        QCOMPARE(table->rowCount(), 8);
        const int three = oddsRow(QStringLiteral("Three Kind.")) - 1;
        QAccessibleInterface *cell = table->cellAt(three, 2);
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("11.76"));
        QCOMPARE(table->columnDescription(2), QStringLiteral("Flop %"));
    }
};

QTEST_MAIN(TestSelCards)
#include "tst_selcards.moc"
