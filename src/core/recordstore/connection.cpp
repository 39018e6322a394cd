#include "core/recordstore/connection.h"

#include "core/recordstore/arabiclike.h"
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

// A part of a connection string: a key the store knows, then "=". Anything
// else, "=" and ";" included, belongs to the value before it, so a folder
// whose name holds those characters still names the file.
const QRegularExpression &connectionKey()
{
    static const QRegularExpression key(
        QStringLiteral(R"((?:^|;)\s*(provider|data source|user id|password|mode|persist security info|jet oledb:[^=;]*)\s*=)"),
        QRegularExpression::CaseInsensitiveOption);
    return key;
}

Target parseConnectionString(const QString &text)
{
    Target t;
    QRegularExpressionMatchIterator it = connectionKey().globalMatch(text);
    if (!it.hasNext() || it.peekNext().capturedStart() != 0) {
        // No key at the start: the whole text is a path.
        t.path = text.trimmed();
        return t;
    }
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const qsizetype end = it.hasNext() ? it.peekNext().capturedStart() : text.size();
        const QString key = m.captured(1).toLower();
        const QString value = text.mid(m.capturedEnd(), end - m.capturedEnd()).trimmed();
        if (key == QLatin1String("provider"))
            t.provider = value;
        else if (key == QLatin1String("data source"))
            t.path = value;
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
    db_ = db;
    path_ = path;
}

void Connection::Close()
{
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
