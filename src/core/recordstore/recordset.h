#pragma once

#include "core/recordstore/connection.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <string>
#include <vector>

struct sqlite3_stmt;

namespace velkaram::rs {

class Recordset;

// One field of the current record.
class Field {
public:
    Field(const Recordset &rs, int index) : rs_(rs), index_(index) {}
    QString Name() const;
    // A null QVariant stands for Null.
    QVariant Value() const;

private:
    const Recordset &rs_;
    int index_;
};

class Fields {
public:
    explicit Fields(const Recordset &rs) : rs_(rs) {}
    int Count() const;
    Field Item(int index) const;
    Field Item(const QString &name) const;

private:
    const Recordset &rs_;
};

// The rows of a table or of a SELECT over a connection. Rows are read from
// the file as the cursor first reaches them, so opening a large table costs
// one row until someone walks it.
class Recordset {
public:
    Recordset() = default;
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;
    ~Recordset();

    std::shared_ptr<Connection> ActiveConnection;
    int CursorType = adOpenForwardOnly;
    int LockType = adLockReadOnly;

    // source: a table name, bare or in [brackets], or a SELECT statement.
    void Open(const QString &source, std::shared_ptr<Connection> connection, int cursorType,
              int lockType, int options = adCmdUnspecified);
    void Close();
    int State() const { return stmt_ ? adStateOpen : adStateClosed; }

    bool BOF() const;
    bool AtEnd() const; // the end-of-file flag
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();

    class Fields Fields() const { return rs::Fields(*this); }
    Field Fields(int index) const { return Field(*this, index); }
    Field Fields(const QString &name) const { return Fields().Item(name); }

    // Position of the current record from 1; 0 when there is none.
    long AbsolutePosition() const;
    long RecordCount() const;

    // The statement that was run, as the store received it.
    const QString &Source() const { return source_; }

private:
    friend class Field;
    friend class rs::Fields;

    struct Cell {
        enum Kind : unsigned char { Null, Integer, Real, Text, Blob } kind = Null;
        unsigned len = 0;
        union {
            long long i;
            double d;
            const char *bytes; // in arena_
        };
    };

    // Holds the text and blob bytes of the cells in blocks that never move:
    // a large result grows without copying what it already holds, and
    // without needing twice its size while it does.
    class Arena {
    public:
        const char *add(const void *bytes, size_t len);
        void clear();
        size_t held() const { return held_; }

    private:
        std::vector<std::unique_ptr<char[]>> blocks_;
        size_t used_ = 0;
        size_t capacity_ = 0;
        size_t held_ = 0;
    };

    void adopt(sqlite3_stmt *stmt, const QString &source, std::shared_ptr<Connection> connection, int cursorType,
               int lockType);
    void readFirstRow();
    void requireOpen() const;
    bool ensureRow(long row) const;
    void fetchAll() const;
    void finalize() const;
    QVariant cellValue(int column) const;
    int indexOf(const QString &name) const;
    [[noreturn]] void noCurrentRecord() const;
    QString fileName() const;

    QString source_;
    QStringList names_;
    mutable sqlite3_stmt *stmt_ = nullptr;
    // The connection the statement reads through, whatever ActiveConnection
    // is set to later: its clock and limits govern the reading.
    std::shared_ptr<Connection> reader_;
    mutable bool exhausted_ = false;
    mutable std::vector<Cell> cells_; // row-major, names_.size() per row
    mutable Arena arena_;
    mutable long rows_ = 0;
    long pos_ = -1;                   // -1 before the first record
};

// A value as text: Null gives the empty text.
QString textOf(const QVariant &value);

} // namespace velkaram::rs
