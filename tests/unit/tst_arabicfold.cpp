#include "core/text/arabicfold.h"
#include "core/text/utf8.h"

#include <QTest>

using velkaram::arabicLike;

namespace {

// Folding as its one rule says, one code point at a time, no fast path.
std::string foldedByTheRule(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (const char32_t f = velkaram::foldChar(velkaram::utf8::decode(text, i)))
            velkaram::utf8::encode(f, out);
    }
    return out;
}

QByteArray codePoints(char32_t first, char32_t last)
{
    std::string out;
    for (char32_t c = first; c <= last; ++c) {
        if (c < 0xD800 || c > 0xDFFF)
            velkaram::utf8::encode(c, out);
    }
    return QByteArray::fromStdString(out);
}

} // namespace

class TestArabicFold : public QObject {
    Q_OBJECT

private slots:
    void like_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("matches");
        // Each folding rule with a match and a near miss.
        QTest::newRow("latin case") << "%WATER%" << "clear water" << true;
        QTest::newRow("latin case, other word") << "%WATER%" << "clear wader" << false;
        QTest::newRow("latin case, the last capital") << "%ZEBRA%" << "a zebra crossing" << true;
        QTest::newRow("accented latin case") << "%ÉTÉ%" << "un été" << true;
        QTest::newRow("alef hamza above") << "احلام" << "أحلام" << true;
        QTest::newRow("alef hamza below") << "%اسلام%" << "الإسلام" << true;
        QTest::newRow("alef madda") << "%اية%" << "آية" << true;
        QTest::newRow("alef wasla") << "%ابن%" << "ٱبن" << true;
        QTest::newRow("hamza alef is not waw hamza") << "%راس%" << "رؤس" << false;
        QTest::newRow("diacritics ignored") << "%رؤيا%" << "الرُّؤْيَا" << true;
        QTest::newRow("diacritics in the pattern too") << "%الرُّؤيا%" << "الرؤيا الصادقة" << true;
        QTest::newRow("diacritics do not hide a different letter") << "%رؤيه%" << "الرُّؤْيَا" << false;
        QTest::newRow("superscript alef ignored") << "%الرحمن%" << "الرحمٰن" << true;
        QTest::newRow("Uthmani sukun and wasla") << "%الحمد%" << "ٱلۡحَمۡدُ لِلَّهِ" << true;
        QTest::newRow("Uthmani marks do not hide a missing letter") << "%الحمدل%" << "ٱلۡحَمۡدُ لِلَّهِ" << false;
        QTest::newRow("small high letters and small waw") << "%يوم الدين%" << "مَٰلِكِ يَوۡمِ\u06DC ٱلدِّينِ" << true;
        QTest::newRow("small yeh after a word") << "%نبيه%" << "نَبِيِّهِۦ" << true;
        QTest::newRow("extended mark") << "%رب%" << "ر\u08F0ب" << true;
        QTest::newRow("tatweel ignored") << "%جميل%" << "جمـــيل" << true;
        QTest::newRow("taa marbuta as haa") << "%مدرسه%" << "مدرسة" << true;
        QTest::newRow("haa as taa marbuta") << "%مدرسة%" << "مدرسه" << true;
        QTest::newRow("taa marbuta is not taa") << "%مدرست%" << "مدرسة" << false;
        QTest::newRow("alef maqsura as yaa") << "%مستشفي%" << "مستشفى" << true;
        QTest::newRow("alef maqsura is not alef") << "%مستشفا%" << "مستشفى" << false;
        // Pattern characters.
        QTest::newRow("percent is any run") << "%ماء%صاف%" << "شرب الماء الصافي" << true;
        QTest::newRow("percent keeps order") << "%صاف%ماء%" << "شرب الماء الصافي" << false;
        QTest::newRow("underscore is one letter") << "ب_ر" << "بحر" << true;
        QTest::newRow("underscore is exactly one") << "ب_ر" << "بئير" << false;
        QTest::newRow("underscore after folding") << "ر_يا" << "رُؤْيا" << true;
        QTest::newRow("underscore, then percent matching nothing") << "ب_ر%" << "بحر" << true;
        QTest::newRow("no wildcard is whole-text") << "ماء" << "الماء" << false;
        QTest::newRow("prefix") << "ماء%" << "ماء البحر" << true;
        QTest::newRow("suffix") << "%البحر" << "ماء البحر" << true;
        QTest::newRow("empty pattern matches empty text only") << "" << "" << true;
        QTest::newRow("lone percent matches anything") << "%" << "أي نص" << true;
        QTest::newRow("apostrophe is a letter") << "%o'c%" << "five O'Clock" << true;
    }
    void like()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(bool, matches);
        QCOMPARE(arabicLike(pattern, text), matches);
    }

    // The fast paths of foldUtf8 give what foldChar gives, for every code
    // point, in runs as in the text, and for malformed bytes.
    void fastPathsFollowTheRule_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("ASCII") << codePoints(0, 0x7F);
        QTest::newRow("up to the Arabic block") << codePoints(0x80, 0x5FF);
        QTest::newRow("Arabic block") << codePoints(0x600, 0x6FF);
        QTest::newRow("rest of the BMP") << codePoints(0x700, 0xFFFF);
        QTest::newRow("above the BMP") << codePoints(0x10000, 0x10FFFF);
        QTest::newRow("capitals between Arabic letters") << QStringLiteral("أZةAى").toUtf8();
        QTest::newRow("lone continuation byte") << QByteArray("A\x80" "B");
        QTest::newRow("Arabic lead byte at the end") << QByteArray("Q\xD8");
        QTest::newRow("Arabic lead byte before a capital") << QByteArray("\xD9" "Z");
        QTest::newRow("Arabic lead byte before a letter") << QByteArray("\xD8\xD8\xA3");
        QTest::newRow("overlong capital") << QByteArray("\xC1\x81");
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80" "A");
        QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80");
        QTest::newRow("byte FF amid Arabic") << QByteArray("\xD8\xA5\xFF\xD8\xA9");
    }
    void fastPathsFollowTheRule()
    {
        QFETCH(QByteArray, text);
        const std::string_view bytes(text.constData(), size_t(text.size()));
        std::string fast;
        velkaram::foldUtf8(bytes, fast);
        const std::string rule = foldedByTheRule(bytes);
        if (fast != rule) {
            const auto at = std::mismatch(fast.begin(), fast.end(), rule.begin(), rule.end());
            const auto from = size_t(std::max<qsizetype>(0, at.first - fast.begin() - 4));
            QFAIL(qPrintable(QStringLiteral("folded bytes differ from byte %1: %2 against the rule's %3")
                                 .arg(at.first - fast.begin())
                                 .arg(QByteArray::fromStdString(fast.substr(from, 12)).toHex(' '),
                                      QByteArray::fromStdString(rule.substr(from, 12)).toHex(' '))));
        }
    }

    void escapeCharacter()
    {
        QVERIFY(arabicLike(QStringLiteral("%50!%%"), QStringLiteral("خصم 50% اليوم"), QLatin1Char('!')));
        QVERIFY(!arabicLike(QStringLiteral("%50!%%"), QStringLiteral("خصم 50 اليوم"), QLatin1Char('!')));
    }

    void malformedUtf8IsNotFatal()
    {
        const velkaram::LikePattern pattern("%a%");
        QVERIFY(pattern.matches(std::string_view("\xC3" "a\xFF", 3)));
        QVERIFY(!pattern.matches(std::string_view("\xE2\x82", 2)));
    }

    // Found by tests/fuzz/fold_like: an overlong or out-of-range sequence is
    // malformed, not another spelling of a letter; an empty view may have no data.
    void illFormedSequencesAreReplaced()
    {
        QVERIFY(!velkaram::LikePattern("%a%").matches(std::string_view("\xC1\x81", 2)));
        QVERIFY(!velkaram::LikePattern("_").matches(std::string_view("\xED\xA0\x80", 3)));
        QVERIFY(velkaram::LikePattern("____").matches(std::string_view("\xFD\x80\x94\x94", 4)));
        std::string folded;
        velkaram::foldUtf8(std::string_view("\xE0\x81\xA1", 3), folded);
        QCOMPARE(folded, std::string("\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"));
        QVERIFY(velkaram::LikePattern("%").matches(std::string_view()));
        QVERIFY(!velkaram::LikePattern("%\xD9\x85%").matches(std::string_view()));
    }
};

QTEST_GUILESS_MAIN(TestArabicFold)
#include "tst_arabicfold.moc"
