#pragma once

#include "core/recordstore/constants.h"

#include <QDeadlineTimer>
#include <QString>
#include <map>
#include <memory>

struct sqlite3;

namespace velkaram::rs {

class FoldedCopy;

// A value as it goes into a connection string after its key's "=": in
// quotes when it holds what would otherwise end it or change it (";", a
// quote, blanks at its ends), so that any path names its file.
QString connectionValue(const QString &value);

// A read-only connection to the database file. The file is named by a
// connection string ("Provider=...; Data Source=path"), by a bare path, or by
// the ConnectionString set before Open. The file name's letter case need not
// match the one on disk.
class Connection {
public:
    // What one recordset may hold, and how long one step of reading may run,
    // before the read is given up with an error: a database can define a
    // view of billions of rows.
    struct ReadLimits {
        qint64 heldBytes = qint64(256) << 20;
        int stepMs = 20000;
    };

    Connection() = default;
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;
    ~Connection();

    QString Provider;
    QString ConnectionString;
    int CursorLocation = adUseServer;
    ReadLimits Limits;

    void Open(const QString &connectionString = {}, const QString &userId = {},
              const QString &password = {}, int options = adCmdUnspecified);
    void Close();
    int State() const { return db_ ? adStateOpen : adStateClosed; }

    // The open SQLite handle; raises when the connection is closed.
    sqlite3 *handle() const;
    // Whether the file has a table (not a view) of that name, in any letter case.
    bool hasTable(const QString &name) const;
    // The file actually opened.
    const QString &filePath() const { return path_; }
    // A new step of a statement on this connection begins. Its clock starts
    // at the first progress check, so a row read quickly never reads the time.
    void startStep() { ++step_; }

    // The table held folded in memory for searches, read on its first
    // search (within Limits.heldBytes); null when it does not fit.
    const FoldedCopy *foldedCopy(const QString &table);
    // A copy read elsewhere (on another connection to the same file),
    // unless this connection has one of that table already.
    void adoptFoldedCopy(const QString &table, std::shared_ptr<FoldedCopy> copy);
    bool hasFoldedCopy(const QString &table) const
    {
        const auto at = copies_.find(table.toLower());
        return at != copies_.end() && at->second;
    }

private:
    static int stepExpired(void *connection);

    quint64 step_ = 0;
    quint64 timedStep_ = 0;
    QDeadlineTimer stepDeadline_{QDeadlineTimer::Forever};
    sqlite3 *db_ = nullptr;
    QString path_;
    std::map<QString, std::shared_ptr<FoldedCopy>> copies_; // by table, lower case

};

} // namespace velkaram::rs
