#include "fixturedb.h"
#include "core/dictionary/statements.h"
#include "core/recordstore/arabiclike.h"
#include "core/recordstore/connection.h"
#include "core/recordstore/foldedcopy.h"
#include "core/recordstore/foldedequality.h"
#include "core/recordstore/recordset.h"

#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace velkaram;
using namespace velkaram::rs;

namespace {

const QStringList FieldNames = {QStringLiteral("رقم"), QStringLiteral("المفتاح"), QStringLiteral("الحلم"), QStringLiteral("التفسير")};

// Rows that fold in every way the search folds: hamza, harakat, Quranic
// marks, Latin case, numbers of each type, Null, "%" and "_" in the text,
// a letter outside the BMP, blanks at the ends.
QList<QVariantList> rows()
{
    return {
        {12, QStringLiteral("ماء"), QStringLiteral("شرب الماء الصافي"), QStringLiteral("حياة طيبة")},
        {7, QStringLiteral("أسنان"), QStringLiteral("سقوط الأسنان"), QStringLiteral("قيل: طول عمر")},
        {3, QStringLiteral("بحر"), QStringLiteral("الغرق في البَحْر"), QStringLiteral("هم وغم")},
        {QVariant(), QVariant(), QStringLiteral("حلم بلا مفتاح"), QVariant()},
        {120, QStringLiteral("Snake"), QStringLiteral("a SNAKE in the house"), QStringLiteral("عدو 50% من الناس")},
        {4, QStringLiteral("مرآة"), QStringLiteral("مرأة مكسورة"), QStringLiteral("under_score")},
        {2.5, QStringLiteral("إبل"), QStringLiteral("ركوب الإبل"), QStringLiteral("سفر")},
        {QStringLiteral("١٢"), QStringLiteral("قمر"), QStringLiteral("رؤية القمر ﴿وَٱلْقَمَرِ﴾"), QStringLiteral("نور")},
        {99, QStringLiteral("رياح"), QStringLiteral("عاصفة 🌪 شديدة"), QStringLiteral("أمر عظيم")},
        {5, QStringLiteral("ماء"), QStringLiteral("الماء العكر"), QStringLiteral("مرض")},
        {6, QStringLiteral("ماءً"), QStringLiteral(" بحر"), QStringLiteral("O'Neil")},
        {8, QStringLiteral("بحر"), QStringLiteral("بحر"), QStringLiteral("ماء")},
    };
}

// Every row of a statement, each as the texts of its fields.
QList<QStringList> rowsOf(sqlite3_stmt *stmt)
{
    QList<QStringList> out;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        QStringList row;
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            row << (sqlite3_column_type(stmt, c) == SQLITE_NULL
                        ? QStringLiteral("<null>")
                        : QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c))));
        }
        out << row;
    }
    return out;
}

} // namespace

class TestFoldedCopy : public QObject {
    Q_OBJECT

private slots:
    // The designed searches answered from memory give the rows, in the
    // order, that the store's own reading of the file gives, for every kind
    // of search and text; with a table whose letters outrun the copy's
    // alphabet too.
    void sameRowsAsTheFile_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<bool>("manyLetters");
        QTest::addColumn<bool>("answered"); // by the copy, when the letters fit
        const QStringList texts = {QStringLiteral("الماء"), QStringLiteral("اسنان"), QStringLiteral("بحر"),
                                   QStringLiteral("snake"), QStringLiteral("%"), QStringLiteral("_"),
                                   QStringLiteral("50%"), QStringLiteral("1"), QStringLiteral("2.5"),
                                   QStringLiteral("١٢"), QStringLiteral("وَالْقَمَر"), QStringLiteral("🌪"),
                                   QStringLiteral("xyz"), QStringLiteral("ب_ر"), QStringLiteral("under_score"),
                                   QStringLiteral("الماء العكر"), QStringLiteral("O'Neil"), QStringLiteral("ماءً"),
                                   QStringLiteral(" بحر"), QStringLiteral("Snake"), QStringLiteral("12"),
                                   QStringLiteral("مراة"), QStringLiteral("ظظظ")};
        for (const bool many : {false, true}) {
            for (const QString &t : texts) {
                const bool numeric = t == QLatin1String("1") || t == QLatin1String("2.5") || t == QLatin1String("12");
                const QString tag = t + (many ? QStringLiteral(" / many letters") : QString());
                QTest::addRow("contains %s", qPrintable(tag))
                    << statements::allFieldsStatement(statements::anyFieldContainsCondition(FieldNames, t)) << many << true;
                QTest::addRow("equals %s", qPrintable(tag))
                    << statements::allFieldsStatement(statements::anyFieldEqualsCondition(FieldNames.mid(1), t)) << many
                    << !numeric;
                QTest::addRow("field contains %s", qPrintable(tag))
                    << statements::fieldContains(QStringLiteral("الحلم"), t) << many << true;
                QTest::addRow("field equals %s", qPrintable(tag))
                    << statements::fieldEquals(QStringLiteral("المفتاح"), t) << many << !numeric;
            }
            // A statement of the reader's own may hold any pattern.
            for (const QString &p : {QStringLiteral("بحر"), QStringLiteral("بحر%"), QStringLiteral("%بحر"),
                                     QStringLiteral("%ب%ر%"), QStringLiteral("_بحر"), QStringLiteral("ماء"),
                                     QStringLiteral("%"), QStringLiteral("")}) {
                QTest::addRow("like '%s'%s", qPrintable(p), many ? " / many letters" : "")
                    << QStringLiteral("SELECT * FROM [dream] WHERE [الحلم] LIKE '%1' OR [التفسير] LIKE '%1'").arg(p)
                    << many << true;
            }
        }
    }
    void sameRowsAsTheFile()
    {
        QFETCH(QString, statement);
        QFETCH(bool, manyLetters);
        QFETCH(bool, answered);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kelvra.mdb"));
        QList<QVariantList> data = rows();
        if (manyLetters) {
            // 300 letters, each with a code of its own, before any Arabic.
            QString many;
            for (char32_t c = 0x4E00; c < 0x4E00 + 300; ++c)
                many += QString::fromUcs4(&c, 1);
            data.prepend({1, many, many, many});
        }
        writeTable(path, QStringLiteral("dream"), FieldNames, data);

        // What SQLite itself finds, with the store's LIKE and "=".
        QList<QStringList> expected;
        {
            sqlite3 *db = nullptr;
            QCOMPARE(sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
            registerArabicLike(db);
            registerFoldedEquality(db);
            sqlite3_stmt *stmt = nullptr;
            QCOMPARE(sqlite3_prepare_v2(db, withFoldedEqualities(statement).toUtf8().constData(), -1, &stmt, nullptr),
                     SQLITE_OK);
            expected = rowsOf(stmt);
            sqlite3_finalize(stmt);
            sqlite3_close(db);
        }

        auto connection = std::make_shared<Connection>();
        connection->Open(path);
        Recordset rs;
        rs.Open(statement, connection, adOpenStatic, adLockReadOnly);
        QList<QStringList> found;
        for (; !rs.AtEnd(); rs.MoveNext()) {
            QStringList row;
            for (int c = 0; c < rs.Fields().Count(); ++c) {
                const QVariant v = rs.Fields(c).Value();
                row << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            }
            found << row;
        }
        QCOMPARE(found, expected);

        // The copy answers the designed searches itself: the test does not
        // pass by the file alone.
        const FoldedCopy *copy = connection->foldedCopy(QStringLiteral("dream"));
        QVERIFY(copy);
        const QString where = withFoldedEqualities(statement).section(QStringLiteral("WHERE"), 1);
        const auto terms = searchTerms(where, FieldNames);
        QCOMPARE(terms.has_value(), answered);
        if (answered && !manyLetters)
            QVERIFY(copy->matching(*terms).has_value());
    }

    // Only a table is copied: a view's rows would first be sorted, and a
    // table without rowids has no order to keep.
    void onlyTablesAreCopied_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("copied");
        QTest::newRow("table") << QStringLiteral("dream") << true;
        QTest::newRow("other letter case") << QStringLiteral("DREAM") << true;
        QTest::newRow("view") << QStringLiteral("seen") << false;
        QTest::newRow("without rowid") << QStringLiteral("plain") << false;
        QTest::newRow("missing") << QStringLiteral("none") << false;
    }
    void onlyTablesAreCopied()
    {
        QFETCH(QString, table);
        QFETCH(bool, copied);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kelvra.mdb"));
        writeTable(path, QStringLiteral("dream"), FieldNames, rows());
        runStatements(path, "CREATE VIEW seen AS SELECT * FROM dream ORDER BY 3;"
                            "CREATE TABLE plain (k INTEGER PRIMARY KEY, v TEXT) WITHOUT ROWID;"
                            "INSERT INTO plain VALUES (1, 'ماء');");
        Connection connection;
        connection.Open(path);
        const std::unique_ptr<FoldedCopy> copy = FoldedCopy::read(connection, table, qint64(1) << 30);
        QCOMPARE(bool(copy), copied);
        if (copy)
            QCOMPARE(copy->rows(), size_t(rows().size()));
    }

    // Conditions the copy does not take are left to the file.
    void otherConditionsAreNotTaken_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::newRow("AND") << QStringLiteral("[الحلم] LIKE '%a%' AND [رقم] LIKE '%1%'");
        QTest::newRow("function") << QStringLiteral("length([الحلم]) > 3");
        QTest::newRow("unknown field") << QStringLiteral("[غير موجود] LIKE '%a%'");
        QTest::newRow("plain =") << QStringLiteral("[الحلم] = 'بحر'");
        QTest::newRow("= a number") << QStringLiteral("[رقم] = '12' COLLATE velkaram_folded");
        QTest::newRow("ESCAPE") << QStringLiteral("[الحلم] LIKE '%a!%%' ESCAPE '!'");
        QTest::newRow("unclosed text") << QStringLiteral("[الحلم] LIKE '%a%");
        QTest::newRow("parentheses") << QStringLiteral("([الحلم] LIKE '%a%')");
    }
    void otherConditionsAreNotTaken()
    {
        QFETCH(QString, condition);
        QVERIFY(!searchTerms(condition, FieldNames).has_value());
    }
};

QTEST_GUILESS_MAIN(TestFoldedCopy)
#include "tst_foldedcopy.moc"
