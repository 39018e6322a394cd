#pragma once

struct sqlite3;

namespace velkaram::rs {

// Replaces SQLite's LIKE on this connection with the Arabic-aware one.
void registerArabicLike(sqlite3 *db);

} // namespace velkaram::rs
