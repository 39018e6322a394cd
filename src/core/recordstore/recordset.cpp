#include "core/recordstore/recordset.h"

#include "core/recordstore/foldedcopy.h"
#include "core/recordstore/foldedequality.h"
#include "core/runtimeerror.h"
#include "core/text/utf8.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <optional>
#include <sqlite3.h>

namespace velkaram::rs {

namespace {

// A table is named bare ("dream") or in brackets ("[dream]"); anything else
// is a statement and goes to the database as one.
bool isTableName(const QString &source)
{
    const QString name = source.trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        return !name.mid(1, name.size() - 2).contains(QLatin1Char(']'));
    return !name.isEmpty() && !name.contains(QRegularExpression(QStringLiteral("[\\s;'\"()]")));
}

QString tableName(const QString &source)
{
    QString name = source.trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    return name;
}

bool onlyBlanksAndSemicolons(const char *tail)
{
    for (; tail && *tail; ++tail) {
        if (*tail != ';' && *tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n')
            return false;
    }
    return true;
}

// What a source asks for: a whole table, or a statement of its own.
struct Statement {
    QString sql;
    QString table; // empty for a statement
};

Statement statementFor(const QString &source, int options)
{
    if (options != adCmdTable && !isTableName(source))
        return {withFoldedEqualities(source), QString()};
    const QString table = tableName(source);
    const QString quoted = QString(table).replace(QLatin1Char('"'), QLatin1String("\"\""));
    return {QStringLiteral("SELECT * FROM \"%1\"").arg(quoted), table};
}

// SQLite tells why it would not prepare a statement only in its message.
[[noreturn]] void throwNotPrepared(int rc, const QString &message, const QString &file, const QString &table)
{
    if (rc == SQLITE_AUTH || message.contains(QLatin1String("not authorized")))
        throw RuntimeError(err::StatementRefused,
                           QStringLiteral("رفضت قاعدة البيانات %1 العبارة: لا يسمح إلا بالقراءة.").arg(quotedName(file)));
    if (message.startsWith(QLatin1String("no such table")))
        throw RuntimeError(err::TableNotFound,
                           QStringLiteral("تعذر العثور على الجدول %1 في قاعدة البيانات %2.")
                               .arg(quotedName(table.isEmpty() ? message.section(QLatin1Char(':'), 1).trimmed() : table),
                                    quotedName(file)));
    if (message.startsWith(QLatin1String("no such column")))
        throw RuntimeError(err::ItemNotFound,
                           QStringLiteral("الحقل %1 غير موجود في قاعدة البيانات %2.")
                               .arg(quotedName(message.section(QLatin1Char(':'), 1).trimmed()), quotedName(file)));
    if (rc == SQLITE_CORRUPT || rc == SQLITE_NOTADB)
        throw RuntimeError(err::UnrecognizedDatabase, QStringLiteral("الملف %1 تالف أو مبتور.").arg(quotedName(file)));
    throw RuntimeError(err::SyntaxError,
                       QStringLiteral("تعذر تنفيذ الاستعلام على قاعدة البيانات %1: صياغة العبارة غير صحيحة.").arg(quotedName(file)));
}

// The statement compiled, if it is one statement and only reads.
sqlite3_stmt *prepareReading(sqlite3 *db, const Statement &statement, const QString &file)
{
    const QByteArray utf8 = statement.sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, &tail);
    if (rc != SQLITE_OK || !stmt) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(stmt);
        throwNotPrepared(rc, message, file, statement.table);
    }
    // One statement per call: anything after it is refused, not ignored.
    if (!onlyBlanksAndSemicolons(tail) || !sqlite3_stmt_readonly(stmt)) {
        sqlite3_finalize(stmt);
        throw RuntimeError(err::StatementRefused,
                           QStringLiteral("رفضت قاعدة البيانات %1 العبارة: لا يسمح إلا بعبارة قراءة واحدة.").arg(quotedName(file)));
    }
    return stmt;
}

// One step of a statement: true on a row, false at its end; a step that
// runs out of time or a file that cannot be read raises.
bool stepRow(sqlite3_stmt *stmt, Connection &connection, const QString &file)
{
    connection.startStep();
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    if (rc == SQLITE_INTERRUPT)
        throw RuntimeError(err::QueryTimeout,
                           QStringLiteral("توقفت قراءة السجلات من قاعدة البيانات %1 بعد %2 ثانية دون أن تنتهي.")
                               .arg(quotedName(file))
                               .arg(connection.Limits.stepMs / 1000.0));
    throw RuntimeError(err::UnrecognizedDatabase,
                       QStringLiteral("تعذرت قراءة السجلات من الملف %1: الملف تالف أو مبتور.").arg(quotedName(file)));
}

[[noreturn]] void tooManyRecords(const QString &file)
{
    throw RuntimeError(err::OutOfMemory,
                       QStringLiteral("السجلات في قاعدة البيانات %1 أكثر مما يتسع له البرنامج.").arg(quotedName(file)));
}

QVariant columnValue(sqlite3_stmt *stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER: return qlonglong(sqlite3_column_int64(stmt, column));
    case SQLITE_FLOAT: return sqlite3_column_double(stmt, column);
    case SQLITE_NULL: return {};
    case SQLITE_BLOB: {
        const auto *bytes = static_cast<const char *>(sqlite3_column_blob(stmt, column));
        return QByteArray(bytes, sqlite3_column_bytes(stmt, column));
    }
    default: {
        const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
        return utf8::toQString({bytes, size_t(sqlite3_column_bytes(stmt, column))});
    }
    }
}

sqlite3_stmt *prepareQuietly(sqlite3 *db, const QString &sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, &tail) != SQLITE_OK
        || !onlyBlanksAndSemicolons(tail)) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    return stmt;
}

// What every kind of result shares: the statement it steps, the connection
// whose clock and limits govern the reading, and the file it names in errors.
class SteppedRows : public ResultRows {
public:
    SteppedRows(sqlite3_stmt *stmt, std::shared_ptr<Connection> reader)
        : stmt_(stmt), reader_(std::move(reader)), file_(reader_->filePath())
    {
    }
    ~SteppedRows() override { sqlite3_finalize(stmt_); }
    SteppedRows(const SteppedRows &) = delete;
    SteppedRows &operator=(const SteppedRows &) = delete;

    long count() const override
    {
        has(std::numeric_limits<long>::max());
        return rowsRead();
    }

protected:
    virtual long rowsRead() const = 0;
    bool step() const { return stepRow(stmt_, *reader_, file_); }

    sqlite3_stmt *stmt_;
    std::shared_ptr<Connection> reader_;
    QString file_;
};

// A copy of each row read, for results whose rows have no key to read them
// again by.
class HeldRows final : public SteppedRows {
public:
    using SteppedRows::SteppedRows;

    bool has(long row) const override
    {
        const auto columns = size_t(sqlite3_column_count(stmt_));
        while (rows_ <= row && !exhausted_) {
            if (!step()) {
                exhausted_ = true;
                break;
            }
            for (size_t c = 0; c < columns; ++c)
                cells_.push_back(cellAt(int(c)));
            ++rows_;
            if (qint64(arena_.held() + cells_.capacity() * sizeof(Cell)) > reader_->Limits.heldBytes)
                tooManyRecords(file_);
        }
        return row < rows_;
    }

    QVariant value(long row, int column) const override
    {
        const Cell &cell = cells_[size_t(row) * size_t(sqlite3_column_count(stmt_)) + size_t(column)];
        switch (cell.kind) {
        case Cell::Null: return {};
        case Cell::Integer: return cell.i;
        case Cell::Real: return cell.d;
        case Cell::Text: return utf8::toQString({cell.bytes, cell.len});
        case Cell::Blob: return QByteArray(cell.bytes, qsizetype(cell.len));
        }
        return {};
    }

private:
    long rowsRead() const override { return rows_; }

    struct Cell {
        enum Kind : unsigned char { Null, Integer, Real, Text, Blob } kind = Null;
        unsigned len = 0;
        union {
            long long i;
            double d;
            const char *bytes; // in arena_
        };
    };

    // Holds the text and blob bytes of the cells in blocks that never move:
    // a large result grows without copying what it already holds, and
    // without needing twice its size while it does.
    class Arena {
    public:
        const char *add(const void *bytes, size_t len)
        {
            static const char empty = 0; // an empty value still has an address
            if (len == 0)
                return &empty;
            if (capacity_ - used_ < len) {
                constexpr size_t BlockSize = size_t(1) << 20;
                capacity_ = std::max(len, BlockSize);
                blocks_.push_back(std::make_unique_for_overwrite<char[]>(capacity_));
                held_ += capacity_;
                used_ = 0;
            }
            char *at = blocks_.back().get() + used_;
            std::memcpy(at, bytes, len);
            used_ += len;
            return at;
        }
        size_t held() const { return held_; }

    private:
        std::vector<std::unique_ptr<char[]>> blocks_;
        size_t used_ = 0;
        size_t capacity_ = 0;
        size_t held_ = 0;
    };

    Cell cellAt(int c) const
    {
        Cell cell;
        const int type = sqlite3_column_type(stmt_, c);
        switch (type) {
        case SQLITE_INTEGER:
            cell.kind = Cell::Integer;
            cell.i = sqlite3_column_int64(stmt_, c);
            break;
        case SQLITE_FLOAT:
            cell.kind = Cell::Real;
            cell.d = sqlite3_column_double(stmt_, c);
            break;
        case SQLITE_NULL:
            cell.i = 0;
            break;
        default: {
            const bool blob = type == SQLITE_BLOB;
            const void *bytes = blob ? sqlite3_column_blob(stmt_, c) : sqlite3_column_text(stmt_, c);
            cell.kind = blob ? Cell::Blob : Cell::Text;
            cell.len = unsigned(sqlite3_column_bytes(stmt_, c));
            cell.bytes = arena_.add(bytes, cell.len);
        }
        }
        return cell;
    }

    mutable bool exhausted_ = false;
    mutable std::vector<Cell> cells_; // row-major, one per column
    mutable Arena arena_;
    mutable long rows_ = 0;
};

// The rowids of a table's rows in the result's order; a row's fields are
// read by its rowid when asked for, and the last few rows read are kept.
// A whole table whose rowids run without a gap needs no list at all: its
// row k has rowid first + k.
class KeyedRows final : public SteppedRows {
public:
    // keys: a statement whose first column is the rowid of each row of the
    // result, in its order. fetch: the row's fields for the rowid bound to
    // it. table: the table's quoted name when the result is the whole table.
    KeyedRows(sqlite3_stmt *keys, sqlite3_stmt *fetch, std::shared_ptr<Connection> reader, QString table)
        : SteppedRows(keys, std::move(reader)), fetch_(fetch), table_(std::move(table))
    {
    }
    // The rowids found already.
    KeyedRows(std::vector<qint64> ids, sqlite3_stmt *fetch, std::shared_ptr<Connection> reader)
        : SteppedRows(nullptr, std::move(reader)), fetch_(fetch), ids_(std::move(ids)), exhausted_(true)
    {
    }
    ~KeyedRows() override { sqlite3_finalize(fetch_); }

    bool has(long row) const override
    {
        if (dense_)
            return row < denseCount_;
        while (long(ids_.size()) <= row && !exhausted_) {
            if (!step()) {
                exhausted_ = true;
                break;
            }
            ids_.push_back(sqlite3_column_int64(stmt_, 0));
            if (qint64(ids_.capacity() * sizeof(qint64)) > reader_->Limits.heldBytes)
                tooManyRecords(file_);
        }
        return row < long(ids_.size());
    }

    long count() const override
    {
        if (!exhausted_ && !dense_ && !table_.isEmpty())
            checkDense();
        return SteppedRows::count();
    }

    QVariant value(long row, int column) const override
    {
        const qint64 id = dense_ ? first_ + row : ids_[size_t(row)];
        for (const Cached &c : cache_) {
            if (c.id == id && !c.values.empty())
                return c.values[size_t(column)];
        }
        Cached &slot = cache_[next_];
        next_ = (next_ + 1) % cache_.size();
        slot.id = id;
        slot.values.assign(size_t(sqlite3_column_count(fetch_)), QVariant());
        sqlite3_reset(fetch_);
        sqlite3_bind_int64(fetch_, 1, id);
        // A row gone from the file since its key was read shows as Nulls.
        if (stepRow(fetch_, *reader_, file_)) {
            for (size_t c = 0; c < slot.values.size(); ++c)
                slot.values[c] = columnValue(fetch_, int(c));
        }
        sqlite3_reset(fetch_);
        return slot.values[size_t(column)];
    }

private:
    long rowsRead() const override { return dense_ ? denseCount_ : long(ids_.size()); }

    std::optional<qint64> scalar(const QString &sql) const
    {
        sqlite3_stmt *stmt = prepareQuietly(sqlite3_db_handle(stmt_), sql);
        if (!stmt)
            return std::nullopt;
        std::optional<qint64> v;
        try {
            if (stepRow(stmt, *reader_, file_) && sqlite3_column_type(stmt, 0) == SQLITE_INTEGER)
                v = sqlite3_column_int64(stmt, 0);
        } catch (...) {
            sqlite3_finalize(stmt);
            throw;
        }
        sqlite3_finalize(stmt);
        return v;
    }

    // Counting reads the table's smallest index instead of every row; when
    // the count fills the span of rowids, the rowids are exactly that span.
    void checkDense() const
    {
        const auto n = scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table_));
        const auto lo = scalar(QStringLiteral("SELECT min(rowid) FROM %1").arg(table_));
        const auto hi = scalar(QStringLiteral("SELECT max(rowid) FROM %1").arg(table_));
        if (!n || !lo || !hi || *n <= 0 || *lo > *hi || quint64(*hi) - quint64(*lo) + 1 != quint64(*n))
            return;
        first_ = *lo;
        denseCount_ = long(*n);
        dense_ = true;
        exhausted_ = true;
        ids_ = {};
    }

    struct Cached {
        qint64 id = 0;
        std::vector<QVariant> values;
    };

    sqlite3_stmt *fetch_;
    QString table_;
    mutable std::vector<qint64> ids_;
    mutable bool exhausted_ = false;
    mutable bool dense_ = false;
    mutable qint64 first_ = 0;
    mutable long denseCount_ = 0;
    mutable std::array<Cached, 64> cache_;
    mutable size_t next_ = 0;
};

// "SELECT * FROM table" and "SELECT * FROM table WHERE ...": the shapes
// whose rows can be named by the table's rowid.
const QRegularExpression &plainSearch()
{
    static const QRegularExpression shape(
        QStringLiteral(R"(^\s*SELECT\s+\*\s+FROM\s+("(?:[^"]|"")+"|\[[^\]]+\]|[\w$]+)(\s+WHERE\b.*)?$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption
            | QRegularExpression::UseUnicodePropertiesOption);
    return shape;
}

QString unquotedTable(QString name)
{
    if (name.startsWith(QLatin1Char('"')))
        return name.mid(1, name.size() - 2).replace(QLatin1String("\"\""), QLatin1String("\""));
    if (name.startsWith(QLatin1Char('[')))
        return name.mid(1, name.size() - 2);
    return name;
}

// A search of a table answered from the table's folded copy: the rowids of
// the rows it finds, in the order SQLite's scan of the table would give
// them. Null when the copy cannot answer it, and the store reads the file.
std::shared_ptr<ResultRows> foldedSearch(const Statement &statement, const QString &table, const QString &quoted,
                                         const QString &where, const QStringList &names,
                                         const std::shared_ptr<Connection> &connection)
{
    const std::optional<std::vector<SearchTerm>> terms = searchTerms(where, names);
    if (!terms)
        return nullptr;
    sqlite3 *db = connection->handle();
    sqlite3_stmt *plan = prepareQuietly(db, QStringLiteral("EXPLAIN QUERY PLAN ") + statement.sql);
    if (!plan)
        return nullptr;
    bool scan = sqlite3_step(plan) == SQLITE_ROW;
    scan = scan && QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(plan, 3)))
                           .compare(QStringLiteral("SCAN ") + table, Qt::CaseInsensitive) == 0;
    scan = scan && sqlite3_step(plan) == SQLITE_DONE;
    sqlite3_finalize(plan);
    const FoldedCopy *copy = scan ? connection->foldedCopy(table) : nullptr;
    if (!copy || copy->fields() != names.size())
        return nullptr;
    std::optional<FoldedCopy::Rows> found = copy->matching(*terms);
    if (!found)
        return nullptr;
    // Rows an equality found are equal as LIKE folds: the store's "=" has
    // the last word on them.
    std::vector<qint64> ids;
    ids.reserve(found->rowids.size());
    sqlite3_stmt *check = nullptr;
    QString condition = where;
    while (condition.endsWith(QLatin1Char(';')) || (!condition.isEmpty() && condition.back().isSpace()))
        condition.chop(1);
    for (size_t i = 0; i < found->rowids.size(); ++i) {
        if (found->sure[i]) {
            ids.push_back(found->rowids[i]);
            continue;
        }
        if (!check && !(check = prepareQuietly(db, QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ?1 AND (%2)")
                                                       .arg(quoted, condition))))
            return nullptr;
        sqlite3_bind_int64(check, 1, found->rowids[i]);
        connection->startStep();
        const int rc = sqlite3_step(check);
        sqlite3_reset(check);
        if (rc == SQLITE_ROW)
            ids.push_back(found->rowids[i]);
        else if (rc != SQLITE_DONE) {
            sqlite3_finalize(check);
            return nullptr;
        }
    }
    sqlite3_finalize(check);
    sqlite3_stmt *fetch = prepareQuietly(db, QStringLiteral("SELECT * FROM %1 WHERE rowid = ?1").arg(quoted));
    if (!fetch || sqlite3_column_count(fetch) != names.size()) {
        sqlite3_finalize(fetch);
        return nullptr;
    }
    return std::make_shared<KeyedRows>(std::move(ids), fetch, connection);
}

// Keys for the rows of a plain search of a table, or null when the result
// must be held instead: a view, a table without rowids or with a field of
// its own named like one, any other statement.
std::shared_ptr<ResultRows> keyedRows(const Statement &statement, const QStringList &names,
                                      const std::shared_ptr<Connection> &connection)
{
    const QRegularExpressionMatch m = plainSearch().match(statement.sql);
    if (!m.hasMatch())
        return nullptr;
    for (const QString &name : names) {
        for (const char *alias : {"rowid", "_rowid_", "oid"}) {
            if (name.compare(QLatin1String(alias), Qt::CaseInsensitive) == 0)
                return nullptr;
        }
    }
    sqlite3 *db = connection->handle();
    const QString table = unquotedTable(m.captured(1));
    if (!connection->hasTable(table))
        return nullptr;

    const QString quoted = QLatin1Char('"') + QString(table).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    const bool whole = m.captured(2).isEmpty();
    if (!whole) {
        const QString where = m.captured(2).trimmed().mid(5); // after WHERE
        if (std::shared_ptr<ResultRows> found = foldedSearch(statement, table, quoted, where, names, connection))
            return found;
    }
    // The same statement with the rowid in front keeps the plan, and so the
    // order, of the rows it gives; a whole table comes in rowid order.
    const QString keySql = whole ? QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(quoted)
                                 : QStringLiteral("SELECT rowid, ") + statement.sql.mid(statement.sql.indexOf(QLatin1Char('*')));
    sqlite3_stmt *keys = prepareQuietly(db, keySql);
    sqlite3_stmt *fetch = prepareQuietly(db, QStringLiteral("SELECT * FROM %1 WHERE rowid = ?1").arg(quoted));
    const bool matches = keys && fetch && sqlite3_stmt_readonly(keys) && sqlite3_column_count(fetch) == names.size()
                         && sqlite3_column_count(keys) == (whole ? 1 : names.size() + 1);
    if (!matches) {
        sqlite3_finalize(keys);
        sqlite3_finalize(fetch);
        return nullptr;
    }
    return std::make_shared<KeyedRows>(keys, fetch, connection, whole ? quoted : QString());
}

} // namespace

QString textOf(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

Recordset::~Recordset() = default;

void Recordset::Open(const QString &source, std::shared_ptr<Connection> connection, int cursorType,
                     int lockType, int options)
{
    if (rows_)
        throw RuntimeError(err::ObjectOpen, QStringLiteral("لا يمكن فتح مجموعة السجلات لأنها مفتوحة."));
    if (!connection)
        throw RuntimeError(err::ObjectClosed, QStringLiteral("لم يحدد اتصال لمجموعة السجلات."));
    sqlite3 *db = connection->handle();
    const Statement statement = statementFor(source, options);
    sqlite3_stmt *stmt = prepareReading(db, statement, connection->filePath());
    QStringList names;
    for (int i = 0; i < sqlite3_column_count(stmt); ++i)
        names << QString::fromUtf8(sqlite3_column_name(stmt, i));
    std::shared_ptr<ResultRows> rows;
    try {
        rows = keyedRows(statement, names, connection);
    } catch (...) {
        rows.reset();
    }
    if (rows)
        sqlite3_finalize(stmt);
    else
        rows = std::make_shared<HeldRows>(stmt, connection);
    names_ = names;
    source_ = source;
    ActiveConnection = std::move(connection);
    CursorType = cursorType;
    LockType = lockType;
    rows_ = std::move(rows);
    // An open recordset stands on its first record, if there is one; a file
    // that cannot give even that leaves it closed.
    try {
        pos_ = ensureRow(0) ? 0 : -1;
    } catch (...) {
        Close();
        throw;
    }
}

void Recordset::Close()
{
    requireOpen();
    rows_.reset();
    pos_ = -1;
}

std::shared_ptr<const ResultRows> Recordset::rows() const
{
    requireOpen();
    return rows_;
}

void Recordset::requireOpen() const
{
    if (!rows_)
        throw RuntimeError(err::ObjectClosed,
                           fileName().isEmpty() ? QStringLiteral("لا يمكن تنفيذ العملية ومجموعة السجلات مغلقة.")
                                                : QStringLiteral("لا يمكن تنفيذ العملية ومجموعة السجلات على قاعدة البيانات %1 مغلقة.")
                                                      .arg(quotedName(fileName())));
}

QString Recordset::fileName() const
{
    return ActiveConnection ? ActiveConnection->filePath() : QString();
}

bool Recordset::BOF() const
{
    requireOpen();
    return pos_ < 0 || !ensureRow(0);
}

bool Recordset::AtEnd() const
{
    requireOpen();
    return !ensureRow(0) || (pos_ >= 0 && !ensureRow(pos_));
}

void Recordset::noCurrentRecord() const
{
    throw RuntimeError(err::NoCurrentRecord,
                       QStringLiteral("لا يوجد سجل حالي في %1 من قاعدة البيانات %2: المؤشر قبل أول سجل أو بعد آخر سجل.")
                           .arg(quotedName(source_), quotedName(fileName())));
}

void Recordset::MoveFirst()
{
    requireOpen();
    if (!ensureRow(0))
        noCurrentRecord();
    pos_ = 0;
}

void Recordset::MoveLast()
{
    requireOpen();
    const long n = rows_->count();
    if (n == 0)
        noCurrentRecord();
    pos_ = n - 1;
}

void Recordset::MoveNext()
{
    if (AtEnd())
        noCurrentRecord();
    ++pos_;
}

void Recordset::MovePrevious()
{
    if (BOF())
        noCurrentRecord();
    --pos_;
}

long Recordset::AbsolutePosition() const
{
    return (BOF() || AtEnd()) ? 0 : pos_ + 1;
}

long Recordset::RecordCount() const
{
    requireOpen();
    return rows_->count();
}

QVariant Recordset::cellValue(int column) const
{
    requireOpen();
    if (column < 0 || column >= names_.size())
        throw RuntimeError(err::ItemNotFound,
                           QStringLiteral("لا يوجد حقل في الموضع %1 في قاعدة البيانات %2.").arg(column).arg(quotedName(fileName())));
    if (BOF() || AtEnd())
        noCurrentRecord();
    return rows_->value(pos_, column);
}

int Recordset::indexOf(const QString &name) const
{
    requireOpen();
    for (int i = 0; i < names_.size(); ++i) {
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw RuntimeError(err::ItemNotFound,
                       QStringLiteral("الحقل %1 غير موجود في قاعدة البيانات %2.").arg(quotedName(name), quotedName(fileName())));
}

int Fields::Count() const
{
    rs_.requireOpen();
    return int(rs_.names_.size());
}

Field Fields::Item(int index) const
{
    return Field(rs_, index);
}

Field Fields::Item(const QString &name) const
{
    return Field(rs_, rs_.indexOf(name));
}

QString Field::Name() const
{
    rs_.requireOpen();
    if (index_ < 0 || index_ >= rs_.names_.size())
        throw RuntimeError(err::ItemNotFound, QStringLiteral("لا يوجد حقل في الموضع %1.").arg(index_));
    return rs_.names_[index_];
}

QVariant Field::Value() const
{
    return rs_.cellValue(index_);
}

} // namespace velkaram::rs
