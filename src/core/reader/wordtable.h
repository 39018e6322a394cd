#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velkaram::reader {

// Words to numbers, for building the reader index, where every word of
// every entry is looked up: one flat table probed in place, the words kept
// one after another, so that a lookup touches little memory.
class WordTable {
public:
    WordTable();

    static std::uint64_t hashOf(std::string_view word);
    // The number stored for the word, or nullptr.
    const std::uint32_t *find(std::string_view word, std::uint64_t hash) const;
    // Stores a number for a word that is not in the table yet.
    void insert(std::string_view word, std::uint64_t hash, std::uint32_t value);

private:
    struct Slot {
        std::uint32_t tag; // the hash's upper half
        std::uint32_t key; // where the word is in keys_, plus one; 0 for an empty slot
    };
    struct Key {
        std::uint32_t offset;
        std::uint32_t length;
        std::uint32_t value;
    };
    void place(std::uint64_t hash, std::uint32_t key);

    std::vector<Slot> slots_;
    std::vector<std::uint64_t> hashes_; // per key, for growing
    std::vector<Key> keys_;
    std::string text_;
};

} // namespace velkaram::reader
