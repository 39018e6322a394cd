#include "core/reader/entrysource.h"
#include "core/reader/readerindex.h"
#include "core/recordstore/connection.h"
#include "core/runtimeerror.h"
#include "fixturedb.h"

#include <QTemporaryDir>
#include <QTest>

using namespace velkaram;
using namespace velkaram::reader;

namespace {

// A small lexicon of its own, so that the rules show without the built-in one.
const Lexicon &testLexicon()
{
    static const Lexicon lexicon(QStringLiteral("word\theadword\nفلوس\tمال\n"), QStringLiteral("حلمت\nاني\nفي\nمن\n"));
    return lexicon;
}

struct Row {
    const char *keyword, *dream, *interpretation;
};

std::unique_ptr<ReaderIndex> indexOf(std::initializer_list<Row> rows)
{
    auto index = std::make_unique<ReaderIndex>(testLexicon());
    qint64 row = 1;
    for (const Row &r : rows)
        index->add(row++, r.keyword, r.dream, r.interpretation);
    index->finish();
    return index;
}

// What the list shows, as "keyword|dream".
QStringList shown(const std::vector<Suggestion> &suggestions)
{
    QStringList out;
    for (const Suggestion &s : suggestions)
        out << s.keyword + QLatin1Char('|') + s.dream;
    return out;
}

QStringList find(const ReaderIndex &index, const QString &text, Reading reading = Reading::Complete)
{
    return shown(index.suggest(text, reading));
}

} // namespace

class TestReaderIndex : public QObject {
    Q_OBJECT

private slots:
    // Where a word is found decides first: keyword, then dream, then
    // interpretation; within one place, table order.
    void keywordThenDreamThenInterpretation()
    {
        const auto index = indexOf({{"بحر", "السفر في سفينة", "خير كثير"},
                                    {"سفر", "ركوب البحر", "رزق"},
                                    {"بحر", "الغرق في الماء", "هم"},
                                    {"نهر", "العبور على جسر", "يدل على البحر والسفر"}});
        QCOMPARE(find(*index, QStringLiteral("بحر")),
                 (QStringList{"بحر|السفر في سفينة", "بحر|الغرق في الماء", "سفر|ركوب البحر", "نهر|العبور على جسر"}));
    }

    // An entry that holds every word of the reader's comes before one that
    // holds some, wherever they are; fillers are no words of the reader's.
    void everyWordBeforeSome()
    {
        const auto index = indexOf({{"كلب", "كلب صيد", "خير"},
                                    {"كلب", "كلب يطارد الرائي", "عدو"},
                                    {"مطاردة", "مطاردة لص", "نجاة"}});
        QCOMPARE(find(*index, QStringLiteral("حلمت اني كلاب تطاردني")).first(), QStringLiteral("كلب|كلب يطارد الرائي"));
        QCOMPARE(find(*index, QStringLiteral("حلمت اني")), QStringList{});
    }

    // Words, not letters inside words: "دم" is not in "قدم" or "دموع".
    void wordsNotSubstrings()
    {
        const auto index = indexOf({{"قدم", "جرح القدم", "تعب"}, {"دموع", "نزول الدموع", "فرج"}, {"دم", "نزيف الدم", "مال"}});
        QCOMPARE(find(*index, QStringLiteral("دم")), QStringList{"دم|نزيف الدم"});
    }

    // The word still being typed also stands for the words it begins, but
    // an entry that holds the word itself comes first.
    void growingLastWord()
    {
        const auto index = indexOf({{"دمل", "ظهور دمل", "مرض"}, {"دم", "نزيف الدم", "مال"}, {"ثعبان", "ثعبان كبير", "عدو"}});
        QCOMPARE(find(*index, QStringLiteral("ثعب"), Reading::Typing), QStringList{"ثعبان|ثعبان كبير"});
        QCOMPARE(find(*index, QStringLiteral("ثعب"), Reading::Complete), QStringList{});
        QCOMPARE(find(*index, QStringLiteral("دم"), Reading::Typing), (QStringList{"دم|نزيف الدم", "دمل|ظهور دمل"}));
        QCOMPARE(find(*index, QStringLiteral("دم "), Reading::Typing), QStringList{"دم|نزيف الدم"});
    }

    // A guess at a growing word counts only where the word itself is not
    // found: here the word is in both interpretations, and a longer word
    // it begins in one dream title changes nothing.
    void guessesDoNotOutweighTheWord()
    {
        const auto index = indexOf({{"كنز", "العثور على كنز", "مال وفير"}, {"غرامة", "دفع غرامة ماليات", "خسارة مال"}});
        QCOMPARE(find(*index, QStringLiteral("مال"), Reading::Typing),
                 (QStringList{"كنز|العثور على كنز", "غرامة|دفع غرامة ماليات"}));
    }

    // A reading for a dreamer's state ("…للعزباء") comes after the general
    // ones unless the reader names that state; named, it comes first.
    void readingsForAStateTheReaderNamed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const QString general = QStringLiteral("أسنان|سقوط الأسنان كلها");
        const QString single = QStringLiteral("أسنان|سقوط الأسنان للعزباء");
        const QString pregnant = QStringLiteral("أسنان|سقوط الأسنان للحامل");
        QTest::newRow("no state") << QStringLiteral("سقوط الاسنان") << QStringList{general, single, pregnant};
        QTest::newRow("unmarried, with لل") << QStringLiteral("سقوط الاسنان للعزباء") << QStringList{single, general, pregnant};
        QTest::newRow("pregnant, in a sentence") << QStringLiteral("حلمت بسقوط اسناني وانا حامل") << QStringList{pregnant, general, single};
        QTest::newRow("pregnant, colloquial") << QStringLiteral("سقوط الاسنان للحامله") << QStringList{pregnant, general, single};
        QTest::newRow("another state named") << QStringLiteral("سقوط الاسنان للمطلقة") << QStringList{general, single, pregnant};
    }
    void readingsForAStateTheReaderNamed()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        // Table order alone would put the state readings first.
        const auto index = indexOf({{"أسنان", "سقوط الأسنان للعزباء", "زواج قريب"},
                                    {"أسنان", "سقوط الأسنان للحامل", "ولادة ميسرة"},
                                    {"أسنان", "سقوط الأسنان كلها", "طول عمر"}});
        QCOMPARE(find(*index, text), expected);
    }

    // One letter alone: the keywords that begin with it, alphabetically,
    // one entry each.
    void letterIndex()
    {
        const auto index = indexOf({{"تمر", "أكل التمر", "رزق"},
                                    {"باب", "باب مفتوح", "خير"},
                                    {"تاج", "لبس التاج", "سلطان"},
                                    {"تمر", "شراء التمر", "مال"},
                                    {"ترعة", "السباحة في ترعة", "هم"}});
        QCOMPARE(find(*index, QStringLiteral("ت"), Reading::Typing),
                 (QStringList{"تاج|لبس التاج", "ترعة|السباحة في ترعة", "تمر|أكل التمر"}));
    }

    // The reader's words for a keyword, and hamza the reader leaves out.
    void lexiconAndHamza()
    {
        const auto index = indexOf({{"مال", "العثور على مال", "رزق"}, {"لؤلؤ", "نظم اللؤلؤ", "علم"}, {"ماء", "شرب الماء", "حياة"}});
        QCOMPARE(find(*index, QStringLiteral("فلوس")), QStringList{"مال|العثور على مال"});
        QCOMPARE(find(*index, QStringLiteral("لولو")), QStringList{"لؤلؤ|نظم اللؤلؤ"});
        QCOMPARE(find(*index, QStringLiteral("مية ماء")).first(), QStringLiteral("ماء|شرب الماء"));
    }

    // A keyword that only refers to another stands for it; one with entries
    // of its own is a symbol of its own.
    void crossReferencesAreSynonyms()
    {
        const auto index = indexOf({{"مطر", "نزول المطر", "رحمة"},
                                    {"غيث", "إحالة إلى باب مطر", "انظر: مطر، فالغيث مطر."},
                                    {"مدرسة", "دخول مدرسة", "علم"},
                                    {"مدرسة", "إحالة إلى باب امتحان", "انظر: امتحان."},
                                    {"امتحان", "النجاح في الامتحان", "فرج"}});
        QVERIFY(find(*index, QStringLiteral("غيث")).contains(QStringLiteral("مطر|نزول المطر")));
        QVERIFY(find(*index, QStringLiteral("مطر")).contains(QStringLiteral("غيث|إحالة إلى باب مطر")));
        QCOMPARE(find(*index, QStringLiteral("امتحان")).first(), QStringLiteral("امتحان|النجاح في الامتحان"));
        QVERIFY(!find(*index, QStringLiteral("امتحان")).contains(QStringLiteral("مدرسة|دخول مدرسة")));
    }

    // Nearest entries: a misspelt word meets the words one letter away.
    void nearSpellings()
    {
        const auto index = indexOf({{"ثعبان", "ثعبان كبير", "عدو"}, {"عقرب", "لدغة عقرب", "أذى"}});
        QCOMPARE(find(*index, QStringLiteral("ثعبن")), QStringList{});
        QCOMPARE(find(*index, QStringLiteral("ثعبن"), Reading::Nearest), QStringList{"ثعبان|ثعبان كبير"});
        QCOMPARE(find(*index, QStringLiteral("عقرب"), Reading::Nearest), QStringList{"عقرب|لدغة عقرب"});
    }

    void atMostTen()
    {
        auto index = std::make_unique<ReaderIndex>(testLexicon());
        for (int i = 0; i < 30; ++i)
            index->add(i, "قطة", QStringLiteral("قطة %1").arg(i).toStdString(), "خير");
        index->finish();
        QCOMPARE(index->suggest(QStringLiteral("قطه"), Reading::Complete).size(), size_t(10));
        QCOMPARE(index->suggest(QStringLiteral("قطه"), Reading::Complete, 3).size(), size_t(3));
        QCOMPARE(index->suggest(QStringLiteral("قطه"), Reading::Complete).front().row, 0);
    }

    // Any table the reader brings: fields read by name in any order, others
    // ignored, Nulls as empty, Latin text, repeated titles each reachable by
    // its own row; a view is read by position.
    void anyDatabase_data()
    {
        QTest::addColumn<bool>("view");
        QTest::newRow("table") << false;
        QTest::newRow("view") << true;
    }
    void anyDatabase()
    {
        QFETCH(bool, view);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("own.mdb"));
        const QString table = view ? QStringLiteral("entries") : QStringLiteral("dream");
        writeTable(path, table,
                   {QStringLiteral("مصدر"), QStringLiteral("التفسير"), QStringLiteral("الحلم"), QStringLiteral("المفتاح"), QStringLiteral("رقم")},
                   {{QStringLiteral("كتاب"), QStringLiteral("خير"), QStringLiteral("المشي حافيا"), QStringLiteral("قدم"), 1},
                    {QStringLiteral("كتاب"), QVariant(), QStringLiteral("المشي حافيا"), QStringLiteral("رجل"), 2},
                    {QVariant(), QStringLiteral("Good news"), QStringLiteral("Snake"), QVariant(), 3},
                    {QStringLiteral("كتاب"), QStringLiteral("هم"), QVariant(), QStringLiteral("بحر"), 4}});
        if (view)
            runStatements(path, "CREATE VIEW dream AS SELECT * FROM entries");
        rs::Connection connection;
        connection.Open(path);
        ReaderIndex index(testLexicon());
        readEntries(connection, index);
        QCOMPARE(index.size(), size_t(4));
        QCOMPARE(index.rowsArePositions(), view);
        const std::vector<Suggestion> walking = index.suggest(QStringLiteral("المشي حافيا"), Reading::Complete);
        QCOMPARE(walking.size(), size_t(2));
        QCOMPARE(walking[0].keyword, QStringLiteral("قدم"));
        QCOMPARE(walking[1].keyword, QStringLiteral("رجل"));
        QCOMPARE(walking[0].row, view ? 0 : 1);
        QCOMPARE(walking[1].row, view ? 1 : 2);
        QCOMPARE(find(index, QStringLiteral("SNAKE")), QStringList{"|Snake"});
        QCOMPARE(find(index, QStringLiteral("بحر")), QStringList{"بحر|"});
        QCOMPARE(find(index, QStringLiteral("كتاب")), QStringList{}); // not a field the window shows
    }

    // A table is read in batches, cut into words on one thread and added on
    // another: what it finds is what adding the entries one by one finds,
    // rows and order included.
    void batchesFindWhatSingleEntriesFind()
    {
        const QString animals[] = {QStringLiteral("كلب"), QStringLiteral("قطة"), QStringLiteral("ثعبان"),
                                   QStringLiteral("أسد"), QStringLiteral("حصان"), QStringLiteral("عقرب"),
                                   QStringLiteral("فأر")};
        const QString doings[] = {QStringLiteral("يطارد الرائي"), QStringLiteral("يعض يده"), QStringLiteral("في البيت"),
                                  QStringLiteral("يموت"), QStringLiteral("يتكلم")};
        QList<QVariantList> rows;
        for (int i = 0; i < 3500; ++i) {
            const QString &animal = animals[i % 7];
            const QString dream = animal + QLatin1Char(' ') + doings[(i / 7) % 5] + QStringLiteral(" %1").arg(i / 35);
            const QVariant meaning = i % 11 == 0 ? QVariant() : QVariant(QStringLiteral("عدو أو صديق بحسب حاله"));
            rows << QVariantList{i * 3 + 7, animal, dream, meaning};
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("many.mdb"));
        writeTable(path, QStringLiteral("dream"), dreamColumns(), rows);
        // Rows that are not positions: 2, 4, 6 ...
        runStatements(path, "UPDATE dream SET rowid = rowid + 1000000; UPDATE dream SET rowid = (rowid - 1000000) * 2;");
        rs::Connection connection;
        connection.Open(path);
        ReaderIndex batched(testLexicon());
        readEntries(connection, batched);

        ReaderIndex single(testLexicon());
        qint64 rowid = 0;
        for (const QVariantList &row : rows) {
            rowid += 2;
            const QByteArray keyword = row[1].toString().toUtf8(), dream = row[2].toString().toUtf8(),
                             meaning = row[3].toString().toUtf8();
            single.add(rowid, keyword.toStdString(), dream.toStdString(), meaning.toStdString());
        }
        single.finish();

        QCOMPARE(batched.size(), single.size());
        for (const QString &query : {QStringLiteral("كلاب تطاردني"), QStringLiteral("القطه"), QStringLiteral("ثعب"),
                                     QStringLiteral("الاسد يموت 40"), QStringLiteral("ع"), QStringLiteral("صديق")}) {
            const std::vector<Suggestion> a = batched.suggest(query, Reading::Typing);
            const std::vector<Suggestion> b = single.suggest(query, Reading::Typing);
            QVERIFY2(!a.empty(), qPrintable(query));
            QCOMPARE(a.size(), b.size());
            for (size_t i = 0; i < a.size(); ++i) {
                QCOMPARE(a[i].row, b[i].row);
                QCOMPARE(a[i].dream, b[i].dream);
            }
        }
        // The last batch too: the table's last entry is found at its row.
        const std::vector<Suggestion> last = batched.suggest(rows.last()[2].toString(), Reading::Complete, 1);
        QCOMPARE(last.size(), size_t(1));
        QCOMPARE(last[0].row, qint64(2 * rows.size()));
    }

    // A table larger than the index may hold is refused whole, before its
    // rows are read: the window then searches without suggestions.
    void tooManyEntriesForTheIndex()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("big.mdb"));
        writeTable(path, QStringLiteral("dream"), dreamColumns(), threeEntries());
        rs::Connection connection;
        connection.Open(path);
        ReaderIndex refused(testLexicon());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, readEntries(connection, refused, 2));
        QCOMPARE(refused.size(), size_t(0));
        ReaderIndex index(testLexicon());
        readEntries(connection, index, 3);
        QCOMPARE(index.size(), size_t(3));
    }

    void tableWithoutTheFields()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("other.mdb"));
        writeTable(path, QStringLiteral("dream"), {QStringLiteral("title")}, {{QStringLiteral("x")}});
        rs::Connection connection;
        connection.Open(path);
        ReaderIndex index(testLexicon());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, readEntries(connection, index));
    }
};

QTEST_GUILESS_MAIN(TestReaderIndex)
#include "tst_readerindex.moc"
