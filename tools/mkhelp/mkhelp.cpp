// Packs the help page and the window pictures into one MHTML archive.
//   mkhelp PAGE.html PICTURE_DIR OUT.mht
// A page reference src="shot:NAME" takes PICTURE_DIR/NAME.png; a picture
// that is not there is left out of the page with its figure.
#include "mhtml.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

bool readFile(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: mkhelp PAGE.html PICTURE_DIR OUT.mht\n");
        return 2;
    }
    const QString pagePath = QString::fromLocal8Bit(argv[1]);
    const QDir pictureDir(QString::fromLocal8Bit(argv[2]));
    const QString outPath = QString::fromLocal8Bit(argv[3]);

    QByteArray page;
    if (!readFile(pagePath, page)) {
        std::fprintf(stderr, "mkhelp: cannot read %s\n", qPrintable(pagePath));
        return 1;
    }
    mkhelp::Pictures pictures;
    for (const QString &name : mkhelp::pictureNames(page)) {
        QByteArray png;
        if (readFile(pictureDir.filePath(name + QStringLiteral(".png")), png) && !png.isEmpty())
            pictures[name] = png;
    }

    QStringList missing;
    const QByteArray archive = mkhelp::packArchive(page, pictures, &missing);
    for (const QString &name : missing)
        std::fprintf(stderr, "mkhelp: no picture of window %s; its figure is left out\n", qPrintable(name));

    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(archive) != archive.size() || !out.commit()) {
        std::fprintf(stderr, "mkhelp: cannot write %s\n", qPrintable(outPath));
        return 1;
    }
    return 0;
}
