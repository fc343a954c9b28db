// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of the card panel: each one read, handed to the key sequence or to the panel's own
// operations, and the waiting rank shown on the deck.
#include "cardkeyboard.h"

#include "app/prompts.h"
#include "engine/cards.h"
#include "engine/cardtext.h"
#include "engine/handstate.h"
#include "panel/cardbutton.h"
#include "panel/cardpaste.h"
#include "panel/hintline.h"
#include "panel/selcards.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

using namespace tallowby;

namespace {

// Characters that take part in a card code, typed or not: they never go on to a grid.
bool isCardCharacter(char32_t character)
{
    return rankOfCharacter(character) != -1 || suitOfCharacter(character) != -1 ||
           character == U'0' || character == U'1';
}

QString translated(const char *text)
{
    return QCoreApplication::translate("CardKeyboard", text);
}

} // namespace

CardKeyboard::CardKeyboard(TFormSelCards &panel) : QObject(&panel), panel_(panel)
{
    panel.installEventFilter(this);
    showWaitingRank();
}

void CardKeyboard::watch(QWidget &window)
{
    window.installEventFilter(this);
    // Lists and grids search their rows by the letters typed; here the letters are cards.
    for (QAbstractItemView *view : window.findChildren<QAbstractItemView *>())
        view->installEventFilter(this);
}

QString CardKeyboard::idleHint()
{
    return translated("Type a card: rank, suit (A h = A\u2665) \u00b7 Ctrl+V pastes a hand");
}

bool CardKeyboard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    return takeKey(*static_cast<QKeyEvent *>(event), watched == &panel_);
}

bool CardKeyboard::takeKey(const QKeyEvent &key, bool onPanel)
{
    if (onPanel && key.matches(QKeySequence::Paste)) {
        if (!key.isAutoRepeat())
            pasteCards(QApplication::clipboard()->text());
        return true;
    }
    const Qt::KeyboardModifiers modifiers =
        key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers == Qt::AltModifier && (key.modifiers() & Qt::ShiftModifier) == 0) {
        const int slot = key.key() - Qt::Key_0;
        if (slot < H1 || slot > Rr)
            return false;
        panel_.selectSlot(slot);
        return true;
    }
    if (modifiers != Qt::NoModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Escape:
        if (keys_.escape().result != CardKeys::Result::Dropped)
            return false;
        showWaitingRank();
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        // Held down it would empty slot after slot.
        if (!key.isAutoRepeat())
            panel_.ButtonClearCardClick();
        return true;
    default:
        break;
    }
    const QList<uint> characters = key.text().toUcs4();
    if (characters.size() != 1)
        return false;
    if (key.isAutoRepeat())
        return isCardCharacter(characters.front());
    return takeCharacter(characters.front());
}

bool CardKeyboard::takeCharacter(char32_t character)
{
    const CardKeys::Step step = keys_.type(character);
    switch (step.result) {
    case CardKeys::Result::Card:
        showWaitingRank();
        panel_.SelectCard(step.card);
        return true;
    case CardKeys::Result::Waiting:
        showWaitingRank();
        return true;
    case CardKeys::Result::Ignored:
    case CardKeys::Result::Dropped:
        break;
    }
    return isCardCharacter(character);
}

void CardKeyboard::forget()
{
    if (keys_.waitingRank() == -1)
        return;
    keys_.clear();
    showWaitingRank();
}

void CardKeyboard::pasteCards(const QString &text)
{
    forget();
    const PastePlan plan = planPaste(text, currentHand(), panel_.selectedSlot());
    if (plan.refused()) {
        prompts().warning(&panel_, plan.refusal);
        return;
    }
    for (const int card : plan.cards)
        panel_.SelectCard(card);
}

void CardKeyboard::showWaitingRank()
{
    const int rank = keys_.waitingRank();
    for (int card = 1; card <= kCardCount; ++card) {
        const bool marked = rank != -1 && cardValue(card) == rank;
        const QString hint = marked && !keys_.waitingForZero()
                                 ? translated("Type %1 to enter this card")
                                       .arg(QChar::fromLatin1(kSuitLetters[cardSuit(card)]))
                                 : QString();
        panel_.cardButton(card)->setMarked(marked, hint);
    }

    QString line;
    QString description;
    const QString typed = QString::fromStdString(keys_.typed()).toUpper();
    if (rank == -1) {
        line = idleHint();
        description = translated("Type a card as its rank and then its suit, such as A and then h "
                                 "for the ace of hearts. The arrow keys move through the deck.");
    } else if (keys_.waitingForZero()) {
        line = translated("1: now 0 for a ten, then the suit \u00b7 Esc drops it");
        description = translated("1 typed: type 0 for a ten and then s, d, c or h for the suit, "
                                 "or Esc to drop it. The four tens are marked.");
    } else {
        line = translated("%1: now the suit, s d c h \u00b7 Esc drops it").arg(typed);
        description = translated("%1 typed: the four cards of that rank are marked. Type s, d, c "
                                 "or h for the suit, or Esc to drop it.")
                          .arg(QString::fromStdString(rankName(rank)));
    }
    panel_.showKeyboardHint(line, description);
}
