#include "core/reader/words.h"

#include "core/text/arabicfold.h"

#include <QChar>

namespace velkaram::reader {

char32_t foldLetter(char32_t c)
{
    switch (c) {
    case 0x06A9: return 0x0643; // Persian keheh
    case 0x06CC: return 0x064A; // Persian yeh
    case 0x06C1: return 0x0647; // heh goal
    default: break;
    }
    if (c >= 0x0660 && c <= 0x0669)
        return '0' + (c - 0x0660);
    if (c >= 0x06F0 && c <= 0x06F9)
        return '0' + (c - 0x06F0);
    return foldChar(c);
}

bool isWordLetter(char32_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (c >= 0x0621 && c <= 0x064A) // the Arabic letters, most of any text
        return true;
    return c <= 0xFFFF ? QChar(char16_t(c)).isLetterOrNumber() : QChar::isLetterOrNumber(c);
}

std::vector<std::string> wordsOf(std::string_view utf8)
{
    std::vector<std::string> words;
    forEachWord(utf8, [&](std::string_view word) { words.emplace_back(word); });
    return words;
}

std::string withoutHamza(std::string_view folded)
{
    std::string out;
    out.reserve(folded.size());
    for (size_t i = 0; i < folded.size();) {
        const size_t start = i;
        switch (utf8::decode(folded, i)) {
        case 0x0621: break;                           // hamza on the line
        case 0x0624: out += "\xD9\x88"; break;        // waw with hamza: waw
        case 0x0626: out += "\xD9\x8A"; break;        // yeh with hamza: yeh
        default: out.append(folded.substr(start, i - start));
        }
    }
    return out;
}

const char32_t *foldTable()
{
    static const std::vector<char32_t> table = [] {
        std::vector<char32_t> t(FoldTableSize);
        for (char32_t c = 0; c < FoldTableSize; ++c) {
            const char32_t f = foldLetter(c);
            t[c] = f | (f != 0 && isWordLetter(f) ? WordLetterBit : 0);
        }
        return t;
    }();
    return table.data();
}

} // namespace velkaram::reader
