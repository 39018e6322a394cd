#include "core/reader/wordforms.h"

#include <libstemmer.h>

#include <algorithm>
#include <span>

namespace velkaram::reader {

namespace {

// Folded UTF-8, longest first so that "وال" is taken before "ال".
constexpr std::string_view ArticleForms[] = {
    "\xD9\x88\xD8\xA7\xD9\x84", // وال
    "\xD9\x81\xD8\xA7\xD9\x84", // فال
    "\xD8\xA8\xD8\xA7\xD9\x84", // بال
    "\xD9\x83\xD8\xA7\xD9\x84", // كال
    "\xD8\xA7\xD9\x84",         // ال
    "\xD9\x84\xD9\x84",         // لل
};

// Possessive endings, longest first. A lone "ه" is left alone: folded, it
// is also the taa marbuta that ends so many nouns.
constexpr std::string_view PossessiveEndings[] = {
    "\xD9\x83\xD9\x85\xD8\xA7", // كما
    "\xD9\x87\xD9\x85\xD8\xA7", // هما
    "\xD9\x83\xD9\x85",         // كم
    "\xD9\x87\xD9\x85",         // هم
    "\xD9\x87\xD9\x86",         // هن
    "\xD9\x86\xD8\xA7",         // نا
    "\xD9\x86\xD9\x8A",         // ني
    "\xD9\x87\xD8\xA7",         // ها
    "\xD9\x83",                 // ك
    "\xD9\x8A",                 // ي
};
// The letters that join a word in front: و ف ب ل ك (and, so, with, for, as).
constexpr std::string_view JoinedLetters[] = {"\xD9\x88", "\xD9\x81", "\xD8\xA8", "\xD9\x84", "\xD9\x83"};
// The letters that begin the present tense: ي ت ن ا.
constexpr std::string_view PresentPrefixes[] = {"\xD9\x8A", "\xD8\xAA", "\xD9\x86", "\xD8\xA7"};
constexpr std::string_view Taa = "\xD8\xAA";
constexpr std::string_view TaaMarbutaFolded = "\xD9\x87";

// Letters in a UTF-8 word: every byte that does not continue a sequence.
size_t letters(std::string_view word)
{
    size_t n = 0;
    for (const char c : word)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

} // namespace

WordForms::WordForms() : stemmer_(sb_stemmer_new("arabic", "UTF_8")) {}

WordForms::~WordForms()
{
    if (stemmer_)
        sb_stemmer_delete(stemmer_);
}

std::string WordForms::withoutArticle(std::string_view folded)
{
    for (const std::string_view article : ArticleForms) {
        if (folded.starts_with(article) && letters(folded.substr(article.size())) >= 2)
            return std::string(folded.substr(article.size()));
    }
    return std::string(folded);
}

std::string WordForms::stem(std::string_view folded)
{
    if (!stemmer_)
        return std::string(folded);
    const sb_symbol *stemmed =
        sb_stemmer_stem(stemmer_, reinterpret_cast<const sb_symbol *>(folded.data()), int(folded.size()));
    if (!stemmed)
        return std::string(folded);
    const std::string result(reinterpret_cast<const char *>(stemmed), size_t(sb_stemmer_length(stemmer_)));
    // A stem of one letter says nothing of the word.
    return letters(result) >= 2 ? result : std::string(folded);
}

std::vector<std::string> WordForms::lightStems(const std::string &bare)
{
    // Every ending that may be one: "اسناني" is "اسنان" with "ي", not
    // "اسنا" with "ني".
    std::vector<std::string> ends{bare};
    for (const std::string_view ending : PossessiveEndings) {
        if (bare.ends_with(ending) && letters(bare) >= letters(ending) + 3) {
            std::string word = bare.substr(0, bare.size() - ending.size());
            if (word.ends_with(Taa))
                ends.push_back(word.substr(0, word.size() - Taa.size()) + std::string(TaaMarbutaFolded));
            ends.push_back(std::move(word));
        }
    }
    std::vector<std::string> out(ends.begin() + 1, ends.end());
    for (const std::string &word : ends) {
        for (const std::span<const std::string_view> prefixes :
             {std::span<const std::string_view>(JoinedLetters), std::span<const std::string_view>(PresentPrefixes)}) {
            for (const std::string_view prefix : prefixes) {
                if (word.starts_with(prefix) && letters(word) >= 4) {
                    out.push_back(word.substr(prefix.size()));
                    break;
                }
            }
        }
    }
    return out;
}

const Forms &WordForms::of(std::string_view folded)
{
    const auto found = known_.find(std::string(folded));
    if (found != known_.end())
        return found->second;
    Forms forms{withoutArticle(folded), {}};
    const auto add = [&](std::string form) {
        if (form != forms.bare && std::find(forms.stems.begin(), forms.stems.end(), form) == forms.stems.end())
            forms.stems.push_back(std::move(form));
    };
    add(stem(forms.bare));
    for (std::string &light : lightStems(forms.bare))
        add(std::move(light));
    return known_.emplace(std::string(folded), std::move(forms)).first->second;
}

} // namespace velkaram::reader
