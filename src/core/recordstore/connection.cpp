#include "core/recordstore/connection.h"

#include "core/recordstore/arabiclike.h"
#include "core/recordstore/foldedcopy.h"
#include "core/recordstore/foldedequality.h"
#include "core/runtimeerror.h"
#include "core/text/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>

namespace velkaram::rs {

namespace {

struct Target {
    QString provider;
    QString path;
};

// A part of a connection string: a key the store knows, then "=".
const QRegularExpression &connectionKey()
{
    static const QRegularExpression key(
        QStringLiteral(R"(\s*(provider|data source|user id|password|mode|persist security info|jet oledb:[^=;]*)\s*=)"),
        QRegularExpression::CaseInsensitiveOption);
    return key;
}

// A value in quotes runs to the matching quote; a doubled quote inside
// stands for itself. Returns false when the quote is never closed or the
// value does not end there.
bool readQuoted(const QString &text, qsizetype &at, QString &value)
{
    const QChar quote = text.at(at);
    value.clear();
    for (qsizetype i = at + 1; i < text.size(); ++i) {
        if (text.at(i) != quote) {
            value += text.at(i);
            continue;
        }
        if (i + 1 < text.size() && text.at(i + 1) == quote) {
            value += quote;
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < text.size() && text.at(end).isSpace())
            ++end;
        if (end < text.size() && text.at(end) != QLatin1Char(';'))
            return false;
        at = end;
        return true;
    }
    return false;
}

// Where an unquoted value that starts at from ends: at the ";" before the
// next known key, or at the end. "=" and ";" followed by anything else
// belong to the value, so a folder whose name holds them still names the file.
qsizetype unquotedEnd(const QString &text, qsizetype from)
{
    for (qsizetype i = text.indexOf(QLatin1Char(';'), from); i >= 0; i = text.indexOf(QLatin1Char(';'), i + 1)) {
        if (connectionKey().match(text, i + 1, QRegularExpression::NormalMatch,
                                  QRegularExpression::AnchorAtOffsetMatchOption).hasMatch())
            return i;
    }
    return text.size();
}

Target parseConnectionString(const QString &text)
{
    Target t;
    const auto keyAt = [&](qsizetype at) {
        return connectionKey().match(text, at, QRegularExpression::NormalMatch,
                                     QRegularExpression::AnchorAtOffsetMatchOption);
    };
    if (!keyAt(0).hasMatch()) {
        // No key at the start: the whole text is a path.
        t.path = text.trimmed();
        return t;
    }
    qsizetype at = 0;
    while (at < text.size()) {
        const QRegularExpressionMatch m = keyAt(at);
        if (!m.hasMatch())
            break;
        at = m.capturedEnd();
        while (at < text.size() && text.at(at).isSpace())
            ++at;
        QString value;
        const bool quoted = at < text.size() && (text.at(at) == QLatin1Char('"') || text.at(at) == QLatin1Char('\''));
        if (!quoted || !readQuoted(text, at, value)) {
            const qsizetype end = unquotedEnd(text, at);
            value = text.mid(at, end - at).trimmed();
            at = end;
        }
        const QString key = m.captured(1).toLower();
        if (key == QLatin1String("provider"))
            t.provider = value;
        else if (key == QLatin1String("data source"))
            t.path = value;
        ++at; // the ";"
    }
    return t;
}

[[noreturn]] void unreadable(const QString &path, const QString &cause)
{
    throw RuntimeError(err::UnrecognizedDatabase,
                       QStringLiteral("الملف %1 ليس قاعدة بيانات يمكن قراءتها: %2.").arg(quotedName(path), cause));
}

// Only reading statements may run, whatever text reaches the store.
int readOnlyAuthorizer(void *, int action, const char *, const char *, const char *, const char *)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

} // namespace

QString connectionValue(const QString &value)
{
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('"'))
                       && !value.startsWith(QLatin1Char('\'')) && value == value.trimmed();
    if (plain)
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

Connection::~Connection()
{
    Close();
}

void Connection::Open(const QString &connectionString, const QString &, const QString &, int)
{
    if (db_)
        throw RuntimeError(err::ObjectOpen, QStringLiteral("لا يمكن فتح الاتصال لأنه مفتوح."));
    if (!connectionString.isEmpty())
        ConnectionString = connectionString;

    Target target = parseConnectionString(ConnectionString);
    if (!target.provider.isEmpty())
        Provider = target.provider;
    if (!Provider.isEmpty() && Provider.compare(JetProvider, Qt::CaseInsensitive) != 0)
        throw RuntimeError(err::ProviderNotFound, QStringLiteral("الموفر %1 غير معروف.").arg(quotedName(Provider)));
    if (target.path.isEmpty())
        throw RuntimeError(err::FileNotFound, QStringLiteral("لم يحدد الاتصال ملف قاعدة البيانات."));

    const QString path = resolveFileNameCase(QDir::fromNativeSeparators(target.path));
    const QFileInfo info(path);
    if (!info.exists())
        throw RuntimeError(err::FileNotFound,
                           QStringLiteral("تعذر العثور على ملف قاعدة البيانات %1.").arg(quotedName(target.path)));
    if (info.isDir())
        unreadable(path, QStringLiteral("المسار مجلد وليس ملفا"));
    if (info.size() == 0)
        unreadable(path, QStringLiteral("الملف فارغ"));

    sqlite3 *db = nullptr;
    // Only the GUI thread uses a connection: SQLite need not lock for every
    // column read.
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        unreadable(path, QStringLiteral("تعذر فتح الملف للقراءة"));
    }
    // Reading the schema is what tells a database from any other file.
    const int check = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (check != SQLITE_OK) {
        sqlite3_close_v2(db);
        unreadable(path, check == SQLITE_NOTADB ? QStringLiteral("الملف ليس قاعدة بيانات أو أن تنسيقه غير معروف")
                                                : QStringLiteral("الملف تالف أو مبتور"));
    }
    sqlite3_set_authorizer(db, readOnlyAuthorizer, nullptr);
    // Checked every few thousand virtual machine steps: costs nothing a
    // reader notices.
    sqlite3_progress_handler(db, 4096, &Connection::stepExpired, this);
    registerArabicLike(db);
    registerFoldedEquality(db);
    db_ = db;
    path_ = path;
}

bool Connection::hasTable(const QString &name) const
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(handle(), "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE", -1,
                       &stmt, nullptr);
    if (!stmt)
        return false;
    const QByteArray utf8 = name.toUtf8();
    sqlite3_bind_text(stmt, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    const bool found = sqlite3_step(stmt) == SQLITE_ROW;
    sqlite3_finalize(stmt);
    return found;
}

const FoldedCopy *Connection::foldedCopy(const QString &table)
{
    const QString key = table.toLower();
    auto at = copies_.find(key);
    if (at == copies_.end())
        at = copies_.emplace(key, FoldedCopy::read(*this, table, Limits.heldBytes)).first;
    return at->second.get();
}

void Connection::adoptFoldedCopy(const QString &table, std::shared_ptr<FoldedCopy> copy)
{
    if (db_)
        copies_.emplace(table.toLower(), std::move(copy));
}

void Connection::Close()
{
    copies_.clear();
    if (db_) {
        // A recordset may outlive this object and step on.
        sqlite3_progress_handler(db_, 0, nullptr, nullptr);
        // close_v2 lets recordsets still holding statements finish with them.
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

int Connection::stepExpired(void *connection)
{
    auto *self = static_cast<Connection *>(connection);
    if (self->timedStep_ != self->step_) {
        self->timedStep_ = self->step_;
        self->stepDeadline_.setRemainingTime(self->Limits.stepMs);
        return 0;
    }
    return self->stepDeadline_.hasExpired() ? 1 : 0;
}

sqlite3 *Connection::handle() const
{
    if (!db_)
        throw RuntimeError(err::ObjectClosed, QStringLiteral("لا يمكن تنفيذ العملية والاتصال مغلق."));
    return db_;
}

} // namespace velkaram::rs
