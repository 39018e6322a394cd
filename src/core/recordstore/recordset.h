#pragma once

#include "core/recordstore/connection.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

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

// The rows of an opened result. They stay readable after the recordset
// that opened them moves on, closes or opens something else, so a view can
// show them without copying them out. Rows count from 0.
class ResultRows {
public:
    virtual ~ResultRows() = default;
    // Whether the result has that row; reads as far as it, no further.
    virtual bool has(long row) const = 0;
    // Every row, read to the end of the result.
    virtual long count() const = 0;
    // A null QVariant stands for Null; the row must exist.
    virtual QVariant value(long row, int column) const = 0;
};

// The rows of a table or of a SELECT over a connection. Rows are read from
// the file as the cursor first reaches them, so opening a large table costs
// one row until someone walks it. A whole table, or a plain search of one
// (SELECT * FROM table WHERE ...), holds only the keys of its rows and reads
// a row's fields when they are asked for; any other result keeps a copy of
// each row it has read.
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
    int State() const { return rows_ ? adStateOpen : adStateClosed; }

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
    // The rows of the open result, for showing them elsewhere.
    std::shared_ptr<const ResultRows> rows() const;

private:
    friend class Field;
    friend class rs::Fields;

    void requireOpen() const;
    bool ensureRow(long row) const { return rows_->has(row); }
    QVariant cellValue(int column) const;
    int indexOf(const QString &name) const;
    [[noreturn]] void noCurrentRecord() const;
    QString fileName() const;

    QString source_;
    QStringList names_;
    std::shared_ptr<ResultRows> rows_; // null while closed
    long pos_ = -1;                    // -1 before the first record
};

// A value as text: Null gives the empty text.
QString textOf(const QVariant &value);

} // namespace velkaram::rs
