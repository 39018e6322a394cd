// The database the build ships, read through the record store as the
// windows read it, held to what the finished dictionary must contain.
#include "core/dictionary/statements.h"
#include "core/recordstore/connection.h"
#include "core/recordstore/recordset.h"
#include "core/text/arabicfold.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <algorithm>

using namespace velkaram::rs;

namespace {

struct Dream {
    QString dream;
    QString interpretation;
    bool isCrossReference() const { return interpretation.startsWith(QStringLiteral("انظر: ")); }
};

int wordCount(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return int(text.split(blanks, Qt::SkipEmptyParts).size());
}

} // namespace

class TestShippedData : public QObject {
    Q_OBJECT

    std::shared_ptr<Connection> connection;
    QHash<QString, QList<Dream>> byKeyword;
    int entries = 0;

    QString dreamsOf(const QString &keyword) const
    {
        QStringList dreams;
        for (const Dream &d : byKeyword.value(keyword))
            dreams << d.dream;
        return dreams.isEmpty() ? QStringLiteral("none") : dreams.join(QStringLiteral(" | "));
    }

private slots:
    void initTestCase()
    {
        connection = std::make_shared<Connection>();
        connection->Open(QStringLiteral(VELKARAM_BUILD_DIR "/KELVRA.mdb"));
        Recordset rs;
        rs.Open(QStringLiteral("[dream]"), connection, adOpenStatic, adLockReadOnly);
        for (; !rs.AtEnd(); rs.MoveNext()) {
            byKeyword[rs.Fields(1).Value().toString()].append({rs.Fields(2).Value().toString(), rs.Fields(3).Value().toString()});
            ++entries;
        }
    }

    // A click on a dream in the results finds its entry by the title alone:
    // no title may stand twice, however it is written.
    void everyDreamTitleIsItsOwn()
    {
        QHash<QString, QString> seen;
        QStringList repeated;
        for (auto it = byKeyword.cbegin(); it != byKeyword.cend(); ++it) {
            for (const Dream &d : it.value()) {
                const QString title = velkaram::foldText(d.dream).simplified();
                if (seen.contains(title))
                    repeated << QStringLiteral("%1 (%2 and %3)").arg(d.dream, seen.value(title), it.key());
                seen.insert(title, it.key());
            }
        }
        QVERIFY2(repeated.isEmpty(), qPrintable(repeated.join(QStringLiteral("; "))));
    }

    // Titles that once stood under two or three keywords (where the twin
    // readings were not merged into one): the click's lookup now finds each
    // entry, and only it.
    void formerlySharedTitlesFindTheirEntry_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("keyword");
        const std::pair<const char *, const char *> rows[] = {
            {"المشي حافيا في الطريق", "مشي"},
            {"الوقوف بعرفة", "حج"}, {"الوقوف على صعيد عرفة", "عرفة"},
            {"الغش في الامتحان", "امتحان"}, {"الغش من ورقة زميل في الامتحان", "غش"},
            {"الصلاة إلى غير القبلة", "صلاة"}, {"الصلاة إلى غير جهة القبلة", "قِبلة"},
            {"لقاء صديق قديم", "صديق"}, {"لقاء صديق قديم بعد طول غياب", "لقاء"},
            {"حمل النعش على الأكتاف", "جنازة"},
            {"النوم على سطح البيت", "سطح"}, {"النوم على السطح تحت السماء المكشوفة", "نوم"},
            {"شرب الماء من كوب زجاج", "زجاج"}, {"شرب الماء من قدح زجاج نقي", "شراب"},
            {"الأكل باليد اليسرى", "أكل"}, {"تناول الطعام باليد اليسرى", "يسار"},
        };
        for (const auto &[title, keyword] : rows)
            QTest::newRow(title) << QString::fromUtf8(title) << QString::fromUtf8(keyword);
    }
    void formerlySharedTitlesFindTheirEntry()
    {
        QFETCH(QString, title);
        QFETCH(QString, keyword);
        Recordset rs;
        rs.Open(velkaram::statements::dreamLookup(title), connection, adOpenStatic, adLockReadOnly);
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Fields(QStringLiteral("المفتاح")).Value().toString(), keyword);
    }

    void dictionaryCoversTheAlphabet()
    {
        Recordset rs;
        rs.Open(QStringLiteral("[dream]"), connection, adOpenStatic, adLockReadOnly);
        QCOMPARE(rs.Fields(1).Name(), QStringLiteral("المفتاح"));
        QCOMPARE(rs.Fields(2).Name(), QStringLiteral("الحلم"));
        QCOMPARE(rs.Fields(3).Name(), QStringLiteral("التفسير"));

        const QString alphabet = QStringLiteral("ابتثجحخدذرزسشصضطظعغفقكلمنهوي");
        QSet<QChar> letters;
        for (auto it = byKeyword.cbegin(); it != byKeyword.cend(); ++it) {
            QString key = it.key();
            if (key.startsWith(QStringLiteral("ال")) && key.size() > 3)
                key = key.mid(2);
            QChar first = key.at(0);
            if (QStringLiteral("أإآ").contains(first))
                first = QChar(0x0627);
            letters.insert(first);
        }
        QString missing;
        for (const QChar letter : alphabet) {
            if (!letters.contains(letter))
                missing += letter;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("no keyword under %1").arg(missing)));
    }

    void dictionaryIsLargeEnough()
    {
        QVERIFY2(entries >= 2500, qPrintable(QStringLiteral("%1 entries; the dictionary needs at least 2500").arg(entries)));
        QVERIFY2(byKeyword.size() >= 1200,
                 qPrintable(QStringLiteral("%1 distinct keywords; the dictionary needs at least 1200").arg(byKeyword.size())));
    }

    void interpretationsAreFull()
    {
        std::vector<int> lengths;
        QStringList short_;
        for (auto it = byKeyword.cbegin(); it != byKeyword.cend(); ++it) {
            for (const Dream &d : it.value()) {
                if (d.isCrossReference())
                    continue;
                const int words = wordCount(d.interpretation);
                lengths.push_back(words);
                if (words < 20)
                    short_ << QStringLiteral("%1 / %2 (%3 words)").arg(it.key(), d.dream).arg(words);
            }
        }
        QVERIFY(!lengths.empty());
        QVERIFY2(short_.isEmpty(), qPrintable(QStringLiteral("interpretations under 20 words: ") + short_.join(QStringLiteral("; "))));
        std::sort(lengths.begin(), lengths.end());
        const int median = lengths[lengths.size() / 2];
        QVERIFY2(median >= 30, qPrintable(QStringLiteral("the median interpretation has %1 words; it must have at least 30").arg(median)));
    }

    void requiredKeywords_data()
    {
        QTest::addColumn<QString>("keyword");
        const QString keywords = QStringLiteral("زوج زوجة عمرة حيض احتلام جماع قضاء_الحاجة حسد عين جهنم صراط مسجد جد جدة عم عمة خال خالة "
                                                "صلع قمل بعوض سقف ساعة عمل وظيفة مدير مسدس إجهاض");
        for (QString keyword : keywords.split(QLatin1Char(' '))) {
            keyword.replace(QLatin1Char('_'), QLatin1Char(' '));
            QTest::newRow(qPrintable(keyword)) << keyword;
        }
    }
    void requiredKeywords()
    {
        QFETCH(QString, keyword);
        int own = 0;
        for (const Dream &d : byKeyword.value(keyword))
            own += d.isCrossReference() ? 0 : 1;
        QVERIFY2(own >= 2, qPrintable(QStringLiteral("keyword \"%1\" has %2 dream(s) of its own; it needs at least 2 (found: %3)")
                                          .arg(keyword).arg(own).arg(dreamsOf(keyword))));
    }

    void requiredDreams_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("words");
        QTest::newRow("the Prophet's mosque") << QStringLiteral("مسجد") << QStringLiteral("المسجد النبوي");
        QTest::newRow("al-Aqsa") << QStringLiteral("مسجد") << QStringLiteral("المسجد الأقصى");
        QTest::newRow("a husband's betrayal") << QStringLiteral("زوج") << QStringLiteral("خيانة");
    }
    void requiredDreams()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, words);
        const auto dreams = byKeyword.value(keyword);
        const bool found = std::any_of(dreams.begin(), dreams.end(), [&](const Dream &d) { return d.dream.contains(words); });
        QVERIFY2(found, qPrintable(QStringLiteral("no dream under \"%1\" names \"%2\" (found: %3)").arg(keyword, words, dreamsOf(keyword))));
    }

    // A synonym has one entry: a cross-reference to the keyword that holds the meanings.
    void noSynonymTwins_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("synonym");
        const QString pairs = QStringLiteral("أظافر/ظفر حصان/فرس حليب/لبن سحاب/غيم ملابس/ثوب ملابس/لباس بيت/دار بيت/منزل ثعبان/حية "
                                             "ثعبان/أفعى حذاء/نعل قط/هرة طاحونة/رحى خفاش/وطواط دقيق/طحين "
                                             "قيء/تقيؤ ظبي/غزال غنم/ضأن قرآن/تلاوة أنف/رعاف كهف/مغارة طين/وحل حجاب/خمار جنازة/نعش "
                                             "بكاء/دموع مأتم/عزاء استحمام/اغتسال جندي/عسكري لحاف/بطانية مطر/غيث لطم/صفع خصومة/شجار "
                                             "ماعز/عنز غنى/ثروة مائدة/طاولة مصباح/فانوس مرحاض/خلاء قيام_الليل/تهجد ينبوع/عين_ماء");
        // "_" stands for a blank inside a keyword.
        for (const QString &pair : pairs.split(QLatin1Char(' '))) {
            const QStringList words = QString(pair).replace(QLatin1Char('_'), QLatin1Char(' ')).split(QLatin1Char('/'));
            QTest::newRow(qPrintable(pair)) << words[0] << words[1];
        }
    }
    void noSynonymTwins()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, synonym);
        const auto own = byKeyword.value(keyword);
        QVERIFY2(std::any_of(own.begin(), own.end(), [](const Dream &d) { return !d.isCrossReference(); }),
                 qPrintable(QStringLiteral("\"%1\" has no dream of its own (found: %2)").arg(keyword, dreamsOf(keyword))));
        const auto twin = byKeyword.value(synonym);
        const QString expected = QStringLiteral("انظر: %1").arg(keyword);
        const bool onlyReference = twin.size() == 1 && twin[0].dream == QStringLiteral("إحالة من %1 إلى باب %2").arg(synonym, keyword)
                && (twin[0].interpretation == expected + QLatin1Char('.') || twin[0].interpretation.startsWith(expected + QStringLiteral("، "))
                    || twin[0].interpretation.startsWith(expected + QStringLiteral(". ")));
        QVERIFY2(onlyReference, qPrintable(QStringLiteral("\"%1\" must hold one entry only, \"إحالة من %1 إلى باب %2\" / \"%3.\"; it has %4 (found: %5)")
                                               .arg(synonym, keyword, expected).arg(twin.size()).arg(dreamsOf(synonym))));
    }

    void encyclopediaHasArticles()
    {
        Recordset rs;
        rs.Open(QStringLiteral("encyclopidia"), connection, adOpenDynamic, adLockOptimistic, adCmdTable);
        QVERIFY(rs.RecordCount() >= 40);
        QVERIFY(!rs.Fields(QStringLiteral("suubtopi")).Value().toString().isEmpty());
        QVERIFY(rs.Fields(QStringLiteral("text")).Value().toString().size() > 500);
    }

    void foldedSearchFindsSpellingVariants()
    {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM [dream] WHERE [المفتاح] LIKE '%اسد%'"), connection, adOpenStatic, adLockReadOnly);
        QVERIFY(rs.RecordCount() > 0);
        QVERIFY(rs.Fields(1).Value().toString().contains(QStringLiteral("أسد")));
    }
};

QTEST_GUILESS_MAIN(TestShippedData)
#include "tst_shippeddata.moc"
