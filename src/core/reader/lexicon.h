#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace velkaram::reader {

// What the reader search knows of words beyond the dictionary itself: the
// filler words readers type around a symbol ("حلمت اني ..."), and the
// reader's words for a keyword (colloquial, variant or plural forms:
// "فلوس" → "مال"). Fillers are held folded, the reader's words and their
// headwords folded and without hamza (see words.h). The dictionary's own
// cross-references join them as synonyms when an index is built.
class Lexicon {
public:
    Lexicon() = default;
    // lexicon: TSV with a header line, "word<TAB>headword" per line;
    // fillers: one word or phrase per line. Blank lines are skipped.
    Lexicon(const QString &lexicon, const QString &fillers);

    // The lexicon and fillers compiled into the program.
    static const Lexicon &builtIn();

    bool isFiller(std::string_view folded) const { return fillers_.count(std::string(folded)) != 0; }
    // The filler phrases of more than one word, each as its folded words.
    const std::vector<std::vector<std::string>> &fillerPhrases() const { return phrases_; }
    // The headwords (folded, words joined by one blank) a word stands for.
    const std::vector<std::string> *headwords(std::string_view folded) const;

    void addSynonym(const std::string &word, const std::string &headword);
    size_t size() const { return headwords_.size(); }

private:
    std::unordered_set<std::string> fillers_;
    std::vector<std::vector<std::string>> phrases_;
    std::unordered_map<std::string, std::vector<std::string>> headwords_;
};

// The folded words of a text joined by one blank: how a keyword is compared.
std::string foldedPhrase(std::string_view utf8);
// The same without hamza: how the reader's words and headwords are held.
std::string searchPhrase(std::string_view utf8);

} // namespace velkaram::reader
