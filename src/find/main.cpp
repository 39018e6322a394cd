// What the dictionary window suggests for a reader's text, on a terminal:
//   velkaram-find DATABASE TEXT...
// One suggestion a line, "keyword<TAB>dream", best first, at most ten. For
// the dictionary's editors: can readers find an entry the way they write?
#include "core/reader/entrysource.h"
#include "core/reader/readerindex.h"
#include "core/recordstore/connection.h"
#include "core/runtimeerror.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        err << "usage: velkaram-find DATABASE TEXT...\n";
        return 2;
    }
    try {
        velkaram::rs::Connection connection;
        connection.Open(args.front());
        velkaram::reader::ReaderIndex index;
        velkaram::reader::readEntries(connection, index);
        const QString text = args.mid(1).join(QLatin1Char(' '));
        for (const velkaram::reader::Suggestion &s : index.suggest(text, velkaram::reader::Reading::Typing))
            out << s.keyword << '\t' << s.dream << '\n';
    } catch (const velkaram::RuntimeError &e) {
        err << "velkaram-find: " << e.description() << '\n';
        return 1;
    }
    return 0;
}
