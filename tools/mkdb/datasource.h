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
    QString file; // where the entry was read, for the messages
    int line = 0;
};

struct Article {
    QString title;
    QString text;
    QString file;
};

struct Problems {
    QStringList messages; // "file:line: what is wrong"
    bool empty() const { return messages.isEmpty(); }
};

// "file:line: ", the start of every message.
QString where(const QString &file, int line);
// A source file's bytes as text: refused (with the message) when they carry
// a byte order mark, a carriage return or bytes that are not UTF-8.
bool decode(const QString &fileName, const QByteArray &bytes, QString &text, Problems &problems);

// One TSV file: a header line, then keyword, dream and interpretation.
std::vector<Entry> readDreams(const QString &fileName, const QByteArray &bytes, Problems &problems);
// One article: its title, an empty line, then the body.
Article readArticle(const QString &fileName, const QByteArray &bytes, Problems &problems);
// Checks that span files: duplicate (keyword, dream) pairs, cross-references
// that lead nowhere, interpretations that nearly repeat another, and titles.
void checkAcrossFiles(const std::vector<Entry> &entries, const std::vector<Article> &articles, Problems &problems);

// The reader search's lexicon (TSV: a "word<TAB>headword" header, then one
// reader's word and the keyword it stands for per line) and filler words (one
// word or phrase per line), checked against the dictionary's entries.
void checkReaderWords(const QString &lexiconFile, const QByteArray &lexicon, const QString &fillersFile,
                      const QByteArray &fillers, const std::vector<Entry> &entries, Problems &problems);

// What is wrong with one entry on its own (its wording, its length, the form
// of a cross-reference), each as "what is wrong" without file and line.
QStringList checkEntry(const Entry &entry);

// Arabic text with common punctuation; digits only where allowed.
bool isArabicText(const QString &text, bool digitsAllowed);

// Quotations and references: a Quran quotation is inside ﴿…﴾ and followed by
// "(السورة: N)" or "(السورة: N-M)"; ﴿ ﴾ and « » pair up. `rest` is the text
// with every reference taken out, so what is left can be checked for digits.
struct CitationScan {
    QStringList problems;
    QString rest;
};
CitationScan scanCitations(const QString &text);
// The number of verses of a surah named as commonly written (with or without
// its "ال"), or 0 when the name is no surah's.
int surahVerses(const QString &name);

// Word-set similarity (Jaccard) of two interpretations, function words left out.
double interpretationSimilarity(const QString &a, const QString &b);

// A cross-reference entry under keyword K: dream "إحالة من K إلى باب X",
// interpretation "انظر: X." or "انظر: X، ..." where X is a keyword with
// entries of its own. Naming K keeps each title the table's only one.
inline const QString CrossReferencePrefix = QStringLiteral("انظر: ");
QString crossReferenceDream(const QString &keyword, const QString &target);
bool isCrossReference(const Entry &entry);
// The keyword a well-formed cross-reference names, else an empty string.
QString crossReferenceTarget(const QString &interpretation);

inline const QString DreamHeader = QStringLiteral("المفتاح\tالحلم\tالتفسير");
inline constexpr int MinArticleWords = 150;
inline constexpr int MaxArticleWords = 600;
inline constexpr int MinInterpretationWords = 20;
// Two interpretations sharing this large a part of their words say the same
// thing. Measured on the dictionary as it stood at 1,250 entries: apart from
// cross-references, the most similar pair scored 0.46 (two entries quoting the
// same verse for the same meaning), fewer than one pair in 100,000 reached
// 0.35, and an edited copy of an interpretation scores 0.6 and more.
inline constexpr double NearDuplicateSimilarity = 0.5;

} // namespace velkaram::data
