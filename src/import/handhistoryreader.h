// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of text hand histories as the most widely used online poker client writes them,
// and several other clients and converters with it:
//
//   PokerStars Hand #212345678901:  Hold'em No Limit ($0.01/$0.02 USD) - 2024/03/05 21:14:09 CET
//   [2024/03/05 15:14:09 ET] Table 'Aludra' 6-max Seat #3 is the button Seat 1: ann ($2 in chips)
//   ...
//   *** HOLE CARDS ***
//   Dealt to ann [Ah Kd]
//   ann: raises $0.04 to $0.06
//   ...
//   *** FLOP *** [2s 6d 6h]         (*** FIRST FLOP *** when the hand is run twice)
//   *** TURN *** [2s 6d 6h] [Tc]
//   *** RIVER *** [2s 6d 6h Tc] [4d]
//   ...
//   ann collected $0.11 from pot
//   *** SUMMARY ***
//   Total pot $0.11 | Rake $0
//   Board [2s 6d 6h Tc 4d]
//   Seat 1: ann (button) collected ($0.11)
//
// A hand begins with its header line ("<site> [...] Hand #<number>:" or "Game #<number>:") and
// runs to the next header; blank lines separate hands. From each Texas Hold'em hand the reader
// takes what the history keeps of it: the site and hand number, the first date of the header
// (the client's own time zone), the hole cards of the first "Dealt to NAME [c1 c2]" line in
// that order, the board as first dealt, and how the hand ended for that player.
//
// The reader looks at each line a bounded number of times and keeps only the hands it found,
// so any bytes at all are safe to give it.
#pragma once

#include "import/handhistorytext.h"

#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>

#include <array>

struct HandHistoryHand
{
    enum class Kind
    {
        Played,       // a Texas Hold'em hand with the player's two cards: one game
        OtherGame,    // Omaha, stud, draw, 6+ hold'em ...
        Cancelled,    // called off by the site
        WithoutCards, // no cards dealt to the player (watching, sitting out)
        Unreadable    // not a hand history, or a hand that is cut short or garbled
    };

    Kind kind = Kind::Unreadable;
    int line = 0;   // the hand's first line, counted from 1
    QString site;   // the header's first word ("PokerStars")
    QString number; // the hand number, as written

    // Played hands.
    QDate date;
    QString player;
    std::array<int, 7> cards{}; // card indexes of H1 H2 F1 F2 F3 Tn Rr; 0 for a card not dealt
    QString result;             // "Win", "Lose", "Split" or "Fold"

    // Unreadable parts: where and what.
    int problemLine = 0;
    QString problem;
};

// How the reader treats a hand at the end of the bytes, which the client may still be writing.
enum class HandEnd
{
    Final,     // the bytes are the whole file: every hand is taken, complete or not
    BlankLine, // a last hand is taken once its summary is followed by a blank line
    Summary    // a last hand is taken once its summary has begun and its last line has ended
};

struct HandHistoryReadOptions
{
    HandEnd end = HandEnd::Final;
    int firstLine = 1; // the number of the bytes' first line in its file
    // The bytes go on with a part begun before them: a hand written before the file was first
    // looked at, or text that belongs to no hand (HandHistoryReading::endsInsidePart of the
    // reading before). Lines before the first header are then passed over without complaint.
    bool startsInsidePart = false;
};

struct HandHistoryReading
{
    TextEncoding encoding = TextEncoding::Utf8;
    QList<HandHistoryHand> hands; // in the order written, unreadable parts among them
    qsizetype consumed = 0;       // bytes read to the end of the last part taken
    int consumedLines = 0;        // lines in those bytes
    // The bytes read end in text that belongs to no hand, which more text may continue.
    bool endsInsidePart = false;
};

HandHistoryReading readHandHistory(QByteArrayView bytes,
                                   const HandHistoryReadOptions &options = {});
