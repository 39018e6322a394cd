#include "core/dictionary/statements.h"

namespace velkaram::statements {

QString quoted(const QString &text)
{
    QString out = text;
    return out.replace(QLatin1Char('\''), QLatin1String("''"));
}

QString fieldContains(const QString &field, const QString &text)
{
    return QStringLiteral("SELECT * FROM [dream] WHERE [") + field + QStringLiteral("] LIKE '%") + quoted(text)
        + QStringLiteral("%'");
}

QString fieldEquals(const QString &field, const QString &text)
{
    return QStringLiteral("SELECT * FROM [dream] WHERE [") + field + QStringLiteral("] ='") + quoted(text)
        + QStringLiteral("'");
}

namespace {

// One comparison per field, each ending in the connector, less the last
// three characters.
QString conditionList(const QStringList &fieldNames, const QString &comparison, const QString &connector)
{
    QString condition;
    for (const QString &name : fieldNames)
        condition += QStringLiteral("[") + name + comparison + connector;
    condition.chop(3);
    return condition;
}

} // namespace

QString anyFieldContainsCondition(const QStringList &fieldNames, const QString &text)
{
    return conditionList(fieldNames, QStringLiteral("] LIKE '%") + quoted(text), QStringLiteral("%'   OR "));
}

QString anyFieldEqualsCondition(const QStringList &fieldNames, const QString &text)
{
    return conditionList(fieldNames, QStringLiteral("] = '") + quoted(text), QStringLiteral("' OR "));
}

QString allFieldsStatement(const QString &condition)
{
    return QStringLiteral("SELECT * FROM [dream] WHERE  ") + condition + QStringLiteral(" ;");
}

QString dreamLookup(const QString &name)
{
    return QStringLiteral("SELECT * FROM dream WHERE ( الحلم ='") + quoted(name) + QStringLiteral("' ) ");
}

QString entryAtRow(qint64 row, bool position)
{
    return position ? QStringLiteral("SELECT * FROM [dream] LIMIT 1 OFFSET %1").arg(row)
                    : QStringLiteral("SELECT * FROM [dream] WHERE rowid = %1").arg(row);
}

} // namespace velkaram::statements
