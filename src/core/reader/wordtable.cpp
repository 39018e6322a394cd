#include "core/reader/wordtable.h"

#include <cstring>

namespace velkaram::reader {

WordTable::WordTable() : slots_(1024, Slot{0, 0}) {}

std::uint64_t WordTable::hashOf(std::string_view word)
{
    std::uint64_t h = 0xcbf29ce484222325ull; // FNV-1a
    for (const char c : word) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    return h ^ (h >> 29);
}

const std::uint32_t *WordTable::find(std::string_view word, std::uint64_t hash) const
{
    const size_t mask = slots_.size() - 1;
    const auto tag = std::uint32_t(hash >> 32);
    for (size_t i = size_t(hash) & mask;; i = (i + 1) & mask) {
        const Slot &slot = slots_[i];
        if (slot.key == 0)
            return nullptr;
        if (slot.tag != tag)
            continue;
        const Key &key = keys_[slot.key - 1];
        if (key.length == word.size() && std::memcmp(text_.data() + key.offset, word.data(), word.size()) == 0)
            return &key.value;
    }
}

void WordTable::place(std::uint64_t hash, std::uint32_t key)
{
    const size_t mask = slots_.size() - 1;
    size_t i = size_t(hash) & mask;
    while (slots_[i].key != 0)
        i = (i + 1) & mask;
    slots_[i] = {std::uint32_t(hash >> 32), key};
}

void WordTable::insert(std::string_view word, std::uint64_t hash, std::uint32_t value)
{
    // At most half full, so that probes stay short.
    if ((keys_.size() + 1) * 2 > slots_.size()) {
        slots_.assign(slots_.size() * 2, Slot{0, 0});
        for (size_t k = 0; k < keys_.size(); ++k)
            place(hashes_[k], std::uint32_t(k + 1));
    }
    keys_.push_back({std::uint32_t(text_.size()), std::uint32_t(word.size()), value});
    hashes_.push_back(hash);
    text_.append(word);
    place(hash, std::uint32_t(keys_.size()));
}

} // namespace velkaram::reader
