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

// Finds the file whatever the letter case of its name on disk; returns the
// path unchanged when nothing matches.
QString resolveFileNameCase(const QString &path);

} // namespace velkaram
