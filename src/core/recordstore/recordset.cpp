#include "core/recordstore/recordset.h"

#include "core/recordstore/foldedequality.h"
#include "core/runtimeerror.h"
#include "core/text/utf8.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstring>
#include <limits>
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

} // namespace

QString textOf(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

Recordset::~Recordset()
{
    finalize();
}

void Recordset::Open(const QString &source, std::shared_ptr<Connection> connection, int cursorType,
                     int lockType, int options)
{
    if (stmt_)
        throw RuntimeError(err::ObjectOpen, QStringLiteral("لا يمكن فتح مجموعة السجلات لأنها مفتوحة."));
    if (!connection)
        throw RuntimeError(err::ObjectClosed, QStringLiteral("لم يحدد اتصال لمجموعة السجلات."));
    sqlite3 *db = connection->handle();
    sqlite3_stmt *stmt = prepareReading(db, statementFor(source, options), connection->filePath());
    adopt(stmt, source, std::move(connection), cursorType, lockType);
    readFirstRow();
}

// Starts afresh on a prepared statement: no rows read yet.
void Recordset::adopt(sqlite3_stmt *stmt, const QString &source, std::shared_ptr<Connection> connection,
                      int cursorType, int lockType)
{
    names_.clear();
    const int columns = sqlite3_column_count(stmt);
    for (int i = 0; i < columns; ++i)
        names_ << QString::fromUtf8(sqlite3_column_name(stmt, i));
    source_ = source;
    ActiveConnection = std::move(connection);
    reader_ = ActiveConnection;
    CursorType = cursorType;
    LockType = lockType;
    stmt_ = stmt;
    exhausted_ = false;
    cells_.clear();
    arena_.clear();
    rows_ = 0;
}

// An open recordset stands on its first record, if there is one; a file
// that cannot give even that leaves it closed.
void Recordset::readFirstRow()
{
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
    finalize();
    reader_.reset();
    cells_ = {};
    arena_.clear();
    rows_ = 0;
    pos_ = -1;
}

void Recordset::finalize() const
{
    if (stmt_) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

void Recordset::requireOpen() const
{
    if (!stmt_)
        throw RuntimeError(err::ObjectClosed,
                           fileName().isEmpty() ? QStringLiteral("لا يمكن تنفيذ العملية ومجموعة السجلات مغلقة.")
                                                : QStringLiteral("لا يمكن تنفيذ العملية ومجموعة السجلات على قاعدة البيانات %1 مغلقة.")
                                                      .arg(quotedName(fileName())));
}

QString Recordset::fileName() const
{
    return ActiveConnection ? ActiveConnection->filePath() : QString();
}

const char *Recordset::Arena::add(const void *bytes, size_t len)
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

void Recordset::Arena::clear()
{
    blocks_.clear();
    used_ = capacity_ = held_ = 0;
}

bool Recordset::ensureRow(long row) const
{
    const auto columns = size_t(names_.size());
    Connection &connection = *reader_;
    while (rows_ <= row && !exhausted_) {
        connection.startStep();
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_DONE) {
            exhausted_ = true;
            break;
        }
        if (rc == SQLITE_INTERRUPT)
            throw RuntimeError(err::QueryTimeout,
                               QStringLiteral("توقفت قراءة السجلات من قاعدة البيانات %1 بعد %2 ثانية دون أن تنتهي.")
                                   .arg(quotedName(fileName()))
                                   .arg(connection.Limits.stepMs / 1000.0));
        if (rc != SQLITE_ROW)
            throw RuntimeError(err::UnrecognizedDatabase,
                               QStringLiteral("تعذرت قراءة السجلات من الملف %1: الملف تالف أو مبتور.").arg(quotedName(fileName())));
        for (size_t c = 0; c < columns; ++c) {
            Cell cell;
            const int type = sqlite3_column_type(stmt_, int(c));
            switch (type) {
            case SQLITE_INTEGER:
                cell.kind = Cell::Integer;
                cell.i = sqlite3_column_int64(stmt_, int(c));
                break;
            case SQLITE_FLOAT:
                cell.kind = Cell::Real;
                cell.d = sqlite3_column_double(stmt_, int(c));
                break;
            case SQLITE_NULL:
                cell.i = 0;
                break;
            default: {
                const bool blob = type == SQLITE_BLOB;
                const void *bytes = blob ? sqlite3_column_blob(stmt_, int(c)) : sqlite3_column_text(stmt_, int(c));
                cell.kind = blob ? Cell::Blob : Cell::Text;
                cell.len = unsigned(sqlite3_column_bytes(stmt_, int(c)));
                cell.bytes = arena_.add(bytes, cell.len);
            }
            }
            cells_.push_back(cell);
        }
        ++rows_;
        if (qint64(arena_.held() + cells_.capacity() * sizeof(Cell)) > connection.Limits.heldBytes)
            throw RuntimeError(err::OutOfMemory,
                               QStringLiteral("السجلات في قاعدة البيانات %1 أكثر مما يتسع له البرنامج.")
                                   .arg(quotedName(fileName())));
    }
    return row < rows_;
}

void Recordset::fetchAll() const
{
    ensureRow(std::numeric_limits<long>::max());
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
    fetchAll();
    if (rows_ == 0)
        noCurrentRecord();
    pos_ = rows_ - 1;
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
    fetchAll();
    return rows_;
}

QVariant Recordset::cellValue(int column) const
{
    requireOpen();
    if (column < 0 || column >= names_.size())
        throw RuntimeError(err::ItemNotFound,
                           QStringLiteral("لا يوجد حقل في الموضع %1 في قاعدة البيانات %2.").arg(column).arg(quotedName(fileName())));
    if (BOF() || AtEnd())
        noCurrentRecord();
    const Cell &cell = cells_[size_t(pos_) * size_t(names_.size()) + size_t(column)];
    switch (cell.kind) {
    case Cell::Null: return {};
    case Cell::Integer: return cell.i;
    case Cell::Real: return cell.d;
    case Cell::Text: return utf8::toQString({cell.bytes, cell.len});
    case Cell::Blob: return QByteArray(cell.bytes, qsizetype(cell.len));
    }
    return {};
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
