#pragma once

#include <QString>

namespace velkaram {

// Appends a literal such as "\kelvra.mdb" to the program folder. The literal's
// backslashes become the platform separator, and a folder that already ends
// with a separator (a drive root, "/") gets no second one.
QString joinProgramPath(const QString &folder, const QString &literal);

// The folder that holds the program, without a trailing separator except at
// the root.
QString defaultProgramFolder();

} // namespace velkaram
