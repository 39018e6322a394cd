// Quotations and their references: ﴿…﴾ (السورة: N), « » in pairs, and the
// surah names a reference may use.
#include "datasource.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace velkaram::data {

namespace {

struct Surah {
    const char *names; // as commonly written; further names after a '|'
    int verses;
};

// The 114 surahs in order, with their verse counts (the Kufan count, 6,236 in all).
const Surah surahs[] = {
    {"الفاتحة", 7}, {"البقرة", 286}, {"آل عمران", 200}, {"النساء", 176}, {"المائدة", 120},
    {"الأنعام", 165}, {"الأعراف", 206}, {"الأنفال", 75}, {"التوبة|براءة", 129}, {"يونس", 109},
    {"هود", 123}, {"يوسف", 111}, {"الرعد", 43}, {"إبراهيم", 52}, {"الحجر", 99},
    {"النحل", 128}, {"الإسراء", 111}, {"الكهف", 110}, {"مريم", 98}, {"طه", 135},
    {"الأنبياء", 112}, {"الحج", 78}, {"المؤمنون", 118}, {"النور", 64}, {"الفرقان", 77},
    {"الشعراء", 227}, {"النمل", 93}, {"القصص", 88}, {"العنكبوت", 69}, {"الروم", 60},
    {"لقمان", 34}, {"السجدة", 30}, {"الأحزاب", 73}, {"سبأ", 54}, {"فاطر", 45},
    {"يس", 83}, {"الصافات", 182}, {"ص", 88}, {"الزمر", 75}, {"غافر|المؤمن", 85},
    {"فصلت", 54}, {"الشورى", 53}, {"الزخرف", 89}, {"الدخان", 59}, {"الجاثية", 37},
    {"الأحقاف", 35}, {"محمد", 38}, {"الفتح", 29}, {"الحجرات", 18}, {"ق", 45},
    {"الذاريات", 60}, {"الطور", 49}, {"النجم", 62}, {"القمر", 55}, {"الرحمن", 78},
    {"الواقعة", 96}, {"الحديد", 29}, {"المجادلة", 22}, {"الحشر", 24}, {"الممتحنة", 13},
    {"الصف", 14}, {"الجمعة", 11}, {"المنافقون", 11}, {"التغابن", 18}, {"الطلاق", 12},
    {"التحريم", 12}, {"الملك", 30}, {"القلم", 52}, {"الحاقة", 52}, {"المعارج", 44},
    {"نوح", 28}, {"الجن", 28}, {"المزمل", 20}, {"المدثر", 56}, {"القيامة", 40},
    {"الإنسان|الدهر", 31}, {"المرسلات", 50}, {"النبأ", 40}, {"النازعات", 46}, {"عبس", 42},
    {"التكوير", 29}, {"الانفطار", 19}, {"المطففين", 36}, {"الانشقاق", 25}, {"البروج", 22},
    {"الطارق", 17}, {"الأعلى", 19}, {"الغاشية", 26}, {"الفجر", 30}, {"البلد", 20},
    {"الشمس", 15}, {"الليل", 21}, {"الضحى", 11}, {"الشرح|الانشراح", 8}, {"التين", 8},
    {"العلق", 19}, {"القدر", 5}, {"البينة", 8}, {"الزلزلة|الزلزال", 8}, {"العاديات", 11},
    {"القارعة", 11}, {"التكاثر", 8}, {"العصر", 3}, {"الهمزة", 9}, {"الفيل", 5},
    {"قريش", 4}, {"الماعون", 7}, {"الكوثر", 3}, {"الكافرون", 6}, {"النصر", 3},
    {"المسد|اللهب", 5}, {"الإخلاص", 4}, {"الفلق", 5}, {"الناس", 6},
};
static_assert(std::size(surahs) == 114);

const QHash<QString, int> &versesByName()
{
    static const QHash<QString, int> table = [] {
        QHash<QString, int> t;
        for (const Surah &s : surahs) {
            for (const QString &name : QString::fromUtf8(s.names).split(QLatin1Char('|'))) {
                t.insert(name, s.verses);
                if (name.startsWith(QStringLiteral("ال")))
                    t.insert(name.mid(2), s.verses);
            }
        }
        return t;
    }();
    return table;
}

bool hasDigit(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// Does the text inside a bracket pair try to be a Quran reference?
bool looksLikeReference(const QString &inside)
{
    if (hasDigit(inside) || inside.startsWith(QStringLiteral("سورة")))
        return true;
    static const QRegularExpression nameThenMark(QStringLiteral("^\\s*([^:،\\s][^:،]*?)\\s*[:،]"));
    const auto m = nameThenMark.match(inside);
    return m.hasMatch() && surahVerses(m.captured(1)) > 0;
}

void checkPairs(const QString &text, QChar open, QChar close, QStringList &problems)
{
    bool inside = false;
    for (const QChar c : text) {
        if (c == open || c == close) {
            if (inside == (c == open)) {
                problems << QStringLiteral("unbalanced %1 %2").arg(open, close);
                return;
            }
            inside = !inside;
        }
    }
    if (inside)
        problems << QStringLiteral("unbalanced %1 %2").arg(open, close);
}

int number(const QString &digits)
{
    int n = 0;
    for (const QChar c : digits)
        n = n * 10 + c.digitValue();
    return n;
}

int lastNonBlankBefore(const QString &text, qsizetype pos)
{
    while (pos > 0 && text.at(pos - 1).isSpace())
        --pos;
    return pos > 0 ? int(pos - 1) : -1;
}

} // namespace

int surahVerses(const QString &name)
{
    return versesByName().value(name, 0);
}

CitationScan scanCitations(const QString &text)
{
    CitationScan scan;
    const QChar quranOpen(0xFD3F), quranClose(0xFD3E); // ﴿ and ﴾ as they read
    checkPairs(text, quranOpen, quranClose, scan.problems);
    checkPairs(text, QChar(0x00AB), QChar(0x00BB), scan.problems);
    const bool balanced = scan.problems.isEmpty();

    static const QRegularExpression group(QStringLiteral("[(\\[]([^()\\[\\]]*)[)\\]]"));
    static const QRegularExpression reference(QStringLiteral("^(\\S.*\\S|\\S): ([0-9]{1,3}|[٠-٩]{1,3})(?:-([0-9]{1,3}|[٠-٩]{1,3}))?$"));
    QSet<qsizetype> referenceStarts;
    scan.rest = text;
    for (auto it = group.globalMatch(text); it.hasNext();) {
        const auto g = it.next();
        const QString inside = g.captured(1);
        if (!looksLikeReference(inside))
            continue;
        referenceStarts.insert(g.capturedStart());
        scan.rest.replace(g.capturedStart(), g.capturedLength(), QString(g.capturedLength(), QLatin1Char(' ')));
        const auto r = reference.match(inside);
        if (!r.hasMatch() || g.captured(0).front() != QLatin1Char('(') || g.captured(0).back() != QLatin1Char(')')) {
            scan.problems << QStringLiteral("malformed Quran reference \"%1\"; write (السورة: N) or (السورة: N-M)").arg(g.captured(0));
            continue;
        }
        const int verses = surahVerses(r.captured(1));
        const int from = number(r.captured(2));
        const int to = r.hasCaptured(3) ? number(r.captured(3)) : from;
        if (verses == 0) {
            scan.problems << QStringLiteral("\"%1\" in %2 is no surah's name").arg(r.captured(1), g.captured(0));
            continue;
        }
        if (from < 1 || to > verses || (r.hasCaptured(3) && to <= from)) {
            scan.problems << QStringLiteral("%1: verses are 1 to %2 and a range runs upwards").arg(g.captured(0)).arg(verses);
            continue;
        }
        const int before = lastNonBlankBefore(text, g.capturedStart());
        if (!balanced)
            continue; // one message is enough for a broken quotation
        if (before >= 0 && text.at(before) == QChar(0x00BB))
            scan.problems << QStringLiteral("the quotation before %1 goes inside ﴿…﴾, not «…»").arg(g.captured(0));
        else if (before < 0 || text.at(before) != quranClose)
            scan.problems << QStringLiteral("the reference %1 follows no ﴿quotation﴾").arg(g.captured(0));
    }
    if (balanced) {
        for (qsizetype pos = text.indexOf(quranClose); pos >= 0; pos = text.indexOf(quranClose, pos + 1)) {
            qsizetype next = pos + 1;
            while (next < text.size() && text.at(next).isSpace())
                ++next;
            if (!referenceStarts.contains(next))
                scan.problems << QStringLiteral("a ﴿quotation﴾ with no reference (السورة: N) after it");
        }
    }
    return scan;
}

} // namespace velkaram::data
