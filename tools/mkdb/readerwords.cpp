// The reader search's own word lists, checked against the dictionary they
// serve: a reader's word must lead to a keyword that exists, and a filler
// must not hide a keyword.
#include "datasource.h"

#include "core/reader/lexicon.h"

#include <QHash>
#include <QSet>
#include <string>

namespace velkaram::data {

namespace {

// Fillers are compared as the search holds them, hamza kept; the reader's
// words and headwords without it.
QString foldedPhrase(const QString &text)
{
    return QString::fromStdString(reader::foldedPhrase(text.toStdString()));
}

QString searchPhrase(const QString &text)
{
    return QString::fromStdString(reader::searchPhrase(text.toStdString()));
}

// The lines of a text file with their numbers, and what is wrong with its bytes.
QList<std::pair<int, QString>> lines(const QString &file, const QByteArray &bytes, Problems &problems)
{
    QList<std::pair<int, QString>> out;
    QString text;
    if (!decode(file, bytes, text, problems))
        return out;
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        problems.messages << file + QStringLiteral(": no newline at the end");
    const QStringList all = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < all.size(); ++i)
        if (!all[i].trimmed().isEmpty())
            out.push_back({int(i + 1), all[i]});
    return out;
}

} // namespace

void checkReaderWords(const QString &lexiconFile, const QByteArray &lexicon, const QString &fillersFile,
                      const QByteArray &fillers, const std::vector<Entry> &entries, Problems &problems)
{
    QSet<QString> keywords;
    for (const Entry &e : entries)
        if (!isCrossReference(e))
            keywords.insert(searchPhrase(e.keyword));
    QSet<QString> anyKeyword;
    for (const Entry &e : entries)
        anyKeyword.insert(foldedPhrase(e.keyword));

    QHash<QString, int> fillerAt;
    for (const auto &[number, text] : lines(fillersFile, fillers, problems)) {
        const QString at = where(fillersFile, number);
        if (text != text.trimmed())
            problems.messages << at + QStringLiteral("blanks around the words");
        if (!isArabicText(text, false)) {
            problems.messages << at + QStringLiteral("holds text that is not Arabic");
            continue;
        }
        const QString folded = foldedPhrase(text);
        if (fillerAt.contains(folded))
            problems.messages << at + QStringLiteral("\"%1\" is listed twice (first at line %2)").arg(text).arg(fillerAt[folded]);
        else
            fillerAt.insert(folded, number);
        if (anyKeyword.contains(folded))
            problems.messages << at + QStringLiteral("\"%1\" is a keyword, and a filler is never searched for").arg(text);
    }

    const auto lexiconLines = lines(lexiconFile, lexicon, problems);
    if (lexiconLines.isEmpty() || lexiconLines.front().first != 1
        || lexiconLines.front().second != QStringLiteral("word\theadword")) {
        problems.messages << lexiconFile + QStringLiteral(":1: the first line must be \"word<TAB>headword\"");
        return;
    }
    QHash<QString, int> pairAt;
    for (qsizetype i = 1; i < lexiconLines.size(); ++i) {
        const auto &[number, text] = lexiconLines[i];
        const QString at = where(lexiconFile, number);
        const QStringList fields = text.split(QLatin1Char('\t'));
        if (fields.size() != 2) {
            problems.messages << at + QStringLiteral("expected 2 tab-separated fields, found %1").arg(fields.size());
            continue;
        }
        const QString &word = fields[0];
        const QString &headword = fields[1];
        if (word != word.trimmed() || headword != headword.trimmed())
            problems.messages << at + QStringLiteral("blanks around a field");
        if (!isArabicText(word, false) || !isArabicText(headword, false)) {
            problems.messages << at + QStringLiteral("holds text that is not Arabic");
            continue;
        }
        const QString foldedWord = searchPhrase(word);
        const QString foldedHeadword = searchPhrase(headword);
        if (foldedWord.isEmpty() || foldedWord.contains(QLatin1Char(' ')))
            problems.messages << at + QStringLiteral("\"%1\" is not one word").arg(word);
        if (foldedWord == foldedHeadword)
            problems.messages << at + QStringLiteral("\"%1\" is its own headword").arg(word);
        if (fillerAt.contains(foldedPhrase(word)))
            problems.messages << at + QStringLiteral("\"%1\" is a filler and is never looked up").arg(word);
        if (!keywords.contains(foldedHeadword))
            problems.messages << at + QStringLiteral("\"%1\" is no keyword with entries of its own").arg(headword);
        const QString pair = foldedWord + QLatin1Char('\t') + foldedHeadword;
        if (pairAt.contains(pair))
            problems.messages << at + QStringLiteral("\"%1\" → \"%2\" is listed twice (first at line %3)")
                                          .arg(word, headword)
                                          .arg(pairAt[pair]);
        else
            pairAt.insert(pair, number);
    }
}

} // namespace velkaram::data
