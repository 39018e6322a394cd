#include "core/recordstore/foldedequality.h"

#include "core/text/arabicfold.h"
#include "core/text/utf8.h"

#include <sqlite3.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace velkaram::rs {

namespace {

constexpr const char *CollationName = "velkaram_folded";

// The search's folding, Latin letters left as they are.
void foldArabic(std::string_view utf8, std::string &out)
{
    out.clear();
    for (size_t i = 0; i < utf8.size();) {
        const size_t start = i;
        const char32_t c = utf8::decode(utf8, i);
        if (c < 0x0250) {
            out.append(utf8.substr(start, i - start));
        } else if (const char32_t f = foldChar(c)) {
            utf8::encode(f, out);
        }
    }
}

int compareFolded(void *, int aLength, const void *a, int bLength, const void *b)
{
    thread_local std::string left, right;
    foldArabic({static_cast<const char *>(a), size_t(aLength)}, left);
    foldArabic({static_cast<const char *>(b), size_t(bLength)}, right);
    const int c = std::memcmp(left.data(), right.data(), std::min(left.size(), right.size()));
    if (c != 0)
        return c;
    return left.size() < right.size() ? -1 : left.size() > right.size() ? 1 : 0;
}

// The end of the quoted text that starts at i (its closing quote included);
// the end of the statement when it is never closed.
qsizetype skipQuoted(const QString &sql, qsizetype i, QChar close)
{
    for (++i; i < sql.size(); ++i) {
        if (sql.at(i) != close)
            continue;
        if (close != QLatin1Char(']') && i + 1 < sql.size() && sql.at(i + 1) == close) {
            ++i; // a doubled quote stands for itself
            continue;
        }
        return i + 1;
    }
    return sql.size();
}

} // namespace

bool equalFolded(std::string_view a, std::string_view b)
{
    return compareFolded(nullptr, int(a.size()), a.data(), int(b.size()), b.data()) == 0;
}

void registerFoldedEquality(sqlite3 *db)
{
    sqlite3_create_collation(db, CollationName, SQLITE_UTF8, nullptr, compareFolded);
}

QString withFoldedEqualities(const QString &sql)
{
    QString out;
    out.reserve(sql.size() + 32);
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql.at(i);
        qsizetype next = i + 1;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            next = skipQuoted(sql, i, c);
        } else if (c == QLatin1Char('[')) {
            next = skipQuoted(sql, i, QLatin1Char(']'));
        } else if (c == QLatin1Char('-') && next < sql.size() && sql.at(next) == QLatin1Char('-')) {
            next = sql.indexOf(QLatin1Char('\n'), i);
            next = next < 0 ? sql.size() : next;
        } else if (c == QLatin1Char('/') && next < sql.size() && sql.at(next) == QLatin1Char('*')) {
            next = sql.indexOf(QLatin1String("*/"), i + 2);
            next = next < 0 ? sql.size() : next + 2;
        } else if (c == QLatin1Char('=')) {
            const bool part = i > 0 && QStringLiteral("<>!=").contains(sql.at(i - 1));
            qsizetype operand = next;
            if (operand < sql.size() && sql.at(operand) == QLatin1Char('='))
                ++operand; // "=="
            while (operand < sql.size() && sql.at(operand).isSpace())
                ++operand;
            if (!part && operand < sql.size() && sql.at(operand) == QLatin1Char('\'')) {
                const qsizetype end = skipQuoted(sql, operand, QLatin1Char('\''));
                out += sql.mid(i, end - i);
                out += QStringLiteral(" COLLATE ") + QLatin1String(CollationName);
                i = end;
                continue;
            }
        }
        out += sql.mid(i, next - i);
        i = next;
    }
    return out;
}

} // namespace velkaram::rs
