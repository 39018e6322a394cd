#include "core/text/messagetext.h"

#include <QRegularExpression>

namespace velkaram {

QString withPathsOnTheirOwnLines(const QString &message)
{
    // ' FSI path PDI ' with a separator inside, the blanks around it and one
    // closing punctuation mark after it.
    static const QRegularExpression quotedPath(
        QStringLiteral("[ \\t]*'\\x{2068}([^\\x{2069}]*[/\\\\][^\\x{2069}]*)\\x{2069}'([.:،]?)[ \\t]*"));
    QString out;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = quotedPath.globalMatch(message); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += message.mid(from, m.capturedStart() - from);
        if (!out.isEmpty() && !out.endsWith(QLatin1Char('\n')))
            out += QStringLiteral(":\n");
        out += QChar(0x2068) + m.captured(1) + QChar(0x2069);
        from = m.capturedEnd();
        if (from < message.size() && message.at(from) != QLatin1Char('\n'))
            out += QLatin1Char('\n');
    }
    out += message.mid(from);
    return out;
}

} // namespace velkaram
