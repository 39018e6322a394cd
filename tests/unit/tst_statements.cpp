#include "core/dictionary/statements.h"

#include <QTest>

namespace st = velkaram::statements;

class TestStatements : public QObject {
    Q_OBJECT

private slots:
    void shapes_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("expected");
        const QStringList fields = {QStringLiteral("رقم"), QStringLiteral("المفتاح"), QStringLiteral("الحلم")};
        QTest::newRow("field contains") << st::fieldContains(QStringLiteral("الحلم"), QStringLiteral("ماء"))
                                        << QStringLiteral("SELECT * FROM [dream] WHERE [الحلم] LIKE '%ماء%'");
        QTest::newRow("field equals") << st::fieldEquals(QStringLiteral("الحلم"), QStringLiteral("ماء"))
                                      << QStringLiteral("SELECT * FROM [dream] WHERE [الحلم] ='ماء'");
        QTest::newRow("all fields contain")
            << st::allFieldsStatement(st::anyFieldContainsCondition(fields, QStringLiteral("ماء")))
            << QStringLiteral("SELECT * FROM [dream] WHERE  [رقم] LIKE '%ماء%'   OR [المفتاح] LIKE '%ماء%'   OR [الحلم] LIKE '%ماء%'    ;");
        QTest::newRow("all fields equal")
            << st::allFieldsStatement(st::anyFieldEqualsCondition(fields.mid(1), QStringLiteral("ماء")))
            << QStringLiteral("SELECT * FROM [dream] WHERE  [المفتاح] = 'ماء' OR [الحلم] = 'ماء'  ;");
        QTest::newRow("apostrophes doubled") << st::fieldEquals(QStringLiteral("الحلم"), QStringLiteral("it's 'x'"))
                                             << QStringLiteral("SELECT * FROM [dream] WHERE [الحلم] ='it''s ''x'''");
        QTest::newRow("injection stays inside the literal")
            << st::fieldContains(QStringLiteral("المفتاح"), QStringLiteral("' OR 1=1 --"))
            << QStringLiteral("SELECT * FROM [dream] WHERE [المفتاح] LIKE '%'' OR 1=1 --%'");
        QTest::newRow("pattern characters kept") << st::fieldContains(QStringLiteral("الحلم"), QStringLiteral("5%_"))
                                                 << QStringLiteral("SELECT * FROM [dream] WHERE [الحلم] LIKE '%5%_%'");
        QTest::newRow("lookup") << st::dreamLookup(QStringLiteral("رؤية البحر"))
                                << QStringLiteral("SELECT * FROM dream WHERE ( الحلم ='رؤية البحر' ) ");
        QTest::newRow("lookup with apostrophe") << st::dreamLookup(QStringLiteral("o'clock"))
                                                << QStringLiteral("SELECT * FROM dream WHERE ( الحلم ='o''clock' ) ");
    }
    void shapes()
    {
        QFETCH(QString, statement);
        QFETCH(QString, expected);
        QCOMPARE(statement, expected);
    }
};

QTEST_GUILESS_MAIN(TestStatements)
#include "tst_statements.moc"
