// Fuzz target: a damaged kelvra.mdb opened the way the dictionary starts up:
// the connection, the "dream" table read field by field, the whole table for
// the grid, then the search statements on it. Each step either works or
// raises RuntimeError with an Arabic description; never a crash or a hang.
#include "core/dictionary/statements.h"
#include "core/recordstore/connection.h"
#include "core/recordstore/recordset.h"
#include "core/runtimeerror.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <sqlite3.h>

using namespace velkaram;

namespace {

const QString KeyField = QStringLiteral("المفتاح");
const QString DreamField = QStringLiteral("الحلم");
const QString InterpretationField = QStringLiteral("التفسير");
const QString SearchText = QStringLiteral("ماء");

[[noreturn]] void finding(const char *what, const QString &detail)
{
    std::fprintf(stderr, "dbfile: %s: %s\n", what, detail.toUtf8().constData());
    std::abort();
}

bool hasArabic(const QString &s)
{
    for (QChar c : s) {
        if (c.unicode() >= 0x0600 && c.unicode() <= 0x06FF)
            return true;
    }
    return false;
}

// Runs one step; true when it worked, false when the store raised.
bool step(const char *name, const std::function<void()> &body)
{
    try {
        body();
        return true;
    } catch (const RuntimeError &e) {
        if (e.description().isEmpty() || !hasArabic(e.description()))
            finding(name, QStringLiteral("RuntimeError %1 without an Arabic description: %2")
                              .arg(e.number()).arg(e.description()));
        return false;
    } catch (const std::exception &e) {
        finding(name, QStringLiteral("an exception other than RuntimeError: ") + QString::fromUtf8(e.what()));
    } catch (...) {
        finding(name, QStringLiteral("an unknown exception"));
    }
}

void readAll(rs::Recordset &set)
{
    if (set.BOF() && set.AtEnd())
        return;
    const int n = set.Fields().Count();
    for (set.MoveFirst(); !set.AtEnd(); set.MoveNext()) {
        for (int i = 0; i < n; ++i) {
            (void)set.Fields(i).Name();
            (void)rs::textOf(set.Fields(i).Value());
        }
    }
}

// A malformed file must not keep SQLite busy for long: far more work than
// any real dictionary needs is cut off, which the store reports as an error.
int budget(void *left)
{
    return --*static_cast<long *>(left) < 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kelvra.mdb"));
    // Leftovers of an earlier input would make this one depend on it.
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            finding("cannot write the file", path);
        f.write(reinterpret_cast<const char *>(data), qsizetype(size));
    }

    auto main = std::make_shared<rs::Connection>();
    if (!step("open", [&] {
            main->Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=; Data Source=")
                       + dir.filePath(QStringLiteral("KELVRA.mdb")));
        }))
        return 0;
    long left = 20000; // progress calls of 1000 instructions each
    sqlite3_progress_handler(main->handle(), 1000, budget, &left);

    step("table", [&] {
        rs::Recordset table;
        table.Open(QStringLiteral("dream"), main, rs::adOpenDynamic, rs::adLockOptimistic, rs::adCmdTable);
        for (const QString &field : {KeyField, DreamField, InterpretationField})
            table.Fields(field);
        readAll(table);
    });

    QStringList names;
    step("whole table", [&] {
        rs::Recordset whole;
        whole.Open(QStringLiteral("[dream]"), main, rs::adOpenStatic, rs::adLockReadOnly);
        for (int i = 0; i < whole.Fields().Count(); ++i)
            names << whole.Fields(i).Name();
        readAll(whole);
    });

    QStringList statements;
    for (int i = 1; i + 1 < names.size(); ++i) {
        statements << statements::fieldContains(names[i], SearchText) << statements::fieldEquals(names[i], SearchText);
    }
    if (!names.isEmpty()) {
        statements << statements::allFieldsStatement(statements::anyFieldContainsCondition(names, SearchText))
                   << statements::allFieldsStatement(statements::anyFieldEqualsCondition(names.mid(1), SearchText));
    }
    statements << statements::dreamLookup(SearchText);
    for (const QString &statement : statements) {
        step("search", [&] {
            rs::Recordset search;
            search.Open(statement, main, rs::adOpenKeyset, rs::adLockReadOnly);
            readAll(search);
        });
    }
    if (sqlite3_total_changes(main->handle()) != 0)
        finding("the file was written", path);
    return 0;
}
