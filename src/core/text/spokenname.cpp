#include "core/text/spokenname.h"

#include <QStringList>

namespace velkaram {

namespace {

bool hasScript(const QString &word, QChar::Script script)
{
    for (const QChar c : word)
        if (c.script() == script)
            return true;
    return false;
}

} // namespace

QString spokenName(const QString &caption)
{
    const QStringList words = caption.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const bool arabic = std::any_of(words.begin(), words.end(),
                                    [](const QString &w) { return hasScript(w, QChar::Script_Arabic); });
    if (!arabic)
        return words.join(QLatin1Char(' '));
    QStringList kept;
    for (const QString &w : words)
        if (!hasScript(w, QChar::Script_Latin))
            kept.append(w);
    return kept.join(QLatin1Char(' '));
}

} // namespace velkaram
