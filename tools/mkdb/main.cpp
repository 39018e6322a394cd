// Builds the dictionary database from the text sources under data/:
//   mkdb DATA_DIR OUTPUT_FILE
// Every problem in the sources is listed with its file and line, and no
// database is written while there is one.
#include "datasource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <sqlite3.h>

using namespace velkaram::data;

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

bool exec(sqlite3 *db, const char *sql)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    err() << "mkdb: " << message << "\n";
    sqlite3_free(message);
    return false;
}

bool insertAll(sqlite3 *db, const char *sql, const std::vector<QStringList> &rows)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
        err() << "mkdb: " << sqlite3_errmsg(db) << "\n";
        return false;
    }
    for (const QStringList &row : rows) {
        for (int i = 0; i < row.size(); ++i) {
            const QByteArray value = row[i].toUtf8();
            sqlite3_bind_text(stmt, i + 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
        }
        if (sqlite3_step(stmt) != SQLITE_DONE) {
            err() << "mkdb: " << sqlite3_errmsg(db) << "\n";
            sqlite3_finalize(stmt);
            return false;
        }
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    return true;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        err() << "usage: mkdb DATA_DIR OUTPUT_FILE\n";
        return 2;
    }
    const QDir data(QString::fromLocal8Bit(argv[1]));
    const QString output = QString::fromLocal8Bit(argv[2]);

    Problems problems;
    std::vector<Entry> entries;
    const QDir dreams(data.filePath(QStringLiteral("dream")));
    for (const QString &name : dreams.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
        const auto read = readDreams(QStringLiteral("data/dream/") + name, readFile(dreams.filePath(name)), problems);
        entries.insert(entries.end(), read.begin(), read.end());
    }
    std::vector<Article> articles;
    const QDir encyclopedia(data.filePath(QStringLiteral("encyclopedia")));
    for (const QString &name : encyclopedia.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
        articles.push_back(readArticle(QStringLiteral("data/encyclopedia/") + name, readFile(encyclopedia.filePath(name)), problems));
    checkAcrossFiles(entries, articles, problems);
    const QDir reader(data.filePath(QStringLiteral("reader")));
    checkReaderWords(QStringLiteral("data/reader/lexicon.tsv"), readFile(reader.filePath(QStringLiteral("lexicon.tsv"))),
                     QStringLiteral("data/reader/fillers.txt"), readFile(reader.filePath(QStringLiteral("fillers.txt"))),
                     entries, problems);
    if (entries.empty())
        problems.messages << QStringLiteral("no dictionary entries under data/dream");

    if (!problems.empty()) {
        for (const QString &message : problems.messages)
            err() << message << "\n";
        err() << "mkdb: " << problems.messages.size() << " problem(s); no database written\n";
        return 1;
    }

    const QString temporary = output + QStringLiteral(".tmp");
    QFile::remove(temporary);
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(temporary).constData(), &db) != SQLITE_OK) {
        err() << "mkdb: cannot create " << temporary << "\n";
        return 1;
    }
    std::vector<QStringList> dreamRows;
    for (const Entry &e : entries)
        dreamRows.push_back({e.keyword, e.dream, e.interpretation});
    std::vector<QStringList> articleRows;
    for (const Article &a : articles)
        articleRows.push_back({a.title, a.text});
    const bool ok = exec(db, "PRAGMA page_size=4096; BEGIN;")
        && exec(db, "CREATE TABLE dream (\"رقم\" INTEGER PRIMARY KEY, \"المفتاح\" TEXT, \"الحلم\" TEXT, \"التفسير\" TEXT)")
        && exec(db, "CREATE INDEX dream_by_dream ON dream (\"الحلم\")")
        && exec(db, "CREATE TABLE encyclopidia (suubtopi TEXT, text TEXT)")
        && insertAll(db, "INSERT INTO dream (\"المفتاح\", \"الحلم\", \"التفسير\") VALUES (?, ?, ?)", dreamRows)
        && insertAll(db, "INSERT INTO encyclopidia (suubtopi, text) VALUES (?, ?)", articleRows)
        && exec(db, "COMMIT; VACUUM;");
    sqlite3_close(db);
    if (!ok)
        return 1;
    QFile::remove(output);
    if (!QFile::rename(temporary, output)) {
        err() << "mkdb: cannot write " << output << "\n";
        return 1;
    }
    QTextStream(stdout) << "mkdb: " << entries.size() << " entries, " << articles.size() << " articles -> " << output << "\n";
    return 0;
}
