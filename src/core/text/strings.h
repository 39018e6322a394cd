#pragma once

#include <QString>

namespace velkaram {

// The program's string table (Arabic, language 1025). An unknown id gives
// the empty text.
QString LoadResString(int id);

} // namespace velkaram
