#include "core/reader/entrysource.h"

#include "core/dictionary/fields.h"
#include "core/reader/readerindex.h"
#include "core/recordstore/connection.h"
#include "core/runtimeerror.h"

#include <sqlite3.h>

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace velkaram::reader {

namespace {

// In brackets: a name in double quotes that names no column would be read
// as a string by SQLite, and a table without the field would seem to have it.
QString fieldName(const QString &name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

sqlite3_stmt *prepare(sqlite3 *db, const QString &sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    return stmt;
}

std::string_view textAt(sqlite3_stmt *stmt, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
    return text ? std::string_view(text, size_t(sqlite3_column_bytes(stmt, column))) : std::string_view();
}

constexpr size_t BatchEntries = 1024;

// Batches cut by the reading thread and waiting to be added, and the empty
// ones handed back; three in all, so memory stays small.
class BatchQueue {
public:
    BatchQueue()
    {
        for (int i = 0; i < 3; ++i)
            empty_.push_back(std::make_unique<ReaderIndex::Batch>());
    }

    // An empty batch to cut the next entries into.
    std::unique_ptr<ReaderIndex::Batch> empty()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !empty_.empty() || failure_; });
        if (empty_.empty())
            return std::make_unique<ReaderIndex::Batch>(); // the adder failed; its error comes later
        auto batch = std::move(empty_.back());
        empty_.pop_back();
        return batch;
    }

    // Hands a cut batch on, or adds it here when no thread adds them (then
    // index is given); returns an empty one.
    std::unique_ptr<ReaderIndex::Batch> pass(std::unique_ptr<ReaderIndex::Batch> batch, ReaderIndex *index)
    {
        if (index) {
            index->add(*batch);
            return batch;
        }
        {
            std::lock_guard lock(mutex_);
            full_.push_back(std::move(batch));
        }
        changed_.notify_all();
        return empty();
    }

    void close()
    {
        {
            std::lock_guard lock(mutex_);
            closed_ = true;
        }
        changed_.notify_all();
    }

    // The adding thread: every batch passed, until the queue is closed.
    void addAll(ReaderIndex &index)
    {
        for (;;) {
            std::unique_ptr<ReaderIndex::Batch> batch;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] { return !full_.empty() || closed_; });
                if (full_.empty())
                    return;
                batch = std::move(full_.front());
                full_.pop_front();
            }
            try {
                if (!failed())
                    index.add(*batch);
            } catch (...) {
                std::lock_guard lock(mutex_);
                failure_ = std::current_exception();
                full_.clear();
            }
            {
                std::lock_guard lock(mutex_);
                empty_.push_back(std::move(batch));
            }
            changed_.notify_all();
        }
    }

    bool failed()
    {
        std::lock_guard lock(mutex_);
        return failure_ != nullptr;
    }

    void rethrow()
    {
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<ReaderIndex::Batch>> full_;
    std::vector<std::unique_ptr<ReaderIndex::Batch>> empty_;
    std::exception_ptr failure_;
    bool closed_ = false;
};

} // namespace

void readEntries(rs::Connection &connection, ReaderIndex &index, qint64 maxEntries)
{
    sqlite3 *db = connection.handle();
    const auto tooMany = [&] {
        return RuntimeError(err::OutOfMemory, QStringLiteral("الجدول %1 في قاعدة البيانات %2 أكبر من أن يفهرس للاقتراحات.")
                                                  .arg(quotedName(QStringLiteral("dream")), quotedName(connection.filePath())));
    };
    // Counting reads the smallest index of the table, not its rows.
    if (sqlite3_stmt *count = prepare(db, QStringLiteral("SELECT count(*) FROM [dream]"))) {
        connection.startStep();
        const bool over = sqlite3_step(count) == SQLITE_ROW && sqlite3_column_int64(count, 0) > maxEntries;
        sqlite3_finalize(count);
        if (over)
            throw tooMany();
    }
    const QString fields = fieldName(KeyField) + QLatin1Char(',') + fieldName(DreamField) + QLatin1Char(',')
                           + fieldName(InterpretationField);
    sqlite3_stmt *stmt = prepare(db, QStringLiteral("SELECT rowid,") + fields + QStringLiteral(" FROM [dream]"));
    bool positions = stmt == nullptr;
    if (positions)
        stmt = prepare(db, QStringLiteral("SELECT 0,") + fields + QStringLiteral(" FROM [dream]"));
    if (!stmt)
        throw RuntimeError(err::TableNotFound,
                           QStringLiteral("تعذرت قراءة الجدول %1 في قاعدة البيانات %2.")
                               .arg(quotedName(QStringLiteral("dream")), quotedName(connection.filePath())));
    // Reading the rows and cutting them into words takes about as long as
    // adding the words to the index: with more than one core, one thread
    // adds a batch while this one reads and cuts the next.
    BatchQueue queue;
    std::thread adder;
    if (std::thread::hardware_concurrency() > 1)
        adder = std::thread([&] { queue.addAll(index); });
    // Whatever ends the reading, the adding thread ends before the queue.
    struct Join {
        BatchQueue &queue;
        std::thread &adder;
        ~Join()
        {
            queue.close();
            if (adder.joinable())
                adder.join();
        }
    } join{queue, adder};
    std::unique_ptr<ReaderIndex::Batch> batch = queue.empty();
    qint64 position = 0;
    int rc;
    while (connection.startStep(), (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        // Some views answer rowid with Null.
        if (position == 0 && sqlite3_column_type(stmt, 0) == SQLITE_NULL)
            positions = true;
        const qint64 row = positions ? position : sqlite3_column_int64(stmt, 0);
        if (position == maxEntries) {
            sqlite3_finalize(stmt);
            throw tooMany();
        }
        batch->cut(row, textAt(stmt, 1), textAt(stmt, 2), textAt(stmt, 3));
        ++position;
        if (batch->size() == BatchEntries)
            batch = queue.pass(std::move(batch), adder.joinable() ? nullptr : &index);
    }
    queue.pass(std::move(batch), adder.joinable() ? nullptr : &index);
    queue.close();
    if (adder.joinable())
        adder.join();
    queue.rethrow();
    sqlite3_finalize(stmt);
    index.setRowsArePositions(positions);
    if (rc != SQLITE_DONE)
        throw RuntimeError(rc == SQLITE_INTERRUPT ? err::QueryTimeout : err::UnrecognizedDatabase,
                           QStringLiteral("تعذرت قراءة السجلات من الملف %1.").arg(quotedName(connection.filePath())));
    index.finish();
}

} // namespace velkaram::reader
