#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Reads the dictionary's text sources and says what is wrong with them, file
// and line, before anything goes into the database.
namespace velkaram::data {

struct Entry {
    QString keyword;
    QString dream;
    QString interpretation;
};

struct Article {
    QString title;
    QString text;
};

struct Problems {
    QStringList messages; // "file:line: what is wrong"
    bool empty() const { return messages.isEmpty(); }
};

// One TSV file: a header line, then keyword, dream and interpretation.
std::vector<Entry> readDreams(const QString &fileName, const QByteArray &bytes, Problems &problems);
// One article: its title, an empty line, then the body.
Article readArticle(const QString &fileName, const QByteArray &bytes, Problems &problems);
// Checks that span files: duplicate (keyword, dream) pairs and titles.
void checkAcrossFiles(const std::vector<Entry> &entries, const std::vector<Article> &articles, Problems &problems);

// Arabic text with common punctuation; digits only where allowed.
bool isArabicText(const QString &text, bool digitsAllowed);

inline const QString DreamHeader = QStringLiteral("المفتاح\tالحلم\tالتفسير");
inline constexpr int MinArticleWords = 150;
inline constexpr int MaxArticleWords = 600;

} // namespace velkaram::data
