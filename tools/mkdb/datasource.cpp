#include "datasource.h"

#include <QRegularExpression>

namespace velkaram::data {

QString where(const QString &file, int line)
{
    return QStringLiteral("%1:%2: ").arg(file).arg(line);
}

bool decode(const QString &fileName, const QByteArray &bytes, QString &text, Problems &problems)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        problems.messages << where(fileName, 1) + QStringLiteral("byte order mark; save as UTF-8 without BOM");
        return false;
    }
    if (bytes.contains('\r')) {
        problems.messages << where(fileName, 1) + QStringLiteral("carriage return; use LF line endings");
        return false;
    }
    text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter)) {
        problems.messages << where(fileName, 1) + QStringLiteral("not valid UTF-8");
        return false;
    }
    return true;
}

bool isArabicText(const QString &text, bool digitsAllowed)
{
    static const QString punctuation = QStringLiteral(" .:!()«»﴿﴾-\"،؛؟");
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (ch.isDigit()) {
            if (digitsAllowed)
                continue;
            return false;
        }
        if (c >= 0x0600 && c <= 0x06FF)
            continue;
        if (punctuation.contains(ch))
            continue;
        if (digitsAllowed && (c == u'/' || c == u','))
            continue;
        return false;
    }
    return true;
}

std::vector<Entry> readDreams(const QString &fileName, const QByteArray &bytes, Problems &problems)
{
    std::vector<Entry> entries;
    QString text;
    if (!decode(fileName, bytes, text, problems))
        return entries;
    if (!text.endsWith(QLatin1Char('\n')))
        problems.messages << where(fileName, int(text.count(QLatin1Char('\n'))) + 1) + QStringLiteral("no newline at the end of the file");
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty() || lines.first() != DreamHeader) {
        problems.messages << where(fileName, 1) + QStringLiteral("the first line must be the header \"%1\"").arg(DreamHeader);
        return entries;
    }
    for (int i = 1; i < lines.size(); ++i) {
        const int line = i + 1;
        const QStringList fields = lines[i].split(QLatin1Char('\t'));
        if (fields.size() != 3) {
            problems.messages << where(fileName, line) + QStringLiteral("expected 3 tab-separated fields, found %1").arg(fields.size());
            continue;
        }
        static const char *const names[] = {"keyword", "dream", "interpretation"};
        bool ok = true;
        for (int f = 0; f < 3; ++f) {
            const QString name = QLatin1String(names[f]);
            if (fields[f].trimmed().isEmpty()) {
                problems.messages << where(fileName, line) + QStringLiteral("empty %1").arg(name);
                ok = false;
                continue;
            }
            if (fields[f] != fields[f].trimmed()) {
                problems.messages << where(fileName, line) + QStringLiteral("blanks around the %1").arg(name);
                ok = false;
                continue;
            }
            // Digits belong only in a Quran reference such as (البقرة: 187).
            const CitationScan scan = scanCitations(fields[f]);
            for (const QString &problem : scan.problems)
                problems.messages << where(fileName, line) + QStringLiteral("the %1: %2").arg(name, problem);
            QString withoutDigits = scan.rest;
            withoutDigits.removeIf([](QChar c) { return c.isDigit(); });
            if (!isArabicText(withoutDigits, false))
                problems.messages << where(fileName, line) + QStringLiteral("the %1 holds text that is not Arabic").arg(name);
            else if (withoutDigits.size() != scan.rest.size())
                problems.messages << where(fileName, line) + QStringLiteral("the %1 holds digits outside a Quran reference").arg(name);
            else if (scan.problems.isEmpty())
                continue;
            ok = false;
        }
        if (!ok)
            continue;
        Entry entry{fields[0], fields[1], fields[2], fileName, line};
        for (const QString &problem : checkEntry(entry))
            problems.messages << where(fileName, line) + problem;
        entries.push_back(std::move(entry));
    }
    return entries;
}

Article readArticle(const QString &fileName, const QByteArray &bytes, Problems &problems)
{
    Article article;
    QString text;
    if (!decode(fileName, bytes, text, problems))
        return article;
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() < 3 || lines[0].trimmed().isEmpty() || !lines[1].isEmpty()) {
        problems.messages << where(fileName, 1) + QStringLiteral("expected a title line, an empty line, then the body");
        return article;
    }
    article.file = fileName;
    article.title = lines[0].trimmed();
    if (!isArabicText(article.title, true))
        problems.messages << where(fileName, 1) + QStringLiteral("the title holds text that is not Arabic");
    QStringList paragraphs;
    QString paragraph;
    for (int i = 2; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        const CitationScan scan = scanCitations(line);
        for (const QString &problem : scan.problems)
            problems.messages << where(fileName, i + 1) + problem;
        if (!isArabicText(scan.rest, true))
            problems.messages << where(fileName, i + 1) + QStringLiteral("text that is not Arabic");
        if (line.isEmpty()) {
            if (!paragraph.isEmpty())
                paragraphs << paragraph;
            paragraph.clear();
        } else {
            paragraph += (paragraph.isEmpty() ? QString() : QStringLiteral(" ")) + line;
        }
    }
    if (!paragraph.isEmpty())
        paragraphs << paragraph;
    article.text = paragraphs.join(QLatin1Char('\n'));
    const qsizetype words = article.text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size();
    if (words < MinArticleWords || words > MaxArticleWords)
        problems.messages << where(fileName, 3)
                + QStringLiteral("the body has %1 words; an article has %2 to %3").arg(words).arg(MinArticleWords).arg(MaxArticleWords);
    return article;
}

} // namespace velkaram::data
