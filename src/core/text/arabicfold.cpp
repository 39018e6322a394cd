#include "core/text/arabicfold.h"

#include "core/text/utf8.h"

#include <QChar>
#include <cstring>

namespace velkaram {

char32_t foldChar(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c >= 0x0600 && c <= 0x06FF) {
        // Harakat, superscript alef, tatweel, and the Quranic annotation marks
        // (Uthmani sukun, small high letters, small waw and yeh, stop signs).
        if ((c >= 0x064B && c <= 0x065F) || c == 0x0670 || c == 0x0640 || (c >= 0x06D6 && c <= 0x06ED))
            return 0;
        switch (c) {
        case 0x0622: case 0x0623: case 0x0625: case 0x0671: return 0x0627;
        case 0x0649: return 0x064A;
        case 0x0629: return 0x0647;
        default: return c;
        }
    }
    if (c < 0x0250) // the accented Latin letters
        return QChar::toCaseFolded(c);
    if (c >= 0x08D3 && c <= 0x08FF) // the extended Quranic marks
        return 0;
    return c;
}

namespace {

using utf8::decode;
using utf8::encode;

bool contains(std::string_view haystack, std::string_view needle)
{
    // An empty view may have no data at all, which memmem must not get.
    if (needle.empty())
        return true;
    if (haystack.size() < needle.size())
        return false;
    // Look for the needle's last byte with memchr, which is much faster than
    // memmem here: in Arabic that byte names the letter, so it is rarely a
    // false start.
    const size_t m = needle.size() - 1;
    const char last = needle[m];
    const char *end = haystack.data() + haystack.size();
    for (const char *p = haystack.data() + m; p < end; ++p) {
        p = static_cast<const char *>(std::memchr(p, last, size_t(end - p)));
        if (!p)
            return false;
        if (std::memcmp(p - m, needle.data(), m) == 0)
            return true;
    }
    return false;
}

// How rare a folded letter is in Arabic text (higher is rarer), for letters
// that no other character folds into. 0: not usable as an anchor.
int anchorRarity(char32_t c)
{
    static const std::u32string_view byFrequency = U"لمنرتبعدسفكقحجشطصخزثضغذظءئؤ";
    if (c >= '0' && c <= '9')
        return 10;
    const size_t at = byFrequency.find(c);
    return at == std::u32string_view::npos ? 0 : int(at) + 1;
}

} // namespace

namespace {

// foldChar's 0 means "ignored", so NUL, though it folds to 0, is dropped.
bool foldsIntoItself(char32_t c)
{
    return c != 0 && foldChar(c) == c;
}

// The characters of the fast paths that folding changes, worked out once
// from foldChar so that the fast paths keep no rule of their own: each ASCII
// character, and for the Arabic block (lead bytes D8 to DB) one bit per
// second byte. Also what each ASCII character folds into.
struct Changes {
    bool ascii[0x80] = {};
    char32_t asciiFolded[0x80] = {};
    unsigned long long arabic[4] = {};
    Changes()
    {
        for (char32_t c = 0; c < 0x80; ++c) {
            ascii[c] = !foldsIntoItself(c);
            asciiFolded[c] = foldChar(c);
        }
        for (unsigned lead = 0; lead < 4; ++lead) {
            for (unsigned low = 0; low < 64; ++low) {
                const char32_t c = char32_t(((0x18 + lead) << 6) | low);
                if (!foldsIntoItself(c))
                    arabic[lead] |= 1ULL << low;
            }
        }
    }
};

const Changes &changes()
{
    static const Changes table;
    return table;
}

// How many leading bytes folding leaves exactly as they are: plain ASCII
// and the Arabic letters that fold into themselves, which is nearly all text.
size_t unchangedPrefix(const Changes &changed, const char *s, size_t n)
{
    size_t i = 0;
    while (i < n) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            if (changed.ascii[b])
                break;
            ++i;
        } else if (b >= 0xD8 && b <= 0xDB && i + 1 < n) {
            const auto x = static_cast<unsigned char>(s[i + 1]);
            // b & 3 is b - 0xD8 here, and saves the compiler a sign extension.
            if ((x & 0xC0) != 0x80 || (changed.arabic[b & 3] >> (x & 0x3F)) & 1)
                break;
            i += 2;
        } else {
            break;
        }
    }
    return i;
}

// Folds the one character at i, which unchangedPrefix stopped at.
void foldOne(const Changes &changed, std::string_view utf8, size_t &i, std::string &out)
{
    const size_t n = utf8.size();
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
        if (const char32_t f = changed.asciiFolded[b])
            encode(f, out);
        ++i;
    } else if (b >= 0xD8 && b <= 0xDB && i + 1 < n && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
        const char32_t c = char32_t((b & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
        if (const char32_t f = foldChar(c); f == c) {
            out.append(utf8.data() + i, 2);
        } else if (f) {
            encode(f, out);
        }
        i += 2;
    } else if (const char32_t f = foldChar(decode(utf8, i))) {
        encode(f, out);
    }
}

// The folded text: the text itself when folding would not change it, else
// folded into buffer.
std::string_view foldedView(std::string_view utf8, std::string &buffer)
{
    const size_t same = unchangedPrefix(changes(), utf8.data(), utf8.size());
    if (same == utf8.size())
        return utf8;
    buffer.assign(utf8.data(), same);
    foldUtf8(utf8.substr(same), buffer);
    return buffer;
}

} // namespace

void foldUtf8(std::string_view utf8, std::string &out)
{
    const Changes &changed = changes();
    const size_t n = utf8.size();
    for (size_t i = 0; i < n;) {
        // Copy what stays as it is in one go, then fold one character.
        const size_t same = unchangedPrefix(changed, utf8.data() + i, n - i);
        out.append(utf8.data() + i, same);
        i += same;
        if (i < n)
            foldOne(changed, utf8, i, out);
    }
}

LikePattern::LikePattern(std::string_view utf8Pattern, char32_t escape)
{
    bool escaped = false;
    for (size_t i = 0; i < utf8Pattern.size();) {
        const char32_t c = decode(utf8Pattern, i);
        if (!escaped && escape && c == escape) {
            escaped = true;
            continue;
        }
        if (!escaped && c == '%') {
            if (tokens_.empty() || tokens_.back() != AnyRun)
                tokens_.push_back(AnyRun);
        } else if (!escaped && c == '_') {
            tokens_.push_back(AnyOne);
        } else if (const char32_t f = foldChar(c)) {
            tokens_.push_back(f);
        }
        escaped = false;
    }

    // The search box produces "%text%" almost always: match those shapes
    // with a plain substring search on the folded bytes.
    const auto isWild = [](char32_t t) { return t == AnyRun || t == AnyOne; };
    const size_t n = tokens_.size();
    size_t wild = 0;
    for (char32_t t : tokens_)
        wild += isWild(t);
    std::u32string_view literal;
    if (wild == 0) {
        shape_ = Shape::Equals;
        literal = tokens_;
    } else if (n >= 2 && wild == 2 && tokens_.front() == AnyRun && tokens_.back() == AnyRun) {
        shape_ = Shape::Contains;
        literal = std::u32string_view(tokens_).substr(1, n - 2);
    } else if (wild == 1 && tokens_.back() == AnyRun) {
        shape_ = Shape::Prefix;
        literal = std::u32string_view(tokens_).substr(0, n - 1);
    } else if (wild == 1 && tokens_.front() == AnyRun) {
        shape_ = Shape::Suffix;
        literal = std::u32string_view(tokens_).substr(1);
    }
    for (char32_t c : literal)
        encode(c, literal_);
    chooseAnchor();
}

// A match must contain every literal letter of the pattern. A rare letter
// that only itself folds into can be looked for in the raw text, which rules
// most rows out without folding them.
void LikePattern::chooseAnchor()
{
    char32_t best = 0;
    int bestRarity = 0;
    for (char32_t t : tokens_) {
        if (const int rarity = anchorRarity(t); rarity > bestRarity) {
            best = t;
            bestRarity = rarity;
        }
    }
    if (best)
        encode(best, anchor_);
}

bool LikePattern::matches(std::string_view utf8Text) const
{
    if (!anchor_.empty() && !contains(utf8Text, anchor_))
        return false;
    // The literal is folded already and folding leaves folded letters as
    // they are, so finding it in the raw text is a match without folding.
    if (shape_ == Shape::Contains && contains(utf8Text, literal_))
        return true;
    thread_local std::string buffer;
    const std::string_view text = foldedView(utf8Text, buffer);
    switch (shape_) {
    case Shape::Equals: return text == literal_;
    case Shape::Contains: return text.data() != utf8Text.data() && contains(text, literal_);
    case Shape::Prefix: return text.starts_with(literal_);
    case Shape::Suffix: return text.ends_with(literal_);
    case Shape::General: break;
    }
    thread_local std::u32string codePoints;
    codePoints.clear();
    for (size_t i = 0; i < text.size();)
        codePoints.push_back(decode(text, i));
    return matchGeneral(codePoints);
}

bool LikePattern::matchGeneral(std::u32string_view text) const
{
    return matchWildcards(tokens_, text, AnyOne, AnyRun);
}

QString foldText(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::string folded;
    foldUtf8({bytes.constData(), size_t(bytes.size())}, folded);
    return utf8::toQString(folded);
}

bool arabicLike(const QString &pattern, const QString &text, QChar escape)
{
    const QByteArray p = pattern.toUtf8();
    const QByteArray t = text.toUtf8();
    return LikePattern({p.constData(), size_t(p.size())}, escape.unicode())
        .matches({t.constData(), size_t(t.size())});
}

} // namespace velkaram
