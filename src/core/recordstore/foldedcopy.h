#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace velkaram::rs {

class Connection;

// One comparison of a search: a field LIKE a pattern, or a field = a text.
struct SearchTerm {
    int field;    // in the table's order
    bool like;    // else "="
    QString text; // the pattern or the text, as the statement quotes it
};

// The comparisons of "WHERE [field] LIKE '…' OR [field] = '…' COLLATE …",
// with the fields found among names; nothing for any other condition.
std::optional<std::vector<SearchTerm>> searchTerms(const QString &condition, const QStringList &names);

// A table's fields held in memory as the search folds them, one byte a
// letter, with the rowids of its rows in table order, so that a search
// reads memory instead of the file. A field's rows lie end to end, each
// ended by a zero byte (which folding never leaves in a text), so finding
// a word in every row is one pass.
class FoldedCopy {
public:
    // Reads every row of the table; null when the copy would hold more than
    // budget bytes or the table cannot be read to its end.
    static std::unique_ptr<FoldedCopy> read(Connection &connection, const QString &table, qint64 budget);

    struct Rows {
        std::vector<qint64> rowids; // in table order
        // Per row: whether it surely matches. A row found only by an
        // equality is equal as LIKE folds; "=" folds less (Latin case counts
        // there), so the caller asks the store about those.
        std::vector<char> sure;
    };
    // The rows any of the terms finds; nothing when a term's letters are
    // not all in the copy's alphabet and the copy could not tell them apart.
    std::optional<Rows> matching(const std::vector<SearchTerm> &terms) const;

    int fields() const { return int(fields_.size()); }
    size_t rows() const { return rowids_.size(); }
    size_t heldBytes() const; // roughly
    size_t textBytes() const; // the folded text alone

private:
    struct Field {
        std::string bytes;                // each row's text and a zero byte
        std::vector<std::uint32_t> ends;  // where row r's zero byte is
        std::vector<bool> null;
        std::array<std::uint64_t, 256> counts{}; // how often each byte is in bytes
        std::string_view text(size_t row) const
        {
            const size_t start = row == 0 ? 0 : ends[row - 1] + 1;
            return std::string_view(bytes).substr(start, ends[row] - start);
        }
    };

    // The one-byte code of a folded letter; 0 when it has none.
    unsigned char codeOf(char32_t folded);
    void appendFolded(std::string_view utf8, std::string &out);
    // A pattern in codes: bytes, and AnyOne / AnyRun / Never below 0.
    std::optional<std::vector<int>> coded(const QString &text, bool like) const;
    void find(const Field &field, const std::vector<int> &pattern, std::vector<char> &hit, char mark) const;

    std::vector<qint64> rowids_;
    std::vector<Field> fields_;
    std::vector<unsigned char> bmpCodes_ = std::vector<unsigned char>(0x10000, 0);
    // For the letters below U+0800, their code after folding (0 when
    // folding drops them), -1 until first met.
    std::vector<short> smallCodes_ = std::vector<short>(0x800, -1);
    std::unordered_map<char32_t, unsigned char> otherCodes_;
    int nextCode_ = 0x80;
    // Some letter had no code of its own and shares Unknown: a pattern
    // letter without a code may then be in the text.
    bool sharedCode_ = false;
};

} // namespace velkaram::rs
