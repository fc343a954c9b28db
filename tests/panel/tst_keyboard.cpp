// SPDX-License-Identifier: GPL-3.0-or-later
// Entering a hand from the keyboard: the key sequence of a typed card on its own, then the
// running program driven by keys only (typed codes, Esc, Backspace, Alt+1..7, Ctrl+V with a
// clipboard text, the arrow keys through the deck, the access letters), and a whole hand typed
// in against the same hand clicked.
#include "app/startup.h"
#include "app/tallowby.h"
#include "engine/cards.h"
#include "engine/handstate.h"
#include "panel/cardbutton.h"
#include "panel/cardkeyboard.h"
#include "panel/cardkeys.h"
#include "panel/handoddsmodel.h"
#include "panel/hintline.h"
#include "panel/selcards.h"
#include "scriptedprompts.h"
#include "tools/potodds.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace tallowby;

namespace {

struct RunningProgram
{
    ScriptedPrompts prompts;
    LongLivedWindows windows;
    RunningProgram() { FormTallowby->show(); }
};

QString slotCodes()
{
    QStringList codes;
    for (int s = H1; s <= Rr; ++s)
        codes.append(QString::fromStdString(currentHand().CardCode(s)));
    return codes.join(QLatin1Char(' '));
}

CardButton *card(const QString &code)
{
    return FormSelCards->findChild<CardButton *>(QStringLiteral("Image") + code);
}

// Clicks as in the panel's own tests: "As" clicks a card, "@Tn" a slot's radio button.
void click(const QString &script)
{
    for (const QString &step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step.startsWith(QLatin1Char('@'))) {
            auto *radio = FormSelCards->findChild<QRadioButton *>(QStringLiteral("RadioButton") +
                                                                  step.mid(1));
            QVERIFY2(radio, qPrintable(step));
            QTest::mouseClick(radio, Qt::LeftButton);
        } else {
            QVERIFY2(card(step), qPrintable(step));
            QTest::mouseClick(card(step), Qt::LeftButton);
        }
    }
}

// Presses keys on whatever has the focus in `window` (the panel unless said otherwise): a
// single character types it; "esc", "backspace", "delete", "enter", "space", "tab",
// "backtab", "left", "right", "up", "down", "alt+N", "ctrl+v" and "ctrl+g" press those keys.
// Returns the number of key presses.
int press(const QString &script, QWidget *window = nullptr)
{
    static const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> named = {
        {QStringLiteral("esc"), {Qt::Key_Escape, {}}},
        {QStringLiteral("backspace"), {Qt::Key_Backspace, {}}},
        {QStringLiteral("delete"), {Qt::Key_Delete, {}}},
        {QStringLiteral("enter"), {Qt::Key_Return, {}}},
        {QStringLiteral("space"), {Qt::Key_Space, {}}},
        {QStringLiteral("tab"), {Qt::Key_Tab, {}}},
        {QStringLiteral("backtab"), {Qt::Key_Backtab, Qt::ShiftModifier}},
        {QStringLiteral("left"), {Qt::Key_Left, {}}},
        {QStringLiteral("right"), {Qt::Key_Right, {}}},
        {QStringLiteral("up"), {Qt::Key_Up, {}}},
        {QStringLiteral("down"), {Qt::Key_Down, {}}},
        {QStringLiteral("ctrl+v"), {Qt::Key_V, Qt::ControlModifier}},
        {QStringLiteral("ctrl+g"), {Qt::Key_G, Qt::ControlModifier}},
    };
    QWidget *const top = window ? window : FormSelCards;
    int presses = 0;
    for (const QString &step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QWidget *target = top->focusWidget() ? top->focusWidget() : top;
        ++presses;
        if (step.size() == 1) {
            QTest::keyClick(target, step.at(0).toLatin1());
        } else if (step.startsWith(QLatin1String("alt+"))) {
            QTest::keyClick(target, Qt::Key(Qt::Key_0 + step.mid(4).toInt()), Qt::AltModifier);
        } else if (named.contains(step)) {
            QTest::keyClick(target, named[step].first, named[step].second);
        } else {
            qFatal("unknown key %s", qPrintable(step));
        }
    }
    return presses;
}

QStringList markedCards()
{
    QStringList marked;
    for (int index = 1; index <= kCardCount; ++index)
        if (FormSelCards->cardButton(index)->isMarked())
            marked << QString::fromStdString(cardCode(index));
    return marked;
}

QString focusedCard()
{
    auto *focused = qobject_cast<CardButton *>(FormSelCards->focusWidget());
    return focused ? QString::fromStdString(cardCode(focused->cardIndex())) : QString();
}

// Everything the analysis of a hand leaves on the screen, in one text to compare.
QStringList analysisOnShow()
{
    QStringList shown{slotCodes(), QString::number(FormSelCards->selectedSlot())};
    for (int s = H1; s <= Rr; ++s)
        shown << QString::number(FormSelCards->slotPicture(s));
    const HandOddsModel &odds = FormTallowby->handOdds();
    for (int row = 0; row < odds.grid().rowCount(); ++row)
        for (int column = 0; column < 4; ++column)
            shown << odds.cellText(column, row);
    shown << FormSelCards->outsText() << FormSelCards->hitText() << FormSelCards->winText()
          << FormSelCards->opponentsText() << FormPotOdds->SpinEditOuts->text();
    for (int panel = 1; panel <= 2; ++panel)
        shown << FormSelCards->verdictText(panel) << FormSelCards->verdictColour(panel).name();
    return shown;
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningProgram> program_;
    ScriptedPrompts &prompts() { return program_->prompts; }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        program_ = std::make_unique<RunningProgram>();
        QTRY_COMPARE(QApplication::activeWindow(), FormSelCards);
    }
    void cleanup() { program_.reset(); }

    // The key sequence alone: what each key does to what was typed before it.
    void keySequence_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("cards");
        QTest::addColumn<int>("waiting");
        QTest::addColumn<QString>("typed");

        QTest::newRow("a h") << "a h"
                             << "Ah" << -1 << "";
        QTest::newRow("A H") << "A H"
                             << "Ah" << -1 << "";
        QTest::newRow("a h k h") << "a h k h"
                                 << "Ah Kh" << -1 << "";
        QTest::newRow("t s") << "t s"
                             << "Ts" << -1 << "";
        QTest::newRow("1 0 s") << "1 0 s"
                               << "Ts" << -1 << "";
        QTest::newRow("0 d") << "0 d"
                             << "Td" << -1 << "";
        QTest::newRow("2 c 9 d") << "2 c 9 d"
                                 << "2c 9d" << -1 << "";
        QTest::newRow("a") << "a"
                           << "" << 13 << "a";
        QTest::newRow("1") << "1"
                           << "" << 9 << "1";
        QTest::newRow("1 0") << "1 0"
                             << "" << 9 << "10";
        QTest::newRow("1 s is no ten yet") << "1 s"
                                           << "" << 9 << "1";
        QTest::newRow("1 s 0 s") << "1 s 0 s"
                                 << "Ts" << -1 << "";
        QTest::newRow("a k h keeps the ace") << "a k h"
                                             << "Ah" << -1 << "";
        QTest::newRow("1 0 0 s") << "1 0 0 s"
                                 << "Ts" << -1 << "";
        QTest::newRow("suit first is ignored") << "h a h"
                                               << "Ah" << -1 << "";
        QTest::newRow("other letters are ignored") << "x a y h"
                                                   << "Ah" << -1 << "";
        QTest::newRow("a esc k d") << "a esc k d"
                                   << "Kd" << -1 << "";
        QTest::newRow("esc with nothing waiting") << "esc q c"
                                                  << "Qc" << -1 << "";
        QTest::newRow("1 esc s") << "1 esc s"
                                 << "" << -1 << "";
    }

    void keySequence()
    {
        QFETCH(QString, keys);
        QFETCH(QString, cards);
        QFETCH(int, waiting);
        QFETCH(QString, typed);

        CardKeys sequence;
        QStringList entered;
        for (const QString &key : keys.split(QLatin1Char(' '))) {
            const CardKeys::Step step = key == QLatin1String("esc")
                                            ? sequence.escape()
                                            : sequence.type(key.at(0).unicode());
            QCOMPARE(step.result == CardKeys::Result::Card, step.card != 0);
            if (step.result == CardKeys::Result::Card)
                entered << QString::fromStdString(cardCode(step.card));
        }
        QCOMPARE(entered.join(QLatin1Char(' ')), cards);
        QCOMPARE(sequence.waitingRank(), waiting);
        QCOMPARE(QString::fromStdString(sequence.typed()), typed);
    }

    void deckNeighbours_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("rowStep");
        QTest::addColumn<int>("columnStep");
        QTest::addColumn<QString>("to");

        QTest::newRow("As down") << "As" << 1 << 0 << "Ad";
        QTest::newRow("As right") << "As" << 0 << 1 << "Ks";
        QTest::newRow("As left stays") << "As" << 0 << -1 << "As";
        QTest::newRow("As up stays") << "As" << -1 << 0 << "As";
        QTest::newRow("2s right stays") << "2s" << 0 << 1 << "2s";
        QTest::newRow("2h down stays") << "2h" << 1 << 0 << "2h";
        QTest::newRow("Tc up") << "Tc" << -1 << 0 << "Td";
        QTest::newRow("Tc left") << "Tc" << 0 << -1 << "Jc";
        QTest::newRow("3h right") << "3h" << 0 << 1 << "2h";
    }

    void deckNeighbours()
    {
        QFETCH(QString, from);
        QFETCH(int, rowStep);
        QFETCH(int, columnStep);
        QFETCH(QString, to);
        const int next = deckNeighbour(cardIndexFromCode(from.toStdString()), rowStep, columnStep);
        QCOMPARE(QString::fromStdString(cardCode(next)), to);
    }

    // Keys pressed on the panel, against the slots they leave.
    void typedOnThePanel_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("slots");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("warnings");

        QTest::newRow("a h k h") << ""
                                 << "a h k h"
                                 << "Ah Kh -- -- -- -- --" << int(F1) << 0;
        QTest::newRow("A H K H") << ""
                                 << "A H K H"
                                 << "Ah Kh -- -- -- -- --" << int(F1) << 0;
        QTest::newRow("1 0 h j h") << ""
                                   << "1 0 h j h"
                                   << "Th Jh -- -- -- -- --" << int(F1) << 0;
        QTest::newRow("0 c") << ""
                             << "0 c"
                             << "Tc -- -- -- -- -- --" << int(H2) << 0;
        QTest::newRow("a h a h: already selected") << ""
                                                   << "a h a h"
                                                   << "Ah -- -- -- -- -- --" << int(H2) << 1;
        QTest::newRow("typed card already clicked") << "Qd"
                                                    << "q d"
                                                    << "Qd -- -- -- -- -- --" << int(H2) << 1;
        QTest::newRow("a, incomplete") << ""
                                       << "a"
                                       << "-- -- -- -- -- -- --" << int(H1) << 0;
        QTest::newRow("a h k, incomplete") << ""
                                           << "a h k"
                                           << "Ah -- -- -- -- -- --" << int(H2) << 0;
        QTest::newRow("a x h") << ""
                               << "a x h"
                               << "Ah -- -- -- -- -- --" << int(H2) << 0;
        QTest::newRow("a esc k d") << ""
                                   << "a esc k d"
                                   << "Kd -- -- -- -- -- --" << int(H2) << 0;
        QTest::newRow("a h backspace") << ""
                                       << "a h backspace"
                                       << "Ah -- -- -- -- -- --" << int(F1) << 0;
        QTest::newRow("a h alt+1 backspace") << ""
                                             << "a h alt+1 backspace"
                                             << "-- -- -- -- -- -- --" << int(H2) << 0;
        QTest::newRow("a h alt+1 delete") << ""
                                          << "a h alt+1 delete"
                                          << "-- -- -- -- -- -- --" << int(H2) << 0;
        QTest::newRow("a h alt+1 k d replaces") << ""
                                                << "a h alt+1 k d"
                                                << "Kd -- -- -- -- -- --" << int(H2) << 0;
        QTest::newRow("alt+6 2 c") << ""
                                   << "alt+6 2 c"
                                   << "-- -- -- -- -- 2c --" << int(Rr) << 0;
        QTest::newRow("alt+7 then a card wraps to H1") << ""
                                                       << "alt+7 2 c 3 c"
                                                       << "3c -- -- -- -- -- 2c" << int(H2) << 0;
        QTest::newRow("a alt+3 h: the rank waits across the slot key")
            << ""
            << "a alt+3 h"
            << "-- -- Ah -- -- -- --" << int(F2) << 0;
        QTest::newRow("alt+8 is no slot") << ""
                                          << "alt+8 a s"
                                          << "As -- -- -- -- -- --" << int(H2) << 0;
        QTest::newRow("seven cards and back to H1") << ""
                                                    << "2 c 7 d q c j h 4 d 9 s 8 d"
                                                    << "2c 7d Qc Jh 4d 9s 8d" << int(H1) << 0;
        QTest::newRow("clicked hole cards, typed flop") << "As Ks"
                                                        << "q d j c 2 h"
                                                        << "As Ks Qd Jc 2h -- --" << int(Tn) << 0;
    }

    void typedOnThePanel()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, keys);
        QFETCH(QString, slots);
        QFETCH(int, selected);
        QFETCH(int, warnings);

        click(clicks);
        press(keys);

        QCOMPARE(slotCodes(), slots);
        QCOMPARE(FormSelCards->selectedSlot(), selected);
        QCOMPARE(prompts().messages.size(), warnings);
        for (const auto &message : std::as_const(prompts().messages))
            QCOMPARE(message.text, QStringLiteral("Card has already been selected"));
        for (int s = H1; s <= Rr; ++s)
            QCOMPARE(FormSelCards->slotPicture(s), currentHand().Slots[s].Index);
    }

    // A card typed into the main window goes to the panel; the grid keeps its arrow keys.
    void typedIntoTheMainWindow()
    {
        auto *grid = FormTallowby->findChild<QTableView *>(QStringLiteral("StringGrid"));
        // The panel is a tool window of the main window: asked of the window itself.
        FormTallowby->windowHandle()->requestActivate();
        QTRY_COMPARE(QApplication::activeWindow(), FormTallowby);
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());

        press(QStringLiteral("k d a"), FormTallowby);
        QCOMPARE(slotCodes(), QStringLiteral("Kd -- -- -- -- -- --"));
        QCOMPARE(markedCards(), (QStringList{"As", "Ad", "Ac", "Ah"}));
        press(QStringLiteral("esc alt+4 a s"), FormTallowby);
        QCOMPARE(slotCodes(), QStringLiteral("Kd -- -- As -- -- --"));
        press(QStringLiteral("alt+4 backspace"), FormTallowby);
        QCOMPARE(slotCodes(), QStringLiteral("Kd -- -- -- -- -- --"));
        QVERIFY(markedCards().isEmpty());

        grid->setCurrentIndex(grid->model()->index(0, 0));
        press(QStringLiteral("down right"), FormTallowby);
        QCOMPARE(grid->currentIndex(), grid->model()->index(1, 1));
        QVERIFY(grid->hasFocus());
        QVERIFY(prompts().messages.isEmpty());
    }

    // While a rank waits, its four cards are marked and the panel says so, in its hint line and
    // to a screen reader; Esc, a click or the card itself ends it.
    void waitingRankIsShown()
    {
        auto *deck = FormSelCards->findChild<QWidget *>(QStringLiteral("Deck"));
        const QString idle = FormSelCards->keyboardHint();
        QCOMPARE(idle, CardKeyboard::idleHint());
        QVERIFY(markedCards().isEmpty());

        press(QStringLiteral("q"));
        QCOMPARE(markedCards(), (QStringList{"Qs", "Qd", "Qc", "Qh"}));
        QVERIFY2(deck->accessibleDescription().startsWith(QLatin1String("Queen typed")),
                 qPrintable(deck->accessibleDescription()));
        QCOMPARE(FormSelCards->accessibleDescription(), deck->accessibleDescription());
        QCOMPARE(card(QStringLiteral("Qc"))->accessibleDescription(),
                 QStringLiteral("Type c to enter this card"));
        // A card the next key cannot enter keeps its keys as its description.
        QCOMPARE(card(QStringLiteral("Kc"))->accessibleDescription(), QStringLiteral("Keys K c"));
        QVERIFY(FormSelCards->keyboardHint().startsWith(QLatin1String("Q:")));

        press(QStringLiteral("esc"));
        QVERIFY(markedCards().isEmpty());
        QCOMPARE(FormSelCards->keyboardHint(), idle);
        QCOMPARE(card(QStringLiteral("Qc"))->accessibleDescription(), QStringLiteral("Keys Q c"));

        press(QStringLiteral("1"));
        QCOMPARE(markedCards(), (QStringList{"Ts", "Td", "Tc", "Th"}));
        QVERIFY(deck->accessibleDescription().contains(QLatin1String("type 0")));
        press(QStringLiteral("0"));
        QVERIFY(deck->accessibleDescription().startsWith(QLatin1String("Ten typed")));

        // A click enters its own card and ends the typed one.
        click(QStringLiteral("2d"));
        QVERIFY(markedCards().isEmpty());
        QCOMPARE(FormSelCards->keyboardHint(), idle);
        press(QStringLiteral("h"));
        QCOMPARE(slotCodes(), QStringLiteral("2d -- -- -- -- -- --"));

        press(QStringLiteral("k h"));
        QVERIFY(markedCards().isEmpty());
        QCOMPARE(FormSelCards->keyboardHint(), idle);
    }

    // Clipboard texts pasted with Ctrl+V, against the slots they leave.
    void paste_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("slots");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("mentions"); // the refusal names these; empty: accepted

        const QStringList accepted;
        QTest::newRow("paste Ah Kh Qh 7h 2c") << ""
                                              << "Ah Kh Qh 7h 2c"
                                              << "Ah Kh Qh 7h 2c -- --" << int(Tn) << accepted;
        QTest::newRow("paste AhKh Qh7h2c") << ""
                                           << "AhKh Qh7h2c"
                                           << "Ah Kh Qh 7h 2c -- --" << int(Tn) << accepted;
        QTest::newRow("paste ah, kh") << ""
                                      << "ah, kh"
                                      << "Ah Kh -- -- -- -- --" << int(F1) << accepted;
        QTest::newRow("paste 10h Jh") << ""
                                      << "10h Jh"
                                      << "Th Jh -- -- -- -- --" << int(F1) << accepted;
        QTest::newRow("paste suit symbols") << ""
                                            << "A\u2660 K\u2666 Q\u2663 J\u2665"
                                            << "As Kd Qc Jh -- -- --" << int(F3) << accepted;
        QTest::newRow("paste a flop onto clicked hole cards")
            << "Ah Kh"
            << "Qh 7h 2c"
            << "Ah Kh Qh 7h 2c -- --" << int(Tn) << accepted;
        QTest::newRow("paste a whole hand with a line break")
            << ""
            << "Ah Kh\nQh 7h 2c 9d 3s\n"
            << "Ah Kh Qh 7h 2c 9d 3s" << int(H1) << accepted;
        QTest::newRow("paste from the river on wraps to H1")
            << "@Rr"
            << "Ah Kh"
            << "Kh -- -- -- -- -- Ah" << int(H2) << accepted;
        QTest::newRow("paste over a card that the paste frees first")
            << "As @H1"
            << "Kd As"
            << "Kd As -- -- -- -- --" << int(F1) << accepted;
        QTest::newRow("paste with a repeated card")
            << ""
            << "Ah Kh ah"
            << "-- -- -- -- -- -- --" << int(H1) << QStringList{"\"Ah\"", "\"ah\"", "twice"};
        QTest::newRow("paste with a card already in a slot")
            << "As"
            << "Kd As"
            << "As -- -- -- -- -- --" << int(H2)
            << QStringList{"\"As\"", "already in a slot", "First hole card"};
        QTest::newRow("paste the selected slot's own card")
            << "As @H1"
            << "As"
            << "As -- -- -- -- -- --" << int(H1) << QStringList{"\"As\"", "First hole card"};
        QTest::newRow("paste with a word that is no card")
            << ""
            << "Ah Kh flop"
            << "-- -- -- -- -- -- --" << int(H1)
            << QStringList{"\"f\" in \"flop\"", "character 7", "not a card"};
        QTest::newRow("paste with an unknown suit")
            << ""
            << "Ah Kx"
            << "-- -- -- -- -- -- --" << int(H1) << QStringList{"\"Kx\"", "not a card"};
        QTest::newRow("paste with a rank and no suit")
            << ""
            << "Ah K"
            << "-- -- -- -- -- -- --" << int(H1) << QStringList{"\"K\"", "no suit"};
        QTest::newRow("paste an empty slot")
            << ""
            << "Ah -- Kh"
            << "-- -- -- -- -- -- --" << int(H1) << QStringList{"\"-\" in \"--\""};
        QTest::newRow("paste eight cards")
            << ""
            << "Ah Kh Qh Jh Th 9h 8h 7h"
            << "-- -- -- -- -- -- --" << int(H1) << QStringList{"8 cards"};
        QTest::newRow("paste nothing")
            << "Qd"
            << ""
            << "Qd -- -- -- -- -- --" << int(H2) << QStringList{"no cards"};
        QTest::newRow("paste a control character")
            << ""
            << "Ah\x07"
            << "-- -- -- -- -- -- --" << int(H1) << QStringList{"U+0007"};
    }

    void paste()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, clipboard);
        QFETCH(QString, slots);
        QFETCH(int, selected);
        QFETCH(QStringList, mentions);

        click(clicks);
        QApplication::clipboard()->setText(clipboard);
        press(QStringLiteral("ctrl+v"));

        QCOMPARE(slotCodes(), slots);
        QCOMPARE(FormSelCards->selectedSlot(), selected);
        for (int s = H1; s <= Rr; ++s)
            QCOMPARE(FormSelCards->slotPicture(s), currentHand().Slots[s].Index);
        if (mentions.isEmpty()) {
            QVERIFY2(prompts().messages.isEmpty(), qPrintable(prompts().texts().join('|')));
            return;
        }
        QCOMPARE(prompts().messages.size(), 1);
        const ScriptedPrompts::Message message = prompts().messages.front();
        QCOMPARE(message.kind, ScriptedPrompts::Message::Warning);
        for (const QString &mention : std::as_const(mentions))
            QVERIFY2(message.text.contains(mention), qPrintable(message.text));
    }

    // A pasted hand runs what the same clicks run: the analysis at the stage it completes.
    void pasteAnalysesAsClicksDo()
    {
        QApplication::clipboard()->setText(QStringLiteral("Ks Kd Qh Jh 2h"));
        press(QStringLiteral("ctrl+v"));
        const QStringList pasted = analysisOnShow();
        QCOMPARE(FormTallowby->handOdds().cellText(2, 0), QStringLiteral("Turn %"));

        FormTallowby->MenuNewGameClick();
        click(QStringLiteral("Ks Kd Qh Jh 2h"));
        QCOMPARE(analysisOnShow(), pasted);
    }

    // Ctrl+V in the text of a combo box pastes into the text, not into the hand.
    void pasteIntoAComboBoxText()
    {
        auto *players = FormSelCards->findChild<QComboBox *>(QStringLiteral("ComboBoxAP"));
        players->lineEdit()->clear();
        players->lineEdit()->setFocus();
        QTRY_VERIFY(players->lineEdit()->hasFocus());
        QApplication::clipboard()->setText(QStringLiteral("8"));
        press(QStringLiteral("ctrl+v"));
        QCOMPARE(players->currentText(), QStringLiteral("8"));
        QCOMPARE(slotCodes(), QStringLiteral("-- -- -- -- -- -- --"));
        // Typed letters and Backspace stay in the box too.
        press(QStringLiteral("backspace a s"));
        QCOMPARE(players->currentText(), QStringLiteral("as"));
        QCOMPARE(slotCodes(), QStringLiteral("-- -- -- -- -- -- --"));
        QCOMPARE(FormSelCards->selectedSlot(), int(H1));
    }

    // The arrow keys move through the deck by rows and columns; Space or Enter presses the card;
    // the deck is a single tab stop that keeps its place.
    void deckAsAGrid_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("slots");

        QTest::newRow("down") << "down"
                              << "Ad"
                              << "-- -- -- -- -- -- --";
        QTest::newRow("down down right") << "down down right"
                                         << "Kc"
                                         << "-- -- -- -- -- -- --";
        QTest::newRow("up and left stay on the ace") << "up left"
                                                     << "As"
                                                     << "-- -- -- -- -- -- --";
        QTest::newRow("down right enter") << "down right enter"
                                          << "Kd"
                                          << "Kd -- -- -- -- -- --";
        QTest::newRow("right space") << "right space"
                                     << "Ks"
                                     << "Ks -- -- -- -- -- --";
        QTest::newRow("enter, then the same card again") << "enter enter"
                                                         << "As"
                                                         << "As -- -- -- -- -- --";
        QTest::newRow("to the deuce of hearts")
            << "down down down right right right right right right right right right right "
               "right right right right"
            << "2h"
            << "-- -- -- -- -- -- --";
        QTest::newRow("tab leaves the deck, backtab comes back") << "down right tab backtab"
                                                                 << "Kd"
                                                                 << "-- -- -- -- -- -- --";
    }

    void deckAsAGrid()
    {
        QFETCH(QString, keys);
        QFETCH(QString, focused);
        QFETCH(QString, slots);

        QCOMPARE(focusedCard(), QStringLiteral("As"));
        press(keys);
        QCOMPARE(focusedCard(), focused);
        QCOMPARE(slotCodes(), slots);
        const int warnings = keys.count(QLatin1String("enter")) > 1 ? 1 : 0;
        QCOMPARE(prompts().messages.size(), warnings);
    }

    void tabLeavesTheDeckAtOnce()
    {
        press(QStringLiteral("down tab"));
        QVERIFY(!qobject_cast<CardButton *>(FormSelCards->focusWidget()));
        QVERIFY(FormSelCards->focusWidget());
        // Every card but the last focused is out of the tab chain.
        int tabStops = 0;
        for (int index = 1; index <= kCardCount; ++index)
            tabStops += (FormSelCards->cardButton(index)->focusPolicy() & Qt::TabFocus) ? 1 : 0;
        QCOMPARE(tabStops, 1);
        QVERIFY(card(QStringLiteral("Ad"))->focusPolicy() & Qt::TabFocus);
    }

    // At start and after every New Game the panel has the keyboard focus, on the deck.
    void focusAtStartAndAfterNewGame()
    {
        QCOMPARE(focusedCard(), QStringLiteral("As"));
        press(QStringLiteral("a h k d right"));
        QCOMPARE(slotCodes(), QStringLiteral("Ah Kd -- -- -- -- --"));

        // New Game from the main window's shortcut brings the keys back to the panel.
        auto *grid = FormTallowby->findChild<QTableView *>(QStringLiteral("StringGrid"));
        // The panel is a tool window of the main window: asked of the window itself.
        FormTallowby->windowHandle()->requestActivate();
        QTRY_COMPARE(QApplication::activeWindow(), FormTallowby);
        grid->setFocus();
        press(QStringLiteral("ctrl+g"), FormTallowby);
        QCOMPARE(slotCodes(), QStringLiteral("-- -- -- -- -- -- --"));
        QTRY_COMPARE(QApplication::activeWindow(), FormSelCards);
        QCOMPARE(focusedCard(), QStringLiteral("Ks"));

        // And from the panel's own button, reached by its access letter.
        press(QStringLiteral("q c"));
        auto *newGame = FormSelCards->findChild<QPushButton *>(QStringLiteral("ButtonNewGame"));
        newGame->setFocus();
        QTest::keyClick(newGame, Qt::Key_Space);
        QCOMPARE(slotCodes(), QStringLiteral("-- -- -- -- -- -- --"));
        QVERIFY(qobject_cast<CardButton *>(FormSelCards->focusWidget()));
    }

    void accessLetters_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("effect");

        QTest::newRow("Alt+N New Game") << int(Qt::Key_N) << "new game";
        QTest::newRow("Alt+R Reset Card") << int(Qt::Key_R) << "reset";
        QTest::newRow("Alt+O Opponents") << int(Qt::Key_O) << "ComboBoxOpps";
        QTest::newRow("Alt+A Active players") << int(Qt::Key_A) << "ComboBoxAP";
    }

    void accessLetters()
    {
        QFETCH(int, key);
        QFETCH(QString, effect);

        press(QStringLiteral("a h alt+1"));
        QTest::keyClick(FormSelCards->focusWidget(), Qt::Key(key), Qt::AltModifier);
        // A button's access letter presses it as a short animation does, then clicks it.
        if (effect == QLatin1String("new game")) {
            QTRY_COMPARE(slotCodes(), QStringLiteral("-- -- -- -- -- -- --"));
            QCOMPARE(FormSelCards->selectedSlot(), int(H1));
        } else if (effect == QLatin1String("reset")) {
            QTRY_COMPARE(slotCodes(), QStringLiteral("-- -- -- -- -- -- --"));
            QCOMPARE(FormSelCards->selectedSlot(), int(H2));
        } else {
            auto *box = FormSelCards->findChild<QComboBox *>(effect);
            QTRY_VERIFY(box->hasFocus());
            QCOMPARE(slotCodes(), QStringLiteral("Ah -- -- -- -- -- --"));
        }
        QVERIFY(prompts().messages.isEmpty());
    }

    // The slot keys show their choice as a click on the radio button does, and say so.
    void slotKeysCheckTheRadioButtons()
    {
        const char *names[] = {"", "H1", "H2", "F1", "F2", "F3", "Tn", "Rr"};
        for (int s = Rr; s >= H1; --s) {
            press(QStringLiteral("alt+%1").arg(s));
            auto *radio = FormSelCards->findChild<QRadioButton *>(QStringLiteral("RadioButton") +
                                                                  QLatin1String(names[s]));
            QVERIFY(radio->isChecked());
            QCOMPARE(FormSelCards->selectedSlot(), s);
            QVERIFY2(radio->toolTip().endsWith(QStringLiteral("(Alt+%1)").arg(s)),
                     qPrintable(radio->toolTip()));
        }
        QCOMPARE(focusedCard(), QStringLiteral("As"));
    }

    // The hint fits beside the deck at the default font, without making the panel taller.
    void hintFitsWhereThereIsRoom()
    {
        auto *hint = FormSelCards->findChild<HintLine *>(QStringLiteral("LabelKeyboardHint"));
        auto *deck = FormSelCards->findChild<QWidget *>(QStringLiteral("Deck"));
        QVERIFY(hint && deck);
        QVERIFY(hint->isVisible());
        QVERIFY2(hint->fits(), qPrintable(hint->text()));
        const QRect hintArea(hint->mapTo(FormSelCards, QPoint()), hint->size());
        const QRect deckArea(deck->mapTo(FormSelCards, QPoint()), deck->size());
        QVERIFY(hintArea.bottom() <= deckArea.bottom());
        QVERIFY(hintArea.left() > deckArea.right());
        press(QStringLiteral("1"));
        QVERIFY2(hint->fits(), qPrintable(hint->text()));
        press(QStringLiteral("esc k"));
        QVERIFY2(hint->fits(), qPrintable(hint->text()));
    }

    // One whole hand typed in at most 14 key presses shows exactly what the same cards clicked
    // show: slots, grid, read-outs and the verdicts of a loaded system.
    void wholeHandTypedAsClicked()
    {
        QTemporaryDir folder;
        prompts().fileNames.enqueue(folder.filePath(QStringLiteral("system.mdb")));
        FormTallowby->findChild<QAction *>(QStringLiteral("MenuNewSystem"))->trigger();
        QVERIFY(FormTallowby->systemLoaded());

        click(QStringLiteral("Ah Kh Qh 7h 2c 9d 3s"));
        const QStringList clicked = analysisOnShow();
        QCOMPARE(FormTallowby->handOdds().cellText(2, 0), QStringLiteral("You %"));
        QVERIFY(!FormSelCards->verdictText(1).isEmpty());

        FormTallowby->MenuNewGameClick();
        QCOMPARE(slotCodes(), QStringLiteral("-- -- -- -- -- -- --"));
        const int presses = press(QStringLiteral("a h k h q h 7 h 2 c 9 d 3 s"));
        QVERIFY(presses <= 14);
        QCOMPARE(analysisOnShow(), clicked);
        QVERIFY(prompts().messages.isEmpty());
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
