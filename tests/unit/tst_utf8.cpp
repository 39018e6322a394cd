#include "core/text/utf8.h"

#include <QtTest>

using namespace velkaram;

namespace {

// Not QString::fromUcs4, which drops a leading U+FEFF as a byte order mark.
QString fromUcs4(std::u32string_view codePoints)
{
    QString text;
    for (const char32_t c : codePoints) {
        if (QChar::requiresSurrogates(c)) {
            text += QChar(QChar::highSurrogate(c));
            text += QChar(QChar::lowSurrogate(c));
        } else {
            text += QChar(char16_t(c));
        }
    }
    return text;
}

std::string_view view(const QByteArray &bytes)
{
    return {bytes.constData(), size_t(bytes.size())};
}

} // namespace

class TestUtf8 : public QObject {
    Q_OBJECT

private slots:
    void toQString_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QString r(QChar(0xFFFD));
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("ASCII") << QByteArray("water 12") << QStringLiteral("water 12");
        QTest::newRow("Arabic") << QStringLiteral("الماء الصافي").toUtf8() << QStringLiteral("الماء الصافي");
        QTest::newRow("three-byte ornate brackets") << QStringLiteral("﴿حرث﴾").toUtf8() << QStringLiteral("﴿حرث﴾");
        QTest::newRow("Arabic around a three-byte bracket") << QStringLiteral("حرث ﴾ لكم").toUtf8() << QStringLiteral("حرث ﴾ لكم");
        QTest::newRow("four bytes, a surrogate pair") << QByteArray("a\xF0\x9F\x8C\x99") << fromUcs4(U"a\U0001F319");
        // Each byte that begins no well-formed sequence is one U+FFFD.
        QTest::newRow("lone continuation byte") << QByteArray("a\x80" "b") << "a" + r + "b";
        QTest::newRow("Arabic lead byte at the end") << QByteArray("\xD9") << r;
        QTest::newRow("Arabic lead byte before ASCII") << QByteArray("\xD9" "a") << r + "a";
        QTest::newRow("Arabic lead byte before another") << QByteArray("\xD9\xD9\x85") << r + QChar(0x0645);
        QTest::newRow("truncated three-byte") << QByteArray("\xEF\xB4") << r + r;
        QTest::newRow("overlong two-byte") << QByteArray("\xC1\x81") << r + r;
        QTest::newRow("overlong three-byte") << QByteArray("\xE0\x81\xA1") << r + r + r;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << r + r + r;
        QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << r + r + r + r;
        QTest::newRow("byte FF amid Arabic") << QByteArray("\xD9\x85\xFF\xD9\x85") << QChar(0x0645) + r + QChar(0x0645);
    }
    void toQString()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(utf8::toQString(view(bytes)), text);
        // decode() reads the same text, one code point at a time.
        std::u32string codePoints;
        for (size_t i = 0; i < size_t(bytes.size());)
            codePoints.push_back(utf8::decode(view(bytes), i));
        QCOMPARE(fromUcs4(codePoints), text);
    }

    // Every code point, written by Qt, reads back as itself, alone and amid
    // others; and encode() writes what Qt writes.
    void everyCodePointReadsBack()
    {
        QByteArray all;
        std::u32string expected;
        for (char32_t c = 0; c <= 0x10FFFF; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const QByteArray bytes = fromUcs4({&c, 1}).toUtf8();
            std::string written;
            utf8::encode(c, written);
            if (written != view(bytes))
                QFAIL(qPrintable(QStringLiteral("encode(U+%1)").arg(uint(c), 4, 16, QLatin1Char('0'))));
            size_t i = 0;
            if (utf8::decode(view(bytes), i) != c || i != size_t(bytes.size()))
                QFAIL(qPrintable(QStringLiteral("decode(U+%1)").arg(uint(c), 4, 16, QLatin1Char('0'))));
            if (utf8::toQString(view(bytes)) != fromUcs4({&c, 1}))
                QFAIL(qPrintable(QStringLiteral("toQString(U+%1)").arg(uint(c), 4, 16, QLatin1Char('0'))));
            all += bytes;
            expected.push_back(c);
        }
        QVERIFY(utf8::toQString(view(all)) == fromUcs4(expected));
    }
};

QTEST_GUILESS_MAIN(TestUtf8)
#include "tst_utf8.moc"
