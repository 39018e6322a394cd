#pragma once

#include <QString>

namespace velkaram {

// Puts each quoted, isolated path of a right-to-left message on a line of its
// own. A path that wraps inside an Arabic line comes out in pieces in the
// wrong order; on its own line it wraps only into itself and stays readable.
QString withPathsOnTheirOwnLines(const QString &message);

} // namespace velkaram
