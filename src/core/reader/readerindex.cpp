#include "core/reader/readerindex.h"

#include "core/reader/words.h"
#include "core/text/utf8.h"

#include <algorithm>
#include <new>
#include <sys/mman.h>
#include <thread>
#include <cmath>

namespace velkaram::reader {

namespace {

enum Field { Keyword = 0, Dream = 1, Interpretation = 2 };

// How much a word counts where it is found.
constexpr float FieldWeight[] = {3.0f, 2.0f, 0.6f};
// A word reached through its stem counts for a little less than itself.
constexpr float StemShare = 0.8f;
// Words a query holds at most; more says nothing new.
constexpr size_t MaxWords = 8;
// Words of the vocabulary a growing last word may stand for.
constexpr size_t MaxPrefixTerms = 40;

constexpr std::string_view SeeAlso = "\xD8\xA7\xD9\x86\xD8\xB8\xD8\xB1"; // انظر, folded

std::u32string codePoints(std::string_view utf8)
{
    std::u32string out;
    for (size_t i = 0; i < utf8.size();)
        out.push_back(utf8::decode(utf8, i));
    return out;
}

// Whether two words differ by one letter added, removed or changed.
bool oneEditApart(std::u32string_view a, std::u32string_view b)
{
    if (a.size() > b.size())
        std::swap(a, b);
    if (b.size() - a.size() > 1)
        return false;
    size_t i = 0;
    while (i < a.size() && a[i] == b[i])
        ++i;
    if (a.size() == b.size())
        return a.substr(i + (i < a.size())) == b.substr(i + (i < b.size()));
    return a.substr(i) == b.substr(i + 1);
}

// The keyword an entry refers to ("انظر: ملابس، ففيه ..."), folded; empty
// when the entry is not a cross-reference.
std::string referredKeyword(std::string_view interpretation)
{
    // Most entries are not: their text has no colon near its start.
    const size_t near = interpretation.substr(0, 32).find(':');
    if (near == std::string_view::npos)
        return {};
    std::string lead;
    forEachWord(interpretation.substr(0, near), [&](std::string_view word) {
        if (lead.empty())
            lead = word;
    });
    if (lead != SeeAlso)
        return {};
    const size_t colon = interpretation.find(':');
    if (colon == std::string_view::npos)
        return {};
    std::string_view rest = interpretation.substr(colon + 1);
    for (const std::string_view stop : {"\xD8\x8C", ".", ";", ","}) // Arabic comma first
        rest = rest.substr(0, rest.find(stop));
    return searchPhrase(rest);
}

} // namespace

struct ReaderIndex::Scored {
    std::uint32_t entry;
    int whole;   // the reader's words the entry holds, as written or by their stems or lexicon
    int matched; // the same, with guesses at growing words and near spellings
    bool otherState; // a reading for a dreamer's state the reader did not name
    float score;
};

namespace {

constexpr std::int8_t NoState = -1;

// The dreamer's states the dictionary reads apart, as readers name them. A
// reading for one is titled with it last ("…للعزباء"); a reader who names
// none is shown the general readings first.
std::int8_t dreamerState(std::string_view word)
{
    static const std::vector<std::pair<std::string, std::int8_t>> forms = [] {
        const std::pair<const char *, std::int8_t> named[] = {
            {"عزباء", 0}, {"عزبا", 0}, {"عزبة", 0}, {"آنسة", 0},
            {"متزوجة", 1}, {"متجوزة", 1},
            {"حامل", 2}, {"حاملة", 2}, {"حبلى", 2},
            {"مطلقة", 3},
            {"رجل", 4},
            {"مريض", 5}, {"مريضة", 5},
            {"مسافر", 6}, {"مسافرة", 6},
            {"أرملة", 7},
        };
        std::vector<std::pair<std::string, std::int8_t>> out;
        for (const auto &[form, state] : named)
            for (const std::string &folded : wordsOf(form))
                out.emplace_back(withoutHamza(folded), state);
        return out;
    }();
    const std::string bare = withoutHamza(word);
    std::string_view w = bare;
    if (w.starts_with("و"))
        w.remove_prefix(std::string_view("و").size());
    for (const std::string_view lead : {"لل", "ال", "بال", "ل", ""}) {
        if (!w.starts_with(lead))
            continue;
        const std::string_view rest = w.substr(lead.size());
        for (const auto &[form, state] : forms)
            if (rest == form)
                return state;
    }
    return NoState;
}

} // namespace

ReaderIndex::ReaderIndex(const Lexicon &lexicon) : lexicon_(lexicon), buildForms_(std::make_unique<WordForms>()) {}

ReaderIndex::~ReaderIndex() = default;

namespace {
constexpr size_t HitBlockBytes(size_t bits, size_t hit) { return (size_t(1) << bits) * hit; }
}

ReaderIndex::HitBlock::HitBlock()
{
    // Its pages are made at once: touched one by one they cost a fault each,
    // which on this kind of virtual machine was a quarter of the build.
    void *memory = ::mmap(nullptr, HitBlockBytes(HitBlockBits, sizeof(Hit)), PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    hits_ = static_cast<Hit *>(memory);
}

ReaderIndex::HitBlock::~HitBlock()
{
    if (hits_)
        ::munmap(hits_, HitBlockBytes(HitBlockBits, sizeof(Hit)));
}

std::uint32_t ReaderIndex::termFor(const std::string &form)
{
    const auto [it, added] = terms_.try_emplace(form, termCount_);
    if (added) {
        ++termCount_;
        termStates_.push_back({});
    }
    return it->second;
}

const std::uint32_t *ReaderIndex::findTerm(const std::string &form) const
{
    const auto it = terms_.find(form);
    return it == terms_.end() ? nullptr : &it->second;
}

void ReaderIndex::addWord(std::uint32_t entry, std::uint32_t term, int field, bool stem, int at)
{
    TermState &state = termStates_[term];
    if (state.lastEntry != entry + 1) {
        state.lastEntry = entry + 1;
        state.lastHit = std::uint32_t(hitCount_);
        if ((hitCount_ & ((size_t(1) << HitBlockBits) - 1)) == 0)
            hits_.emplace_back();
        hits_.back().push_back({term, {entry, 0, 255}});
        ++hitCount_;
        ++state.postings;
    }
    const size_t hit = state.lastHit;
    Posting &posting = hits_[hit >> HitBlockBits][hit & ((size_t(1) << HitBlockBits) - 1)].posting;
    posting.fields |= std::uint8_t(1 << (stem ? field + 3 : field));
    if (field == Dream && at < posting.dreamAt)
        posting.dreamAt = std::uint8_t(at);
}

std::uint32_t ReaderIndex::addWordTerms(std::string_view word)
{
    const auto at = std::uint32_t(wordTerms_.size());
    wordTerms_.push_back(0);
    if (!lexicon_.isFiller(word)) {
        const Forms &forms = buildForms_->of(withoutHamza(word));
        wordTerms_.push_back(termFor(forms.bare));
        for (const std::string &stem : forms.stems)
            wordTerms_.push_back(termFor(stem));
    }
    wordTerms_[at] = std::uint32_t(wordTerms_.size() - at - 1);
    return at;
}

// The words of one field, folded as forEachWord folds them, written
// straight into the batch's text: this runs over every byte of the table.
void ReaderIndex::Batch::cutField(std::string_view text, int field)
{
    static const char32_t *const table = foldTable();
    size_t out = text_.size();
    // Folded letters never take more bytes than the text; the rest is room.
    text_.resize(out + text.size() + 8);
    size_t start = out;
    int place = 0;
    const auto endWord = [&] {
        if (out > start) {
            const size_t length = std::min<size_t>(out - start, 0xFFFF);
            words_.push_back({WordTable::hashOf({text_.data() + start, length}), std::uint32_t(start),
                              std::uint16_t(length), std::uint8_t(field), std::uint8_t(std::min(place++, 254))});
            out = start + length;
        }
        start = out;
    };
    for (size_t i = 0; i < text.size();) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        char32_t raw;
        if (b0 < 0x80) {
            raw = b0;
            ++i;
        } else if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < text.size()
                   && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
            raw = char32_t(b0 & 0x1F) << 6 | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
            i += 2;
        } else {
            raw = utf8::decode(text, i);
        }
        bool letter;
        const char32_t c = foldForWords(table, raw, letter);
        if (c == 0)
            continue; // ignored marks join the letters around them
        if (!letter) {
            endWord();
            continue;
        }
        if (text_.size() < out + 4)
            text_.resize(out + 64);
        char *to = text_.data() + out;
        if (c < 0x80) {
            to[0] = char(c);
            out += 1;
        } else if (c < 0x800) {
            to[0] = char(0xC0 | (c >> 6));
            to[1] = char(0x80 | (c & 0x3F));
            out += 2;
        } else {
            std::string bytes;
            utf8::encode(c, bytes);
            std::copy(bytes.begin(), bytes.end(), to);
            out += bytes.size();
        }
    }
    endWord();
    text_.resize(out);
}

void ReaderIndex::Batch::cut(qint64 row, std::string_view keyword, std::string_view dream,
                             std::string_view interpretation)
{
    cutField(keyword, Keyword);
    cutField(dream, Dream);
    cutField(interpretation, Interpretation);
    entries_.push_back({row, std::string(keyword), std::string(dream), searchPhrase(keyword),
                        referredKeyword(interpretation), words_.size()});
}

void ReaderIndex::Batch::clear()
{
    entries_.clear();
    words_.clear();
    text_.clear();
}

void ReaderIndex::add(Batch &batch)
{
    size_t word = 0;
    for (Batch::Cut &cut : batch.entries_) {
        const auto entry = std::uint32_t(entries_.size());
        for (; word < cut.words; ++word) {
            const Batch::Word &w = batch.words_[word];
            const std::string_view text(batch.text_.data() + w.offset, w.length);
            const std::uint32_t *found = buildWords_.find(text, w.hash);
            std::uint32_t at;
            if (found) {
                at = *found;
            } else {
                at = addWordTerms(text);
                buildWords_.insert(text, w.hash, at);
            }
            const std::uint32_t count = wordTerms_[at];
            for (std::uint32_t i = 0; i < count; ++i)
                addWord(entry, wordTerms_[at + 1 + i], w.field, i > 0, w.place);
        }
        refers_.push_back(!cut.referred.empty());
        if (!cut.referred.empty())
            crossReferences_.emplace_back(cut.foldedKeyword, std::move(cut.referred));
        foldedKeywords_.push_back(std::move(cut.foldedKeyword));
        const auto keywordAt = std::uint32_t(std::min(text_.size(), size_t(UINT32_MAX)));
        text_ += cut.keyword;
        const auto dreamAt = std::uint32_t(std::min(text_.size(), size_t(UINT32_MAX)));
        text_ += cut.dream;
        entries_.push_back({cut.row, keywordAt, std::uint32_t(cut.keyword.size()), dreamAt,
                            std::uint32_t(cut.dream.size())});
        const std::vector<std::string> titleWords = wordsOf(cut.dream);
        entryStates_.push_back(titleWords.empty() ? NoState : dreamerState(titleWords.back()));
    }
    batch.clear();
}

void ReaderIndex::add(qint64 row, std::string_view keyword, std::string_view dream, std::string_view interpretation)
{
    Batch batch;
    batch.cut(row, keyword, dream, interpretation);
    add(batch);
}

void ReaderIndex::finish()
{
    // The words are put in order on a second thread while this one lays out
    // the postings and the keywords.
    std::thread ordering([this] {
        sortedTerms_.clear();
        sortedTerms_.reserve(terms_.size());
        for (const auto &[term, id] : terms_)
            sortedTerms_.emplace_back(term, id); // views of terms_, which stays as it is
        std::sort(sortedTerms_.begin(), sortedTerms_.end());
    });
    buildForms_.reset();
    buildWords_ = {};
    wordTerms_ = {};
    // Each posting put in its term's place.
    postingStart_.assign(size_t(termCount_) + 1, 0);
    for (size_t t = 0; t < termCount_; ++t)
        postingStart_[t + 1] = postingStart_[t] + termStates_[t].postings;
    termStates_ = {};
    std::vector<std::uint32_t> next(postingStart_.begin(), postingStart_.end() - 1);
    postings_.resize(hitCount_);
    for (const HitBlock &block : hits_)
        for (const Hit &hit : block)
            postings_[next[hit.term]++] = hit.posting;
    std::vector<HitBlock>().swap(hits_);
    hitCount_ = 0;

    // Each keyword's first entry, and whether all its entries only refer.
    struct KeywordInfo {
        std::uint32_t first;
        bool onlyRefers;
    };
    std::unordered_map<std::string_view, KeywordInfo> keywords;
    keywords.reserve(foldedKeywords_.size() / 2 + 16);
    for (size_t e = 0; e < foldedKeywords_.size(); ++e) {
        const auto [it, added] = keywords.try_emplace(foldedKeywords_[e], KeywordInfo{std::uint32_t(e), true});
        it->second.onlyRefers = it->second.onlyRefers && refers_[e];
    }
    // A keyword that only refers to another stands for it, and the other
    // way round: both are names of one symbol. A keyword with entries of
    // its own is a symbol of its own.
    for (const auto &[keyword, target] : crossReferences_) {
        if (!keywords.at(keyword).onlyRefers)
            continue;
        if (keyword.find(' ') == std::string::npos)
            lexicon_.addSynonym(keyword, target);
        if (target.find(' ') == std::string::npos)
            lexicon_.addSynonym(target, keyword);
    }
    keywordOrder_.clear();
    keywordOrder_.reserve(keywords.size());
    for (const auto &[keyword, info] : keywords)
        if (!keyword.empty())
            keywordOrder_.emplace_back(std::string(keyword), info.first);
    std::sort(keywordOrder_.begin(), keywordOrder_.end());
    ordering.join();
    crossReferences_ = {};
    refers_ = {};
    foldedKeywords_ = {};
}

float ReaderIndex::idf(std::uint32_t term) const
{
    const double n = double(entries_.size());
    return float(std::log(1.0 + n / double(std::max<size_t>(1, postingStart_[term + 1] - postingStart_[term]))));
}

std::vector<std::string> ReaderIndex::contentWords(const QString &text) const
{
    std::vector<std::string> words = wordsOf(text.toStdString());
    // Filler phrases ("ابن سيرين") go first, then filler words.
    std::vector<bool> filler(words.size(), false);
    for (const std::vector<std::string> &phrase : lexicon_.fillerPhrases()) {
        for (size_t i = 0; i + phrase.size() <= words.size(); ++i) {
            if (std::equal(phrase.begin(), phrase.end(), words.begin() + qsizetype(i)))
                std::fill_n(filler.begin() + qsizetype(i), phrase.size(), true);
        }
    }
    std::vector<std::string> content;
    for (size_t i = 0; i < words.size(); ++i)
        if (!filler[i] && !lexicon_.isFiller(words[i]))
            content.push_back(words[i]);
    // A text of fillers alone is looked for as it is.
    if (content.empty())
        content = std::move(words);
    if (content.size() > MaxWords)
        content.resize(MaxWords);
    for (std::string &word : content)
        word = withoutHamza(word);
    return content;
}

void ReaderIndex::addForms(std::vector<Alternative> &out, const std::string &word, float weight, float rarityCap) const
{
    const Forms &forms = queryForms_.of(word);
    const auto add = [&](const std::string &form, float w, bool stemOnly) {
        const std::uint32_t *term = findTerm(form);
        if (!term)
            return;
        for (Alternative &a : out) {
            if (a.term == *term) {
                a.weight = std::max(a.weight, w);
                a.stemOnly = a.stemOnly && stemOnly;
                return;
            }
        }
        out.push_back({*term, w, stemOnly, false, std::min(idf(*term), rarityCap)});
    };
    add(forms.bare, weight, false);
    for (const std::string &stem : forms.stems)
        add(stem, weight, true);
}

std::vector<ReaderIndex::Alternative> ReaderIndex::alternatives(const std::string &word, bool prefix, bool nearest) const
{
    std::vector<Alternative> alts;
    constexpr float NoCap = 1e9f;
    addForms(alts, word, 1.0f, NoCap);
    const std::string bare = WordForms::withoutArticle(word);
    const std::uint32_t *own = findTerm(bare);
    const float cap = own ? idf(*own) : NoCap;
    for (const std::string &lookup : {word, bare}) {
        if (const std::vector<std::string> *heads = lexicon_.headwords(lookup))
            for (const std::string &head : *heads)
                if (head.find(' ') == std::string::npos)
                    addForms(alts, head, 0.95f, cap);
    }
    if (prefix && !bare.empty()) {
        size_t taken = 0;
        for (auto it = std::lower_bound(sortedTerms_.begin(), sortedTerms_.end(), std::make_pair(std::string_view(bare), std::uint32_t(0)));
             it != sortedTerms_.end() && it->first.starts_with(bare) && taken < MaxPrefixTerms; ++it, ++taken) {
            if (std::none_of(alts.begin(), alts.end(), [&](const Alternative &a) { return a.term == it->second; }))
                alts.push_back({it->second, 0.7f, false, true, idf(it->second)});
        }
    }
    if (nearest && alts.empty()) {
        const std::u32string target = codePoints(bare);
        if (target.size() >= 3) {
            for (const auto &[term, id] : sortedTerms_) {
                const std::u32string candidate = codePoints(term);
                if (oneEditApart(target, candidate))
                    alts.push_back({id, 0.5f, false, true, idf(id)});
            }
        }
    }
    return alts;
}

Suggestion ReaderIndex::suggestion(std::uint32_t entry) const
{
    const Entry &e = entries_[entry];
    return {e.row, QString::fromUtf8(text_.data() + e.keywordAt, qsizetype(e.keywordLength)),
            QString::fromUtf8(text_.data() + e.dreamAt, qsizetype(e.dreamLength))};
}

std::vector<Suggestion> ReaderIndex::byLetter(const std::string &letter, size_t limit) const
{
    std::vector<Suggestion> out;
    for (auto it = std::lower_bound(keywordOrder_.begin(), keywordOrder_.end(), std::make_pair(letter, std::uint32_t(0)));
         it != keywordOrder_.end() && it->first.starts_with(letter) && out.size() < limit; ++it)
        out.push_back(suggestion(it->second));
    return out;
}

std::vector<Suggestion> ReaderIndex::suggest(const QString &text, Reading reading, size_t limit) const
{
    const std::vector<std::string> words = contentWords(text);
    if (words.empty() || entries_.empty() || postingStart_.size() != size_t(termCount_) + 1)
        return {}; // nothing, or not finished

    if (words.size() == 1 && codePoints(words.front()).size() == 1 && reading == Reading::Typing)
        return byLetter(words.front(), limit);

    // The last word is still being typed unless a blank follows it.
    const bool growing = reading == Reading::Typing && !text.isEmpty() && !text.back().isSpace();
    const size_t n = entries_.size();
    const size_t w = words.size();
    std::vector<float> best(n * w, 0.0f);
    std::vector<std::uint8_t> place(n * w, 255);
    std::vector<bool> whole(n * w, false);
    std::vector<std::uint32_t> touched;
    std::vector<bool> seen(n, false);

    for (size_t i = 0; i < w; ++i) {
        const bool prefix = growing && i + 1 == w;
        for (const Alternative &a : alternatives(words[i], prefix, reading == Reading::Nearest)) {
            const float rarity = a.rarity * a.weight;
            for (const Posting *it = postingsBegin(a.term), *end = postingsEnd(a.term); it != end; ++it) {
                const Posting &p = *it;
                const std::uint32_t entry = p.entry; // a copy: the packed field is not aligned
                const unsigned exact = a.stemOnly ? 0u : p.exact();
                const unsigned stem = (a.stemOnly ? (p.exact() | p.stemOnly()) : p.stemOnly()) & ~exact;
                float s = 0;
                for (int f = 0; f < 3; ++f)
                    s += (exact >> f & 1) ? FieldWeight[f] : (stem >> f & 1) ? FieldWeight[f] * StemShare : 0.0f;
                s *= rarity;
                const size_t at = size_t(entry) * w + i;
                // Guesses come last and count only where the word itself is
                // not found.
                if (a.partial && whole[at])
                    continue;
                if (s > best[at]) {
                    best[at] = s;
                    place[at] = p.dreamAt;
                }
                if (!a.partial && s > 0)
                    whole[at] = true;
                if (!seen[entry]) {
                    seen[entry] = true;
                    touched.push_back(entry);
                }
            }
        }
    }

    unsigned namedStates = 0;
    for (const std::string &word : words)
        if (const std::int8_t state = dreamerState(word); state != NoState)
            namedStates |= 1u << state;

    std::vector<Scored> scored;
    scored.reserve(touched.size());
    for (const std::uint32_t e : touched) {
        const std::int8_t state = entryStates_[e];
        Scored s{e, 0, 0, state != NoState && !(namedStates >> state & 1u), 0.0f};
        for (size_t i = 0; i < w; ++i) {
            const float b = best[size_t(e) * w + i];
            s.whole += whole[size_t(e) * w + i];
            s.matched += b > 0;
            s.score += b;
            // Words that follow each other in the dream title as in the text.
            if (i > 0 && b > 0 && place[size_t(e) * w + i] != 255
                && place[size_t(e) * w + i] == place[size_t(e) * w + i - 1] + 1)
                s.score += 1.0f;
        }
        scored.push_back(s);
    }
    const auto better = [](const Scored &a, const Scored &b) {
        if (a.whole != b.whole)
            return a.whole > b.whole;
        if (a.matched != b.matched)
            return a.matched > b.matched;
        if (a.otherState != b.otherState)
            return b.otherState;
        if (a.score != b.score)
            return a.score > b.score;
        return a.entry < b.entry;
    };
    const size_t shown = std::min(limit, scored.size());
    std::partial_sort(scored.begin(), scored.begin() + qsizetype(shown), scored.end(), better);
    std::vector<Suggestion> out;
    out.reserve(shown);
    for (size_t i = 0; i < shown; ++i)
        out.push_back(suggestion(scored[i].entry));
    return out;
}

size_t ReaderIndex::heldBytes() const
{
    size_t bytes = entries_.capacity() * sizeof(Entry) + entryStates_.capacity();
    bytes += text_.capacity();
    bytes += postings_.capacity() * sizeof(Posting) + postingStart_.capacity() * sizeof(std::uint32_t);
    bytes += terms_.size() * (sizeof(std::pair<std::string, std::uint32_t>) + 32) * 2; // the map and the sorted copy
    bytes += keywordOrder_.capacity() * (sizeof(std::pair<std::string, std::uint32_t>) + 16);
    return bytes;
}

} // namespace velkaram::reader
