#include "fixturedb.h"
#include "core/recordstore/connection.h"
#include "core/recordstore/foldedequality.h"
#include "core/recordstore/recordset.h"
#include "core/runtimeerror.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace velkaram;
using namespace velkaram::rs;

namespace {

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestRecordStore : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path;

    std::shared_ptr<Connection> open()
    {
        auto c = std::make_shared<Connection>();
        c->Open(path);
        return c;
    }

private slots:
    void initTestCase()
    {
        path = dir.filePath(QStringLiteral("kelvra.mdb"));
        writeTable(path, QStringLiteral("dream"), dreamColumns(),
                   {dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب الماء الصافي"), QStringLiteral("حياة طيبة")),
                    dreamRow(2, QStringLiteral("بحر"), QStringLiteral("الغرق في البحر"), QStringLiteral("هم")),
                    dreamRow(3, QStringLiteral("أسد"), QStringLiteral("رؤية الأسد"), QStringLiteral("سلطان")),
                    {4, QStringLiteral("نار"), QVariant(), QStringLiteral("فتنة")},
                    dreamRow(5, QStringLiteral("ماء"), QStringLiteral("الماء العكر"), QStringLiteral("مرض"))});
    }

    void connectionStrings_data()
    {
        QTest::addColumn<QString>("provider");
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QString>("argument");
        const QString file = dir.filePath(QStringLiteral("kelvra.mdb"));
        QTest::newRow("full string") << QString() << QString()
                                     << "Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=; Data Source=" + file;
        QTest::newRow("empty string, preset one") << "Microsoft.Jet.OLEDB.4.0" << "Data Source=" + file << QString();
        QTest::newRow("bare path") << "Microsoft.JET.OLEDB.4.0" << QString() << file;
        QTest::newRow("upper-case file name") << QString() << QString() << dir.filePath(QStringLiteral("KELVRA.mdb"));
        QTest::newRow("upper-case in a full string") << QString() << QString()
                                                     << "Data Source=" + dir.filePath(QStringLiteral("KELVRA.MDB"));
        QTest::newRow("blanks around = and ;") << QString() << QString()
                                               << "Provider = Microsoft.Jet.OLEDB.4.0 ; Data Source = " + file;
    }
    void connectionStrings()
    {
        QFETCH(QString, provider);
        QFETCH(QString, preset);
        QFETCH(QString, argument);
        Connection c;
        c.Provider = provider;
        c.ConnectionString = preset;
        QCOMPARE(c.State(), adStateClosed);
        QVERIFY_THROWS_NO_EXCEPTION(c.Open(argument));
        QCOMPARE(c.State(), adStateOpen);
        QCOMPARE(c.filePath(), path);
        c.Close();
        QCOMPARE(c.State(), adStateClosed);
    }

    void bothNamesReachAnUpperCaseFile()
    {
        QTemporaryDir other;
        writeTable(other.filePath(QStringLiteral("KELVRA.MDB")), QStringLiteral("dream"), dreamColumns(),
                   {dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب الماء"), QStringLiteral("خير"))});
        for (const char *name : {"kelvra.mdb", "KELVRA.mdb"}) {
            Connection c;
            c.Open(other.filePath(QString::fromLatin1(name)));
            QCOMPARE(c.filePath(), other.filePath(QStringLiteral("KELVRA.MDB")));
        }
    }

    // The program folder may hold anything a connection string is made of:
    // named the way the program names it, it reaches the store as a path.
    void oddFolderNames_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("equals sign") << QStringLiteral("a=b");
        QTest::newRow("semicolon and equals") << QStringLiteral("x;y=z");
        QTest::newRow("Arabic with blanks and =") << QStringLiteral("مجلد الأحلام = ١");
        QTest::newRow("a key after a semicolon") << QStringLiteral("x;Data Source=y");
        QTest::newRow("another key, lower case") << QStringLiteral("a;provider=b");
        QTest::newRow("a key in blanks") << QStringLiteral("a ; Jet OLEDB:Engine Type = 5 ;");
        QTest::newRow("quotes") << QStringLiteral("it's \"here\"");
        QTest::newRow("quoted start") << QStringLiteral("\"x;Data Source=y\"");
    }
    void oddFolderNames()
    {
        QFETCH(QString, folder);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(folder));
        const QString file = root.filePath(folder + QStringLiteral("/kelvra.mdb"));
        writeTable(file, QStringLiteral("dream"), dreamColumns(),
                   {dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب الماء"), QStringLiteral("خير"))});
        const QStringList arguments = {
            file,
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=; Data Source=")
                + connectionValue(file),
            QStringLiteral("Data Source = ") + connectionValue(file) + QStringLiteral(" ; Provider = Microsoft.Jet.OLEDB.4.0"),
        };
        for (const QString &argument : arguments) {
            Connection c;
            c.Open(argument);
            QCOMPARE(c.filePath(), file);
            QCOMPARE(c.Provider, argument == file ? QString() : QStringLiteral("Microsoft.Jet.OLEDB.4.0"));
        }
    }

    void unknownProviderIsRefused()
    {
        Connection c;
        c.Provider = QStringLiteral("SQLOLEDB");
        try {
            c.Open(path);
            QFAIL("opened with an unknown provider");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), err::ProviderNotFound);
        }
    }

    void statements_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("bare table") << "dream" << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("bracketed table") << "[dream]" << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("bracketed names, semicolon") << "SELECT * FROM [dream] WHERE  [المفتاح] LIKE '%ماء%'    ;" << QList<int>{1, 5};
        QTest::newRow("no semicolon") << "SELECT * FROM [dream] WHERE [المفتاح] LIKE '%ماء%'" << QList<int>{1, 5};
        QTest::newRow("equality") << "SELECT * FROM [dream] WHERE [الحلم] ='رؤية الأسد'" << QList<int>{3};
        QTest::newRow("equality is whole text") << "SELECT * FROM [dream] WHERE [الحلم] ='رؤية'" << QList<int>{};
        QTest::newRow("OR list") << "SELECT * FROM [dream] WHERE  [المفتاح] = 'بحر' OR [الحلم] = 'رؤية الأسد'  ;" << QList<int>{2, 3};
        QTest::newRow("bare Arabic name in parentheses") << "SELECT * FROM dream WHERE ( الحلم ='الغرق في البحر' ) " << QList<int>{2};
        QTest::newRow("LIKE over a number field") << "SELECT * FROM [dream] WHERE [رقم] LIKE '%4%'" << QList<int>{4};
        QTest::newRow("LIKE never matches Null") << "SELECT * FROM [dream] WHERE [الحلم] LIKE '%'" << QList<int>{1, 2, 3, 5};
        QTest::newRow("LIKE folds hamza") << "SELECT * FROM [dream] WHERE [المفتاح] LIKE 'اسد'" << QList<int>{3};
    }
    void statements()
    {
        QFETCH(QString, source);
        QFETCH(QList<int>, numbers);
        Recordset rs;
        rs.Open(source, open(), adOpenStatic, adLockReadOnly);
        QList<int> found;
        while (!rs.AtEnd()) {
            found << rs.Fields(0).Value().toInt();
            rs.MoveNext();
        }
        QCOMPARE(found, numbers);
        QCOMPARE(rs.RecordCount(), long(numbers.size()));
    }

    // Only an "=" followed by a quoted literal compares folded; names,
    // literals and comments that hold such text are left alone.
    void equalitiesToFold_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        const QString c = QStringLiteral(" COLLATE velkaram_folded");
        QTest::newRow("equality") << "a = 'x'" << "a = 'x'" + c;
        QTest::newRow("no spaces") << "a='x' OR b='y'" << "a='x'" + c + " OR b='y'" + c;
        QTest::newRow("double equals") << "a == 'x'" << "a == 'x'" + c;
        QTest::newRow("doubled quote inside") << "a = 'it''s' AND b" << "a = 'it''s'" + c + " AND b";
        QTest::newRow("comparisons") << "a <= 'x' AND a >= 'y' AND a != 'z'" << "a <= 'x' AND a >= 'y' AND a != 'z'";
        QTest::newRow("number") << "a = 5" << "a = 5";
        QTest::newRow("name on the right") << "a = [b]" << "a = [b]";
        QTest::newRow("inside a literal") << "a LIKE '%= ''x''%'" << "a LIKE '%= ''x''%'";
        QTest::newRow("inside brackets") << "[a='x'] = 1" << "[a='x'] = 1";
        QTest::newRow("inside double quotes") << "\"a='x'\" = 1" << "\"a='x'\" = 1";
        QTest::newRow("line comment") << "a -- = 'x'\n= 'y'" << "a -- = 'x'\n= 'y'" + c;
        QTest::newRow("block comment") << "/* = 'x' */ a" << "/* = 'x' */ a";
        QTest::newRow("unclosed comment") << "a /* = 'x'" << "a /* = 'x'";
    }
    void equalitiesToFold()
    {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        QCOMPARE(withFoldedEqualities(sql), expected);
    }

    // What the search's LIKE ignores, "=" ignores too; Latin case still counts.
    void equalityComparesFolded_data()
    {
        QTest::addColumn<QString>("literal");
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("hamza on alef") << "احمد" << QList<int>{2};
        QTest::newRow("harakat and shadda") << "حمام" << QList<int>{3};
        QTest::newRow("harakat in the literal") << "حَمّام" << QList<int>{3};
        QTest::newRow("taa marbuta and haa") << "مدرسة" << QList<int>{4, 5};
        QTest::newRow("alef maqsura and yaa") << "مستشفي" << QList<int>{6};
        QTest::newRow("tatweel") << "مـدرسه" << QList<int>{4, 5};
        QTest::newRow("still the whole text") << "مدرس" << QList<int>{};
        QTest::newRow("Latin case counts") << "ahmad" << QList<int>{};
        QTest::newRow("Latin as written") << "Ahmad" << QList<int>{1};
    }
    void equalityComparesFolded()
    {
        QFETCH(QString, literal);
        QFETCH(QList<int>, numbers);
        QTemporaryDir here;
        const QString file = here.filePath(QStringLiteral("names.mdb"));
        writeTable(file, QStringLiteral("names"), {QStringLiteral("n"), QStringLiteral("name")},
                   {{1, QStringLiteral("Ahmad")}, {2, QStringLiteral("أحمد")}, {3, QStringLiteral("حمّام")},
                    {4, QStringLiteral("مدرسة")}, {5, QStringLiteral("مدرسه")}, {6, QStringLiteral("مستشفى")}});
        auto connection = std::make_shared<Connection>();
        connection->Open(file);
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM names WHERE name = '%1'").arg(literal), connection, adOpenStatic,
                adLockReadOnly);
        QList<int> found;
        for (; !rs.AtEnd(); rs.MoveNext())
            found << rs.Fields(0).Value().toInt();
        QCOMPARE(found, numbers);
    }

    void fieldsByPositionAndName()
    {
        Recordset rs;
        rs.Open(QStringLiteral("dream"), open(), adOpenDynamic, adLockOptimistic, adCmdTable);
        QCOMPARE(rs.Fields().Count(), 4);
        QCOMPARE(rs.Fields(2).Name(), QStringLiteral("الحلم"));
        QCOMPARE(rs.Fields(QStringLiteral("الحلم")).Value().toString(), QStringLiteral("شرب الماء الصافي"));
        QCOMPARE(rs.Fields(0).Value().toInt(), 1);
        try {
            rs.Fields(QStringLiteral("غير موجود")).Value();
            QFAIL("an unknown field was found");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), err::ItemNotFound);
            QVERIFY(e.description().contains(path));
        }
    }

    void nullValue()
    {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM [dream] WHERE [رقم] = 4"), open(), adOpenStatic, adLockReadOnly);
        QVERIFY(rs.Fields(QStringLiteral("الحلم")).Value().isNull());
        QCOMPARE(textOf(rs.Fields(QStringLiteral("الحلم")).Value()), QString());
        QCOMPARE(textOf(rs.Fields(QStringLiteral("التفسير")).Value()), QStringLiteral("فتنة"));
    }

    void movesAndFlags()
    {
        Recordset rs;
        rs.Open(QStringLiteral("dream"), open(), adOpenDynamic, adLockOptimistic, adCmdTable);
        QVERIFY(!rs.BOF());
        QVERIFY(!rs.AtEnd());
        QCOMPARE(rs.AbsolutePosition(), 1L);
        rs.MovePrevious();
        QVERIFY(rs.BOF());
        QCOMPARE(rs.AbsolutePosition(), 0L);
        rs.MoveFirst();
        rs.MoveNext();
        QCOMPARE(rs.AbsolutePosition(), 2L);
        rs.MoveLast();
        QCOMPARE(rs.Fields(0).Value().toInt(), 5);
        rs.MoveNext();
        QVERIFY(rs.AtEnd());
        QVERIFY(!rs.BOF());
        QCOMPARE(rs.AbsolutePosition(), 0L);
        try {
            rs.MoveNext();
            QFAIL("moved past the end twice");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), err::NoCurrentRecord);
        }
        rs.MovePrevious();
        QCOMPARE(rs.Fields(0).Value().toInt(), 5);
        QCOMPARE(rs.RecordCount(), 5L);
        rs.Close();
        QCOMPARE(rs.State(), adStateClosed);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, rs.AtEnd());
    }

    void emptyResult()
    {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM [dream] WHERE [الحلم] ='لا شيء'"), open(), adOpenStatic, adLockReadOnly);
        QVERIFY(rs.BOF());
        QVERIFY(rs.AtEnd());
        QCOMPARE(rs.RecordCount(), 0L);
        QCOMPARE(rs.AbsolutePosition(), 0L);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, rs.MoveFirst());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, rs.Fields(0).Value());
    }

    void openTwiceIsRefused()
    {
        Recordset rs;
        rs.Open(QStringLiteral("dream"), open(), adOpenStatic, adLockReadOnly);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, rs.Open(QStringLiteral("dream"), open(), adOpenStatic, adLockReadOnly));
    }

    void onlyReadingStatementsRun_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("number");
        QTest::newRow("delete") << "DELETE FROM dream" << err::StatementRefused;
        QTest::newRow("drop after a select") << "SELECT * FROM dream; DROP TABLE dream" << err::StatementRefused;
        QTest::newRow("injected into a literal")
            << "SELECT * FROM [dream] WHERE [الحلم] ='x'; DELETE FROM dream; --'" << err::StatementRefused;
        QTest::newRow("attach") << "SELECT * FROM dream WHERE 1 = (SELECT 1); ATTACH 'x.db' AS x" << err::StatementRefused;
        QTest::newRow("pragma in a select") << "SELECT * FROM pragma_table_info('dream')" << err::StatementRefused;
        // SQLite counts ATTACH as reading: only the authorizer stops it.
        QTest::newRow("attach alone") << "ATTACH DATABASE '" + dir.filePath(QStringLiteral("kelvra.mdb")) + "' AS x"
                                      << err::StatementRefused;
        QTest::newRow("unknown table") << "SELECT * FROM [أحلام]" << err::TableNotFound;
        QTest::newRow("unknown column") << "SELECT * FROM [dream] WHERE [لون] = 'x'" << err::ItemNotFound;
        QTest::newRow("broken syntax") << "SELECT * FROM [dream] WHERE [الحلم] = 'x" << err::SyntaxError;
    }
    void onlyReadingStatementsRun()
    {
        QFETCH(QString, source);
        QFETCH(int, number);
        const QByteArray before = fileHash(path);
        Recordset rs;
        try {
            rs.Open(source, open(), adOpenStatic, adLockReadOnly);
            QFAIL("the statement ran");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), number);
            QVERIFY2(e.description().contains(path), qPrintable(e.description()));
        }
        QCOMPARE(rs.State(), adStateClosed);
        QCOMPARE(fileHash(path), before);
        Recordset all;
        all.Open(QStringLiteral("dream"), open(), adOpenStatic, adLockReadOnly);
        QCOMPARE(all.RecordCount(), 5L);
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("cause");
        QByteArray random(4096, '\0');
        for (int i = 0; i < random.size(); ++i)
            random[i] = char((i * 7919 + 13) % 251);
        QTest::newRow("missing") << QByteArray() << false << err::FileNotFound << QStringLiteral("تعذر العثور");
        QTest::newRow("empty") << QByteArray() << true << err::UnrecognizedDatabase << QStringLiteral("فارغ");
        QTest::newRow("random bytes") << random << true << err::UnrecognizedDatabase << QStringLiteral("ليس قاعدة بيانات");
    }
    void badFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, present);
        QFETCH(int, number);
        QFETCH(QString, cause);
        QTemporaryDir other;
        const QString bad = other.filePath(QStringLiteral("kelvra.mdb"));
        if (present) {
            QFile file(bad);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        Connection c;
        try {
            c.Open(bad);
            QFAIL("a bad file opened");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), number);
            QVERIFY2(e.description().contains(bad), qPrintable(e.description()));
            QVERIFY2(e.description().contains(cause), qPrintable(e.description()));
        }
        QCOMPARE(c.State(), adStateClosed);
        if (present) {
            QFile file(bad);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), content);
        }
    }

    // A database can define a view of billions of rows. Holding more than
    // the limit, or one step of reading running past its time, ends in a
    // clear error instead of eating all memory or freezing the program; the
    // connection reads on afterwards. A million rows and tight limits here,
    // so that without the limits the test fails instead of hanging.
    void hugeResultsAreGivenUp_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<qint64>("heldBytes");
        QTest::addColumn<int>("stepMs");
        QTest::addColumn<int>("number");
        QTest::newRow("all rows held") << QStringLiteral("huge") << (qint64(2) << 20) << 60000 << err::OutOfMemory;
        // Scanning a million rows takes some tens of milliseconds.
        QTest::newRow("a scan that finds nothing")
            << QStringLiteral("SELECT * FROM huge WHERE n < 0") << (qint64(1) << 30) << 2 << err::QueryTimeout;
    }
    void hugeResultsAreGivenUp()
    {
        QFETCH(QString, source);
        QFETCH(qint64, heldBytes);
        QFETCH(int, stepMs);
        QFETCH(int, number);
        QTemporaryDir other;
        const QString file = other.filePath(QStringLiteral("huge.mdb"));
        writeTable(file, QStringLiteral("dream"), dreamColumns(),
                   {dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب الماء"), QStringLiteral("حياة"))});
        runStatements(file, "CREATE TABLE digits (d INTEGER);"
                            "WITH RECURSIVE r(d) AS (SELECT 0 UNION ALL SELECT d + 1 FROM r WHERE d < 99)"
                            " INSERT INTO digits SELECT d FROM r;"
                            "CREATE VIEW huge AS SELECT a.d * 10000 + b.d * 100 + c.d AS n,"
                            " 'حلم طويل ' || a.d AS dream FROM digits a, digits b, digits c;");
        const QByteArray before = fileHash(file);

        auto c = std::make_shared<Connection>();
        c->Open(file);
        c->Limits.heldBytes = heldBytes;
        c->Limits.stepMs = stepMs;
        try {
            Recordset rs;
            rs.Open(source, c, adOpenStatic, adLockReadOnly);
            rs.RecordCount();
            QFAIL("all the rows were read");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), number);
            QVERIFY2(e.description().contains(file), qPrintable(e.description()));
        }
        Recordset after;
        after.Open(QStringLiteral("dream"), c, adOpenStatic, adLockReadOnly);
        QCOMPARE(after.RecordCount(), 1);
        QCOMPARE(fileHash(file), before);
    }

    // Whatever a result holds (keys read again by rowid, or its rows), it
    // gives the rows SQLite gives for the same statement, in the same order
    // and with the same values, through the cursor and through rows().
    void resultsAreTheStatementsRows_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("sql"); // the same rows read straight from SQLite
        QTest::newRow("whole table") << QStringLiteral("[dream]") << QStringLiteral("SELECT * FROM dream");
        QTest::newRow("table with gaps") << QStringLiteral("gaps") << QStringLiteral("SELECT * FROM gaps");
        QTest::newRow("search") << QStringLiteral("SELECT * FROM [dream] WHERE [الحلم] LIKE '%الماء%'")
                                << QStringLiteral("SELECT * FROM dream WHERE rowid IN (1, 5)");
        // The index on the dream orders this one.
        QTest::newRow("search in index order") << QStringLiteral("SELECT * FROM [dream] WHERE [الحلم] > ''")
                                               << QStringLiteral("SELECT * FROM dream WHERE الحلم > '' ORDER BY الحلم");
        QTest::newRow("search sorted") << QStringLiteral("SELECT * FROM gaps WHERE n > 0 ORDER BY t DESC ;")
                                       << QStringLiteral("SELECT * FROM gaps WHERE n > 0 ORDER BY t DESC");
        QTest::newRow("view") << QStringLiteral("seen") << QStringLiteral("SELECT * FROM gaps");
        QTest::newRow("without rowid") << QStringLiteral("plain") << QStringLiteral("SELECT * FROM plain");
        QTest::newRow("a field named rowid") << QStringLiteral("named") << QStringLiteral("SELECT * FROM named");
        QTest::newRow("join") << QStringLiteral("SELECT * FROM gaps, plain WHERE plain.k = gaps.n")
                              << QStringLiteral("SELECT * FROM gaps, plain WHERE plain.k = gaps.n");
    }
    void resultsAreTheStatementsRows()
    {
        QFETCH(QString, source);
        QFETCH(QString, sql);
        QTemporaryDir other;
        const QString file = other.filePath(QStringLiteral("kinds.mdb"));
        QFile::copy(path, file);
        runStatements(file, "CREATE INDEX dream_by_dream ON dream (\"الحلم\");"
                            "CREATE TABLE gaps (n INTEGER, t TEXT, x REAL);"
                            "INSERT INTO gaps (rowid, n, t, x) VALUES (3, 1, 'ب', 0.5), (10, 2, NULL, 1.25),"
                            " (11, 3, 'أ', NULL), (40, 4, 'ت', 2.0);"
                            "CREATE INDEX gaps_by_t ON gaps (t);"
                            "CREATE VIEW seen AS SELECT * FROM gaps;"
                            "CREATE TABLE plain (k INTEGER PRIMARY KEY, v TEXT) WITHOUT ROWID;"
                            "INSERT INTO plain VALUES (2, 'ثاني'), (1, 'أول');"
                            "CREATE TABLE named (rowid TEXT, v TEXT);"
                            "INSERT INTO named VALUES ('z', 'أ'), ('a', 'ب');");
        QList<QVariantList> expected;
        {
            sqlite3 *db = nullptr;
            QCOMPARE(sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
            sqlite3_stmt *stmt = nullptr;
            QCOMPARE(sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr), SQLITE_OK);
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                QVariantList row;
                for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                    switch (sqlite3_column_type(stmt, c)) {
                    case SQLITE_NULL: row << QVariant(); break;
                    case SQLITE_INTEGER: row << qlonglong(sqlite3_column_int64(stmt, c)); break;
                    case SQLITE_FLOAT: row << sqlite3_column_double(stmt, c); break;
                    default: row << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)));
                    }
                }
                expected << row;
            }
            sqlite3_finalize(stmt);
            sqlite3_close(db);
        }
        QVERIFY(expected.size() >= 2);

        auto c = std::make_shared<Connection>();
        c->Open(file);
        Recordset rs;
        rs.Open(source, c, adOpenStatic, adLockReadOnly);
        QCOMPARE(rs.RecordCount(), long(expected.size()));
        const std::shared_ptr<const ResultRows> rows = rs.rows();
        QCOMPARE(rows->count(), long(expected.size()));
        long k = 0;
        for (rs.MoveFirst(); !rs.AtEnd(); rs.MoveNext(), ++k) {
            QCOMPARE(rs.Fields().Count(), expected[k].size());
            for (int col = 0; col < expected[k].size(); ++col) {
                const QVariant want = expected[k][col];
                QCOMPARE(rs.Fields(col).Value().isNull(), want.isNull());
                QCOMPARE(rs.Fields(col).Value().toString(), want.toString());
                QCOMPARE(rows->value(k, col).toString(), want.toString());
            }
        }
        QCOMPARE(k, long(expected.size()));
        // Backwards from the end, as the paging buttons go.
        rs.MoveLast();
        QCOMPARE(rs.AbsolutePosition(), long(expected.size()));
        QCOMPARE(rs.Fields(expected.last().size() - 1).Value().toString(), expected.last().last().toString());
    }

    // A whole table or a plain search holds its rows' keys, not the rows:
    // far more rows than the memory limit would hold as copies are counted
    // and read; a view, whose rows have no key, still meets the limit.
    void keysNotRowsAreHeld_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("fits");
        QTest::newRow("whole table") << QStringLiteral("dream") << true;
        QTest::newRow("table with gaps") << QStringLiteral("gaps") << true;
        QTest::newRow("search") << QStringLiteral("SELECT * FROM [gaps] WHERE [التفسير] LIKE '%م%'") << true;
        QTest::newRow("view") << QStringLiteral("seen") << false;
    }
    void keysNotRowsAreHeld()
    {
        QFETCH(QString, source);
        QFETCH(bool, fits);
        QTemporaryDir other;
        const QString file = other.filePath(QStringLiteral("long.mdb"));
        QList<QVariantList> rows;
        for (int i = 1; i <= 3000; ++i)
            rows << dreamRow(i, QStringLiteral("مفتاح %1").arg(i), QStringLiteral("حلم %1").arg(i), QString(300, QChar(0x0645)));
        writeTable(file, QStringLiteral("dream"), dreamColumns(), rows);
        runStatements(file, "CREATE TABLE gaps AS SELECT * FROM dream WHERE rowid % 3 <> 0;"
                            "CREATE VIEW seen AS SELECT * FROM dream;");
        auto c = std::make_shared<Connection>();
        c->Open(file);
        // Some 2 MB of rows, some 24 KB of keys.
        c->Limits.heldBytes = 256 << 10;
        Recordset rs;
        try {
            rs.Open(source, c, adOpenStatic, adLockReadOnly);
            const long n = rs.RecordCount();
            QVERIFY2(fits, "the rows were held");
            QVERIFY(n >= 2000);
            rs.MoveLast();
            QCOMPARE(rs.Fields(3).Value().toString(), QString(300, QChar(0x0645)));
        } catch (const RuntimeError &e) {
            QVERIFY2(!fits, qPrintable(e.description()));
            QCOMPARE(e.number(), err::OutOfMemory);
        }
    }

    // The rows a recordset gave out stay those rows after it closes and
    // opens another result, or after its connection closes.
    void rowsOutliveTheirRecordset()
    {
        auto c = open();
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM [dream] WHERE [المفتاح] = 'ماء'"), c, adOpenStatic, adLockReadOnly);
        const std::shared_ptr<const ResultRows> water = rs.rows();
        rs.Close();
        rs.Open(QStringLiteral("[dream]"), c, adOpenStatic, adLockReadOnly);
        const std::shared_ptr<const ResultRows> all = rs.rows();
        QCOMPARE(water->count(), 2L);
        QCOMPARE(water->value(1, 2).toString(), QStringLiteral("الماء العكر"));
        QCOMPARE(all->count(), 5L);
        QCOMPARE(all->value(2, 2).toString(), QStringLiteral("رؤية الأسد"));
        rs.Close();
        c->Close();
        QCOMPARE(water->value(0, 2).toString(), QStringLiteral("شرب الماء الصافي"));
    }

    void truncatedFile()
    {
        QTemporaryDir other;
        const QString big = other.filePath(QStringLiteral("full.mdb"));
        QList<QVariantList> rows;
        for (int i = 1; i <= 2000; ++i)
            rows << dreamRow(i, QStringLiteral("مفتاح %1").arg(i), QStringLiteral("حلم %1").arg(i), QString(200, QChar(0x0645)));
        writeTable(big, QStringLiteral("dream"), dreamColumns(), rows);
        QFile full(big);
        QVERIFY(full.open(QIODevice::ReadOnly));
        const QByteArray half = full.read(full.size() / 2);
        const QString cut = other.filePath(QStringLiteral("kelvra.mdb"));
        QFile out(cut);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(half);
        out.close();

        try {
            auto c = std::make_shared<Connection>();
            c->Open(cut);
            Recordset rs;
            rs.Open(QStringLiteral("dream"), c, adOpenStatic, adLockReadOnly);
            rs.RecordCount();
            QFAIL("a truncated file was read to the end");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), err::UnrecognizedDatabase);
            QVERIFY2(e.description().contains(cut), qPrintable(e.description()));
        }
    }
};

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
