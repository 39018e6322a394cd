#include "fixturedb.h"

#include <QFile>
#include <QTest>
#include <sqlite3.h>

namespace {

QString quotedName(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE)
        qFatal("fixture database: %s", sqlite3_errmsg(db));
}

} // namespace

void writeTable(const QString &path, const QString &table, const QStringList &columns, const QList<QVariantList> &rows)
{
    sqlite3 *db = nullptr;
    check(sqlite3_open(QFile::encodeName(path).constData(), &db), db);
    QStringList quoted;
    QStringList marks;
    for (const QString &c : columns) {
        quoted << quotedName(c);
        marks << QStringLiteral("?");
    }
    const QByteArray create = QStringLiteral("CREATE TABLE %1 (%2)").arg(quotedName(table), quoted.join(QLatin1Char(','))).toUtf8();
    check(sqlite3_exec(db, create.constData(), nullptr, nullptr, nullptr), db);
    const QByteArray insert = QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(quotedName(table), marks.join(QLatin1Char(','))).toUtf8();
    sqlite3_stmt *stmt = nullptr;
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    check(sqlite3_prepare_v2(db, insert.constData(), -1, &stmt, nullptr), db);
    for (const QVariantList &row : rows) {
        for (int i = 0; i < row.size(); ++i) {
            const QVariant &v = row[i];
            if (v.isNull())
                sqlite3_bind_null(stmt, i + 1);
            else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
                sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
            else {
                const QByteArray text = v.toString().toUtf8();
                sqlite3_bind_text(stmt, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
        }
        check(sqlite3_step(stmt), db);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

void runStatements(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    check(sqlite3_open(QFile::encodeName(path).constData(), &db), db);
    check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

void indexDreams(const QString &path)
{
    runStatements(path, "CREATE INDEX dream_by_dream ON dream (\"الحلم\")");
}

QStringList dreamColumns()
{
    return {QStringLiteral("رقم"), QStringLiteral("المفتاح"), QStringLiteral("الحلم"), QStringLiteral("التفسير")};
}

QVariantList dreamRow(int number, const QString &keyword, const QString &dream, const QString &interpretation)
{
    return {number, keyword, dream, interpretation};
}

QList<QVariantList> threeEntries()
{
    return {dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب الماء الصافي"), QStringLiteral("حياة طيبة ورزق حلال")),
            dreamRow(2, QStringLiteral("بحر"), QStringLiteral("الغرق في البحر"), QStringLiteral("الوقوع في فتنة")),
            dreamRow(3, QStringLiteral("أسد"), QStringLiteral("رؤية الأسد"), QStringLiteral("سلطان قوي"))};
}
