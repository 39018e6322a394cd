#include "core/reader/lexicon.h"

#include "core/reader/words.h"

#include <QFile>
#include <QStringList>
#include <algorithm>

namespace velkaram::reader {

namespace {

QString resourceText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList contentLines(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines << trimmed;
    }
    return lines;
}

} // namespace

std::string foldedPhrase(std::string_view utf8)
{
    std::string phrase;
    forEachWord(utf8, [&](std::string_view word) {
        if (!phrase.empty())
            phrase += ' ';
        phrase += word;
    });
    return phrase;
}

std::string searchPhrase(std::string_view utf8)
{
    return withoutHamza(foldedPhrase(utf8));
}

Lexicon::Lexicon(const QString &lexicon, const QString &fillers)
{
    for (const QString &line : contentLines(fillers)) {
        const std::vector<std::string> words = wordsOf(line.toStdString());
        if (words.size() == 1)
            fillers_.insert(words.front());
        else if (words.size() > 1)
            phrases_.push_back(words);
    }
    const QStringList lines = contentLines(lexicon);
    for (qsizetype i = 1; i < lines.size(); ++i) { // the first line names the columns
        const QStringList fields = lines[i].split(QLatin1Char('\t'));
        if (fields.size() != 2)
            continue;
        const std::string word = searchPhrase(fields[0].toStdString());
        const std::string headword = searchPhrase(fields[1].toStdString());
        if (!word.empty() && !headword.empty() && word.find(' ') == std::string::npos)
            addSynonym(word, headword);
    }
}

const Lexicon &Lexicon::builtIn()
{
    static const Lexicon lexicon(resourceText(QStringLiteral(":/reader/lexicon.tsv")),
                                 resourceText(QStringLiteral(":/reader/fillers.txt")));
    return lexicon;
}

const std::vector<std::string> *Lexicon::headwords(std::string_view folded) const
{
    const auto it = headwords_.find(std::string(folded));
    return it == headwords_.end() ? nullptr : &it->second;
}

void Lexicon::addSynonym(const std::string &word, const std::string &headword)
{
    if (word == headword)
        return;
    std::vector<std::string> &targets = headwords_[word];
    if (std::find(targets.begin(), targets.end(), headword) == targets.end())
        targets.push_back(headword);
}

} // namespace velkaram::reader
