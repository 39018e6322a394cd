#include "core/reader/entrysource.h"

#include "core/dictionary/fields.h"
#include "core/reader/readerindex.h"
#include "core/recordstore/connection.h"
#include "core/runtimeerror.h"

#include <sqlite3.h>

namespace velkaram::reader {

namespace {

// In brackets: a name in double quotes that names no column would be read
// as a string by SQLite, and a table without the field would seem to have it.
QString fieldName(const QString &name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

sqlite3_stmt *prepare(sqlite3 *db, const QString &sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    return stmt;
}

std::string_view textAt(sqlite3_stmt *stmt, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
    return text ? std::string_view(text, size_t(sqlite3_column_bytes(stmt, column))) : std::string_view();
}

} // namespace

void readEntries(rs::Connection &connection, ReaderIndex &index)
{
    sqlite3 *db = connection.handle();
    const QString fields = fieldName(KeyField) + QLatin1Char(',') + fieldName(DreamField) + QLatin1Char(',')
                           + fieldName(InterpretationField);
    sqlite3_stmt *stmt = prepare(db, QStringLiteral("SELECT rowid,") + fields + QStringLiteral(" FROM [dream]"));
    bool positions = stmt == nullptr;
    if (positions)
        stmt = prepare(db, QStringLiteral("SELECT 0,") + fields + QStringLiteral(" FROM [dream]"));
    if (!stmt)
        throw RuntimeError(err::TableNotFound,
                           QStringLiteral("تعذرت قراءة الجدول %1 في قاعدة البيانات %2.")
                               .arg(quotedName(QStringLiteral("dream")), quotedName(connection.filePath())));
    qint64 position = 0;
    int rc;
    while (connection.startStep(), (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        // Some views answer rowid with Null.
        if (position == 0 && sqlite3_column_type(stmt, 0) == SQLITE_NULL)
            positions = true;
        const qint64 row = positions ? position : sqlite3_column_int64(stmt, 0);
        index.add(row, textAt(stmt, 1), textAt(stmt, 2), textAt(stmt, 3));
        ++position;
    }
    sqlite3_finalize(stmt);
    index.setRowsArePositions(positions);
    if (rc != SQLITE_DONE)
        throw RuntimeError(rc == SQLITE_INTERRUPT ? err::QueryTimeout : err::UnrecognizedDatabase,
                           QStringLiteral("تعذرت قراءة السجلات من الملف %1.").arg(quotedName(connection.filePath())));
    index.finish();
}

} // namespace velkaram::reader
