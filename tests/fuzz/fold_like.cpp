// Fuzz target: the Arabic-aware LIKE against a slow, plain reference.
// Input: pattern, NUL, text, NUL, escape (the escape counts when it is
// exactly one character). Any disagreement aborts.
#include "core/text/arabicfold.h"

#include <QChar>
#include <QList>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// UTF-8 as the standard defines it: a byte that does not begin a complete,
// well-formed sequence (no overlong forms, no surrogates, nothing past
// U+10FFFF) is one U+FFFD.
std::u32string refDecode(std::string_view s)
{
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        int len = 0;
        unsigned lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (b0 < 0x80) {
            out.push_back(b0);
            ++i;
            continue;
        } else if (b0 >= 0xC2 && b0 <= 0xDF) {
            len = 2;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            len = 3;
            if (b0 == 0xE0)
                lo = 0xA0;
            if (b0 == 0xED)
                hi = 0x9F;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            len = 4;
            if (b0 == 0xF0)
                lo = 0x90;
            if (b0 == 0xF4)
                hi = 0x8F;
        }
        bool ok = len > 0 && i + len <= s.size();
        char32_t c = 0;
        if (ok) {
            c = b0 & (0xFF >> (len + 1));
            for (int k = 1; k < len && ok; ++k) {
                const auto b = static_cast<unsigned char>(s[i + k]);
                ok = k == 1 ? (b >= lo && b <= hi) : (b >= 0x80 && b <= 0xBF);
                c = (c << 6) | (b & 0x3F);
            }
        }
        if (ok) {
            out.push_back(c);
            i += len;
        } else {
            out.push_back(0xFFFD);
            ++i;
        }
    }
    return out;
}

std::string refEncode(std::u32string_view cps)
{
    std::string out;
    for (char32_t c : cps) {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The folding rules, one by one; 0: the character is ignored.
char32_t refFold(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 'a';
    if (c >= 0x80 && c < 0x250) // accented Latin: Unicode's case folding
        return QChar::toCaseFolded(c);
    if (c >= 0x064B && c <= 0x065F) // harakat
        return 0;
    if (c == 0x0670 || c == 0x0640) // superscript alef, tatweel
        return 0;
    if ((c >= 0x06D6 && c <= 0x06ED) || (c >= 0x08D3 && c <= 0x08FF)) // Quranic marks
        return 0;
    if (c == 0x0623 || c == 0x0625 || c == 0x0622 || c == 0x0671) // أ إ آ ٱ
        return 0x0627;
    if (c == 0x0649) // ى
        return 0x064A;
    if (c == 0x0629) // ة
        return 0x0647;
    return c;
}

std::u32string refFolded(std::string_view utf8)
{
    std::u32string out;
    for (char32_t c : refDecode(utf8)) {
        if (const char32_t f = refFold(c))
            out.push_back(f);
    }
    return out;
}

struct Token {
    enum Kind { Letter, AnyOne, AnyRun } kind;
    char32_t c;
};

// "%" any run, "_" one folded character, the escape makes the next character
// a letter; an escape at the very end escapes nothing.
std::vector<Token> refTokens(std::string_view pattern, char32_t escape)
{
    std::vector<Token> tokens;
    bool escaped = false;
    for (char32_t c : refDecode(pattern)) {
        if (escaped) {
            escaped = false;
            if (const char32_t f = refFold(c))
                tokens.push_back({Token::Letter, f});
        } else if (escape && c == escape) {
            escaped = true;
        } else if (c == '%') {
            tokens.push_back({Token::AnyRun, 0});
        } else if (c == '_') {
            tokens.push_back({Token::AnyOne, 0});
        } else if (const char32_t f = refFold(c)) {
            tokens.push_back({Token::Letter, f});
        }
    }
    return tokens;
}

// Dynamic programming over (pattern tokens, folded text).
bool refLike(std::string_view pattern, std::string_view text, char32_t escape)
{
    const std::vector<Token> p = refTokens(pattern, escape);
    const std::u32string t = refFolded(text);
    // row[j]: the first j tokens match the text read so far.
    std::vector<char> row(p.size() + 1, 0), next(p.size() + 1, 0);
    row[0] = 1;
    for (size_t j = 1; j <= p.size(); ++j)
        row[j] = row[j - 1] && p[j - 1].kind == Token::AnyRun;
    for (char32_t c : t) {
        next[0] = 0;
        for (size_t j = 1; j <= p.size(); ++j) {
            const Token &k = p[j - 1];
            if (k.kind == Token::AnyRun)
                next[j] = next[j - 1] || row[j];
            else
                next[j] = row[j - 1] && (k.kind == Token::AnyOne || k.c == c);
        }
        row.swap(next);
    }
    return row[p.size()];
}

[[noreturn]] void finding(const char *what, std::string_view pattern, std::string_view text, char32_t escape,
                          int ours, int reference)
{
    std::fprintf(stderr, "fold_like: %s: ours %d, reference %d; escape U+%04X\n", what, ours, reference, unsigned(escape));
    std::fprintf(stderr, "pattern (%zu bytes):", pattern.size());
    for (unsigned char b : pattern)
        std::fprintf(stderr, " %02X", b);
    std::fprintf(stderr, "\ntext (%zu bytes):", text.size());
    for (unsigned char b : text)
        std::fprintf(stderr, " %02X", b);
    std::fprintf(stderr, "\n");
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 4096) // the reference is quadratic
        return -1;
    const std::string_view in(reinterpret_cast<const char *>(data), size);
    const size_t a = in.find('\0');
    const std::string_view pattern = in.substr(0, a);
    const std::string_view rest = a == std::string_view::npos ? std::string_view() : in.substr(a + 1);
    const size_t b = rest.find('\0');
    const std::string_view text = rest.substr(0, b);
    const std::string_view escapeBytes = b == std::string_view::npos ? std::string_view() : rest.substr(b + 1);
    const QList<uint> e = QString::fromUtf8(escapeBytes.data(), qsizetype(escapeBytes.size())).toUcs4();
    const char32_t escape = e.size() == 1 ? char32_t(e.front()) : 0;

    // Folding alone.
    std::string folded;
    velkaram::foldUtf8(text, folded);
    if (folded != refEncode(refFolded(text)))
        finding("foldUtf8 differs", pattern, text, escape, 0, 0);

    // The compiled pattern over raw bytes, as SQLite hands them over.
    const bool ours = velkaram::LikePattern(pattern, escape).matches(text);
    const bool reference = refLike(pattern, text, escape);
    if (ours != reference)
        finding("LikePattern differs", pattern, text, escape, ours, reference);

    // The QString entry point, over what Qt makes of the bytes.
    if (escape <= 0xFFFF && !QChar::isSurrogate(escape)) {
        const QString p = QString::fromUtf8(pattern.data(), qsizetype(pattern.size()));
        const QString t = QString::fromUtf8(text.data(), qsizetype(text.size()));
        const QByteArray p8 = p.toUtf8(), t8 = t.toUtf8();
        const bool q = velkaram::arabicLike(p, t, QChar(char16_t(escape)));
        const bool qr = refLike({p8.constData(), size_t(p8.size())}, {t8.constData(), size_t(t8.size())}, escape);
        if (q != qr)
            finding("arabicLike differs", pattern, text, escape, q, qr);
    }
    return 0;
}
