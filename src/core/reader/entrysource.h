#pragma once

namespace velkaram::rs {
class Connection;
}

namespace velkaram::reader {

class ReaderIndex;

// Reads every entry of table dream through the connection into the index:
// its row and the keyword, dream and interpretation fields, whatever else
// the table holds. A table without rowids (a view) is read by position.
// Raises as the record store does when the table cannot be read.
void readEntries(rs::Connection &connection, ReaderIndex &index);

} // namespace velkaram::reader
