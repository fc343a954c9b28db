// SPDX-License-Identifier: GPL-3.0-or-later
// Names of the seven slots.
#include "slots.h"

#include <QCoreApplication>
#include <array>

namespace slotinfo {

QString spokenName(int s)
{
    static const std::array<const char *, tallowby::kSlotCount + 1> names{
        "",
        QT_TRANSLATE_NOOP("slotinfo", "First hole card"),
        QT_TRANSLATE_NOOP("slotinfo", "Second hole card"),
        QT_TRANSLATE_NOOP("slotinfo", "First flop card"),
        QT_TRANSLATE_NOOP("slotinfo", "Second flop card"),
        QT_TRANSLATE_NOOP("slotinfo", "Third flop card"),
        QT_TRANSLATE_NOOP("slotinfo", "Turn"),
        QT_TRANSLATE_NOOP("slotinfo", "River"),
    };
    return QCoreApplication::translate("slotinfo", names.at(s));
}

QString pictureName(int s)
{
    static const std::array<const char *, tallowby::kSlotCount + 1> names{
        "",           "ImageHand1", "ImageHand2", "ImageFlop1",
        "ImageFlop2", "ImageFlop3", "ImageTurn",  "ImageRiver"};
    return QString::fromLatin1(names.at(s));
}

QString radioButtonName(int s)
{
    static const std::array<const char *, tallowby::kSlotCount + 1> names{"",   "H1", "H2", "F1",
                                                                          "F2", "F3", "Tn", "Rr"};
    return QStringLiteral("RadioButton") + QString::fromLatin1(names.at(s));
}

} // namespace slotinfo
