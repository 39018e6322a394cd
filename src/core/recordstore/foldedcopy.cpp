#include "core/recordstore/foldedcopy.h"

#include "core/recordstore/connection.h"
#include "core/text/arabicfold.h"
#include "core/text/utf8.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>

namespace velkaram::rs {

namespace {

constexpr unsigned char Unknown = 0x7F; // letters without a code of their own
constexpr int AnyOne = -1;
constexpr int AnyRun = -2;
constexpr int Never = -3; // a letter no row holds

// Reads the statement's text from at; fails on anything but what the
// store's own searches write.
class ConditionReader {
public:
    explicit ConditionReader(const QString &text) : s_(text) {}

    void blanks()
    {
        while (at_ < s_.size() && s_.at(at_).isSpace())
            ++at_;
    }
    bool atEnd()
    {
        blanks();
        while (at_ < s_.size() && s_.at(at_) == QLatin1Char(';')) {
            ++at_;
            blanks();
        }
        return at_ == s_.size();
    }
    bool word(QLatin1StringView w)
    {
        blanks();
        if (s_.mid(at_, w.size()).compare(w, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype after = at_ + w.size();
        if (after < s_.size() && (s_.at(after).isLetterOrNumber() || s_.at(after) == QLatin1Char('_')))
            return false;
        at_ = after;
        return true;
    }
    bool symbol(QLatin1StringView w)
    {
        blanks();
        if (!s_.mid(at_).startsWith(w))
            return false;
        at_ += w.size();
        return true;
    }
    std::optional<QString> name()
    {
        blanks();
        if (at_ >= s_.size())
            return std::nullopt;
        const QChar open = s_.at(at_);
        if (open == QLatin1Char('[')) {
            const qsizetype end = s_.indexOf(QLatin1Char(']'), at_);
            if (end < 0)
                return std::nullopt;
            QString n = s_.mid(at_ + 1, end - at_ - 1);
            at_ = end + 1;
            return n;
        }
        if (open == QLatin1Char('"') || open == QLatin1Char('`'))
            return quoted(open);
        const qsizetype start = at_;
        while (at_ < s_.size() && (s_.at(at_).isLetterOrNumber() || s_.at(at_) == QLatin1Char('_')
                                   || s_.at(at_).category() == QChar::Mark_NonSpacing))
            ++at_;
        if (at_ == start)
            return std::nullopt;
        return s_.mid(start, at_ - start);
    }
    std::optional<QString> literal()
    {
        blanks();
        if (at_ >= s_.size() || s_.at(at_) != QLatin1Char('\''))
            return std::nullopt;
        return quoted(QLatin1Char('\''));
    }

private:
    std::optional<QString> quoted(QChar q)
    {
        QString out;
        for (qsizetype i = at_ + 1; i < s_.size(); ++i) {
            if (s_.at(i) != q) {
                out += s_.at(i);
                continue;
            }
            if (i + 1 < s_.size() && s_.at(i + 1) == q) {
                out += q;
                ++i;
                continue;
            }
            at_ = i + 1;
            return out;
        }
        return std::nullopt;
    }

    const QString &s_;
    qsizetype at_ = 0;
};

// A text SQLite would read as a number beside a numeric field: an "=" on
// such a text is left to the store.
bool looksNumeric(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    return number.match(text).hasMatch();
}

} // namespace

std::optional<std::vector<SearchTerm>> searchTerms(const QString &condition, const QStringList &names)
{
    ConditionReader r(condition);
    std::vector<SearchTerm> terms;
    do {
        const std::optional<QString> name = r.name();
        if (!name)
            return std::nullopt;
        int field = -1;
        for (int i = 0; i < names.size(); ++i) {
            if (names[i].compare(*name, Qt::CaseInsensitive) == 0) {
                if (field >= 0)
                    return std::nullopt; // two fields of that name
                field = i;
            }
        }
        if (field < 0)
            return std::nullopt;
        SearchTerm term{field, false, {}};
        if (r.word(QLatin1StringView("LIKE")))
            term.like = true;
        else if (!r.symbol(QLatin1StringView("==")) && !r.symbol(QLatin1StringView("=")))
            return std::nullopt;
        const std::optional<QString> text = r.literal();
        if (!text)
            return std::nullopt;
        term.text = *text;
        if (!term.like) {
            // The store compares every "= 'text'" folded; any other "=" is not ours.
            if (!r.word(QLatin1StringView("COLLATE")) || !r.word(QLatin1StringView("velkaram_folded")) || looksNumeric(term.text))
                return std::nullopt;
        }
        terms.push_back(std::move(term));
    } while (r.word(QLatin1StringView("OR")));
    if (!r.atEnd())
        return std::nullopt;
    return terms;
}

std::unique_ptr<FoldedCopy> FoldedCopy::read(Connection &connection, const QString &table, qint64 budget)
{
    // Only a table's rows come in rowid order without a sort: a view's
    // would be sorted, which may take long and spill to temporary files.
    if (!connection.hasTable(table))
        return nullptr;
    sqlite3 *db = connection.handle();
    const QString quoted = QLatin1Char('"') + QString(table).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    const QByteArray sql = QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(quoted).toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    auto copy = std::make_unique<FoldedCopy>();
    copy->fields_.resize(size_t(sqlite3_column_count(stmt) - 1));
    int rc;
    size_t row = 0;
    while (connection.startStep(), (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        copy->rowids_.push_back(sqlite3_column_int64(stmt, 0));
        for (size_t f = 0; f < copy->fields_.size(); ++f) {
            Field &field = copy->fields_[f];
            const int c = int(f) + 1;
            const bool null = sqlite3_column_type(stmt, c) == SQLITE_NULL;
            field.null.push_back(null);
            if (!null) {
                // The text SQLite gives LIKE for the value, whatever its type.
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
                copy->appendFolded({text, size_t(sqlite3_column_bytes(stmt, c))}, field.bytes);
            }
            if (field.bytes.size() >= std::numeric_limits<std::uint32_t>::max())
                rc = SQLITE_FULL;
            field.ends.push_back(std::uint32_t(field.bytes.size()));
            field.bytes.push_back('\0');
        }
        if (rc == SQLITE_FULL || (++row % 4096 == 0 && qint64(copy->heldBytes()) > budget))
            break;
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE || qint64(copy->heldBytes()) > budget)
        return nullptr;
    copy->rowids_.shrink_to_fit();
    for (Field &field : copy->fields_) {
        for (const char b : field.bytes)
            ++field.counts[static_cast<unsigned char>(b)];
        field.bytes.shrink_to_fit();
        field.ends.shrink_to_fit();
        field.null.shrink_to_fit();
    }
    return copy;
}

size_t FoldedCopy::heldBytes() const
{
    size_t n = rowids_.size() * sizeof(qint64);
    for (const Field &f : fields_)
        n += f.bytes.size() + f.ends.size() * sizeof(std::uint32_t) + f.null.size() / 8;
    return n;
}

size_t FoldedCopy::textBytes() const
{
    size_t n = 0;
    for (const Field &f : fields_)
        n += f.bytes.size();
    return n;
}

unsigned char FoldedCopy::codeOf(char32_t folded)
{
    if (folded < 0x80) {
        if (folded == Unknown)
            sharedCode_ = true;
        return static_cast<unsigned char>(folded);
    }
    unsigned char *code = nullptr;
    if (folded < 0x10000)
        code = &bmpCodes_[folded];
    else
        code = &otherCodes_[folded];
    if (!*code) {
        if (nextCode_ > 0xFF) {
            sharedCode_ = true;
            return Unknown;
        }
        *code = static_cast<unsigned char>(nextCode_++);
    }
    return *code;
}

void FoldedCopy::appendFolded(std::string_view utf8, std::string &out)
{
    // One byte a letter: the folded text is never longer than its UTF-8.
    const size_t at = out.size();
    out.resize(at + utf8.size());
    char *w = out.data() + at;
    for (size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char32_t c;
        if (b < 0x80) {
            c = b;
            ++i;
        } else if (b >= 0xC2 && b <= 0xDF && i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
            c = char32_t(b & 0x1F) << 6 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
            i += 2;
        } else {
            c = utf8::decode(utf8, i);
        }
        if (c < smallCodes_.size()) {
            // Latin and Arabic letters: their codes, once found, are looked up.
            short code = smallCodes_[c];
            if (code < 0) {
                const char32_t f = foldChar(c);
                code = f ? codeOf(f) : 0;
                smallCodes_[c] = code;
            }
            if (code)
                *w++ = static_cast<char>(code);
        } else if (const char32_t f = foldChar(c)) {
            *w++ = static_cast<char>(codeOf(f));
        }
    }
    out.resize(size_t(w - out.data()));
}

std::optional<std::vector<int>> FoldedCopy::coded(const QString &text, bool like) const
{
    const QByteArray utf8 = text.toUtf8();
    std::u32string letters;
    if (like) {
        letters = LikePattern(std::string_view(utf8.constData(), size_t(utf8.size()))).tokens();
    } else {
        const std::string_view s(utf8.constData(), size_t(utf8.size()));
        for (size_t i = 0; i < s.size();) {
            if (const char32_t f = foldChar(utf8::decode(s, i)))
                letters.push_back(f);
        }
    }
    std::vector<int> out;
    for (const char32_t c : letters) {
        if (c == LikePattern::AnyOne) {
            out.push_back(AnyOne);
            continue;
        }
        if (c == LikePattern::AnyRun) {
            out.push_back(AnyRun);
            continue;
        }
        int code = 0;
        if (c < 0x80)
            code = c == Unknown ? 0 : int(c);
        else if (c < 0x10000)
            code = bmpCodes_[c];
        else if (const auto o = otherCodes_.find(c); o != otherCodes_.end())
            code = o->second;
        if (!code && sharedCode_)
            return std::nullopt; // it may be among the letters that share a code
        out.push_back(code ? code : Never);
    }
    return out;
}

void FoldedCopy::find(const Field &field, const std::vector<int> &p, std::vector<char> &hit, char mark) const
{
    if (std::find(p.begin(), p.end(), Never) != p.end())
        return;
    size_t wild = 0;
    for (int t : p)
        wild += t < 0;
    const size_t n = p.size();
    const bool contains = n >= 3 && wild == 2 && p.front() == AnyRun && p.back() == AnyRun;
    if (contains) {
        // One pass over the whole field: a match never spans a row's end,
        // since no pattern holds the zero byte.
        std::string needle;
        for (size_t i = 1; i + 1 < n; ++i)
            needle.push_back(static_cast<char>(p[i]));
        // Look for the needle's rarest letter in this field with memchr,
        // which runs near memory speed, and compare the rest around it.
        size_t k = 0;
        for (size_t i = 1; i < needle.size(); ++i) {
            if (field.counts[static_cast<unsigned char>(needle[i])] < field.counts[static_cast<unsigned char>(needle[k])])
                k = i;
        }
        const char *base = field.bytes.data();
        const size_t size = field.bytes.size();
        size_t from = 0, row = 0;
        while (from + needle.size() <= size) {
            const auto *p = static_cast<const char *>(std::memchr(base + from + k, needle[k], size - from - k));
            if (!p || size_t(p - base) - k + needle.size() > size)
                break;
            const size_t start = size_t(p - base) - k;
            if (std::memcmp(base + start, needle.data(), needle.size()) != 0) {
                from = start + 1;
                continue;
            }
            row = size_t(std::lower_bound(field.ends.begin() + std::ptrdiff_t(row), field.ends.end(), std::uint32_t(start))
                         - field.ends.begin());
            hit[row] = std::max(hit[row], mark);
            from = size_t(field.ends[row]) + 1;
            ++row;
        }
        return;
    }
    std::string literal;
    enum { General, Equals, Prefix, Suffix } shape = General;
    if (wild == 0) {
        shape = Equals;
    } else if (wild == 1 && p.back() == AnyRun) {
        shape = Prefix;
    } else if (wild == 1 && p.front() == AnyRun) {
        shape = Suffix;
    }
    if (shape != General) {
        for (int t : p) {
            if (t >= 0)
                literal.push_back(static_cast<char>(t));
        }
    }
    for (size_t row = 0; row < rowids_.size(); ++row) {
        if (hit[row] >= mark || field.null[row])
            continue;
        const std::string_view text = field.text(row);
        bool found = false;
        switch (shape) {
        case Equals: found = text == literal; break;
        case Prefix: found = text.starts_with(literal); break;
        case Suffix: found = text.ends_with(literal); break;
        case General:
            found = matchWildcards(p, std::basic_string_view<unsigned char>(
                                          reinterpret_cast<const unsigned char *>(text.data()), text.size()),
                                   AnyOne, AnyRun);
            break;
        }
        if (found)
            hit[row] = mark;
    }
}

std::optional<FoldedCopy::Rows> FoldedCopy::matching(const std::vector<SearchTerm> &terms) const
{
    std::vector<char> hit(rowids_.size(), 0);
    for (const SearchTerm &term : terms) {
        if (term.field < 0 || term.field >= fields())
            return std::nullopt;
        const std::optional<std::vector<int>> pattern = coded(term.text, term.like);
        if (!pattern)
            return std::nullopt;
        find(fields_[size_t(term.field)], *pattern, hit, term.like ? 2 : 1);
    }
    Rows rows;
    for (size_t row = 0; row < hit.size(); ++row) {
        if (hit[row]) {
            rows.rowids.push_back(rowids_[row]);
            rows.sure.push_back(hit[row] == 2);
        }
    }
    return rows;
}

} // namespace velkaram::rs
