// The rules one dictionary entry must meet on its own.
#include "datasource.h"

#include "core/text/arabicfold.h"

#include <QRegularExpression>

namespace velkaram::data {

namespace {

int wordCount(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return int(text.split(blanks, Qt::SkipEmptyParts).size());
}

// A cross-reference, well formed or not, starts its interpretation with
// "انظر" or its dream with "إحالة".
QString crossReferenceProblem(const Entry &e)
{
    const bool pointing = e.interpretation.startsWith(QStringLiteral("انظر"));
    if (!pointing && !e.dream.startsWith(QStringLiteral("إحالة")))
        return {};
    const QString target = crossReferenceTarget(e.interpretation);
    if (!pointing)
        return QStringLiteral("the dream \"%1\" belongs to a cross-reference, whose interpretation is \"%2الكلمة.\"")
            .arg(e.dream, CrossReferencePrefix);
    if (target.isEmpty())
        return QStringLiteral("malformed cross-reference; write \"%1الكلمة.\" or \"%1الكلمة، ...\"").arg(CrossReferencePrefix);
    if (e.dream != crossReferenceDream(e.keyword, target))
        return QStringLiteral("the dream of a cross-reference to \"%1\" must be \"%2\"")
            .arg(target, crossReferenceDream(e.keyword, target));
    if (target == e.keyword)
        return QStringLiteral("a cross-reference to its own keyword");
    return {};
}

// "رؤية الأسد" under أسد says nothing the keyword does not.
QString dreamWordingProblem(const Entry &e)
{
    static const QString inDream = QStringLiteral(" في المنام");
    QString dream = e.dream;
    const bool needless = dream.endsWith(inDream);
    if (needless)
        dream.chop(inDream.size());
    const QString folded = foldText(dream);
    QString bare = foldText(e.keyword);
    if (bare.startsWith(QStringLiteral("ال")))
        bare = bare.mid(2);
    const QString seeing = foldText(QStringLiteral("رؤية "));
    for (const QString &only : {bare, QStringLiteral("ال") + bare, seeing + bare, seeing + QStringLiteral("ال") + bare}) {
        if (folded == only)
            return QStringLiteral("the dream \"%1\" only names its keyword; say what is seen").arg(e.dream);
    }
    if (needless)
        return QStringLiteral("the dream ends with a needless \"%1\"").arg(inDream.trimmed());
    return {};
}

} // namespace

QString crossReferenceDream(const QString &keyword, const QString &target)
{
    return QStringLiteral("إحالة من %1 إلى باب %2").arg(keyword, target);
}

bool isCrossReference(const Entry &entry)
{
    return entry.interpretation.startsWith(CrossReferencePrefix);
}

QString crossReferenceTarget(const QString &interpretation)
{
    if (!interpretation.startsWith(CrossReferencePrefix))
        return {};
    // "انظر: X." or "انظر: X. more" or "انظر: X، more"
    static const QRegularExpression form(QStringLiteral("^(\\S[^،.]*?)(?:\\.|\\. \\S.*|، \\S.*)$"));
    const auto m = form.match(interpretation.mid(CrossReferencePrefix.size()));
    if (!m.hasMatch() || m.captured(1) != m.captured(1).trimmed())
        return {};
    return m.captured(1);
}

QStringList checkEntry(const Entry &entry)
{
    QStringList problems;
    const QString crossReference = crossReferenceProblem(entry);
    if (!crossReference.isEmpty())
        problems << crossReference;
    const QString wording = dreamWordingProblem(entry);
    if (!wording.isEmpty())
        problems << wording;
    const int words = wordCount(entry.interpretation);
    if (!isCrossReference(entry) && words < MinInterpretationWords)
        problems << QStringLiteral("the interpretation has %1 words; write at least %2").arg(words).arg(MinInterpretationWords);
    return problems;
}

} // namespace velkaram::data
