#include "dictionary/statements.h"

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

QString anyFieldContainsCondition(const QStringList &fieldNames, const QString &text)
{
    QString condition;
    for (const QString &name : fieldNames)
        condition += QStringLiteral("[") + name + QStringLiteral("] LIKE '%") + quoted(text) + QStringLiteral("%'   OR ");
    condition.chop(3);
    return condition;
}

QString anyFieldEqualsCondition(const QStringList &fieldNames, const QString &text)
{
    QString condition;
    for (const QString &name : fieldNames)
        condition += QStringLiteral("[") + name + QStringLiteral("] = '") + quoted(text) + QStringLiteral("' OR ");
    condition.chop(3);
    return condition;
}

QString allFieldsStatement(const QString &condition)
{
    return QStringLiteral("SELECT * FROM [dream] WHERE  ") + condition + QStringLiteral(" ;");
}

QString dreamLookup(const QString &name)
{
    return QStringLiteral("SELECT * FROM dream WHERE ( الحلم ='") + quoted(name) + QStringLiteral("' ) ");
}

} // namespace velkaram::statements
