// The database the build ships, read through the record store as the
// windows read it.
#include "core/recordstore/connection.h"
#include "core/recordstore/recordset.h"

#include <QSet>
#include <QtTest>

using namespace velkaram::rs;

class TestShippedData : public QObject {
    Q_OBJECT

    std::shared_ptr<Connection> connection;

private slots:
    void initTestCase()
    {
        connection = std::make_shared<Connection>();
        connection->Open(QStringLiteral(VELKARAM_BUILD_DIR "/KELVRA.mdb"));
    }

    void dictionaryCoversTheAlphabet()
    {
        Recordset rs;
        rs.Open(QStringLiteral("[dream]"), connection, adOpenStatic, adLockReadOnly);
        QCOMPARE(rs.Fields(1).Name(), QStringLiteral("المفتاح"));
        QCOMPARE(rs.Fields(2).Name(), QStringLiteral("الحلم"));
        QCOMPARE(rs.Fields(3).Name(), QStringLiteral("التفسير"));
        QVERIFY(rs.RecordCount() >= 1000);

        const QString alphabet = QStringLiteral("ابتثجحخدذرزسشصضطظعغفقكلمنهوي");
        QSet<QChar> letters;
        for (; !rs.AtEnd(); rs.MoveNext()) {
            QString key = rs.Fields(1).Value().toString();
            if (key.startsWith(QStringLiteral("ال")) && key.size() > 3)
                key = key.mid(2);
            QChar first = key.at(0);
            if (QStringLiteral("أإآ").contains(first))
                first = QChar(0x0627);
            letters.insert(first);
            QVERIFY(!rs.Fields(3).Value().toString().isEmpty());
        }
        for (const QChar letter : alphabet)
            QVERIFY2(letters.contains(letter), qPrintable(QStringLiteral("no keyword under %1").arg(letter)));
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
