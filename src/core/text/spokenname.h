#pragma once

#include <QString>

namespace velkaram {

// The name a screen reader speaks for a caption written in two languages,
// such as "Next التالي": its Arabic words alone, so that the speech does not
// change voice in the middle of a name. A caption in one language keeps all
// its words. Runs of blanks become one.
QString spokenName(const QString &caption);

} // namespace velkaram
