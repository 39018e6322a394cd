#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sb_stemmer;

namespace velkaram::reader {

// The forms under which a folded word is kept and looked up: the word as
// written less its article, and the forms it shares with the other forms of
// the same word (stems). The Snowball stemmer is light and erratic on
// colloquial text ("سيارتي" → "يارت"), so a second, lighter rule stands
// beside it: a possessive ending off (its taa back to taa marbuta: "سيارتي"
// → "سياره"), a joined letter off ("بثعبان" → "ثعبان"), and the prefix of
// a present-tense verb ("تطارد" → "طارد").
struct Forms {
    std::string bare;               // without the article and what joins it (ال، وال، بال، فال، كال، لل)
    std::vector<std::string> stems; // other forms, each once, none equal to bare
};

// Turns folded words into their forms, each distinct word once. One object
// per thread: the stemmer keeps state between calls.
class WordForms {
public:
    WordForms();
    ~WordForms();
    WordForms(const WordForms &) = delete;
    WordForms &operator=(const WordForms &) = delete;

    const Forms &of(std::string_view folded);

    // The word without the article family, when at least two letters remain.
    static std::string withoutArticle(std::string_view folded);
    // The lighter rule's forms of a word without its article.
    static std::vector<std::string> lightStems(const std::string &bare);

private:
    std::string stem(std::string_view folded);

    sb_stemmer *stemmer_ = nullptr;
    std::unordered_map<std::string, Forms> known_;
};

} // namespace velkaram::reader
