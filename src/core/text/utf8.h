#pragma once

// The program's one UTF-8 reader. Only well-formed sequences count: an
// overlong form, a surrogate or a value past U+10FFFF would let one letter
// hide behind several spellings. Each byte that does not begin a complete,
// well-formed sequence reads as one U+FFFD. Inline, because the folding and
// the record store call it once per character.

#include <QChar>
#include <QString>
#include <string>
#include <string_view>

namespace velkaram::utf8 {

inline constexpr char32_t Replacement = 0xFFFD;

// The code point at i; moves i past it (one byte for a malformed sequence).
inline char32_t decode(std::string_view s, size_t &i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = 0;
    unsigned lo = 0x80, hi = 0xBF; // the range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        lo = b0 == 0xE0 ? 0xA0 : 0x80;
        hi = b0 == 0xED ? 0x9F : 0xBF;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        lo = b0 == 0xF0 ? 0x90 : 0x80;
        hi = b0 == 0xF4 ? 0x8F : 0xBF;
    }
    if (len == 0 || i + len > s.size()) {
        ++i;
        return Replacement;
    }
    char32_t c = b0 & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if (b < (k == 1 ? lo : 0x80) || b > (k == 1 ? hi : 0xBF)) {
            ++i;
            return Replacement;
        }
        c = (c << 6) | (b & 0x3F);
    }
    i += len;
    return c;
}

inline void encode(char32_t c, std::string &out)
{
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

namespace detail {

// A two-byte sequence at i: the form of every Arabic letter.
inline bool twoByteAt(const unsigned char *b, size_t i, size_t n)
{
    return b[i] >= 0xC2 && b[i] <= 0xDF && i + 1 < n && (b[i + 1] & 0xC0) == 0x80;
}

// Writes the first n bytes, known to be only ASCII and two-byte sequences.
inline char16_t *writeCommon(const unsigned char *b, size_t n, char16_t *out)
{
    for (size_t i = 0; i < n;) {
        if (b[i] < 0x80) {
            *out++ = b[i++];
        } else {
            *out++ = char16_t(((b[i] & 0x1F) << 6) | (b[i + 1] & 0x3F));
            i += 2;
        }
    }
    return out;
}

// The rest of a text whose first `common` bytes, `units` UTF-16 units, are
// ASCII and two-byte sequences: what follows is read through decode().
inline QString withOtherSequences(std::string_view s, size_t common, qsizetype units)
{
    const size_t n = s.size();
    const auto *b = reinterpret_cast<const unsigned char *>(s.data());
    for (size_t i = common; i < n; ++units) {
        if (b[i] < 0x80)
            i += 1;
        else if (twoByteAt(b, i, n))
            i += 2;
        else if (decode(s, i) > 0xFFFF)
            ++units; // a surrogate pair
    }
    QString text(units, Qt::Uninitialized);
    char16_t *out = writeCommon(b, common, reinterpret_cast<char16_t *>(text.data()));
    for (size_t i = common; i < n;) {
        if (b[i] < 0x80) {
            *out++ = b[i++];
        } else if (twoByteAt(b, i, n)) {
            *out++ = char16_t(((b[i] & 0x1F) << 6) | (b[i + 1] & 0x3F));
            i += 2;
        } else if (const char32_t c = decode(s, i); c > 0xFFFF) {
            *out++ = QChar::highSurrogate(c);
            *out++ = QChar::lowSurrogate(c);
        } else {
            *out++ = char16_t(c);
        }
    }
    return text;
}

} // namespace detail

// The text as a QString. The results grid turns hundreds of thousands of
// cells into text, nearly all of them ASCII and two-byte sequences (Arabic):
// once the count has found a text to be only those, it is written without
// checking again, which is what keeps the grid fast. Anything else goes
// through decode(). The string is allocated once, at its size.
inline QString toQString(std::string_view s)
{
    const size_t n = s.size();
    if (n == 0)
        return QString(0, Qt::Uninitialized); // empty, not null; data() would allocate
    const auto *b = reinterpret_cast<const unsigned char *>(s.data());
    qsizetype units = 0;
    for (size_t i = 0; i < n; ++units) {
        if (b[i] < 0x80)
            i += 1;
        else if (detail::twoByteAt(b, i, n))
            i += 2;
        else
            return detail::withOtherSequences(s, i, units);
    }
    QString text(units, Qt::Uninitialized);
    detail::writeCommon(b, n, reinterpret_cast<char16_t *>(text.data()));
    return text;
}

} // namespace velkaram::utf8
