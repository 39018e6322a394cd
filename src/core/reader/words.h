#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velkaram::reader {

// The reader search reads words folded as the LIKE folds them, with the
// Persian letter forms as the Arabic ones and Eastern digits as Western
// ones. Returns 0 for a character that is ignored.
char32_t foldLetter(char32_t c);

// It then folds further, once a word is known not to be a filler ("ما" is
// one, "ماء" is not): every hamza seat becomes its letter (ؤ → و, ئ → ي)
// and a lone hamza goes, so that "لولو" meets "لؤلؤ" and "سما" "سماء".
std::string withoutHamza(std::string_view folded);

// Whether a folded character belongs to a word.
bool isWordLetter(char32_t c);

// The folded words of a UTF-8 text, in order, each passed to visit.
template <typename Visit>
void forEachWord(std::string_view utf8, Visit &&visit);

// The same, collected.
std::vector<std::string> wordsOf(std::string_view utf8);

// foldLetter and isWordLetter for the code points below U+0800 (ASCII,
// Latin, Arabic), worked out once: the folded code point, with WordLetterBit
// set when it belongs to a word. Every word of the dictionary goes through it.
inline constexpr char32_t WordLetterBit = 0x80000000u;
inline constexpr char32_t FoldTableSize = 0x800;
const char32_t *foldTable();

// A code point as words are read: its folded form (0 when it is ignored),
// and whether it belongs to a word. table: foldTable(), fetched once.
inline char32_t foldForWords(const char32_t *table, char32_t raw, bool &letter)
{
    if (raw < FoldTableSize) {
        letter = (table[raw] & WordLetterBit) != 0;
        return table[raw] & ~WordLetterBit;
    }
    const char32_t c = foldLetter(raw);
    letter = c != 0 && isWordLetter(c);
    return c;
}

} // namespace velkaram::reader

#include "core/text/utf8.h"

template <typename Visit>
void velkaram::reader::forEachWord(std::string_view utf8, Visit &&visit)
{
    static const char32_t *const table = foldTable();
    std::string word;
    for (size_t i = 0; i < utf8.size();) {
        bool letter;
        const char32_t c = foldForWords(table, utf8::decode(utf8, i), letter);
        if (c == 0)
            continue; // ignored marks join the letters around them
        if (letter) {
            utf8::encode(c, word);
        } else if (!word.empty()) {
            visit(std::string_view(word));
            word.clear();
        }
    }
    if (!word.empty())
        visit(std::string_view(word));
}
