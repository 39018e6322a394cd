#include "text/arabicfold.h"

#include <QChar>

namespace velkaram {

char32_t foldChar(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c >= 0x0600 && c <= 0x06FF) {
        if ((c >= 0x064B && c <= 0x065F) || c == 0x0670 || c == 0x0640)
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
    return c;
}

namespace {

// Decodes one code point; a malformed sequence yields U+FFFD and one byte.
char32_t decode(std::string_view s, size_t &i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC0 ? 2 : 0;
    if (len == 0 || i + len > s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t c = b0 & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (b & 0x3F);
    }
    i += len;
    return c;
}

} // namespace

void foldUtf8(std::string_view utf8, std::u32string &out)
{
    for (size_t i = 0; i < utf8.size();) {
        if (const char32_t f = foldChar(decode(utf8, i)))
            out.push_back(f);
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
    // with a plain substring search.
    const auto isWild = [](char32_t t) { return t == AnyRun || t == AnyOne; };
    const size_t n = tokens_.size();
    size_t wild = 0;
    for (char32_t t : tokens_)
        wild += isWild(t);
    if (wild == 0) {
        shape_ = Shape::Equals;
        literal_ = tokens_;
    } else if (n >= 2 && wild == 2 && tokens_.front() == AnyRun && tokens_.back() == AnyRun) {
        shape_ = Shape::Contains;
        literal_ = tokens_.substr(1, n - 2);
    } else if (wild == 1 && tokens_.back() == AnyRun) {
        shape_ = Shape::Prefix;
        literal_ = tokens_.substr(0, n - 1);
    } else if (wild == 1 && tokens_.front() == AnyRun) {
        shape_ = Shape::Suffix;
        literal_ = tokens_.substr(1);
    }
}

bool LikePattern::matches(std::string_view utf8Text, std::u32string &scratch) const
{
    scratch.clear();
    foldUtf8(utf8Text, scratch);
    const std::u32string_view text(scratch);
    switch (shape_) {
    case Shape::Equals: return text == literal_;
    case Shape::Contains: return text.find(literal_) != std::u32string_view::npos;
    case Shape::Prefix: return text.starts_with(literal_);
    case Shape::Suffix: return text.ends_with(literal_);
    case Shape::General: break;
    }
    return matchGeneral(text);
}

// Wildcard matching with a single back-tracking point, which is enough for
// patterns made of literals, "_" and "%".
bool LikePattern::matchGeneral(std::u32string_view text) const
{
    size_t p = 0, t = 0;
    size_t starP = std::u32string::npos, starT = 0;
    while (t < text.size()) {
        if (p < tokens_.size() && tokens_[p] == AnyRun) {
            starP = p++;
            starT = t;
        } else if (p < tokens_.size() && (tokens_[p] == AnyOne || tokens_[p] == text[t])) {
            ++p;
            ++t;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < tokens_.size() && tokens_[p] == AnyRun)
        ++p;
    return p == tokens_.size();
}

bool arabicLike(const QString &pattern, const QString &text, QChar escape)
{
    const QByteArray p = pattern.toUtf8();
    const QByteArray t = text.toUtf8();
    std::u32string scratch;
    return LikePattern({p.constData(), size_t(p.size())}, escape.unicode())
        .matches({t.constData(), size_t(t.size())}, scratch);
}

} // namespace velkaram
