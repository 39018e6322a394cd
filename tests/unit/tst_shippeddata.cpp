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
        QVERIFY2(entries >= 3500, qPrintable(QStringLiteral("%1 entries; the dictionary needs at least 3500").arg(entries)));
        QVERIFY2(byKeyword.size() >= 1400,
                 qPrintable(QStringLiteral("%1 distinct keywords; the dictionary needs at least 1400").arg(byKeyword.size())));
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
        QVERIFY2(median >= 35, qPrintable(QStringLiteral("the median interpretation has %1 words; it must have at least 35").arg(median)));
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
        // Variants readers of the most searched symbols ask for.
        QTest::newRow("the black cat") << QStringLiteral("قط") << QStringLiteral("القط الأسود");
        QTest::newRow("the yellow scorpion") << QStringLiteral("عقرب") << QStringLiteral("عقرب صفراء");
        QTest::newRow("the black scorpion") << QStringLiteral("عقرب") << QStringLiteral("عقرب سوداء");
        QTest::newRow("the dead visiting") << QStringLiteral("ميت") << QStringLiteral("زيارة الميت");
        QTest::newRow("the dead asking for food") << QStringLiteral("ميت") << QStringLiteral("الميت يطلب طعاما");
        QTest::newRow("a married woman's divorce") << QStringLiteral("طلاق") << QStringLiteral("للمتزوجة");
        QTest::newRow("a married woman cutting her hair") << QStringLiteral("شعر") << QStringLiteral("قص شعرها للمتزوجة");
        QTest::newRow("a house on fire") << QStringLiteral("حريق") << QStringLiteral("احتراق البيت");
    }
    void requiredDreams()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, words);
        const auto dreams = byKeyword.value(keyword);
        const bool found = std::any_of(dreams.begin(), dreams.end(), [&](const Dream &d) { return d.dream.contains(words); });
        QVERIFY2(found, qPrintable(QStringLiteral("no dream under \"%1\" names \"%2\" (found: %3)").arg(keyword, words, dreamsOf(keyword))));
    }

    // Readers ask for a symbol as it concerns them ("…للعزباء", "…للحامل"):
    // the symbols most searched have a reading of their own for each state the
    // tradition reads apart, titled with the state.
    void readingsByTheDreamersState_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QStringList>("states");
        // keyword: the states it reads apart, by the last word of their titles.
        const char *const rows[] = {
            "أسنان:عزباء متزوجة حامل مطلقة مريض أرملة",
            "أسد:عزباء متزوجة حامل مطلقة مسافر",
            "أم:عزباء متزوجة حامل مطلقة أرملة",
            "أب:عزباء متزوجة حامل مطلقة",
            "أكل:عزباء متزوجة حامل مطلقة مريض",
            "أذان:عزباء متزوجة حامل مطلقة مسافر",
            "امتحان:عزباء متزوجة حامل مطلقة رجل",
            "أظافر:عزباء متزوجة حامل مطلقة",
            "أخ:عزباء متزوجة حامل مطلقة رجل",
            "أخت:عزباء متزوجة حامل مطلقة رجل",
            "استحمام:عزباء متزوجة حامل مطلقة مريض",
            "ابن:عزباء متزوجة حامل مطلقة أرملة",
            "بيت:عزباء متزوجة حامل مطلقة مسافر أرملة",
            "بحر:عزباء متزوجة حامل مطلقة رجل مسافر",
            "بكاء:عزباء متزوجة حامل مطلقة رجل مريض أرملة",
            "باب:عزباء متزوجة حامل مطلقة رجل",
            "بقرة:عزباء متزوجة حامل مطلقة رجل",
            "بيض:عزباء متزوجة حامل مطلقة رجل",
            "بئر:عزباء متزوجة حامل مطلقة رجل مسافر",
            "تمر:عزباء متزوجة حامل مطلقة رجل مريض أرملة",
            "تمساح:عزباء متزوجة حامل مطلقة رجل مسافر",
            "تفاح:عزباء متزوجة حامل مطلقة مريض",
            "ثعبان:عزباء متزوجة حامل مطلقة رجل مريض أرملة",
            "ثلج:عزباء متزوجة حامل مطلقة مسافر",
            "ثعلب:عزباء متزوجة حامل مطلقة رجل",
            "جمل:عزباء متزوجة حامل مطلقة رجل مسافر",
            "جنازة:عزباء متزوجة حامل مطلقة رجل مريض أرملة",
            "جنة:عزباء متزوجة حامل مطلقة مريض أرملة",
            "جن:عزباء متزوجة حامل مطلقة رجل مريض",
            "جبل:عزباء متزوجة حامل مطلقة رجل مسافر",
            "خاتم:عزباء متزوجة حامل مطلقة رجل مريض أرملة",
            "خبز:عزباء متزوجة حامل مطلقة رجل مريض مسافر",
            "خنزير:عزباء متزوجة حامل مطلقة رجل مسافر",
            "خروف:عزباء متزوجة حامل مطلقة رجل أرملة",
            "دم:عزباء متزوجة حامل مطلقة رجل مريض أرملة",
            "دجاج:عزباء متزوجة حامل مطلقة رجل أرملة",
            "دود:عزباء متزوجة حامل مطلقة رجل مريض أرملة",
            "حمل:عزباء متزوجة حامل مطلقة رجل أرملة",
            "حيض:عزباء متزوجة حامل مطلقة",
            "حج:عزباء متزوجة حامل مطلقة رجل مريض",
            "حصان:عزباء متزوجة حامل مطلقة رجل مسافر",
            "حمار:عزباء متزوجة حامل مطلقة رجل مسافر",
            "حذاء:عزباء متزوجة حامل مطلقة مسافر",
            "حليب:عزباء متزوجة حامل مطلقة مريض",
            "حجاب:عزباء متزوجة حامل مطلقة أرملة",
            "حريق:عزباء متزوجة حامل مطلقة رجل",
            "حلاقة:عزباء متزوجة حامل مطلقة رجل مريض",
            "حمامة:عزباء متزوجة حامل مطلقة مسافر",
            "حوت:عزباء متزوجة حامل مطلقة مسافر",
            "ذهب:عزباء متزوجة حامل مطلقة رجل أرملة",
            "ذئب:عزباء متزوجة حامل مطلقة مسافر",
            "ذبح:عزباء متزوجة حامل مطلقة رجل مريض",
            "ذباب:عزباء متزوجة حامل مطلقة مريض",
            "رضاعة:عزباء متزوجة حامل مطلقة أرملة",
            "رمان:عزباء متزوجة حامل مطلقة مريض",
            "رأس:عزباء متزوجة حامل مطلقة رجل مريض",
            "زواج:عزباء متزوجة حامل مطلقة أرملة",
            "زوج:عزباء متزوجة حامل مطلقة أرملة",
            "زوجة:عزباء متزوجة حامل مطلقة رجل مسافر",
            "زيت:عزباء متزوجة حامل مطلقة رجل مريض",
            "زلزال:عزباء متزوجة حامل مطلقة رجل مسافر",
            "سيارة:عزباء متزوجة حامل مطلقة رجل مسافر",
            "سفر:عزباء متزوجة حامل مطلقة رجل مريض",
            "سمك:عزباء متزوجة حامل مطلقة رجل مريض",
            "سقوط:عزباء متزوجة حامل مطلقة رجل مسافر",
            "سباحة:عزباء متزوجة حامل مطلقة رجل مريض",
            "سجن:عزباء متزوجة حامل مطلقة رجل مريض",
            "سحر:عزباء متزوجة حامل مطلقة رجل",
            "سماء:عزباء متزوجة حامل مطلقة مسافر",
            "سكين:عزباء متزوجة حامل مطلقة رجل",
            "شعر:عزباء متزوجة حامل مطلقة رجل أرملة",
            "شمس:عزباء متزوجة حامل مطلقة مريض مسافر",
            "شجرة:عزباء متزوجة حامل مطلقة رجل مريض",
            "شيطان:عزباء متزوجة حامل مطلقة رجل مريض",
            "صلاة:عزباء متزوجة حامل مطلقة رجل مريض",
            "صوم:عزباء متزوجة حامل مطلقة مريض مسافر",
            "صديق:عزباء متزوجة حامل مطلقة رجل مسافر",
            "صدقة:عزباء متزوجة حامل مطلقة رجل مريض",
            "ضحك:عزباء متزوجة حامل مطلقة أرملة",
            "ضرب:عزباء متزوجة حامل مطلقة رجل",
            "ضرس:عزباء متزوجة حامل مطلقة رجل",
            "ضيف:عزباء متزوجة حامل مطلقة مسافر أرملة",
            "طفل:عزباء متزوجة حامل مطلقة رجل",
            "طلاق:عزباء متزوجة حامل مطلقة",
            "طائرة:عزباء متزوجة حامل مطلقة مسافر",
            "طيران:عزباء متزوجة حامل مطلقة مريض",
            "طعام:عزباء متزوجة حامل مطلقة مريض مسافر",
            "طريق:عزباء متزوجة حامل مطلقة مسافر",
            "ظبي:عزباء متزوجة حامل مطلقة رجل",
            "ظلام:عزباء متزوجة حامل مطلقة مريض مسافر",
            "عقرب:عزباء متزوجة حامل مطلقة رجل",
            "عين:عزباء متزوجة حامل مطلقة رجل مريض",
            "عرس:عزباء متزوجة حامل مطلقة رجل أرملة",
            "عسل:عزباء متزوجة حامل مطلقة رجل مريض",
            "عنب:عزباء متزوجة حامل مطلقة رجل",
            "عمرة:عزباء متزوجة حامل مطلقة رجل مريض أرملة",
            "عصا:عزباء متزوجة حامل مطلقة رجل مسافر",
            "عروس:عزباء متزوجة حامل مطلقة رجل أرملة",
            "عنكبوت:عزباء متزوجة حامل مطلقة رجل",
            "غسل:عزباء متزوجة حامل مطلقة رجل مريض أرملة",
            "غراب:عزباء متزوجة حامل مطلقة رجل مسافر",
            "غرق:عزباء متزوجة حامل مطلقة رجل مسافر",
            "غنم:عزباء متزوجة حامل مطلقة رجل",
            "فأر:عزباء متزوجة حامل مطلقة رجل",
            "فيل:عزباء متزوجة حامل مطلقة رجل",
            "فستان:عزباء متزوجة حامل مطلقة أرملة",
            "فضة:عزباء متزوجة حامل مطلقة رجل",
            "فاكهة:عزباء متزوجة حامل مطلقة رجل مريض",
            "قط:عزباء متزوجة حامل مطلقة رجل أرملة",
            "قرآن:عزباء متزوجة حامل مطلقة رجل مريض أرملة",
            "قبر:عزباء متزوجة حامل مطلقة رجل مسافر أرملة",
            "قمر:عزباء متزوجة حامل مطلقة مسافر أرملة",
            "قرد:عزباء متزوجة حامل مطلقة رجل",
            "قمل:عزباء متزوجة حامل مطلقة رجل مريض",
            "قميص:عزباء متزوجة حامل مطلقة رجل",
            "قتل:عزباء متزوجة حامل مطلقة رجل",
            "قيء:عزباء متزوجة حامل مطلقة مريض",
            "قهوة:عزباء متزوجة حامل مطلقة رجل",
            "كلب:عزباء متزوجة حامل مطلقة رجل",
            "كعبة:عزباء متزوجة حامل مطلقة رجل مريض",
            "كتاب:عزباء متزوجة حامل مطلقة رجل مسافر",
            "كفن:عزباء متزوجة حامل مطلقة مسافر أرملة",
            "لحية:عزباء متزوجة حامل مطلقة رجل",
            "لحم:عزباء متزوجة حامل مطلقة رجل مريض",
            "لص:عزباء متزوجة حامل مطلقة مسافر أرملة",
            "ماء:عزباء متزوجة حامل مطلقة مريض مسافر",
            "ميت:عزباء متزوجة حامل مطلقة أرملة",
            "موت:عزباء متزوجة حامل مطلقة مريض",
            "ملابس:عزباء متزوجة حامل مطلقة رجل أرملة",
            "مطر:عزباء متزوجة حامل مطلقة مريض مسافر",
            "مسجد:عزباء متزوجة حامل مطلقة رجل أرملة",
            "مال:عزباء متزوجة حامل مطلقة رجل مسافر أرملة",
            "مفتاح:عزباء متزوجة حامل مطلقة رجل",
            "مصحف:عزباء متزوجة حامل مطلقة مريض",
            "مرض:عزباء متزوجة حامل مطلقة مريض",
            "مرآة:عزباء متزوجة حامل مطلقة رجل",
            "ملك:عزباء متزوجة حامل مطلقة رجل",
            "نار:عزباء متزوجة حامل مطلقة رجل مريض",
            "نمل:عزباء متزوجة حامل مطلقة رجل",
            "نخلة:عزباء متزوجة حامل مطلقة رجل",
            "نهر:عزباء متزوجة حامل مطلقة مسافر",
            "نحل:عزباء متزوجة حامل مطلقة رجل",
            "هدية:عزباء متزوجة حامل مطلقة رجل أرملة",
            "هلال:عزباء متزوجة حامل مطلقة مريض مسافر",
            "هاتف:عزباء متزوجة حامل مطلقة مسافر",
            "ولادة:عزباء متزوجة حامل مطلقة رجل أرملة",
            "وضوء:عزباء متزوجة حامل مطلقة مريض",
            "وجه:عزباء متزوجة حامل مطلقة أرملة",
            "يد:عزباء متزوجة حامل مطلقة رجل",
        };
        for (const char *row : rows) {
            const QStringList parts = QString::fromUtf8(row).split(QLatin1Char(':'));
            QTest::newRow(qPrintable(parts[0])) << parts[0] << parts[1].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        }
    }
    void readingsByTheDreamersState()
    {
        QFETCH(QString, keyword);
        QFETCH(QStringList, states);
        QVERIFY(states.size() >= 4);
        const auto dreams = byKeyword.value(keyword);
        for (const QString &state : states) {
            const QString ending = velkaram::foldText(QStringLiteral("لل") + state);
            const bool found = std::any_of(dreams.begin(), dreams.end(), [&](const Dream &d) {
                return !d.isCrossReference() && velkaram::foldText(d.dream).trimmed().endsWith(ending);
            });
            QVERIFY2(found, qPrintable(QStringLiteral("no reading of \"%1\" for \"%2\" (found: %3)").arg(keyword, state, dreamsOf(keyword))));
        }
    }

    // Quran quotations are in one style, the vocalized Uthmani text (a script
    // checks them word for word against a Quran text): no bare word inside
    // ﴿…﴾, and each is followed by its sura and verse.
    void quranQuotationsAreVocalized()
    {
        static const QRegularExpression quotation(QStringLiteral("﴿([^﴾]*)﴾(.{0,40})"));
        static const QRegularExpression citation(QStringLiteral("^\\s*\\([^():]+: [0-9]+(-[0-9]+)?\\)"));
        static const QRegularExpression vowel(QStringLiteral("[\\x{064B}-\\x{0652}\\x{0670}]"));
        QStringList faults;
        int quotations = 0;
        for (auto it = byKeyword.cbegin(); it != byKeyword.cend(); ++it) {
            for (const Dream &d : it.value()) {
                for (auto m = quotation.globalMatch(d.interpretation); m.hasNext();) {
                    const auto q = m.next();
                    ++quotations;
                    if (!citation.match(q.captured(2)).hasMatch())
                        faults << QStringLiteral("%1: no citation after ﴿%2﴾").arg(d.dream, q.captured(1));
                    for (const QString &word : q.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                        if (!vowel.match(word).hasMatch() && word.size() > 1)
                            faults << QStringLiteral("%1: bare word \"%2\" in ﴿%3﴾").arg(d.dream, word, q.captured(1));
                    }
                }
            }
        }
        QVERIFY(quotations >= 150);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    }

    // A saying of the Prophet quoted in an entry names where it is recorded
    // (and its grade, outside the two Sahihs) in the same sentence.
    void hadithNameTheirCollection()
    {
        static const QRegularExpression quoted(QStringLiteral("«[^»]*»"));
        static const QRegularExpression prophetic(QStringLiteral("الحديث|صلى الله عليه وسلم|النبي|رسول الله"));
        static const QRegularExpression source(QStringLiteral("رواه|روى|متفق عليه|الصحيحين|صحيح البخاري|صحيح مسلم|أخرجه"));
        QStringList unsourced;
        int sayings = 0;
        for (auto it = byKeyword.cbegin(); it != byKeyword.cend(); ++it) {
            for (const Dream &d : it.value()) {
                const QString &text = d.interpretation;
                for (auto m = quoted.globalMatch(text); m.hasNext();) {
                    const auto q = m.next();
                    // The sentence around the quotation.
                    const qsizetype from = text.lastIndexOf(QLatin1Char('.'), q.capturedStart()) + 1;
                    qsizetype to = text.indexOf(QLatin1Char('.'), q.capturedEnd());
                    const QString sentence = text.mid(from, to < 0 ? -1 : to - from);
                    if (!prophetic.match(sentence).hasMatch())
                        continue;
                    ++sayings;
                    if (!source.match(sentence).hasMatch())
                        unsourced << QStringLiteral("%1 / %2").arg(it.key(), d.dream);
                }
            }
        }
        QVERIFY(sayings >= 20);
        QVERIFY2(unsourced.isEmpty(), qPrintable(QStringLiteral("a hadith without its collection: ") + unsourced.join(QStringLiteral("; "))));
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
                                             "ماعز/عنز غنى/ثروة مائدة/طاولة مصباح/فانوس مرحاض/خلاء قيام_الليل/تهجد ينبوع/عين_ماء "
                                             "حنفية/صنبور لافتة/يافطة");
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
