#include "core/recordstore/arabiclike.h"

#include "core/text/arabicfold.h"

#include <QList>
#include <QString>

#include <sqlite3.h>

namespace velkaram::rs {

namespace {

std::string_view textOf(sqlite3_value *v)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_value_text(v));
    return p ? std::string_view(p, size_t(sqlite3_value_bytes(v))) : std::string_view();
}

void deletePattern(void *p)
{
    delete static_cast<LikePattern *>(p);
}

// like(pattern, text [, escape]): SQLite calls it for "text LIKE pattern".
void likeFunction(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    char32_t escape = 0;
    if (argc == 3) {
        const std::string_view text = textOf(argv[2]);
        const QList<uint> e = QString::fromUtf8(text.data(), qsizetype(text.size())).toUcs4();
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e.front();
    }
    // The pattern is the same for every row of a statement: compile it once.
    auto *pattern = static_cast<LikePattern *>(sqlite3_get_auxdata(ctx, 0));
    if (!pattern) {
        pattern = new LikePattern(textOf(argv[0]), escape);
        sqlite3_set_auxdata(ctx, 0, pattern, deletePattern);
        pattern = static_cast<LikePattern *>(sqlite3_get_auxdata(ctx, 0));
        if (!pattern) { // SQLite may decline to keep it; then it is already freed
            sqlite3_result_int(ctx, LikePattern(textOf(argv[0]), escape).matches(textOf(argv[1])));
            return;
        }
    }
    sqlite3_result_int(ctx, pattern->matches(textOf(argv[1])));
}

} // namespace

void registerArabicLike(sqlite3 *db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr);
}

} // namespace velkaram::rs
