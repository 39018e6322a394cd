// Fuzz target: whatever the reader types goes through the dictionary's
// search statements and the lookup into the record store, over a small real
// database. Each statement either runs as the one SELECT it is, with the text
// as a literal, or is refused with the store's RuntimeError. Never a second
// statement, a write, or a change to the file.
#include "core/dictionary/statements.h"
#include "core/recordstore/connection.h"
#include "core/recordstore/foldedequality.h"
#include "core/recordstore/recordset.h"
#include "core/runtimeerror.h"
#include "core/text/arabicfold.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sqlite3.h>

using namespace velkaram;

namespace {

const QStringList columns = {QStringLiteral("رقم"), QStringLiteral("المفتاح"), QStringLiteral("الحلم"),
                             QStringLiteral("التفسير")};

[[noreturn]] void finding(const char *what, const QString &detail)
{
    std::fprintf(stderr, "statements: %s: %s\n", what, detail.toUtf8().constData());
    std::abort();
}

void exec(sqlite3 *db, const char *sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        finding("cannot make the database", QString::fromUtf8(sqlite3_errmsg(db)));
}

struct Fixture {
    QTemporaryDir dir;
    QString path;
    QByteArray digest;
    std::shared_ptr<rs::Connection> connection;
    QStringList statements; // what the trace saw for the current statement
};

QByteArray digestOf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        finding("cannot read the database", path);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

int traced(unsigned, void *context, void *stmt, void *)
{
    auto *fixture = static_cast<Fixture *>(context);
    fixture->statements << QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt *>(stmt)));
    return 0;
}

Fixture &fixture()
{
    static Fixture *f = [] {
        auto *f = new Fixture;
        f->path = f->dir.filePath(QStringLiteral("kelvra.mdb"));
        sqlite3 *db = nullptr;
        if (sqlite3_open(QFile::encodeName(f->path).constData(), &db) != SQLITE_OK)
            finding("cannot make the database", f->path);
        exec(db, "CREATE TABLE dream (\"رقم\" INTEGER PRIMARY KEY, \"المفتاح\" TEXT, \"الحلم\" TEXT, \"التفسير\" TEXT);"
                 "CREATE TABLE encyclopidia (suubtopi TEXT, text TEXT);"
                 "INSERT INTO dream VALUES (1, 'ماء', 'شُرْبُ الماءِ', 'من رأى أنه يشرب ماء صافيا نال علما');"
                 "INSERT INTO dream VALUES (2, 'أسد', 'الأسد', 'سلطان جائر');"
                 "INSERT INTO dream VALUES (3, 'ثوب', 'ثوب أبيض', 'It''s 50% \"good\"; [x] -- /* _ */');"
                 "INSERT INTO dream VALUES (4, 'مدرسة', 'مدرسة القرية', 'علم ينال بمشقة');"
                 "INSERT INTO dream VALUES (5, NULL, '', 'مصطفى');"
                 "INSERT INTO encyclopidia VALUES ('الرؤيا', 'نص');");
        sqlite3_close(db);
        f->digest = digestOf(f->path);
        f->connection = std::make_shared<rs::Connection>();
        f->connection->Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=; Data Source=")
                            + f->path);
        sqlite3_trace_v2(f->connection->handle(), SQLITE_TRACE_STMT, traced, f);
        return f;
    }();
    return *f;
}

bool folds(const QString &haystack, const QString &needle)
{
    const QByteArray h = haystack.toUtf8(), n = needle.toUtf8();
    std::string fh, fn;
    foldUtf8({h.constData(), size_t(h.size())}, fh);
    foldUtf8({n.constData(), size_t(n.size())}, fn);
    return fh.find(fn) != std::string::npos;
}

// "=" ignores in Arabic what the containing search ignores.
bool equals(const QString &value, const QString &text)
{
    const QByteArray v = value.toUtf8(), t = text.toUtf8();
    return rs::equalFolded({v.constData(), size_t(v.size())}, {t.constData(), size_t(t.size())});
}

enum class Check { Contains, Equals };

// The statements the store runs of its own beside the reader's: which table
// is what, a result's keys and rows, and the folded copy. Each is a fixed
// text with bound values, or the reader's statement (as the store compares
// its "=") with the rowid in front, its plan, or its condition checked for
// one row. Anything else would be a second statement from the reader's text.
bool storesOwn(const QString &ran, const QString &statement)
{
    static const QRegularExpression fixed(QStringLiteral(
        R"(^(SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = \?1 COLLATE NOCASE|)"
        R"(SELECT (rowid|count\(\*\)|min\(rowid\)|max\(rowid\)|rowid, \*) FROM "dream"( ORDER BY rowid)?|)"
        R"(SELECT \* FROM "dream" WHERE rowid = \?1)$)"));
    const QString own = rs::withFoldedEqualities(statement);
    const qsizetype star = own.indexOf(QLatin1Char('*'));
    const qsizetype where = own.indexOf(QLatin1String("WHERE"));
    const QString check = QStringLiteral("SELECT 1 FROM \"dream\" WHERE rowid = ?1 AND (");
    return fixed.match(ran).hasMatch() || ran == QStringLiteral("EXPLAIN QUERY PLAN ") + own
           || (star > 0 && ran == QStringLiteral("SELECT rowid, ") + own.mid(star))
           || (where > 0 && ran.startsWith(check) && ran.endsWith(QLatin1Char(')'))
               && own.mid(where + 5).contains(ran.mid(check.size()).chopped(1).trimmed()));
}

// Runs one statement. rowFields: the fields one of which must hold the text in
// every row returned (checked when the text has no wildcard characters).
void run(const QString &statement, const QString &text, const QStringList &rowFields, Check check)
{
    Fixture &f = fixture();
    f.statements.clear();
    rs::Recordset set;
    try {
        set.Open(statement, f.connection, rs::adOpenStatic, rs::adLockReadOnly);
    } catch (const RuntimeError &e) {
        if (!text.contains(QChar(0))) // only a NUL cuts the literal short
            finding("refused", statement + QStringLiteral(" -> ") + e.description());
        if (e.description().isEmpty())
            finding("refused without a description", statement);
        return;
    }
    if (text.contains(QChar(0)))
        finding("a NUL in the text did not stop the statement", statement);
    const long count = set.RecordCount();
    // Only the reader's statement itself, and the store's own, may run.
    for (const QString &ran : f.statements) {
        if (ran != rs::withFoldedEqualities(statement) && !storesOwn(ran, statement))
            finding("another statement ran", f.statements.join(QStringLiteral(" | ")));
    }
    if (set.Fields().Count() != columns.size())
        finding("the result has other columns", statement);
    for (int i = 0; i < columns.size(); ++i) {
        if (set.Fields(i).Name() != columns[i])
            finding("the result has other columns", statement);
    }
    if (count > 5)
        finding("more rows than the table holds", statement);
    const bool wild = text.contains(QLatin1Char('%')) || text.contains(QLatin1Char('_'));
    if (count == 0 || (check == Check::Contains && wild))
        return;
    for (set.MoveFirst(); !set.AtEnd(); set.MoveNext()) {
        bool holds = false;
        for (const QString &field : rowFields) {
            const QString value = rs::textOf(set.Fields(field).Value());
            holds = holds || (check == Check::Contains ? folds(value, text) : equals(value, text));
        }
        if (!holds)
            finding("a row does not hold the text", statement);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first byte picks the statement (one a run keeps the fuzzer fast),
    // the rest is the text.
    if (size == 0)
        return -1;
    Fixture &f = fixture();
    QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (text.size() > 10000)
        text.truncate(10000);

    // The field list offers the key and the dream.
    const QString &field = columns[1 + data[0] % 2];
    const QStringList valueFields = columns.mid(1);
    switch (data[0] / 2 % 4) {
    case 0:
        run(statements::fieldContains(field, text), text, {field}, Check::Contains);
        run(statements::fieldEquals(field, text), text, {field}, Check::Equals);
        break;
    case 1:
        run(statements::allFieldsStatement(statements::anyFieldContainsCondition(columns, text)), text, columns,
            Check::Contains);
        break;
    case 2:
        run(statements::allFieldsStatement(statements::anyFieldEqualsCondition(valueFields, text)), text,
            valueFields, Check::Equals);
        break;
    case 3:
        run(statements::dreamLookup(text), text, {columns[2]}, Check::Equals);
        break;
    }

    if (sqlite3_total_changes(f.connection->handle()) != 0)
        finding("the database was written", text);
    static unsigned inputs = 0;
    if (++inputs % 256 == 0 && digestOf(f.path) != f.digest)
        finding("the database file changed", text);
    return 0;
}
