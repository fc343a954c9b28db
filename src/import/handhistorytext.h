// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a hand-history file as lines of text. Poker clients write these files in UTF-8,
// with or without a byte-order mark, or in the Windows code page 1252; lines end in CRLF, LF or
// CR. Each line keeps where its bytes lie, so that a reader can say how far it has read and
// start again there when the client has appended more.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

struct TextLine
{
    QString text;            // without its line break
    qsizetype offset = 0;    // where its bytes begin
    qsizetype end = 0;       // where the next line begins (after the line break)
    bool terminated = false; // ended by a line break rather than by the end of the bytes
};

enum class TextEncoding
{
    Utf8,
    Windows1252,
    Utf16 // recognised by its byte-order mark, and not read
};

struct DecodedLines
{
    TextEncoding encoding = TextEncoding::Utf8;
    QList<TextLine> lines;
};

// Valid UTF-8 is read as UTF-8, anything else as Windows-1252, which gives every byte a
// character. A UTF-8 byte-order mark at the start is dropped, and so is one that begins a line
// (files joined together); a UTF-16 byte-order mark gives no lines.
DecodedLines decodeLines(QByteArrayView bytes);

// Windows-1252: Latin-1 with printable characters in 0x80..0x9F; the five bytes the code page
// leaves unassigned keep their Latin-1 control characters.
QString fromWindows1252(QByteArrayView bytes);
