#include "core/reader/lexicon.h"
#include "core/reader/wordforms.h"
#include "core/reader/words.h"

#include <QTest>

using namespace velkaram::reader;

namespace {

QStringList qWords(const std::vector<std::string> &words)
{
    QStringList out;
    for (const std::string &w : words)
        out << QString::fromStdString(w);
    return out;
}

QString q(const std::string &s)
{
    return QString::fromStdString(s);
}

} // namespace

// Each step that turns what a reader types into what the search compares.
class TestReaderWords : public QObject {
    Q_OBJECT

private slots:
    void words_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("harakat and punctuation") << "حلمتُ أنّي حاملٌ!" << QStringList{"حلمت", "اني", "حامل"};
        QTest::newRow("alef forms, taa marbuta, alef maqsura") << "أسنان إبرة آية مستشفى" << QStringList{"اسنان", "ابره", "ايه", "مستشفي"};
        QTest::newRow("tatweel joins") << "جمـــيل" << QStringList{"جميل"};
        QTest::newRow("hamza seats stay at this step") << "لؤلؤ سماء مسائل" << QStringList{"لؤلؤ", "سماء", "مسائل"};
        QTest::newRow("Persian letter forms") << "کتاب ی" << QStringList{"كتاب", "ي"};
        QTest::newRow("Eastern digits") << "٣ ۴" << QStringList{"3", "4"};
        QTest::newRow("Latin case") << "Snake WATER" << QStringList{"snake", "water"};
        QTest::newRow("Arabic comma and dash split") << "بحر،سفر—نهر" << QStringList{"بحر", "سفر", "نهر"};
        QTest::newRow("nothing but marks") << "ـ ً ، ." << QStringList{};
    }
    void words()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, words);
        QCOMPARE(qWords(wordsOf(text.toStdString())), words);
    }

    void withoutHamza_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("folded");
        QTest::newRow("waw seat") << "لؤلؤ" << "لولو";
        QTest::newRow("yeh seat") << "مسائل" << "مسايل";
        QTest::newRow("lone hamza goes") << "سماء" << "سما";
        QTest::newRow("no hamza") << "بحر" << "بحر";
    }
    void withoutHamza()
    {
        QFETCH(QString, word);
        QFETCH(QString, folded);
        QCOMPARE(q(velkaram::reader::withoutHamza(word.toStdString())), folded);
    }

    void article_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("bare");
        QTest::newRow("al") << "البيت" << "بيت";
        QTest::newRow("wa-al") << "والبيت" << "بيت";
        QTest::newRow("bi-al") << "بالبيت" << "بيت";
        QTest::newRow("li-l") << "للبيت" << "بيت";
        QTest::newRow("fa-al") << "فالبحر" << "بحر";
        QTest::newRow("ka-al") << "كالاسد" << "اسد";
        QTest::newRow("one letter would be left") << "الم" << "الم";
        QTest::newRow("no article") << "بيت" << "بيت";
    }
    void article()
    {
        QFETCH(QString, word);
        QFETCH(QString, bare);
        QCOMPARE(q(WordForms::withoutArticle(word.toStdString())), bare);
    }

    // The forms a word shares with its other forms: the search finds an
    // entry when one of them is one of the entry's.
    void forms_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("shared");
        QTest::newRow("possessive, taa marbuta back") << "سيارتي" << "سياره";
        QTest::newRow("possessive after a noun in n") << "اسناني" << "اسنان";
        QTest::newRow("our") << "بيتنا" << "بيت";
        QTest::newRow("present tense and object") << "تطاردني" << "طارد";
        QTest::newRow("joined preposition") << "بثعبان" << "ثعبان";
        QTest::newRow("present tense") << "يضحك" << "ضحك";
        QTest::newRow("the stemmer's plural") << "متزوجه" << "متزوج";
    }
    void forms()
    {
        QFETCH(QString, word);
        QFETCH(QString, shared);
        WordForms forms;
        const Forms &f = forms.of(word.toStdString());
        QStringList all = qWords(f.stems);
        all << q(f.bare);
        QVERIFY2(all.contains(shared), qPrintable(all.join(QLatin1Char(' '))));
    }

    // Short words keep their letters: "بحر" is not "ب" and "حر".
    void shortWordsStayWhole_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("notAForm");
        QTest::newRow("sea") << "بحر" << "حر";
        QTest::newRow("house") << "بيت" << "يت";
        QTest::newRow("fire") << "نار" << "ار";
        QTest::newRow("taa marbuta is no ending") << "صلاه" << "صلا";
    }
    void shortWordsStayWhole()
    {
        QFETCH(QString, word);
        QFETCH(QString, notAForm);
        WordForms forms;
        const Forms &f = forms.of(word.toStdString());
        QVERIFY(!qWords(WordForms::lightStems(f.bare)).contains(notAForm));
    }

    void lexicon()
    {
        const Lexicon lexicon(QStringLiteral("word\theadword\nفلوس\tمال\nطياره\tطائرة\nبلا عمود\n\nعين ماء\tينبوع\nلؤلؤه\tلؤلؤ\n"),
                              QStringLiteral("حلمت\nابن سيرين\n\nفي المنام\n"));
        QVERIFY(lexicon.isFiller("حلمت"));
        QVERIFY(!lexicon.isFiller("ابن"));
        QCOMPARE(lexicon.fillerPhrases().size(), size_t(2));
        QCOMPARE(lexicon.fillerPhrases().front(), (std::vector<std::string>{"ابن", "سيرين"}));
        QCOMPARE(*lexicon.headwords("فلوس"), std::vector<std::string>{"مال"});
        // Held folded and without hamza, as the words it is looked up by.
        QCOMPARE(*lexicon.headwords("طياره"), std::vector<std::string>{"طايره"});
        QCOMPARE(*lexicon.headwords("لولوه"), std::vector<std::string>{"لولو"});
        // A line that is no word and headword, and a phrase for a word, are skipped.
        QVERIFY(!lexicon.headwords("بلا"));
        QVERIFY(!lexicon.headwords("عين ماء"));
        QCOMPARE(lexicon.size(), size_t(3));
    }

    void builtInLexiconIsThere()
    {
        const Lexicon &lexicon = Lexicon::builtIn();
        QVERIFY(lexicon.size() > 100);
        QVERIFY(lexicon.isFiller("حلمت"));
        QVERIFY(lexicon.headwords("فلوس"));
    }
};

QTEST_GUILESS_MAIN(TestReaderWords)
#include "tst_readerwords.moc"
