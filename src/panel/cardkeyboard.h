// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard way into the card panel. It watches the keys that reach the panel (and those of
// the main window) and turns them into what the panel's clicks do:
//   a rank key, then a suit key      the card, as a click on its picture
//   Esc                              drops a rank that waits for its suit
//   Backspace, Delete                Reset Card
//   Alt+1 .. Alt+7                   selects slot H1 .. Rr, as its radio button
//   Ctrl+V (panel only)              the cards of the clipboard text, one click each
// Keys that a text box or a list takes for itself never get here.
#pragma once

#include "panel/cardkeys.h"

#include <QObject>
#include <QString>

class QKeyEvent;
class TFormSelCards;

class CardKeyboard : public QObject
{
    Q_OBJECT

public:
    explicit CardKeyboard(TFormSelCards &panel);

    // Typed cards, Esc, Backspace, Delete and the slot keys that reach another window, or any
    // list or grid in it, go to the panel as well.
    void watch(QWidget &window);

    // Drops a waiting rank, as when a card was entered in some other way.
    void forget();

    // Enters the cards of the text from the selected slot on, or refuses it whole with a message.
    void pasteCards(const QString &text);

    const CardKeys &keys() const { return keys_; }

    // What the panel's hint line says while no rank waits.
    static QString idleHint();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool takeKey(const QKeyEvent &key, bool onPanel);
    bool takeCharacter(char32_t character);
    // The marks on the deck, the hint and the descriptions, after every change of the keys.
    void showWaitingRank();

    TFormSelCards &panel_;
    CardKeys keys_;
};
