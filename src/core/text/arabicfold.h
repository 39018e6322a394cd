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

// Convenience for callers holding QStrings.
bool arabicLike(const QString &pattern, const QString &text, QChar escape = QChar());
QString foldText(const QString &text);

} // namespace velkaram
