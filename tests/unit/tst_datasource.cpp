#include "datasource.h"

#include <QTest>

using namespace velkaram::data;

namespace {

const QByteArray header = DreamHeader.toUtf8() + '\n';
// Interpretations long enough (20 words and more) and unlike one another.
const QByteArray meaning = "خير كثير يصيب الرائي في ماله وأهله، وقيل هو رزق واسع يأتيه من حيث لا يحتسب، وللمريض شفاء وللمسافر عودة سالمة.";
const QByteArray otherMeaning = "هم وغم يلحق بالرائي من جهة عمله، فإن نجا منه في المنام زال عنه ما يخاف في اليقظة، ويحسن به الحذر من صاحب سوء يتربص به.";
const QByteArray editedCopy = "خير كثير يصيب الرائي في ماله وولده، وقيل هو رزق واسع يأتيه من حيث لا يظن، وللمريض شفاء وللمسافر عودة قريبة.";

QByteArray line(const QByteArray &keyword, const QByteArray &dream, const QByteArray &interpretation)
{
    return keyword + '\t' + dream + '\t' + interpretation + '\n';
}

// An interpretation quoting a verse, its reference (or what stands for one) given.
QByteArray quoting(const QByteArray &quotation)
{
    return "الأرض المحروثة امرأة، لقوله تعالى: " + quotation
        + "، فمن رأى أنه يحرث أرضا تزوج أو رزق ولدا، وقيل هو عمل صالح يرجو الرائي ثمرته في دنياه وآخرته.";
}

// One good entry first, so that a problem is found on line 3.
QByteArray second(const QByteArray &keyword, const QByteArray &dream, const QByteArray &interpretation)
{
    return header + line("ماء", "شرب الماء", meaning) + line(keyword, dream, interpretation);
}

} // namespace

class TestDataSource : public QObject {
    Q_OBJECT

private slots:
    void dreamLines_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("problem");
        QTest::newRow("good") << header + line("ماء", "شرب الماء", meaning) << 1 << QString();
        QTest::newRow("missing header") << line("ماء", "شرب الماء", meaning) << 0 << "f.tsv:1: the first line must be the header";
        QTest::newRow("two fields") << header + "ماء\tشرب الماء\n" << 0 << "f.tsv:2: expected 3 tab-separated fields, found 2";
        QTest::newRow("four fields") << header + "ماء\tشرب\tخير\tزيادة\n" << 0 << "f.tsv:2: expected 3 tab-separated fields, found 4";
        QTest::newRow("empty dream") << header + line("ماء", "", meaning) << 0 << "f.tsv:2: empty dream";
        QTest::newRow("empty interpretation") << header + "ماء\tشرب\t \n" << 0 << "f.tsv:2: empty interpretation";
        QTest::newRow("blank line") << header + line("ماء", "شرب", meaning) + "\n" << 1 << "f.tsv:3: expected 3 tab-separated fields, found 1";
        QTest::newRow("latin in the keyword") << header + line("water", "شرب", meaning) << 0 << "f.tsv:2: the keyword holds text that is not Arabic";
        QTest::newRow("blanks around a field") << header + line("ماء ", "شرب", meaning) << 0 << "f.tsv:2: blanks around the keyword";
        QTest::newRow("CRLF") << QByteArray(header).replace("\n", "\r\n") << 0 << "f.tsv:1: carriage return";
        QTest::newRow("no final newline") << header + line("ماء", "شرب", meaning).chopped(1) << 1 << "f.tsv:2: no newline at the end";

        // Digits only inside a Quran reference.
        QTest::newRow("digits in a dream") << second("ماء", "شرب 3 أكواب", meaning) << 1 << "f.tsv:3: the dream holds digits outside a Quran reference";
        QTest::newRow("Arabic-Indic digits in a dream") << second("ماء", "شرب ٣ أكواب", meaning) << 1 << "f.tsv:3: the dream holds digits outside a Quran reference";
        QTest::newRow("digits in an interpretation") << second("أرض", "حرث الأرض", quoting("﴿نساؤكم حرث لكم﴾ (البقرة: 223) 7")) << 1
                                                    << "f.tsv:3: the interpretation holds digits outside a Quran reference";

        // Quotations and references.
        QTest::newRow("quotation and reference") << second("أرض", "حرث الأرض", quoting("﴿نساؤكم حرث لكم﴾ (البقرة: 223)")) << 2 << QString();
        QTest::newRow("reference to a range") << second("أرض", "حرث الأرض", quoting("﴿نساؤكم حرث لكم﴾ (بقرة: 222-223)")) << 2 << QString();
        QTest::newRow("Arabic-Indic reference") << second("أرض", "حرث الأرض", quoting("﴿نساؤكم حرث لكم﴾(البقرة: ٢٢٣)")) << 2 << QString();
        QTest::newRow("bare reference") << second("أرض", "حرث الأرض", quoting("﴿نساؤكم حرث لكم﴾ (البقرة 223)")) << 1
                                       << "f.tsv:3: the interpretation: malformed Quran reference \"(البقرة 223)\"";
        QTest::newRow("reference in brackets") << second("أرض", "حرث الأرض", quoting("﴿نساؤكم حرث لكم﴾ [البقرة: 223]")) << 1
                                              << "f.tsv:3: the interpretation: malformed Quran reference \"[البقرة: 223]\"";
        QTest::newRow("reference in words") << second("أرض", "حرث الأرض", quoting("﴿نساؤكم حرث لكم﴾ (سورة البقرة، الآية الثالثة والعشرون بعد المئتين)"))
                                           << 1 << "f.tsv:3: the interpretation: malformed Quran reference \"(سورة البقرة";
        QTest::newRow("no such surah") << second("أرض", "حرث الأرض", quoting("﴿نساؤكم حرث لكم﴾ (البقر: 223)")) << 1
                                      << "f.tsv:3: the interpretation: \"البقر\" in (البقر: 223) is no surah's name";
        QTest::newRow("last verse of a surah") << second("أرض", "حرث الأرض", quoting("﴿صراط الذين أنعمت عليهم﴾ (الفاتحة: 7)")) << 2 << QString();
        QTest::newRow("no such verse") << second("أرض", "حرث الأرض", quoting("﴿الحمد لله رب العالمين﴾ (الفاتحة: 8)")) << 1
                                      << "f.tsv:3: the interpretation: (الفاتحة: 8): verses are 1 to 7";
        QTest::newRow("range running down") << second("أرض", "حرث الأرض", quoting("﴿نساؤكم حرث لكم﴾ (البقرة: 223-222)")) << 1
                                           << "f.tsv:3: the interpretation: (البقرة: 223-222): verses are 1 to 286";
        QTest::newRow("verse in guillemets") << second("أرض", "حرث الأرض", quoting("«نساؤكم حرث لكم» (البقرة: 223)")) << 1
                                            << "f.tsv:3: the interpretation: the quotation before (البقرة: 223) goes inside ﴿…﴾";
        QTest::newRow("reference alone") << second("أرض", "حرث الأرض", quoting("(البقرة: 223)")) << 1
                                        << "f.tsv:3: the interpretation: the reference (البقرة: 223) follows no ﴿quotation﴾";
        QTest::newRow("quotation alone") << second("أرض", "حرث الأرض", quoting("﴿نساؤكم حرث لكم﴾")) << 1
                                        << "f.tsv:3: the interpretation: a ﴿quotation﴾ with no reference";
        QTest::newRow("unbalanced ornate brackets") << second("أرض", "حرث الأرض", quoting("﴿نساؤكم حرث لكم (البقرة: 223)")) << 1
                                                   << "f.tsv:3: the interpretation: unbalanced ﴿ ﴾";
        QTest::newRow("ornate brackets reversed") << second("أرض", "حرث الأرض", quoting("﴾نساؤكم حرث لكم﴿ (البقرة: 223)")) << 1
                                                 << "f.tsv:3: the interpretation: unbalanced ﴿ ﴾";
        QTest::newRow("unbalanced guillemets") << second("ماء", "سقي الزرع", "قال المعبرون: «الماء حياة وهو رزق من الله يسوقه إلى عباده، فمن سقى زرعا نال خيرا.")
                                              << 1 << "f.tsv:3: the interpretation: unbalanced « »";
        QTest::newRow("balanced guillemets") << second("ماء", "سقي الزرع", "قال المعبرون: «الماء حياة» وهو رزق من الله يسوقه إلى عباده، فمن سقى زرعا نال خيرا وبركة في ماله وأهله وولده.")
                                            << 2 << QString();

        // Dream wording.
        QTest::newRow("a dream that says what is seen") << second("أسد", "رؤية الأسد يزأر", meaning) << 2 << QString();
        QTest::newRow("a dream that only names the keyword") << second("أسد", "رؤية الأسد", meaning) << 2
                                                            << "f.tsv:3: the dream \"رؤية الأسد\" only names its keyword";
        QTest::newRow("keyword without al and in a dream") << second("الأسد", "رؤية اسد في المنام", meaning) << 2
                                                          << "f.tsv:3: the dream \"رؤية اسد في المنام\" only names its keyword";
        QTest::newRow("needless in a dream") << second("ماء", "شرب ماء البحر في المنام", meaning) << 2
                                            << "f.tsv:3: the dream ends with a needless \"في المنام\"";

        // Length of an interpretation.
        QTest::newRow("twenty words") << second("ماء", "سقي الزرع", "الماء حياة وهو رزق من الله يسوقه إلى من يشاء من عباده، وسقي الزرع سعي في خير ينمو ويزكو عاجلا.") << 2 << QString();
        QTest::newRow("nineteen words") << second("ماء", "سقي الزرع", "الماء حياة وهو رزق من الله يسوقه إلى من يشاء عباده، وسقي الزرع سعي في خير ينمو ويزكو عاجلا.") << 2
                                       << "f.tsv:3: the interpretation has 19 words; write at least 20";

        // The form of a cross-reference.
        QTest::newRow("cross-reference") << second("ثوب", "إحالة من ثوب إلى باب ملابس", "انظر: ملابس.") << 2 << QString();
        QTest::newRow("cross-reference with a note") << second("ثوب", "إحالة من ثوب إلى باب ملابس", "انظر: ملابس، ففيه الثوب وألوانه.") << 2 << QString();
        QTest::newRow("cross-reference without its stop") << second("ثوب", "إحالة من ثوب إلى باب ملابس", "انظر: ملابس") << 2
                                                          << "f.tsv:3: malformed cross-reference";
        QTest::newRow("cross-reference to another keyword") << second("ثوب", "إحالة من ثوب إلى باب لباس", "انظر: ملابس.") << 2
                                                           << "f.tsv:3: the dream of a cross-reference to \"ملابس\" must be \"إحالة من ثوب إلى باب ملابس\"";
        QTest::newRow("cross-reference dream alone") << second("ثوب", "إحالة من ثوب إلى باب ملابس", meaning) << 2
                                                    << "f.tsv:3: the dream \"إحالة من ثوب إلى باب ملابس\" belongs to a cross-reference";
        QTest::newRow("cross-reference titled by another keyword") << second("ثوب", "إحالة من لباس إلى باب ملابس", "انظر: ملابس.") << 2
                                                                  << "f.tsv:3: the dream of a cross-reference to \"ملابس\" must be \"إحالة من ثوب إلى باب ملابس\"";
        QTest::newRow("cross-reference to itself") << second("ثوب", "إحالة من ثوب إلى باب ثوب", "انظر: ثوب.") << 2
                                                  << "f.tsv:3: a cross-reference to its own keyword";
    }
    void dreamLines()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, entries);
        QFETCH(QString, problem);
        Problems problems;
        const auto read = readDreams(QStringLiteral("f.tsv"), file, problems);
        QCOMPARE(int(read.size()), entries);
        if (problem.isEmpty()) {
            QVERIFY2(problems.empty(), qPrintable(problems.messages.join(QLatin1Char('\n'))));
        } else {
            QVERIFY2(problems.messages.size() == 1, qPrintable(problems.messages.join(QLatin1Char('\n'))));
            QVERIFY2(problems.messages[0].startsWith(problem), qPrintable(problems.messages[0]));
        }
    }

    void acrossFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("problem");
        QTest::newRow("distinct entries") << header + line("ماء", "شرب الماء", meaning) + line("ماء", "سقي الزرع", otherMeaning) << QString();
        QTest::newRow("one title under two keywords") << header + line("ماء", "شرب الماء", meaning) + line("بحر", "شرب الماء", otherMeaning)
                                                      << "f.tsv:3: the dream \"شرب الماء\" (keyword \"بحر\") repeats the title at f.tsv:2";
        QTest::newRow("one title written another way") << header + line("ماء", "شرب الماء", meaning) + line("بحر", "شُرب الماء", otherMeaning)
                                                       << "f.tsv:3: the dream \"شُرب الماء\" (keyword \"بحر\") repeats the title at f.tsv:2";
        QTest::newRow("titles apart by a letter") << header + line("ماء", "شرب الماء", meaning) + line("بحر", "شرب الماء المالح", otherMeaning)
                                                  << QString();
        QTest::newRow("cross-reference to a keyword") << header + line("ثوب", "إحالة من ثوب إلى باب ملابس", "انظر: ملابس.") + line("ملابس", "لبس ثوب جديد", meaning)
                                                      << QString();
        QTest::newRow("dangling cross-reference") << header + line("ملابس", "لبس ثوب جديد", meaning) + line("ثوب", "إحالة من ثوب إلى باب لباس", "انظر: لباس.")
                                                  << "f.tsv:3: cross-reference to \"لباس\", which is no keyword with entries of its own";
        QTest::newRow("cross-reference to a cross-reference") << header + line("ملابس", "لبس ثوب جديد", meaning)
                + line("لباس", "إحالة من لباس إلى باب ملابس", "انظر: ملابس.") + line("ثوب", "إحالة من ثوب إلى باب لباس", "انظر: لباس.")
                                                              << "f.tsv:4: cross-reference to \"لباس\"";
        QTest::newRow("near duplicate") << header + line("ماء", "شرب الماء", meaning) + line("بحر", "شرب ماء البحر", otherMeaning)
                + line("نهر", "شرب ماء النهر", editedCopy)
                                        << "f.tsv:4: the interpretation nearly repeats the one at f.tsv:2 (similarity 0.7";
    }
    void acrossFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, problem);
        Problems problems;
        const auto entries = readDreams(QStringLiteral("f.tsv"), file, problems);
        QVERIFY2(problems.empty(), qPrintable(problems.messages.join(QLatin1Char('\n'))));
        checkAcrossFiles(entries, {}, problems);
        if (problem.isEmpty()) {
            QVERIFY2(problems.empty(), qPrintable(problems.messages.join(QLatin1Char('\n'))));
        } else {
            QVERIFY2(problems.messages.size() == 1, qPrintable(problems.messages.join(QLatin1Char('\n'))));
            QVERIFY2(problems.messages[0].startsWith(problem), qPrintable(problems.messages[0]));
        }
    }

    void readerWords_data()
    {
        QTest::addColumn<QByteArray>("lexicon");
        QTest::addColumn<QByteArray>("fillers");
        QTest::addColumn<QString>("problem");
        const QByteArray top = "word\theadword\n";
        QTest::newRow("good") << top + "مويه\tماء\nهدوم\tملابس\n" << QByteArray("حلمت\nفي المنام\n") << QString();
        QTest::newRow("no header") << QByteArray("مويه\tماء\n") << QByteArray() << "l.tsv:1: the first line must be";
        QTest::newRow("one field") << top + "مويه ماء\n" << QByteArray() << "l.tsv:2: expected 2 tab-separated fields, found 1";
        QTest::newRow("headword that is no keyword") << top + "هدوم\tلباس\n" << QByteArray()
                                                     << "l.tsv:2: \"لباس\" is no keyword with entries of its own";
        QTest::newRow("headword that is a cross-reference") << top + "هدوم\tثوب\n" << QByteArray()
                                                            << "l.tsv:2: \"ثوب\" is no keyword with entries of its own";
        QTest::newRow("headword after folding") << top + "مويه\tمآء\n" << QByteArray() << QString();
        QTest::newRow("two words") << top + "مية حلوة\tماء\n" << QByteArray() << "l.tsv:2: \"مية حلوة\" is not one word";
        QTest::newRow("its own headword once folded") << top + "ما\tماء\n" << QByteArray() << "l.tsv:2: \"ما\" is its own headword";
        QTest::newRow("listed twice") << top + "مويه\tماء\nمويّه\tماء\n" << QByteArray()
                                      << "l.tsv:3: \"مويّه\" → \"ماء\" is listed twice (first at line 2)";
        QTest::newRow("a filler") << top + "حلمت\tماء\n" << QByteArray("حلمت\n") << "l.tsv:2: \"حلمت\" is a filler";
        QTest::newRow("Latin") << top + "water\tماء\n" << QByteArray() << "l.tsv:2: holds text that is not Arabic";
        QTest::newRow("no final newline") << top + "مويه\tماء" << QByteArray() << "l.tsv: no newline at the end";
        QTest::newRow("filler listed twice") << top << QByteArray("رأيت\nرايت\n") << "f.txt:2: \"رايت\" is listed twice (first at line 1)";
        QTest::newRow("filler that is a keyword") << top << QByteArray("ثوب\n") << "f.txt:1: \"ثوب\" is a keyword";
        QTest::newRow("filler that differs by hamza") << top << QByteArray("ما\n") << QString();
        QTest::newRow("filler in Latin") << top << QByteArray("dream\n") << "f.txt:1: holds text that is not Arabic";
    }
    void readerWords()
    {
        QFETCH(QByteArray, lexicon);
        QFETCH(QByteArray, fillers);
        QFETCH(QString, problem);
        Problems problems;
        const auto entries = readDreams(QStringLiteral("f.tsv"), header + line("ماء", "شرب الماء", meaning)
                + line("ملابس", "لبس ثوب جديد", otherMeaning) + line("ثوب", "إحالة من ثوب إلى باب ملابس", "انظر: ملابس."),
                                        problems);
        QVERIFY2(problems.empty(), qPrintable(problems.messages.join(QLatin1Char('\n'))));
        checkReaderWords(QStringLiteral("l.tsv"), lexicon, QStringLiteral("f.txt"), fillers, entries, problems);
        if (problem.isEmpty()) {
            QVERIFY2(problems.empty(), qPrintable(problems.messages.join(QLatin1Char('\n'))));
        } else {
            QVERIFY2(problems.messages.size() == 1, qPrintable(problems.messages.join(QLatin1Char('\n'))));
            QVERIFY2(problems.messages[0].startsWith(problem), qPrintable(problems.messages[0]));
        }
    }

    void similarity_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<double>("expected");
        QTest::newRow("same words") << QString::fromUtf8(meaning) << QString::fromUtf8(meaning) << 1.0;
        // Marks, hamza forms, ta marbuta and function words do not count.
        QTest::newRow("spelling and function words") << QStringLiteral("رِزْقٌ واسعةٌ في الأمر") << QStringLiteral("رزق واسعه على الامر") << 1.0;
        QTest::newRow("Quranic annotation marks, as the search folds them")
            << QStringLiteral("ٱلۡحَمۡدُ لِلَّهِ رَبِّ يَوۡمِ ٱلدِّينِ") << QStringLiteral("الحمد لله رب يوم الدين") << 1.0;
        QTest::newRow("half the words") << QStringLiteral("خير رزق مال ولد") << QStringLiteral("خير رزق سفر علم") << 2.0 / 6.0;
        QTest::newRow("nothing shared") << QString::fromUtf8(meaning) << QString::fromUtf8(otherMeaning) << 0.0;
    }
    void similarity()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(double, expected);
        QCOMPARE(interpretationSimilarity(a, b), expected);
    }

    void articles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("problem");
        const QByteArray body = QString(QStringLiteral("كلمة ")).repeated(200).toUtf8();
        QTest::newRow("good") << "العنوان\n\n" + body + "\n\n" + body + "\n" << QString();
        QTest::newRow("no empty second line") << "العنوان\n" + body + "\n" << "a.txt:1: expected a title line";
        QTest::newRow("too short") << QByteArray("العنوان\n\nكلمات قليلة فقط\n") << "a.txt:3: the body has 3 words";
        QTest::newRow("too long") << "العنوان\n\n" + body + body + body + body + "\n" << "a.txt:3: the body has 800 words";
        QTest::newRow("latin in the body") << "العنوان\n\n" + body + "REM\n" << "a.txt:3: text that is not Arabic";
        QTest::newRow("quotation and reference") << "العنوان\n\n" + body + "\n\n" + quoting("﴿نساؤكم حرث لكم﴾ (البقرة: 223)") + "\n" << QString();
        QTest::newRow("hadith in guillemets") << "العنوان\n\n" + body + "\n\nقال: «الرؤيا الصالحة من الله» رواه البخاري.\n" << QString();
        QTest::newRow("bare reference") << "العنوان\n\n" + body + "\n\n" + quoting("﴿نساؤكم حرث لكم﴾ (البقرة 223)") + "\n"
                                        << "a.txt:5: malformed Quran reference \"(البقرة 223)\"";
        QTest::newRow("verse in guillemets") << "العنوان\n\n" + body + "\n\n" + quoting("«نساؤكم حرث لكم» (البقرة: 223)") + "\n"
                                             << "a.txt:5: the quotation before (البقرة: 223) goes inside ﴿…﴾";
    }
    void articles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, problem);
        Problems problems;
        const Article article = readArticle(QStringLiteral("a.txt"), file, problems);
        if (problem.isEmpty()) {
            QVERIFY2(problems.empty(), qPrintable(problems.messages.join(QLatin1Char('\n'))));
            QCOMPARE(article.title, QStringLiteral("العنوان"));
            QCOMPARE(article.text.count(QLatin1Char('\n')), 1); // two paragraphs
        } else {
            QVERIFY(!problems.empty());
            QVERIFY2(problems.messages[0].startsWith(problem), qPrintable(problems.messages[0]));
        }
    }

    void duplicateTitles()
    {
        Problems problems;
        checkAcrossFiles({}, {{QStringLiteral("الرؤيا"), QStringLiteral("نص"), QStringLiteral("a.txt")},
                              {QStringLiteral("الرؤيا"), QStringLiteral("نص آخر"), QStringLiteral("b.txt")}}, problems);
        QCOMPARE(problems.messages, QStringList{QStringLiteral("b.txt:1: duplicate article title \"الرؤيا\"")});
    }
};

QTEST_GUILESS_MAIN(TestDataSource)
#include "tst_datasource.moc"
