#include "core/text/strings.h"

#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>

namespace velkaram {

namespace {

QHash<int, QString> loadTable()
{
    QHash<int, QString> table;
    QFile file(QStringLiteral(":/strings/strings.json"));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QJsonObject strings = QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String("strings")).toObject();
    for (auto it = strings.begin(); it != strings.end(); ++it)
        table.insert(it.key().toInt(), it.value().toString());
    return table;
}

} // namespace

QString LoadResString(int id)
{
    static const QHash<int, QString> table = loadTable();
    return table.value(id);
}

} // namespace velkaram
