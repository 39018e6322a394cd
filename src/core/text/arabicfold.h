#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace velkaram {

// Arabic-aware folding for searches: Latin letters lose their case, Arabic
// diacritics, tatweel and the Quranic annotation marks disappear, the hamza-bearing alefs become a bare alef,
// alef maqsura becomes yaa and taa marbuta becomes haa. Returns 0 for a
// character that is ignored.
char32_t foldChar(char32_t c);

// Appends the folded text, still UTF-8, to out.
void foldUtf8(std::string_view utf8, std::string &out);

// A LIKE pattern ("%" any run, "_" one character after folding, an optional
// escape character) compiled once and matched against many texts.
class LikePattern {
public:
    explicit LikePattern(std::string_view utf8Pattern, char32_t escape = 0);

    bool matches(std::string_view utf8Text) const;

    // The pattern folded: its letters, with these for "_" and "%".
    static constexpr char32_t AnyOne = 0xFFFFFFFE;
    static constexpr char32_t AnyRun = 0xFFFFFFFF;
    const std::u32string &tokens() const { return tokens_; }

private:
    enum class Shape { General, Contains, Equals, Prefix, Suffix };

    bool matchGeneral(std::u32string_view text) const;
    void chooseAnchor();

    std::u32string tokens_;  // folded literals plus the two wildcard markers
    std::string literal_;    // the literal part of the simple shapes, UTF-8
    std::string anchor_;     // a letter every match must hold as it is
    Shape shape_ = Shape::General;
};

// Wildcard matching of a text against pattern tokens, where anyRun stands
// for any run and anyOne for one unit; one back-tracking point is enough
// for patterns made of literals and these two.
template <typename Tokens, typename Text, typename Token>
bool matchWildcards(const Tokens &p, const Text &text, Token anyOne, Token anyRun)
{
    size_t i = 0, t = 0;
    size_t starP = size_t(-1), starT = 0;
    while (t < text.size()) {
        if (i < p.size() && p[i] == anyRun) {
            starP = i++;
            starT = t;
        } else if (i < p.size() && (p[i] == anyOne || p[i] == text[t])) {
            ++i;
            ++t;
        } else if (starP != size_t(-1)) {
            i = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (i < p.size() && p[i] == anyRun)
        ++i;
    return i == p.size();
}

// Convenience for callers holding QStrings.
bool arabicLike(const QString &pattern, const QString &text, QChar escape = QChar());
QString foldText(const QString &text);

} // namespace velkaram
