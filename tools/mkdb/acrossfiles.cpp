// Checks that need the whole dictionary: repeated dream titles,
// cross-references that lead nowhere and interpretations that nearly repeat
// another one.
#include "datasource.h"

#include "core/text/arabicfold.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace velkaram::data {

namespace {

// Words that say nothing of what an interpretation means.
const QSet<QString> &functionWords()
{
    static const QSet<QString> words = [] {
        QSet<QString> s;
        const QString list = QStringLiteral("في من على إلى عن أن إن أو و ما لا هو هي قد ذلك هذا هذه التي الذي كان كانت "
                                            "إذا ثم لم لن مع به له لها فيه منه عليه كما بل");
        for (const QString &w : list.split(QLatin1Char(' ')))
            s.insert(foldText(w));
        return s;
    }();
    return words;
}

using Tokens = std::vector<int>; // sorted word ids, each once

Tokens tokens(const QString &text, QHash<QString, int> &ids)
{
    Tokens out;
    const QString folded = foldText(text);
    qsizetype start = -1;
    for (qsizetype i = 0; i <= folded.size(); ++i) {
        const bool letter = i < folded.size() && folded.at(i).isLetter();
        if (letter && start < 0)
            start = i;
        if (!letter && start >= 0) {
            const QString word = folded.mid(start, i - start);
            if (!functionWords().contains(word)) {
                auto id = ids.constFind(word);
                if (id == ids.constEnd())
                    id = ids.insert(word, int(ids.size()));
                out.push_back(*id);
            }
            start = -1;
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// How many words two sorted lists share; 0 as soon as the words left cannot
// bring the count up to `needed`: most pairs share little, so most merges
// stop early.
std::size_t sharedWords(const Tokens &a, const Tokens &b, double needed = 0)
{
    std::size_t shared = 0;
    for (auto i = a.begin(), j = b.begin(); i != a.end() && j != b.end();) {
        if (double(shared + std::size_t(std::min(a.end() - i, b.end() - j))) < needed)
            return 0;
        if (*i < *j) {
            ++i;
        } else if (*j < *i) {
            ++j;
        } else {
            ++shared;
            ++i;
            ++j;
        }
    }
    return shared;
}

double jaccard(const Tokens &a, const Tokens &b)
{
    if (a.empty() || b.empty())
        return 0.0;
    const std::size_t shared = sharedWords(a, b);
    return double(shared) / double(a.size() + b.size() - shared);
}

// jaccard(a, b) >= limit, without counting past the point where it cannot be.
bool atLeast(const Tokens &a, const Tokens &b, double limit)
{
    // shared / (|a| + |b| - shared) >= limit  <=>  shared >= limit (|a| + |b|) / (1 + limit)
    const double needed = limit * double(a.size() + b.size()) / (1.0 + limit);
    return !a.empty() && double(sharedWords(a, b, needed)) >= needed;
}

void checkNearDuplicates(const std::vector<Entry> &entries, Problems &problems)
{
    QHash<QString, int> ids;
    std::vector<Tokens> words(entries.size());
    std::vector<std::size_t> bySize;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (isCrossReference(entries[i]))
            continue;
        words[i] = tokens(entries[i].interpretation, ids);
        bySize.push_back(i);
    }
    std::stable_sort(bySize.begin(), bySize.end(), [&](std::size_t a, std::size_t b) { return words[a].size() < words[b].size(); });
    // Jaccard(a, b) <= |a| / |b| when |a| <= |b|: larger sets need not be tried.
    std::vector<std::pair<std::size_t, std::size_t>> pairs; // (earlier, later) in reading order
    for (std::size_t x = 0; x < bySize.size(); ++x) {
        const Tokens &a = words[bySize[x]];
        for (std::size_t y = x + 1; y < bySize.size(); ++y) {
            const Tokens &b = words[bySize[y]];
            if (double(a.size()) < NearDuplicateSimilarity * double(b.size()))
                break;
            if (atLeast(a, b, NearDuplicateSimilarity) && jaccard(a, b) >= NearDuplicateSimilarity)
                pairs.emplace_back(std::min(bySize[x], bySize[y]), std::max(bySize[x], bySize[y]));
        }
    }
    std::sort(pairs.begin(), pairs.end(), [](const auto &p, const auto &q) { return p.second != q.second ? p.second < q.second : p.first < q.first; });
    for (const auto &[first, second] : pairs) {
        const Entry &e = entries[second];
        const Entry &o = entries[first];
        problems.messages << where(e.file, e.line)
                + QStringLiteral("the interpretation nearly repeats the one at %1:%2 (similarity %3, the limit is %4)")
                      .arg(o.file).arg(o.line).arg(jaccard(words[first], words[second]), 0, 'f', 2).arg(NearDuplicateSimilarity, 0, 'f', 2);
    }
}

} // namespace

double interpretationSimilarity(const QString &a, const QString &b)
{
    QHash<QString, int> ids;
    return jaccard(tokens(a, ids), tokens(b, ids));
}

void checkAcrossFiles(const std::vector<Entry> &entries, const std::vector<Article> &articles, Problems &problems)
{
    // A click in the results grid finds an entry by its dream title alone:
    // a title used twice, even written another way, hides the second entry.
    QHash<QString, const Entry *> titles;
    QSet<QString> keywordsWithMeaning;
    for (const Entry &e : entries) {
        const QString title = foldText(e.dream).simplified();
        if (const Entry *first = titles.value(title))
            problems.messages << where(e.file, e.line)
                    + QStringLiteral("the dream \"%1\" (keyword \"%2\") repeats the title at %3:%4; give each dream a title of its own")
                          .arg(e.dream, e.keyword, first->file).arg(first->line);
        else
            titles.insert(title, &e);
        if (!isCrossReference(e))
            keywordsWithMeaning.insert(e.keyword);
    }
    for (const Entry &e : entries) {
        const QString target = crossReferenceTarget(e.interpretation);
        if (!target.isEmpty() && !keywordsWithMeaning.contains(target))
            problems.messages << where(e.file, e.line)
                    + QStringLiteral("cross-reference to \"%1\", which is no keyword with entries of its own").arg(target);
    }
    checkNearDuplicates(entries, problems);
    QSet<QString> articleTitles;
    for (const Article &a : articles) {
        if (articleTitles.contains(a.title))
            problems.messages << where(a.file, 1) + QStringLiteral("duplicate article title \"%1\"").arg(a.title);
        articleTitles.insert(a.title);
    }
}

} // namespace velkaram::data
