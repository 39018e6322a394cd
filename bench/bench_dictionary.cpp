// Dictionary window start-up, grid lookup and search on synthetic
// dictionaries of 1,000 to 100,000 entries; the reader search (its index and
// its suggestions) on the shipped entries repeated to 100,000, so that words,
// their frequencies and text lengths are the real ones: each copy's keyword
// and dream carry its number.
#include "core/reader/entrysource.h"
#include "core/reader/readerindex.h"
#include "core/recordstore/connection.h"
#include "core/recordstore/foldedcopy.h"
#include "fixturedb.h"
#include "harness.h"
#include "platform/grid/flexgrid.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <vector>

using namespace velkaram;

namespace {

const QString Words[] = {QStringLiteral("الماء"), QStringLiteral("البحر"), QStringLiteral("السفر"), QStringLiteral("الرزق"),
                         QStringLiteral("الخير"), QStringLiteral("الهم"), QStringLiteral("العلم"), QStringLiteral("الزواج"),
                         QStringLiteral("الشفاء"), QStringLiteral("السلطان"), QStringLiteral("الفرج"), QStringLiteral("المال")};

QString sentence(int seed, int words)
{
    QStringList out;
    for (int i = 0; i < words; ++i)
        out << Words[(seed * 7 + i * 13) % 12];
    return out.join(QLatin1Char(' '));
}

// One harness per size, built once: a real database file in a program folder.
// main owns them, so that they go before the application does (their windows
// cannot be torn down after it).
std::map<int, std::unique_ptr<Harness>> *harnesses = nullptr;

Harness &harnessFor(int entries)
{
    auto &h = (*harnesses)[entries];
    if (!h) {
        h = std::make_unique<Harness>();
        QList<QVariantList> rows;
        rows.reserve(entries);
        for (int i = 1; i <= entries; ++i)
            rows << dreamRow(i, QStringLiteral("مفتاح %1").arg(i), QStringLiteral("رؤية %1 في المنام").arg(i),
                             sentence(i, 25));
        h->writeDictionary(rows);
        indexDreams(h->folder() + QStringLiteral("/kelvra.mdb"));
    }
    return *h;
}

void StartUp(benchmark::State &state)
{
    Harness &h = harnessFor(int(state.range(0)));
    DreamForm &form = h.dream();
    for (auto _ : state) {
        form.load();
        form.ui().MSFlexGrid1->refresh();
        state.PauseTiming();
        form.unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(StartUp)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void GridLookup(benchmark::State &state)
{
    Harness &h = harnessFor(100000);
    DreamForm &form = h.dream();
    form.load();
    FlexGrid &grid = *form.ui().MSFlexGrid1;
    grid.refresh();
    const QModelIndex cell = grid.model()->index(76543, 1);
    for (auto _ : state) {
        emit grid.clicked(cell);
        benchmark::DoNotOptimize(form.LookupRecordset.exists());
    }
    if (!h.messages.isEmpty() || !h.fatals.isEmpty())
        state.SkipWithError("the lookup failed");
}
BENCHMARK(GridLookup)->Unit(benchmark::kMicrosecond);

// What is searched: a spelling variant with digits (a few rows), a word of
// common letters that no row holds (every row folded), and a word every row
// holds (the fill of 100,000 rows).
const QString Queries[] = {QStringLiteral("رؤيه 1234"), QStringLiteral("سلمان"), QStringLiteral("الفرج")};

QString allFieldsStatement(const QString &text)
{
    QString condition;
    for (const char *field : {"رقم", "المفتاح", "الحلم", "التفسير"})
        condition += QStringLiteral("[%1] LIKE '%%2%'   OR ").arg(QString::fromUtf8(field), text);
    condition.chop(3);
    return QStringLiteral("SELECT * FROM [dream] WHERE  ") + condition + QStringLiteral(" ;");
}

// The all-fields containing search as the window runs it, result on screen.
void SearchWindow(benchmark::State &state)
{
    Harness &h = harnessFor(int(state.range(1)));
    DreamForm &form = h.dream();
    form.load();
    form.ui().Text1->setText(Queries[state.range(0)]);
    for (auto _ : state) {
        form.Commmand1_Click();
        form.ui().MSFlexGrid1->refresh();
    }
    state.counters["rows"] = form.ui().MSFlexGrid1->Rows() - 1;
}

// The same statement with SQLite's own LIKE, no folding, in this process.
void SearchBuiltinLike(benchmark::State &state)
{
    Harness &h = harnessFor(int(state.range(1)));
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(h.folder() + QStringLiteral("/kelvra.mdb")).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    // Built-in LIKE does not fold: give it the spelling the rows hold.
    const QString text = QString(Queries[state.range(0)]).replace(QStringLiteral("رؤيه"), QStringLiteral("رؤية"));
    const QByteArray sql = allFieldsStatement(text).toUtf8();
    int rows = 0;
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
        rows = 0;
        // Read every column, as the record store does with a result.
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < 4; ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
            ++rows;
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    state.counters["rows"] = rows;
}

// The same statement through the record store alone: folding LIKE, no
// window, on a connection that has searched before.
void SearchStore(benchmark::State &state)
{
    Harness &h = harnessFor(int(state.range(1)));
    auto connection = std::make_shared<rs::Connection>();
    connection->Open(h.folder() + QStringLiteral("/kelvra.mdb"));
    const QString sql = allFieldsStatement(Queries[state.range(0)]);
    long rows = 0;
    {
        rs::Recordset first;
        first.Open(sql, connection, rs::adOpenKeyset, rs::adLockReadOnly);
    }
    for (auto _ : state) {
        rs::Recordset rs;
        rs.Open(sql, connection, rs::adOpenKeyset, rs::adLockReadOnly);
        rows = rs.RecordCount();
    }
    state.counters["rows"] = double(rows);
}

// A connection's first search, which reads the table into memory folded.
void SearchFirst(benchmark::State &state)
{
    Harness &h = harnessFor(int(state.range(1)));
    const QString sql = allFieldsStatement(Queries[state.range(0)]);
    for (auto _ : state) {
        auto connection = std::make_shared<rs::Connection>();
        connection->Open(h.folder() + QStringLiteral("/kelvra.mdb"));
        rs::Recordset rs;
        rs.Open(sql, connection, rs::adOpenKeyset, rs::adLockReadOnly);
        benchmark::DoNotOptimize(rs.RecordCount());
    }
}

// The floor: one memchr over as many bytes as the folded fields hold, for a
// byte that is not there.
void MemchrFloor(benchmark::State &state)
{
    Harness &h = harnessFor(int(state.range(1)));
    rs::Connection connection;
    connection.Open(h.folder() + QStringLiteral("/kelvra.mdb"));
    const rs::FoldedCopy *copy = connection.foldedCopy(QStringLiteral("dream"));
    if (!copy) {
        state.SkipWithError("the table did not fit in memory");
        return;
    }
    const std::string bytes(copy->textBytes(), 'a');
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(bytes.data(), 'b', bytes.size()));
    state.counters["MB"] = double(bytes.size()) / 1e6;
}

// A dictionary whose every interpretation quotes a verse in ﴿…﴾, three-byte
// characters the common two-byte Arabic reading does not cover.
QString quotingDictionary()
{
    static QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("kelvra.mdb"));
    if (!QFile::exists(file)) {
        QList<QVariantList> rows;
        for (int i = 1; i <= 100000; ++i)
            rows << dreamRow(i, QStringLiteral("مفتاح %1").arg(i), QStringLiteral("رؤية %1 في المنام").arg(i),
                             sentence(i, 20) + QStringLiteral(" ﴿نساؤكم حرث لكم﴾ (البقرة: 223)"));
        writeTable(file, QStringLiteral("dream"), dreamColumns(), rows);
    }
    return file;
}

// Every text cell of 100,000 rows read as a QString, as the grid's fill
// reads them; the rows are read from the file before the timing starts.
// 0: Arabic and ASCII only; 1: each row also quotes a verse.
void ReadCells(benchmark::State &state)
{
    const QString file = state.range(0) == 0 ? harnessFor(100000).folder() + QStringLiteral("/kelvra.mdb")
                                             : quotingDictionary();
    auto connection = std::make_shared<rs::Connection>();
    connection->Open(file);
    rs::Recordset rs;
    rs.Open(QStringLiteral("dream"), connection, rs::adOpenStatic, rs::adLockReadOnly);
    const long rows = rs.RecordCount();
    for (auto _ : state) {
        qsizetype chars = 0;
        for (rs.MoveFirst(); !rs.AtEnd(); rs.MoveNext()) {
            for (int column = 1; column <= 3; ++column)
                chars += rs.Fields(column).Value().toString().size();
        }
        benchmark::DoNotOptimize(chars);
    }
    state.counters["cells"] = double(rows * 3);
}
BENCHMARK(ReadCells)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The reader search.
struct Text {
    std::string keyword, dream, interpretation;
};

const std::vector<Text> &shippedEntries()
{
    static const std::vector<Text> entries = [] {
        std::vector<Text> out;
        sqlite3 *db = nullptr;
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_open_v2(VELKARAM_SHIPPED_DB, &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK
            && sqlite3_prepare_v2(db, "SELECT \"المفتاح\", \"الحلم\", \"التفسير\" FROM dream", -1, &stmt, nullptr)
                == SQLITE_OK) {
            const auto text = [&](int i) {
                const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
                return std::string(p ? p : "");
            };
            while (sqlite3_step(stmt) == SQLITE_ROW)
                out.push_back({text(0), text(1), text(2)});
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return out;
    }();
    return entries;
}

// Entry i of a dictionary of any size; copies past the first carry their number.
Text entryAt(size_t i)
{
    const auto &shipped = shippedEntries();
    Text t = shipped[i % shipped.size()];
    if (const size_t copy = i / shipped.size()) {
        t.keyword += ' ' + std::to_string(copy);
        t.dream += ' ' + std::to_string(copy);
    }
    return t;
}

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

std::unique_ptr<reader::ReaderIndex> buildIndex(size_t entries)
{
    auto index = std::make_unique<reader::ReaderIndex>();
    for (size_t i = 0; i < entries; ++i) {
        const Text t = entryAt(i);
        index->add(qint64(i + 1), t.keyword, t.dream, t.interpretation);
    }
    index->finish();
    return index;
}

// The shipped entries repeated to the size, as a database file.
QString readerDatabase(int entries)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("reader-%1.mdb").arg(entries));
    if (!QFile::exists(path)) {
        QList<QVariantList> rows;
        for (int i = 0; i < entries; ++i) {
            const Text t = entryAt(size_t(i));
            rows << dreamRow(i + 1, QString::fromStdString(t.keyword), QString::fromStdString(t.dream),
                             QString::fromStdString(t.interpretation));
        }
        writeTable(path, QStringLiteral("dream"), dreamColumns(), rows);
    }
    return path;
}

// As the window builds it: every entry read from the file, then indexed.
void BuildIndex(benchmark::State &state)
{
    if (shippedEntries().empty()) {
        state.SkipWithError("the shipped dictionary could not be read");
        return;
    }
    const QString path = readerDatabase(int(state.range(0)));
    long grown = 0;
    size_t held = 0;
    for (auto _ : state) {
        const long before = residentKiB();
        rs::Connection connection;
        connection.Open(path);
        auto index = std::make_unique<reader::ReaderIndex>();
        reader::readEntries(connection, *index);
        grown = std::max(grown, residentKiB() - before);
        held = index->heldBytes();
        state.PauseTiming();
        index.reset();
        state.ResumeTiming();
    }
    state.counters["held_MB"] = double(held) / 1e6;
    state.counters["RSS_grown_MB"] = double(grown) / 1024.0;
}
BENCHMARK(BuildIndex)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// What readers type: words of a dream as they write them, a single letter,
// a word growing as it is typed, and text the dictionary has nothing near.
const char *const ReaderQueries[] = {"كلاب تطاردني", "قص الشعر للمتزوجة", "حلمت اني حامل", "ث", "ثعب", "زقزقة بنفسجية"};

const reader::ReaderIndex &indexAt100k()
{
    static const auto index = buildIndex(100000);
    return *index;
}

void Suggest(benchmark::State &state)
{
    const QString text = QString::fromUtf8(ReaderQueries[state.range(0)]);
    const reader::ReaderIndex &index = indexAt100k();
    size_t found = 0;
    for (auto _ : state)
        found = index.suggest(text, reader::Reading::Typing).size();
    state.counters["found"] = double(found);
    state.SetLabel(ReaderQueries[state.range(0)]);
}

// The same in the dictionary window at 100,000 entries: from the moment the
// pause after the last key ends to the list filled and painted.
Harness *windowHarness = nullptr;

void SuggestOnScreen(benchmark::State &state)
{
    Harness &h = *windowHarness;
    DreamForm &form = h.dream();
    if (!form.isLoaded()) {
        QList<QVariantList> rows;
        for (int i = 0; i < 100000; ++i) {
            const Text t = entryAt(size_t(i));
            rows << dreamRow(i + 1, QString::fromStdString(t.keyword), QString::fromStdString(t.dream),
                             QString::fromStdString(t.interpretation));
        }
        h.writeDictionary(rows);
        form.show();
        form.ui().MSFlexGrid1->refresh();
        while (!form.readerSearchReady())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    DreamControls &c = form.ui();
    c.SuggestTimer->setInterval(0);
    const QString text = QString::fromUtf8(ReaderQueries[state.range(0)]);
    for (auto _ : state) {
        state.PauseTiming();
        c.Suggestions->hide();
        c.Text1->setText(text);
        state.ResumeTiming();
        c.SuggestTimer->start();
        while (c.SuggestTimer->isActive())
            QCoreApplication::processEvents();
        if (c.Suggestions->isVisible())
            c.Suggestions->repaint();
    }
    state.counters["lines"] = c.Suggestions->isVisible() ? c.Suggestions->count() : 0;
    state.SetLabel(ReaderQueries[state.range(0)]);
}

void registerReaderQueries()
{
    for (int q = 0; q < int(std::size(ReaderQueries)); ++q) {
        benchmark::RegisterBenchmark("Suggest", Suggest)->Arg(q)->Unit(benchmark::kMillisecond)->Repetitions(5)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark("SuggestOnScreen", SuggestOnScreen)->Arg(q)->Unit(benchmark::kMillisecond)
            ->Repetitions(5)->ReportAggregatesOnly(true);
    }
}

const char *const ShapeNames[] = {"few matches", "no match", "all rows"};
const int SearchSizes[] = {100000, 1000000};

// The ways of running each search shape, next to each other so that the
// machine's load changes them alike; then the floor.
void registerSearches()
{
    for (int entries : SearchSizes) {
        for (int shape = 0; shape < 3; ++shape) {
            for (auto *b : {benchmark::RegisterBenchmark("SearchBuiltinLike", SearchBuiltinLike),
                            benchmark::RegisterBenchmark("SearchFirst", SearchFirst),
                            benchmark::RegisterBenchmark("SearchStore", SearchStore),
                            benchmark::RegisterBenchmark("SearchWindow", SearchWindow)})
                b->Args({shape, entries})->Unit(benchmark::kMillisecond)->Repetitions(3);
        }
        benchmark::RegisterBenchmark("SearchMemchrFloor", MemchrFloor)
            ->Args({0, entries})
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(3);
    }
}

// Prints the usual table, then each shape's times side by side: the search
// on screen and in the store against SQLite's own LIKE.
class PairReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            // The median when repeated, else the single run.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            const std::string name = run.run_name.function_name;
            const std::string args = run.run_name.args;
            if (name.rfind("Search", 0) != 0 || args.empty())
                continue;
            Times &t = times_[name][args];
            if (run.run_type == Run::RT_Aggregate || !t.median) {
                t.real = run.GetAdjustedRealTime();
                t.cpu = run.GetAdjustedCPUTime();
                t.median = run.run_type == Run::RT_Aggregate;
            }
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        if (times_.empty())
            return;
        for (int entries : SearchSizes) {
            const std::string size = std::to_string(entries);
            const Times floor = times_["SearchMemchrFloor"]["0/" + size];
            std::printf("\nSearch at %d entries, ms (wall / CPU); memchr over the folded text: %.1f ms\n", entries,
                        floor.real);
            std::printf("%-12s %17s %17s %17s %17s %12s\n", "shape", "built-in LIKE", "first search", "store",
                        "on screen", "x memchr");
            for (int shape = 0; shape < 3; ++shape) {
                const std::string key = std::to_string(shape) + "/" + size;
                const Times b = times_["SearchBuiltinLike"][key];
                const Times f = times_["SearchFirst"][key];
                const Times s = times_["SearchStore"][key];
                const Times w = times_["SearchWindow"][key];
                if (w.real <= 0)
                    continue;
                std::printf("%-12s %8.1f / %6.1f %8.1f / %6.1f %8.1f / %6.1f %8.1f / %6.1f %12.1f\n", ShapeNames[shape],
                            b.real, b.cpu, f.real, f.cpu, s.real, s.cpu, w.real, w.cpu,
                            floor.real > 0 ? w.real / floor.real : 0.0);
            }
        }
    }

private:
    struct Times {
        double real = 0;
        double cpu = 0;
        bool median = false;
    };
    std::map<std::string, std::map<std::string, Times>> times_;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Outlive the benchmarks, not the application.
    std::map<int, std::unique_ptr<Harness>> bySize;
    harnesses = &bySize;
    Harness readerHarness;
    windowHarness = &readerHarness;
    registerSearches();
    registerReaderQueries();
    benchmark::Initialize(&argc, argv);
    PairReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    windowHarness = nullptr;
    harnesses = nullptr;
    return 0;
}
