#pragma once

#include <QString>
#include <string_view>

struct sqlite3;

namespace velkaram::rs {

// The store's "=" between text and a quoted literal ignores what its LIKE
// ignores in Arabic (harakat, tatweel, the Quranic marks, the hamza-bearing
// alefs, ة and ه, ى and ي), so that "اسنان" equals "أسنان" and "حمام"
// "حمّام". Latin letter case still counts.

// Whether two UTF-8 texts are equal as such an "=" compares them.
bool equalFolded(std::string_view a, std::string_view b);

// The collation such comparisons use, registered on a connection.
void registerFoldedEquality(sqlite3 *db);

// The statement with each "= 'literal'" comparing in that collation.
// Nothing inside a literal, a quoted or bracketed name or a comment changes.
QString withFoldedEqualities(const QString &sql);

} // namespace velkaram::rs
