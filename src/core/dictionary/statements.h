#pragma once

#include <QString>
#include <QStringList>

// The SQL texts the dictionary window sends to the record store. The user's
// text always goes in as a quoted literal; "%" and "_" keep their pattern
// meaning in the containing searches.
namespace velkaram::statements {

// Doubles every apostrophe, so the text stays one SQL literal.
QString quoted(const QString &text);

// One chosen field contains (LIKE) or equals the text.
QString fieldContains(const QString &field, const QString &text);
QString fieldEquals(const QString &field, const QString &text);

// The condition list of the all-fields searches, as built field by field.
QString anyFieldContainsCondition(const QStringList &fieldNames, const QString &text);
QString anyFieldEqualsCondition(const QStringList &fieldNames, const QString &text);
// "SELECT * FROM [dream] WHERE  " + condition + " ;"
QString allFieldsStatement(const QString &condition);

// The grid lookup of one dream by its name.
QString dreamLookup(const QString &name);

// One entry by its row: the table's rowid, or its position from 0 for a
// table that has no rowid (a view).
QString entryAtRow(qint64 row, bool position);

} // namespace velkaram::statements
