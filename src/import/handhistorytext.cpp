// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding hand-history bytes into lines.
#include "import/handhistorytext.h"

#include <array>

namespace {

// The characters of bytes 0x80..0x9F in Windows-1252; 0 where the code page assigns none.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *const end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (end - p < length)
            return false;
        if (p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i < length; ++i) {
            if (p[i] < 0x80 || p[i] > 0xBF)
                return false;
        }
        p += length;
    }
    return true;
}

} // namespace

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const char16_t high = byte >= 0x80 && byte <= 0x9F ? kWindows1252High[byte - 0x80] : 0;
        *out++ = QChar(high ? high : char16_t(byte));
    }
    return text;
}

DecodedLines decodeLines(QByteArrayView bytes)
{
    DecodedLines decoded;
    qsizetype start = 0;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        start = 3;
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        decoded.encoding = TextEncoding::Utf16;
        return decoded;
    }
    decoded.encoding =
        isValidUtf8(bytes.sliced(start)) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    const bool utf8 = decoded.encoding == TextEncoding::Utf8;
    const char *const data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype lineStart = start;
    while (lineStart < size) {
        qsizetype stop = lineStart;
        while (stop < size && data[stop] != '\n' && data[stop] != '\r')
            ++stop;
        TextLine line;
        line.offset = lineStart;
        const QByteArrayView content(data + lineStart, stop - lineStart);
        line.text = utf8 ? QString::fromUtf8(content) : fromWindows1252(content);
        // Files joined together keep the byte-order marks of all but the first.
        if (line.text.startsWith(QChar(0xFEFF)))
            line.text.remove(0, 1);
        qsizetype next = stop;
        if (next < size) {
            line.terminated = true;
            if (data[next] == '\r' && next + 1 < size && data[next + 1] == '\n')
                next += 2;
            else
                ++next;
        }
        line.end = next;
        decoded.lines.append(std::move(line));
        lineStart = next;
    }
    return decoded;
}
