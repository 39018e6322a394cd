#include "datasource.h"

#include <QtTest>

using namespace velkaram::data;

class TestDataSource : public QObject {
    Q_OBJECT

private slots:
    void dreamLines_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("problem");
        const QByteArray header = DreamHeader.toUtf8() + '\n';
        QTest::newRow("good") << header + "ماء\tشرب الماء\tخير كثير.\n" << 1 << QString();
        QTest::newRow("missing header") << QByteArray("ماء\tشرب الماء\tخير\n") << 0 << "f.tsv:1: the first line must be the header";
        QTest::newRow("two fields") << header + "ماء\tشرب الماء\n" << 0 << "f.tsv:2: expected 3 tab-separated fields, found 2";
        QTest::newRow("four fields") << header + "ماء\tشرب\tخير\tزيادة\n" << 0 << "f.tsv:2: expected 3 tab-separated fields, found 4";
        QTest::newRow("empty dream") << header + "ماء\t\tخير\n" << 0 << "f.tsv:2: empty dream";
        QTest::newRow("empty interpretation") << header + "ماء\tشرب\t \n" << 0 << "f.tsv:2: empty interpretation";
        QTest::newRow("blank line") << header + "ماء\tشرب\tخير\n\n" << 1 << "f.tsv:3: expected 3 tab-separated fields, found 1";
        QTest::newRow("latin in the keyword") << header + "water\tشرب\tخير\n" << 0 << "f.tsv:2: the keyword holds text that is not Arabic";
        QTest::newRow("digits in the dictionary") << header + "ماء\tشرب 3 أكواب\tخير\n" << 0 << "f.tsv:2: the dream holds text that is not Arabic";
        QTest::newRow("blanks around a field") << header + "ماء \tشرب\tخير\n" << 0 << "f.tsv:2: blanks around the keyword";
        QTest::newRow("CRLF") << QByteArray(header).replace("\n", "\r\n") << 0 << "f.tsv:1: carriage return";
        QTest::newRow("no final newline") << header + "ماء\tشرب\tخير" << 1 << "f.tsv:2: no newline at the end";
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
            QCOMPARE(problems.messages.size(), 1);
            QVERIFY2(problems.messages[0].startsWith(problem), qPrintable(problems.messages[0]));
        }
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

    void duplicatesAcrossFiles()
    {
        Problems problems;
        const std::vector<Entry> entries = {{QStringLiteral("ماء"), QStringLiteral("شرب الماء"), QStringLiteral("خير")},
                                            {QStringLiteral("بحر"), QStringLiteral("شرب الماء"), QStringLiteral("هم")},
                                            {QStringLiteral("ماء"), QStringLiteral("شرب الماء"), QStringLiteral("شفاء")}};
        checkAcrossFiles(entries, {}, problems);
        QCOMPARE(problems.messages.size(), 1);
        QVERIFY(problems.messages[0].startsWith(QStringLiteral("duplicate entry: keyword \"ماء\"")));
    }
};

QTEST_GUILESS_MAIN(TestDataSource)
#include "tst_datasource.moc"
