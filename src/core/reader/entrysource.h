#pragma once

#include <QtGlobal>

namespace velkaram::rs {
class Connection;
}

namespace velkaram::reader {

class ReaderIndex;

// Reads every entry of table dream through the connection into the index:
// its row and the keyword, dream and interpretation fields, whatever else
// the table holds. A table without rowids (a view) is read by position.
// Raises as the record store does when the table cannot be read, and when
// it holds more than maxEntries: the index of a dictionary that large would
// hold more memory than the rest of the program, and its search goes on
// without suggestions.
inline constexpr qint64 MaxIndexedEntries = 150'000;
void readEntries(rs::Connection &connection, ReaderIndex &index, qint64 maxEntries = MaxIndexedEntries);

} // namespace velkaram::reader
