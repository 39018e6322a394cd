#include "core/text/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace velkaram {

QString joinProgramPath(const QString &folder, const QString &literal)
{
    QString tail = literal;
    tail.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString head = QDir::fromNativeSeparators(folder);
    if (head.endsWith(QLatin1Char('/')) && tail.startsWith(QLatin1Char('/')))
        tail.remove(0, 1);
    else if (!head.isEmpty() && !head.endsWith(QLatin1Char('/')) && !tail.startsWith(QLatin1Char('/')))
        head += QLatin1Char('/');
    return QDir::toNativeSeparators(head + tail);
}

QString defaultProgramFolder()
{
    QString dir = QCoreApplication::applicationDirPath();
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

QString resolveFileNameCase(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return path;
    const QDir dir = info.dir();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return path;
}

} // namespace velkaram
