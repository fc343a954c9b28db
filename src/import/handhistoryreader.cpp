// SPDX-License-Identifier: GPL-3.0-or-later
// Reading text hand histories: splitting the lines into hands and taking each hand apart.
#include "import/handhistoryreader.h"

#include "engine/cards.h"
#include "engine/cardtext.h"

#include <QCoreApplication>

#include <optional>
#include <vector>

namespace {

using Kind = HandHistoryHand::Kind;

QString tr(const char *text)
{
    return QCoreApplication::translate("HandHistoryReader", text);
}

// A name or a hand number longer than this is not one.
constexpr qsizetype kLongestPrefix = 80;
constexpr qsizetype kLongestNumber = 40;

struct Header
{
    QString site;
    QString number;
    qsizetype gameStart = 0; // where the game description begins, after the ':'
};

bool isNumberCharacter(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           c == u'-' || c == u'_';
}

// "<site> [words] Hand #<number>:" or "... Game #<number>:" at the start of the line.
std::optional<Header> readHeader(QStringView line)
{
    if (line.isEmpty() || !line.front().isLetter())
        return std::nullopt;
    qsizetype mark = -1;
    for (const QStringView key : {QStringView(u" Hand #"), QStringView(u" Game #")}) {
        const qsizetype found = line.left(kLongestPrefix + key.size()).indexOf(key);
        if (found > 0 && (mark < 0 || found < mark))
            mark = found;
    }
    if (mark < 0)
        return std::nullopt;
    const QStringView prefix = line.left(mark);
    // Chat lines quote what players write ("ann said, \"...\"").
    if (prefix.contains(u'"') || prefix.contains(u':'))
        return std::nullopt;
    const qsizetype numberStart = mark + 7;
    qsizetype numberEnd = numberStart;
    while (numberEnd < line.size() && numberEnd - numberStart <= kLongestNumber &&
           isNumberCharacter(line.at(numberEnd)))
        ++numberEnd;
    if (numberEnd == numberStart || numberEnd >= line.size() || line.at(numberEnd) != u':')
        return std::nullopt;
    const qsizetype space = prefix.indexOf(u' ');
    return Header{(space < 0 ? prefix : prefix.left(space)).toString(),
                  line.sliced(numberStart, numberEnd - numberStart).toString(), numberEnd + 1};
}

bool isBlank(QStringView line)
{
    return line.trimmed().isEmpty();
}

// Lines some programs write between hands: rows of stars with a hand count ("***** # 2 *****").
bool isSeparator(QStringView line)
{
    const QStringView text = line.trimmed();
    if (text.isEmpty())
        return true;
    if (!text.startsWith(u'*'))
        return false;
    for (const QChar c : text) {
        if (c != u'*' && c != u'#' && c != u' ' && !c.isDigit())
            return false;
    }
    return true;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads 1 or 2 digits (or exactly `count` when given) at `at`; -1 when there are none.
int readNumber(QStringView text, qsizetype &at, int least, int most)
{
    int value = 0;
    int digits = 0;
    while (at < text.size() && digits < most && isDigit(text.at(at))) {
        value = value * 10 + (text.at(at).unicode() - u'0');
        ++at;
        ++digits;
    }
    if (digits < least || (at < text.size() && isDigit(text.at(at))))
        return -1;
    return value;
}

// The first "yyyy/mm/dd" (or "yyyy-mm-dd") of the line that is a real day.
QDate firstDate(QStringView line)
{
    for (qsizetype start = 0; start + 8 <= line.size(); ++start) {
        if (!isDigit(line.at(start)) || (start > 0 && isDigit(line.at(start - 1))))
            continue;
        qsizetype at = start;
        const int year = readNumber(line, at, 4, 4);
        if (year < 0 || at >= line.size() || (line.at(at) != u'/' && line.at(at) != u'-'))
            continue;
        const QChar separator = line.at(at++);
        const int month = readNumber(line, at, 1, 2);
        if (month < 0 || at >= line.size() || line.at(at) != separator)
            continue;
        ++at;
        const int day = readNumber(line, at, 1, 2);
        const QDate date(year, month, day);
        if (day >= 0 && date.isValid())
            return date;
    }
    return {};
}

bool containsWord(QStringView text, QStringView word)
{
    qsizetype from = 0;
    while (true) {
        const qsizetype found = text.indexOf(word, from, Qt::CaseInsensitive);
        if (found < 0)
            return false;
        const qsizetype after = found + word.size();
        const bool startsWord = found == 0 || !text.at(found - 1).isLetterOrNumber();
        const bool endsWord = after >= text.size() || !text.at(after).isLetterOrNumber();
        if (startsWord && endsWord)
            return true;
        from = found + 1;
    }
}

bool namesAGame(QStringView text)
{
    for (const QStringView game :
         {QStringView(u"Hold'em"), QStringView(u"Holdem"), QStringView(u"Hold\u2019em"),
          QStringView(u"Omaha"), QStringView(u"Stud"), QStringView(u"Razz"), QStringView(u"Draw"),
          QStringView(u"Badugi"), QStringView(u"Courchevel"), QStringView(u"ShortDeck"),
          QStringView(u"Lowball")}) {
        if (containsWord(text, game))
            return true;
    }
    return false;
}

// The game of the header: "Hold'em No Limit ($0.01/$0.02 USD)", "Tournament #1, $3+$0.30 USD
// Hold'em No Limit", or a mixed game with the game of the hand in parentheses,
// "HORSE (Hold'em Limit, $0.10/$0.20 USD)". Home games put the club's name in braces.
bool isTexasHoldem(QStringView description)
{
    QString game = description.toString();
    const qsizetype dash = game.indexOf(QStringLiteral(" - "));
    if (dash >= 0)
        game.truncate(dash);
    for (qsizetype open = game.indexOf(u'{'); open >= 0; open = game.indexOf(u'{')) {
        const qsizetype close = game.indexOf(u'}', open);
        game.remove(open, close < 0 ? game.size() - open : close - open + 1);
    }
    const qsizetype open = game.indexOf(u'(');
    if (open >= 0) {
        const qsizetype close = game.indexOf(u')', open);
        const QString inside = game.mid(open + 1, close < 0 ? -1 : close - open - 1);
        game = namesAGame(inside) ? inside : game.left(open);
    }
    const bool holdem = containsWord(game, u"Hold'em") || containsWord(game, u"Holdem") ||
                        containsWord(game, u"Hold\u2019em");
    return holdem && !game.contains(QStringLiteral("6+")) &&
           !game.contains(QStringLiteral("short"), Qt::CaseInsensitive) &&
           !containsWord(game, u"Omaha") && !containsWord(game, u"Courchevel");
}

// The texts between [ and ] on the line, in order.
QList<QStringView> bracketed(QStringView line)
{
    QList<QStringView> groups;
    qsizetype from = 0;
    while (true) {
        const qsizetype open = line.indexOf(u'[', from);
        if (open < 0)
            break;
        const qsizetype close = line.indexOf(u']', open + 1);
        if (close < 0)
            break;
        groups.append(line.sliced(open + 1, close - open - 1));
        from = close + 1;
    }
    return groups;
}

// Card indexes of a text of codes; nothing when it holds anything else.
std::optional<std::vector<int>> cardsOf(QStringView text)
{
    const QByteArray utf8 = text.toUtf8();
    const tallowby::CardTextReading reading =
        tallowby::readCardText(std::string_view(utf8.constData(), std::size_t(utf8.size())));
    if (!reading.ok())
        return std::nullopt;
    return reading.cards;
}

QString codeOf(int card)
{
    return QString::fromStdString(tallowby::cardCode(card));
}

// The marker of a section line ("*** FLOP *** [..]" gives "FLOP"); empty for other lines.
QStringView sectionOf(QStringView line)
{
    if (!line.startsWith(u"*** "))
        return {};
    QStringView rest = line.sliced(4);
    const qsizetype bracket = rest.indexOf(u'[');
    if (bracket >= 0)
        rest = rest.left(bracket);
    const qsizetype stars = rest.indexOf(u"***");
    if (stars >= 0)
        rest = rest.left(stars);
    return rest.trimmed();
}

bool startsWithCi(QStringView text, QStringView start)
{
    return text.startsWith(start, Qt::CaseInsensitive);
}

// "Seat 3: rest" gives 3 and "rest"; -1 for other lines.
int seatOf(QStringView line, QStringView &rest)
{
    if (!line.startsWith(u"Seat "))
        return -1;
    qsizetype at = 5;
    const int seat = readNumber(line, at, 1, 3);
    if (seat < 0 || !line.sliced(at).startsWith(u": "))
        return -1;
    rest = line.sliced(at + 2);
    return seat;
}

// Takes one hand apart, line by line.
class HandParser
{
public:
    HandParser(const QList<TextLine> &lines, qsizetype first, qsizetype last, int firstLine)
        : m_lines(lines), m_first(first), m_last(last), m_firstLine(firstLine)
    {}

    HandHistoryHand parse(const Header &header)
    {
        m_hand.line = lineNumber(m_first);
        m_hand.site = header.site;
        m_hand.number = header.number;
        const QStringView headerLine = m_lines.at(m_first).text;
        if (!isTexasHoldem(headerLine.sliced(header.gameStart)))
            return kind(Kind::OtherGame);
        for (qsizetype i = m_first + 1; i < m_last; ++i) {
            readLine(i);
            if (m_hand.kind == Kind::Unreadable && !m_hand.problem.isEmpty())
                return m_hand;
        }
        if (m_dealtCards && m_dealtCards->size() != 2)
            return kind(Kind::OtherGame);
        if (m_cancelled)
            return kind(Kind::Cancelled);
        if (!m_summary)
            return unreadable(m_last - 1, tr("The hand ends before its summary: the file was cut "
                                             "short, or the client is still writing it."));
        if (!m_dealtCards)
            return kind(Kind::WithoutCards);
        m_hand.date = firstDate(headerLine);
        if (!m_hand.date.isValid())
            return unreadable(m_first, tr("The hand's first line holds no date."));
        if (!fillCards())
            return m_hand;
        m_hand.result = result();
        return kind(Kind::Played);
    }

private:
    int lineNumber(qsizetype index) const { return int(index) + m_firstLine; }

    HandHistoryHand kind(Kind kind)
    {
        m_hand.kind = kind;
        return m_hand;
    }

    HandHistoryHand unreadable(qsizetype index, const QString &problem)
    {
        m_hand.kind = Kind::Unreadable;
        m_hand.problemLine = lineNumber(index);
        m_hand.problem = problem;
        return m_hand;
    }

    void readLine(qsizetype index)
    {
        const QStringView line = m_lines.at(index).text;
        // What players write at the table proves nothing about the hand.
        if (line.contains(u" said, \""))
            return;
        if (startsWithCi(line.trimmed(), u"Hand cancel") ||
            startsWithCi(line.trimmed(), u"Hand was cancel")) {
            m_cancelled = true;
            return;
        }
        const QStringView section = sectionOf(line);
        if (!section.isEmpty()) {
            readSection(index, section);
            return;
        }
        QStringView rest;
        const int seat = seatOf(line, rest);
        if (m_summary) {
            if (seat >= 0)
                m_summarySeats.push_back({seat, rest.toString()});
            else if (!m_summaryBoard &&
                     (line.startsWith(u"Board [") || line.startsWith(u"FIRST Board [")))
                m_summaryBoard = index;
            return;
        }
        if (seat >= 0 && !m_holeCards) {
            m_seats.push_back({seat, rest.toString()});
            return;
        }
        if (line.startsWith(u"Dealt to ")) {
            readDealtTo(index, line);
            return;
        }
        const qsizetype collected = line.indexOf(u" collected ");
        if (collected > 0 && line.indexOf(u" from", collected) > 0) {
            m_takers.append(line.left(collected).toString());
            return;
        }
        const qsizetype folds = line.indexOf(u": folds");
        if (folds > 0 && (folds + 7 == line.size() || line.at(folds + 7) == u' '))
            m_folders.append(line.left(folds).toString());
    }

    void readSection(qsizetype index, QStringView section)
    {
        if (section == u"SUMMARY") {
            m_summary = true;
            return;
        }
        if (section == u"HOLE CARDS" || section == u"DEALING HANDS" || section == u"PRE-FLOP") {
            m_holeCards = true;
            return;
        }
        // The first run of a board dealt twice is the one the history keeps.
        if (section.startsWith(u"FIRST "))
            section = section.sliced(6);
        else if (section.startsWith(u"SECOND ") || section.startsWith(u"THIRD "))
            return;
        if (section == u"FLOP" && !m_flop)
            m_flop = index;
        else if (section == u"TURN" && !m_turn)
            m_turn = index;
        else if (section == u"RIVER" && !m_river)
            m_river = index;
    }

    // Where the cards begin in "Dealt to NAME [c1 c2]": after the name of a seated player, as
    // a name may hold " [" itself ("ann [x] [Ah Kd]"); failing a seat, at the first " [".
    qsizetype dealtCardsAt(QStringView line) const
    {
        const qsizetype first = line.indexOf(u" [", 9);
        for (qsizetype at = first; at >= 0; at = line.indexOf(u" [", at + 1)) {
            const QString name = line.sliced(9, at - 9).toString() + QStringLiteral(" (");
            for (const auto &[seat, rest] : m_seats) {
                if (rest.startsWith(name))
                    return at;
            }
        }
        return first;
    }

    void readDealtTo(qsizetype index, QStringView line)
    {
        if (m_dealtCards)
            return;
        const qsizetype bracket = dealtCardsAt(line);
        if (bracket < 0)
            return; // some programs name every player, with cards only for the one who wrote it
        const QList<QStringView> groups = bracketed(line.sliced(bracket));
        if (groups.isEmpty())
            return;
        const std::optional<std::vector<int>> cards = cardsOf(groups.front());
        if (!cards || cards->empty()) {
            unreadable(
                index,
                tr("“[%1]” are not the cards dealt to the player.").arg(groups.front().toString()));
            return;
        }
        m_dealtCards = *cards;
        m_hand.player = line.sliced(9, bracket - 9).toString();
    }

    // The cards of a board line: the flop's three, or the one card the turn or river adds.
    std::optional<std::vector<int>> boardCards(qsizetype index, qsizetype count)
    {
        const QList<QStringView> groups = bracketed(m_lines.at(index).text);
        if (groups.isEmpty())
            return std::nullopt;
        std::optional<std::vector<int>> cards =
            cardsOf(count == 3 ? groups.front() : groups.back());
        if (!cards || qsizetype(cards->size()) != count)
            return std::nullopt;
        return cards;
    }

    bool fillCards()
    {
        std::vector<int> board;
        qsizetype boardLine = m_first;
        if (!m_flop && (m_turn || m_river))
            return badBoard(m_turn ? *m_turn : *m_river);
        if (m_flop) {
            boardLine = *m_flop;
            const auto flop = boardCards(*m_flop, 3);
            if (!flop)
                return badBoard(*m_flop);
            board = *flop;
            for (const std::optional<qsizetype> street : {m_turn, m_river}) {
                if (!street)
                    break;
                boardLine = *street;
                const auto card = boardCards(*street, 1);
                if (!card)
                    return badBoard(*street);
                board.push_back(card->front());
            }
            if (!m_turn && m_river)
                return badBoard(*m_river);
        } else if (m_summaryBoard) {
            boardLine = *m_summaryBoard;
            const QList<QStringView> groups = bracketed(m_lines.at(*m_summaryBoard).text);
            const auto cards = groups.isEmpty() ? std::nullopt : cardsOf(groups.front());
            if (!cards || cards->size() < 3 || cards->size() > 5)
                return badBoard(*m_summaryBoard);
            board = *cards;
        }
        std::vector<int> all = *m_dealtCards;
        all.insert(all.end(), board.begin(), board.end());
        for (std::size_t i = 0; i < all.size(); ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                if (all[i] == all[j]) {
                    unreadable(boardLine,
                               tr("The card %1 is dealt twice in this hand.").arg(codeOf(all[i])));
                    return false;
                }
            }
            m_hand.cards.at(i) = all[i];
        }
        return true;
    }

    bool badBoard(qsizetype index)
    {
        unreadable(
            index,
            tr("“%1” does not show the board's cards.").arg(m_lines.at(index).text.trimmed()));
        return false;
    }

    // The seat the player sits in: named in the seat lines with the chips ("ann ($2 in
    // chips)"), or failing those in the summary.
    int playerSeat() const
    {
        const QString name = m_hand.player;
        for (const auto &[seat, rest] : m_seats) {
            if (rest.startsWith(name + QStringLiteral(" (")))
                return seat;
        }
        for (const auto &[seat, rest] : m_summarySeats) {
            if (rest == name || rest.startsWith(name + QLatin1Char(' ')))
                return seat;
        }
        return -1;
    }

    QString result() const
    {
        const QString &player = m_hand.player;
        const int seat = playerSeat();
        bool folded = m_folders.contains(player);
        bool playerTook = m_takers.contains(player);
        bool othersTook = false;
        for (const QString &taker : m_takers)
            othersTook = othersTook || taker != player;
        for (const auto &[where, rest] : m_summarySeats) {
            const bool took = rest.contains(QStringLiteral(" collected (")) ||
                              rest.contains(QStringLiteral(" won ("));
            if (where == seat) {
                folded = folded || rest.contains(QStringLiteral(" folded "));
                playerTook = playerTook || took;
            } else {
                othersTook = othersTook || took;
            }
        }
        if (folded)
            return QStringLiteral("Fold");
        if (playerTook)
            return othersTook ? QStringLiteral("Split") : QStringLiteral("Win");
        return QStringLiteral("Lose");
    }

    const QList<TextLine> &m_lines;
    const qsizetype m_first;
    const qsizetype m_last;
    const int m_firstLine;
    HandHistoryHand m_hand;

    bool m_cancelled = false;
    bool m_summary = false;
    bool m_holeCards = false;
    std::optional<std::vector<int>> m_dealtCards;
    std::optional<qsizetype> m_flop;
    std::optional<qsizetype> m_turn;
    std::optional<qsizetype> m_river;
    std::optional<qsizetype> m_summaryBoard;
    std::vector<std::pair<int, QString>> m_seats;
    std::vector<std::pair<int, QString>> m_summarySeats;
    QStringList m_takers;
    QStringList m_folders;
};

bool hasSummary(const QList<TextLine> &lines, qsizetype first, qsizetype last,
                qsizetype *summaryLine)
{
    for (qsizetype i = first; i < last; ++i) {
        if (sectionOf(lines.at(i).text) == u"SUMMARY") {
            *summaryLine = i;
            return true;
        }
    }
    return false;
}

// Whether the client has finished writing the last hand of the bytes.
// `lineCut` says the bytes end inside a line, which was left out of `lines`.
bool lastHandComplete(const QList<TextLine> &lines, qsizetype first, qsizetype last, HandEnd end,
                      bool lineCut)
{
    if (end == HandEnd::Final)
        return true;
    qsizetype summary = 0;
    if (!hasSummary(lines, first, last, &summary))
        return false;
    if (end == HandEnd::Summary)
        return !lineCut;
    for (qsizetype i = summary + 1; i < last; ++i) {
        if (isBlank(lines.at(i).text))
            return true;
    }
    return false;
}

} // namespace

HandHistoryReading readHandHistory(QByteArrayView bytes, const HandHistoryReadOptions &options)
{
    HandHistoryReading reading;
    DecodedLines decoded = decodeLines(bytes);
    reading.encoding = decoded.encoding;
    const int firstLine = options.firstLine;
    if (decoded.encoding == TextEncoding::Utf16) {
        HandHistoryHand part;
        part.line = part.problemLine = firstLine;
        part.problem = tr("The file is written in UTF-16; hand histories are read in UTF-8 or "
                          "in the Windows code page 1252.");
        reading.hands.append(part);
        reading.consumed = bytes.size();
        return reading;
    }
    QList<TextLine> &lines = decoded.lines;
    // A line still being written is left for the next reading; so is one that ends in a CR
    // whose LF may follow.
    const bool lineCut =
        options.end != HandEnd::Final && !lines.isEmpty() &&
        (!lines.back().terminated || (lines.back().end == bytes.size() && bytes.back() == '\r'));
    if (lineCut)
        lines.removeLast();

    std::vector<std::pair<qsizetype, Header>> headers;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (std::optional<Header> header = readHeader(lines.at(i).text))
            headers.emplace_back(i, std::move(*header));
    }

    const qsizetype leading = headers.empty() ? lines.size() : headers.front().first;
    bool stray = options.startsInsidePart && leading > 0;
    for (qsizetype i = 0; i < leading && !options.startsInsidePart; ++i) {
        if (isSeparator(lines.at(i).text))
            continue;
        stray = true;
        HandHistoryHand part;
        part.line = part.problemLine = int(i) + firstLine;
        part.problem = headers.empty()
                           ? tr("No hand begins here or anywhere after: this is not a hand "
                                "history of the kind “PokerStars Hand #…: Hold'em …” begins.")
                           : tr("This text comes before the first hand and belongs to none.");
        reading.hands.append(part);
        break;
    }
    qsizetype consumedLines = leading;

    for (std::size_t h = 0; h < headers.size(); ++h) {
        const qsizetype first = headers[h].first;
        const bool last = h + 1 == headers.size();
        const qsizetype end = last ? lines.size() : headers[h + 1].first;
        if (last && !lastHandComplete(lines, first, end, options.end, lineCut))
            break;
        reading.hands.append(HandParser(lines, first, end, firstLine).parse(headers[h].second));
        consumedLines = end;
    }
    reading.endsInsidePart = headers.empty() && stray;
    reading.consumedLines = int(consumedLines);
    reading.consumed = consumedLines == 0 ? 0 : lines.at(consumedLines - 1).end;
    return reading;
}
