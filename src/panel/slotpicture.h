// SPDX-License-Identifier: GPL-3.0-or-later
// One of the seven large slot pictures: the card in the slot, or the card back when it is
// empty. Its accessible name says which slot it is and what it holds.
#pragma once

#include <QLabel>

class SlotPicture : public QLabel
{
    Q_OBJECT

public:
    // Slot number 1..7.
    explicit SlotPicture(int slot, QWidget *parent = nullptr);

    // Shows picture c of the slot list: the face of card index 1..52, the card back for 0.
    void showCard(int c);
    int shownCard() const { return card_; }

private:
    int slot_;
    int card_ = 0;
};
