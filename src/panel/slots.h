// SPDX-License-Identifier: GPL-3.0-or-later
// The seven slots as the card panel shows them: names, the order of selection.
#pragma once

#include "engine/handstate.h"

#include <QString>

namespace slotinfo {

// The slot selected after a card went into slot s: H1 .. Rr, then H1 again.
inline constexpr int nextSlot(int s)
{
    return s == tallowby::Rr ? tallowby::H1 : s + 1;
}

// What a screen reader calls the slot: "First hole card" .. "River".
QString spokenName(int s);

// Object names of the slot picture and its radio button: "ImageHand1", "RadioButtonH1".
QString pictureName(int s);
QString radioButtonName(int s);

} // namespace slotinfo
