#pragma once

#include <QString>

namespace velkaram {

// The dictionary's table.
inline const QString DreamTable = QStringLiteral("dream");

// The fields of table dream that the dictionary shows, read by name.
inline const QString KeyField = QStringLiteral("المفتاح");
inline const QString DreamField = QStringLiteral("الحلم");
inline const QString InterpretationField = QStringLiteral("التفسير");

} // namespace velkaram
