// SPDX-License-Identifier: GPL-3.0-or-later
// Checking a pasted hand and saying what is wrong with it.
#include "cardpaste.h"

#include "engine/cards.h"
#include "engine/cardtext.h"
#include "engine/handstate.h"
#include "panel/slots.h"

#include <QCoreApplication>

#include <array>

using namespace tallowby;

namespace {

// Longest part of the text quoted in a message.
constexpr int kLongestQuote = 24;

QString translated(const char *text)
{
    return QCoreApplication::translate("CardPaste", text);
}

// A part of the text as a message can show it: characters that print nothing as U+XXXX, and
// no more than a line's worth.
QString quoted(std::string_view part)
{
    const QString text = QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()));
    QString shown;
    int characters = 0;
    for (const char32_t character : text.toUcs4()) {
        if (++characters > kLongestQuote) {
            shown += QChar(0x2026);
            break;
        }
        if (QChar::isPrint(character) && character != U'"')
            shown += QString::fromUcs4(&character, 1);
        else
            shown += QStringLiteral("U+%1").arg(uint(character), 4, 16, QLatin1Char('0')).toUpper();
    }
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

QString howCardsAreWritten()
{
    return translated("Write each card as its rank (2 to 9, T or 10, J, Q, K, A) and its suit "
                      "(s, d, c, h or \u2660 \u2666 \u2663 \u2665), such as \"Ah Kh\" or "
                      "\"10\u2663\".");
}

QString nothingEntered()
{
    return translated("No card was entered.");
}

// "Ax" or, when the word holds more, "Ax" in "KhAx".
QString partInWord(const CardTextReading &reading, std::string_view text)
{
    const QString part = quoted(reading.offending.of(text));
    if (reading.word == reading.offending)
        return part;
    return translated("%1 in %2").arg(part, quoted(reading.word.of(text)));
}

QString readingRefusal(const CardTextReading &reading, std::string_view text)
{
    const qulonglong position = characterPosition(text, reading.offending.offset);
    switch (reading.problem) {
    case CardTextProblem::None:
        break;
    case CardTextProblem::NoCards:
        return translated("The clipboard holds no cards to paste.") + QLatin1Char(' ') +
               howCardsAreWritten();
    case CardTextProblem::NotACard:
    case CardTextProblem::UnknownSuit:
        return translated("%1 (character %2 of the pasted text) is not a card.")
                   .arg(partInWord(reading, text))
                   .arg(position) +
               QLatin1Char(' ') + howCardsAreWritten() + QLatin1Char(' ') + nothingEntered();
    case CardTextProblem::MissingSuit:
        return translated("%1 (character %2 of the pasted text) has no suit.")
                   .arg(partInWord(reading, text))
                   .arg(position) +
               QLatin1Char(' ') + howCardsAreWritten() + QLatin1Char(' ') + nothingEntered();
    case CardTextProblem::RepeatedCard:
        return translated("The pasted text holds %1 twice: %2 and %3 (character %4).")
                   .arg(QString::fromStdString(cardName(reading.repeatedCard)))
                   .arg(quoted(reading.earlier.of(text)), quoted(reading.offending.of(text)))
                   .arg(position) +
               QLatin1Char(' ') + nothingEntered();
    }
    return {};
}

} // namespace

PastePlan planPaste(const QString &text, const HandState &hand, int selectedSlot)
{
    const QByteArray utf8 = text.toUtf8();
    const std::string_view bytes(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    const CardTextReading reading = readCardText(bytes);
    if (!reading.ok())
        return {{}, readingRefusal(reading, bytes)};
    if (reading.cards.size() > static_cast<std::size_t>(kSlotCount))
        return {{},
                translated("The pasted text holds %1 cards, more than the seven of a hand.")
                        .arg(reading.cards.size()) +
                    QLatin1Char(' ') + nothingEntered()};

    // The clicks played on a copy of the slots.
    std::array<int, kSlotCount + 1> slots{};
    for (int s = H1; s <= Rr; ++s)
        slots[s] = hand.Slots[s].Index;
    int slot = selectedSlot;
    for (std::size_t i = 0; i < reading.cards.size(); ++i) {
        const int card = reading.cards[i];
        for (int s = H1; s <= Rr; ++s) {
            if (slots[s] == card)
                return {{},
                        translated("%1 (%2) is already in a slot: %3.")
                                .arg(quoted(reading.where[i].of(bytes)),
                                     QString::fromStdString(cardName(card)),
                                     slotinfo::spokenName(s)) +
                            QLatin1Char(' ') + nothingEntered()};
        }
        slots[slot] = card;
        slot = slotinfo::nextSlot(slot);
    }
    return {reading.cards, {}};
}
