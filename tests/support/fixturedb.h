#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Writes a small SQLite database for a test: one table, the given columns
// (names only) and rows (a null QVariant writes Null).
void writeTable(const QString &path, const QString &table, const QStringList &columns,
                const QList<QVariantList> &rows);

// Runs SQL statements on a test database, creating it if need be.
void runStatements(const QString &path, const char *sql);

// The index the shipped database has for the grid's lookup.
void indexDreams(const QString &path);

// The dictionary's usual layout: number, keyword, dream, interpretation.
QStringList dreamColumns();
QVariantList dreamRow(int number, const QString &keyword, const QString &dream, const QString &interpretation);
// Three entries the window suites page through: ماء, بحر, أسد.
QList<QVariantList> threeEntries();
