#pragma once

#include "core/reader/lexicon.h"
#include "core/reader/wordforms.h"
#include "core/reader/wordtable.h"

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace velkaram::reader {

// One entry the search can suggest: the row that holds it, and what the
// list shows of it.
struct Suggestion {
    qint64 row;      // the table's rowid, or its position from 0 when it has none
    QString keyword;
    QString dream;
};

// How the text of a search is read.
enum class Reading {
    Typing,   // the last word may still be growing: it also matches as a prefix
    Complete, // every word is whole
    Nearest,  // as Complete, and words the dictionary lacks also match their near spellings
};

// The reader search over the dictionary's entries: words instead of one
// substring, folded, with fillers dropped, articles and affixes stripped,
// stems and the reader's lexicon; ranked by how many of the reader's words
// an entry matches, then by where (keyword, dream, interpretation) and how
// rare the words are, then by table order. Built once from the entries,
// then queried from one thread.
class ReaderIndex {
public:
    explicit ReaderIndex(const Lexicon &lexicon = Lexicon::builtIn());
    ~ReaderIndex();
    ReaderIndex(const ReaderIndex &) = delete;
    ReaderIndex &operator=(const ReaderIndex &) = delete;

    // Entries in table order; texts in UTF-8, an empty view for Null.
    void add(qint64 row, std::string_view keyword, std::string_view dream, std::string_view interpretation);
    // Takes in the cross-references ("انظر: …") as synonyms; call once,
    // after the last add().
    void finish();

    // Entries cut into their folded words, ready to be added: the cutting
    // needs nothing of the index, so one thread may cut the next batch
    // while another adds this one.
    class Batch {
    public:
        void cut(qint64 row, std::string_view keyword, std::string_view dream, std::string_view interpretation);
        size_t size() const { return entries_.size(); }
        void clear();

    private:
        friend class ReaderIndex;
        struct Word {
            std::uint64_t hash;
            std::uint32_t offset; // in text_
            std::uint16_t length;
            std::uint8_t field;
            std::uint8_t place;
        };
        struct Cut {
            qint64 row;
            std::string keyword;
            std::string dream;
            std::string foldedKeyword;
            std::string referred; // the keyword a cross-reference names
            size_t words;         // where its words end in words_
        };
        void cutField(std::string_view text, int field);
        std::vector<Cut> entries_;
        std::vector<Word> words_;
        std::string text_;
    };
    // Adds the batch's entries after those added before, in its order.
    void add(Batch &batch);

    size_t size() const { return entries_.size(); }
    bool rowsArePositions() const { return rowsArePositions_; }
    void setRowsArePositions(bool positions) { rowsArePositions_ = positions; }

    // The best entries for a reader's text, best first. A text of one
    // letter lists the keywords that begin with it, alphabetically, one
    // entry each.
    std::vector<Suggestion> suggest(const QString &text, Reading reading, size_t limit = 10) const;

    // Memory the index holds, roughly, in bytes.
    size_t heldBytes() const;

private:
    // Six bytes each: there are some fifty per entry.
#pragma pack(push, 2)
    struct Posting {
        std::uint32_t entry;
        // Bits 0-2: where the word itself is (keyword, dream, interpretation);
        // bits 3-5: where only a word of the same stem is.
        std::uint8_t fields;
        std::uint8_t dreamAt; // the word's first place in the dream title, 255 past it
        unsigned exact() const { return fields & 7u; }
        unsigned stemOnly() const { return fields >> 3 & 7u; }
    };
#pragma pack(pop)
    // What the list shows of an entry: its keyword and dream, in text_.
    struct Entry {
        qint64 row;
        std::uint32_t keywordAt;
        std::uint32_t keywordLength;
        std::uint32_t dreamAt;
        std::uint32_t dreamLength;
    };
    struct Alternative {
        std::uint32_t term;
        float weight;
        bool stemOnly; // reached through the stem: the word's own fields count as stem matches
        bool partial;  // a guess: what a growing word may become, or a near spelling
        float rarity;  // how rare the term is; a synonym is no rarer than the word itself
    };
    struct Scored;

    std::uint32_t termFor(const std::string &form);
    void addWord(std::uint32_t entry, std::uint32_t term, int field, bool stem, int at);
    const std::uint32_t *findTerm(const std::string &form) const;
    std::vector<std::string> contentWords(const QString &text) const;
    std::vector<Alternative> alternatives(const std::string &word, bool prefix, bool nearest) const;
    void addForms(std::vector<Alternative> &out, const std::string &word, float weight, float rarityCap) const;
    std::vector<Suggestion> byLetter(const std::string &letter, size_t limit) const;
    Suggestion suggestion(std::uint32_t entry) const;
    float idf(std::uint32_t term) const;

    Lexicon lexicon_;
    std::vector<Entry> entries_;
    // The dreamer's state each entry is read for (its title ends "…للحامل"),
    // NoState for the general readings.
    std::vector<std::int8_t> entryStates_;
    std::string text_;
    std::unordered_map<std::string, std::uint32_t> terms_;
    // Each term's postings in entry order, one after another: term t's are
    // postings_[postingStart_[t]] up to postingStart_[t + 1].
    std::vector<Posting> postings_;
    std::vector<std::uint32_t> postingStart_;
    const Posting *postingsBegin(std::uint32_t term) const { return postings_.data() + postingStart_[term]; }
    const Posting *postingsEnd(std::uint32_t term) const { return postings_.data() + postingStart_[term + 1]; }
    // While the index is built: the postings in entry order with their
    // terms, and per term the last entry it was found in (plus one) and
    // where that posting is, so that a word met again in the same entry
    // adds to its posting.
    // (In blocks, so that growing never copies them.)
    struct Hit {
        std::uint32_t term;
        Posting posting;
    };
    static constexpr size_t HitBlockBits = 17;
    // Mapped from the system and given back to it as a whole, so that the
    // memory of the build does not stay with the program afterwards.
    class HitBlock {
    public:
        HitBlock();
        ~HitBlock();
        HitBlock(HitBlock &&other) noexcept : hits_(std::exchange(other.hits_, nullptr)), size_(other.size_) {}
        HitBlock(const HitBlock &) = delete;
        HitBlock &operator=(const HitBlock &) = delete;
        HitBlock &operator=(HitBlock &&) = delete;
        Hit &operator[](size_t i) { return hits_[i]; }
        void push_back(const Hit &hit) { hits_[size_++] = hit; }
        const Hit *begin() const { return hits_; }
        const Hit *end() const { return hits_ + size_; }

    private:
        Hit *hits_;
        size_t size_ = 0;
    };
    std::vector<HitBlock> hits_;
    size_t hitCount_ = 0;
    struct TermState {
        std::uint32_t lastEntry = 0;
        std::uint32_t lastHit = 0;
        std::uint32_t postings = 0; // so far
    };
    std::vector<TermState> termStates_;
    std::vector<std::string> foldedKeywords_; // per entry
    // For prefixes and near spellings: the terms in order, as views of terms_.
    std::vector<std::pair<std::string_view, std::uint32_t>> sortedTerms_;
    std::vector<std::pair<std::string, std::uint32_t>> keywordOrder_; // first entry of each keyword, by keyword
    // While the index is built: each word as it appears in the text, folded,
    // leads through buildWords_ to its place in wordTerms_, which holds the
    // number of terms it adds, then the terms (its bare form first, then its
    // stems; none for a filler).
    std::uint32_t addWordTerms(std::string_view word);
    std::unique_ptr<WordForms> buildForms_;
    WordTable buildWords_;
    std::vector<std::uint32_t> wordTerms_;
    std::uint32_t termCount_ = 0;
    mutable WordForms queryForms_;
    std::vector<std::pair<std::string, std::string>> crossReferences_; // keyword → the keyword it refers to
    std::vector<bool> refers_;                                          // per entry: a cross-reference
    bool rowsArePositions_ = false;
};

} // namespace velkaram::reader
