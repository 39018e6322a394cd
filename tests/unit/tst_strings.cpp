#include "core/text/strings.h"

#include <QTest>

class TestStrings : public QObject {
    Q_OBJECT

private slots:
    void table_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("search text prompt, two trailing blanks") << 100 << QStringLiteral("من فضلك ادخل نص البحث  ");
        QTest::newRow("field prompt") << 101 << QStringLiteral("من فضلك اختر الحقل المطلوب");
        QTest::newRow("unknown id") << 102 << QString();
    }
    void table()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QCOMPARE(velkaram::LoadResString(id), text);
    }
};

QTEST_GUILESS_MAIN(TestStrings)
#include "tst_strings.moc"
