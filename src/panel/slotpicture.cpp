// SPDX-License-Identifier: GPL-3.0-or-later
// The slot picture.
#include "slotpicture.h"

#include "engine/cards.h"
#include "panel/cardpictures.h"
#include "panel/slots.h"

SlotPicture::SlotPicture(int slot, QWidget *parent) : QLabel(parent), slot_(slot)
{
    setObjectName(slotinfo::pictureName(slot));
    setFixedSize(cardpictures::kLargeSize);
    showCard(0);
}

void SlotPicture::showCard(int c)
{
    card_ = c;
    clear();
    setPixmap(cardpictures::largeCard(c));
    const QString held = c > 0 ? QString::fromStdString(tallowby::cardName(c)) : tr("empty");
    setAccessibleName(tr("%1: %2").arg(slotinfo::spokenName(slot_), held));
    setToolTip(accessibleName());
    // Without a description of its own a screen reader would say the tooltip, the name again.
    setAccessibleDescription(tr("Alt+%1 selects it for the next card").arg(slot_));
}
